// The display offset's range and its text.
#include "display/display_offset.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

TEST(DisplayOffset, IsHeldToItsRangeAndShownWithItsSign) {
    const std::pair<int, const char*> cases[] = {{5, "+5 chn"}, {0, "0 chn"}, {-3, "-3 chn"}, {100, "+100 chn"}};
    for (const auto& [channels, text] : cases) EXPECT_EQ(displayOffsetText(channels), text) << channels;
    EXPECT_EQ(clampDisplayOffset(250), 100);
    EXPECT_EQ(clampDisplayOffset(-101), -100);
    EXPECT_EQ(clampDisplayOffset(7), 7);
}

}  // namespace
}  // namespace mca
