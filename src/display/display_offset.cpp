// The display's channel offset.
#include "display/display_offset.h"

#include <algorithm>

namespace mca {

int clampDisplayOffset(int channels) { return std::clamp(channels, kMinDisplayOffset, kMaxDisplayOffset); }

std::string displayOffsetText(int channels) {
    return (channels > 0 ? "+" : "") + std::to_string(channels) + " chn";
}

}  // namespace mca
