// Parsing of mca-sim's options.
#include "sim/sim_options.h"

#include "sim/gamma_sources.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace mca::sim {

namespace {

constexpr double kMaxRate = 1e7;
constexpr int kMaxHvUnit = 65535;

bool isSerialNumber(const std::string& text) {
    if (text.size() != 6 || text[0] != '2') return false;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

template <typename T>
std::optional<T> parseNumber(const std::string& text) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// Applies one option with its value; false when the option is not known.
bool applyValue(SimOptions& options, const std::string& name, const std::string& value) {
    InstrumentIdentity& id = options.instrument.identity;
    if (name == "--serial") {
        if (!isSerialNumber(value)) throw OptionError("--serial needs \"2\" and five digits, not \"" + value + "\"");
        id.serialNumber = value;
    } else if (name == "--firmware") {
        if (!parseNumber<double>(value)) throw OptionError("--firmware needs a decimal number such as 1.08");
        id.firmware = value;
    } else if (name == "--polarity") {
        if (value != "+" && value != "-") throw OptionError("--polarity is + or -");
        id.negativePolarity = value == "-";
    } else if (name == "--hv-unit") {
        const auto volts = parseNumber<int>(value);
        if (!volts || *volts < 1 || *volts > kMaxHvUnit) throw OptionError("--hv-unit needs whole volts from 1 to 65535");
        id.hvUnitVolts = *volts;
    } else if (name == "--sources") {
        try {
            options.instrument.sources = parseSourceList(value);
        } catch (const std::invalid_argument& e) {
            throw OptionError(std::string("--sources: ") + e.what());
        }
    } else if (name == "--rate") {
        const auto rate = parseNumber<double>(value);
        if (!rate || !std::isfinite(*rate) || *rate < 0 || *rate > kMaxRate) {
            throw OptionError("--rate needs counts per second from 0 to 1e7");
        }
        options.instrument.ratePerSecond = *rate;
    } else if (name == "--seed") {
        const auto seed = parseNumber<std::uint64_t>(value);
        if (!seed) throw OptionError("--seed needs a whole number");
        options.instrument.seed = *seed;
        options.seedGiven = true;
    } else if (name == "--link") {
        if (value.empty()) throw OptionError("--link needs a path");
        options.linkPath = value;
    } else if (name == "--log") {
        if (value.empty()) throw OptionError("--log needs a file name");
        options.logPath = value;
    } else {
        return false;
    }
    return true;
}

}  // namespace

SimOptions parseSimOptions(const std::vector<std::string>& args) {
    SimOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help") {
            options.help = true;
            continue;
        }
        const auto equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        std::string value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (name.rfind("--", 0) == 0 && i + 1 < args.size()) {
            value = args[++i];
        } else {
            throw OptionError("unknown option or missing value: \"" + arg + "\"");
        }
        if (!applyValue(options, name, value)) throw OptionError("unknown option \"" + name + "\"");
    }
    return options;
}

std::string simUsage() {
    std::string sources;
    for (const auto& name : knownSourceNames()) sources += (sources.empty() ? "" : ",") + name;
    return "usage: mca-sim [options]\n"
           "Simulates a multichannel analyzer on a pseudo-terminal; prints the terminal's path first.\n"
           "  --serial 2NNNNN     serial number (default 210042)\n"
           "  --firmware 1.08     firmware revision text (default 1.08)\n"
           "  --polarity +|-      high-voltage polarity (default +)\n"
           "  --hv-unit VOLTS     full-scale high voltage (default 2000)\n"
           "  --sources LIST      comma-separated check sources, empty for background only\n"
           "                      (default cs137; known: " + sources + ")\n"
           "  --rate CPS          detector pulses per second (default 2000)\n"
           "  --seed N            seed of the random pulses (default: from the time)\n"
           "  --link PATH         symbolic link to the terminal, removed at exit\n"
           "  --log FILE          log every chunk of received bytes in hex\n"
           "  --help              this text\n"
           "Runs until SIGTERM or SIGINT.\n";
}

}  // namespace mca::sim
