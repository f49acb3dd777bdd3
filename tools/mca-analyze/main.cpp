// mca-analyze: batch work on saved spectra.
//   mca-analyze info FILE.usf --json    one JSON object describing the spectrum
//   mca-analyze resave IN.usf OUT.usf   load offline and save again
//   mca-analyze peaks FILE.usf [...]    peak search and identification, as the peak report or JSON
// A .spe file (chosen by its extension, any case) may stand wherever a .usf is read.
// Errors go to standard error with a non-zero exit status.
#include "json_writer.h"
#include "offline_session.h"
#include "peaks_command.h"

#include "calibration/energy_calibration.h"
#include "core/errors.h"
#include "core/number_text.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace mca;

constexpr int kUsageError = 2;

int usage() {
    std::cerr << "usage: mca-analyze info FILE.usf|FILE.spe --json\n"
                 "       mca-analyze resave IN.usf|IN.spe OUT.usf\n"
              << analyze::kPeaksUsage;
    return kUsageError;
}

void writeCalibration(analyze::JsonWriter& j, const DetectorRecord& r, const EnergyCalibration& c) {
    j.key("calibration");
    j.beginObject();
    j.key("order");
    j.string(r[field::kCalibrationOrder] == "2" ? "quadratic" : "linear");
    j.key("linear_valid");
    j.boolean(c.linearValid);
    j.key("quadratic_valid");
    j.boolean(c.quadraticValid);
    for (const auto& [name, v] : {std::pair{"k", c.k}, {"d", c.d}, {"a0", c.a0}, {"a1", c.a1}, {"a2", c.a2}}) {
        j.key(name);
        j.number(v);
    }
    j.key("points");
    j.beginArray();
    for (int k = 0; k < kCalibrationPointCount; ++k) {
        const auto channel = parseFloat(r[field::kFirstChannel + k]);
        const auto energy = parseFloat(r[field::kFirstEnergy + k]);
        if (!channel || !energy) continue;
        j.beginArray();
        j.number(*channel);
        j.number(*energy);
        j.endArray();
    }
    j.endArray();
    j.endObject();
}

int info(const std::string& file) {
    analyze::OfflineSession session;
    if (!session.load(file)) return 1;
    const Workstation& w = session.workstation();
    const int channels = w.state.channelCount;
    analyze::JsonWriter j;
    j.beginObject();
    j.key("file");
    j.string(file);
    j.key("channels");
    j.number(channels);
    j.key("total_counts");
    j.number(w.session(1).spectrum.sum(channels));
    j.key("counting_time");
    j.number(w.state.realTime);
    j.key("detector");
    j.beginArray();
    for (const std::string& f : session.record().fields) j.string(f);
    j.endArray();
    j.key("sample");
    j.beginObject();
    j.key("description");
    j.string(w.sample.description);
    j.key("quantity");
    j.string(w.sample.quantity);
    j.key("units");
    j.string(w.settings.sampleUnits);
    j.endObject();
    writeCalibration(j, session.record(), session.calibration());
    j.key("keV_at");
    j.beginObject();
    for (int ch : {0, 100, 1000, channels - 1}) {
        j.key(std::to_string(ch));
        j.number(ChannelToKeV(session.calibration(), ch));
    }
    j.endObject();
    j.endObject();
    std::cout << j.text() << "\n";
    return 0;
}

int resave(const std::string& in, const std::string& out) {
    analyze::OfflineSession session;
    if (!session.load(in)) return 1;
    try {
        session.save(out);
    } catch (const FileError& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "info" && args[2] == "--json") return info(args[1]);
    if (args.size() == 3 && args[0] == "resave") return resave(args[1], args[2]);
    if (!args.empty() && args[0] == "peaks") {
        const int status = analyze::peaksCommand({args.begin() + 1, args.end()});
        return status == kUsageError ? usage() : status;
    }
    return usage();
}
