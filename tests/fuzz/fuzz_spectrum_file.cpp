// Fuzzes the spectrum-file reader and the offline load: any bytes must read and load without
// fault, leave a valid channel count and channel 0 empty, and a loaded file must save again.
#include "core/quiet_platform.h"
#include "core/text_encoding.h"
#include "spectrumio/spectrum_file_loader.h"
#include "spectrumio/spectrum_file_reader.h"
#include "spectrumio/spectrum_file_writer.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const mca::Grid grid = mca::parseSpectrumText(mca::cp1252ToUtf8(bytes));

    mca::QuietPlatform quiet;
    mca::Workstation w(quiet.platform(), "TREL MCA", "/nonexistent-mca-fuzz");
    w.state.offline = true;
    mca::DetectorRecord record;
    mca::EnergyCalibration calibration;
    mca::SpectrumLoadHooks hooks;
    mca::SpectrumLoadTarget target{w, 1, record, 0, {}, calibration, hooks, {}};
    if (!mca::loadSpectrumGrid(target, grid, "fuzz.usf")) std::abort();
    if (!mca::isValidChannelCount(w.state.channelCount)) std::abort();
    if (w.session(1).spectrum.counts[0] != 0.0) std::abort();
    (void)mca::ChannelToKeV(calibration, 100);
    (void)mca::KeVToChannel(calibration, 661.7, w.state.channelCount);

    mca::SpectrumFileSources sources{w, 1, record, nullptr, calibration, {}, {}, {}, {}};
    const mca::Grid again = mca::buildSpectrumGrid(sources);
    if (again.rowCount() != w.state.channelCount) std::abort();
    return 0;
}
