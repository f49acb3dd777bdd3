// Fuzzes the .spe reader and its offline load: any bytes either give a SpeFormatError or read into
// a spectrum that fits a valid channel count and loads offline without fault.
#include "core/quiet_platform.h"
#include "core/text_encoding.h"
#include "spectrumio/spe_channels.h"
#include "spectrumio/spe_file_loader.h"
#include "spectrumio/spe_file_reader.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    mca::SpeSpectrum spe;
    try {
        spe = mca::parseSpeText(mca::cp1252ToUtf8(bytes));
    } catch (const mca::SpeFormatError&) {
        return 0;
    }
    const mca::FittedChannels fitted = mca::fitChannels(spe);
    if (!mca::isValidChannelCount(fitted.channelCount)) std::abort();
    if (static_cast<long long>(fitted.summingFactor) * fitted.channelCount < static_cast<long long>(spe.counts.size())) {
        std::abort();
    }

    mca::QuietPlatform quiet;
    mca::Workstation w(quiet.platform(), "TREL MCA", "/nonexistent-mca-fuzz");
    w.state.offline = true;
    mca::DetectorRecord record;
    mca::EnergyCalibration calibration;
    mca::SpectrumLoadHooks hooks;
    mca::SpectrumLoadTarget target{w, 1, record, 0, {}, calibration, hooks, {}};
    if (!mca::loadSpectrumGrid(target, mca::speSpectrumGrid(spe, "g"), "fuzz.spe")) std::abort();
    if (w.state.channelCount != fitted.channelCount) std::abort();
    (void)mca::ChannelToKeV(calibration, 100);
    (void)mca::KeVToChannel(calibration, 661.7, w.state.channelCount);
    return 0;
}
