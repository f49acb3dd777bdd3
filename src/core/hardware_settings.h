// The settings an instrument is running with, as the hardware panel and the detector record hold
// them. The operations that send them to the instrument live with the device link.
#pragma once

#include <array>

namespace mca {

// Coarse gains by index 0..5.
inline constexpr std::array<int, 6> kCoarseGains{2, 4, 15, 35, 125, 250};
inline constexpr int kMaxFineGain = 255;

// Resolution mode: the number of channels the instrument digitises into.
enum class ResolutionMode { Channels4096, Channels2048, Channels1024, Channels512, Channels256 };

struct HardwareSettings {
    int inputIndex = 0;          // input and polarity, 0..4
    double highVoltage = 0.0;    // volts
    double notToExceedVoltage = 0.0;  // volts
    int coarseGainIndex = 0;     // 0..5, see kCoarseGains
    int fineGain = 127;          // position 0..255
    int shapingIndex = 0;        // 0..8
    int threshold = 20;          // hardware-panel units 0..2047
    int offset = 50;             // hardware-panel units 0..2047
    ResolutionMode mode = ResolutionMode::Channels4096;
};

// Channels of a resolution mode: 4096 >> index.
constexpr int channelsOf(ResolutionMode mode) { return 4096 >> static_cast<int>(mode); }

}  // namespace mca
