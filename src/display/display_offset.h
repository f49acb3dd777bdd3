// The channel offset of the display, set on the service panel: it shifts the unsmoothed trace
// and sends nothing to the instrument.
#pragma once

#include <string>

namespace mca {

inline constexpr int kMinDisplayOffset = -100;
inline constexpr int kMaxDisplayOffset = 100;

// Held to -100 .. +100 channels.
int clampDisplayOffset(int channels);

// "+5 chn" for a positive offset, else the number: "0 chn", "-3 chn".
std::string displayOffsetText(int channels);

}  // namespace mca
