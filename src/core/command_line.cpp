// Command-line switches of mca.
#include "core/command_line.h"

#include "core/number_text.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace mca {

namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool endsWithNoCase(const std::string& s, std::string_view suffix) {
    return s.size() >= suffix.size() && lower(s.substr(s.size() - suffix.size())) == suffix;
}

std::optional<int> toInt(const std::string& text) {
    const auto n = parseInteger(text);
    if (!n || *n < INT_MIN || *n > INT_MAX) return std::nullopt;
    return static_cast<int>(*n);
}

bool hasForbiddenPrefixCharacter(const std::string& prefix) {
    return prefix.find_first_of("\"#*/:<>?\\|") != std::string::npos;
}

// Walks the arguments; a switch that takes values consumes the arguments after it. An argument
// that is another switch is not taken as a value (a negative number still is), so "-SIZE 800
// -Offline" keeps its -Offline.
class Reader {
public:
    Reader(const std::vector<std::string>& args, Operator& op) : m_args(args), m_op(op) {}

    CommandLine read() {
        while (m_next < m_args.size()) readArgument(m_args[m_next++]);
        return m_result;
    }

private:
    std::optional<std::string> takeValue() {
        if (m_next >= m_args.size()) return std::nullopt;
        const std::string& v = m_args[m_next];
        if (!v.empty() && v[0] == '-' && !parseInteger(v)) return std::nullopt;
        ++m_next;
        return v;
    }

    void readArgument(const std::string& arg) {
        if (arg.empty()) return;
        if (arg[0] != '-') return readFile(arg);
        const std::string sw = lower(arg);
        if (sw == "-offline") m_result.offline = true;
        else if (sw == "-quad") m_result.quad = true;
        else if (sw == "-simplified") m_result.simplified = true;
        else if (sw == "-rnmode") m_result.networkMode = true;
        else if (sw == "-sec") m_result.plainFileHeader = true;
        else if (sw == "-com") readComPort();
        else if (sw == "-size") readSize();
        else if (sw == "-pos") readPosition();
        else if (sw == "-rnca") readNetworkTime(NetworkAcquisition::Continuous, "-RNCA");
        else if (sw == "-rnsa") readNetworkTime(NetworkAcquisition::Gcal, "-RNSA");
        else if (sw == "-rnsr") readNetworkTime(NetworkAcquisition::Rcal, "-RNSR");
        else if (sw == "-rnfp") readPrefix();
        else m_op.message("Unrecognized command line switch: \"" + arg + "\"");
    }

    void readFile(const std::string& arg) {
        m_result.offline = true;
        if (endsWithNoCase(arg, ".usf")) m_result.spectrumFile = arg;
        else if (!endsWithNoCase(arg, ".e01")) m_op.message("Unrecognized file type: \"\", " + arg);
    }

    void readComPort() {
        const auto v = takeValue();
        const auto n = v ? toInt(*v) : std::nullopt;
        if (n && *n > 0) m_result.comPort = *n;
        else m_op.message("Invalid Com Port number for -COM flag!");
    }

    void readSize() {
        m_result.sizeGiven = true;
        m_result.size = readPair();
        if (!m_result.size.first || !m_result.size.second || *m_result.size.first <= 0 || *m_result.size.second <= 0) {
            m_op.message("Error setting form size with -SIZE flag!");
        }
    }

    void readPosition() {
        const WindowPoint p = readPair();
        if (p.first && p.second) m_result.position = p;
        else m_op.message("Error setting form position with -POS flag!  The position is ignored.");
    }

    WindowPoint readPair() {
        WindowPoint p;
        if (const auto a = takeValue()) p.first = toInt(*a);
        if (const auto b = takeValue()) p.second = toInt(*b);
        return p;
    }

    void readNetworkTime(NetworkAcquisition kind, const std::string& name) {
        const auto v = takeValue();
        const auto n = v ? toInt(*v) : std::nullopt;
        if (!n || *n < 1) {
            m_op.message("Invalid Acquisiton Time for " + name + " flag!");
            return;
        }
        m_result.networkAcquisition = kind;
        m_result.networkSeconds = *n;
    }

    void readPrefix() {
        const auto v = takeValue();
        m_result.networkPrefix = v.value_or(std::string{});
        if (hasForbiddenPrefixCharacter(m_result.networkPrefix)) {
            m_op.message("Invalid Filename Prefix for -RNFP Flag (" + m_result.networkPrefix +
                         ").  Cannot contain characters ?|:*?\"<>|#.");
            m_result.networkPrefix.clear();
        }
    }

    const std::vector<std::string>& m_args;
    Operator& m_op;
    std::size_t m_next = 0;
    CommandLine m_result;
};

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments, Operator& op) {
    return Reader(arguments, op).read();
}

}  // namespace mca
