#include "ui/region_runs.h"
#include <gtest/gtest.h>

namespace {
constexpr uint32_t RED = 0x0000FF;
constexpr uint32_t SKY = 0xF3B640;

TEST(OpaqueRuns, NoTransparentPixelGivesTheWholeRectangle) {
    const std::vector<uint32_t> pixels(4 * 3, SKY);
    const auto runs = OpaqueRuns(pixels, 4, 3, RED);
    ASSERT_EQ(runs.size(), 3u);
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(runs[y], (Rect{0, y, 4, y + 1}));
}

TEST(OpaqueRuns, OnlyTransparentGivesNothing) {
    EXPECT_TRUE(OpaqueRuns(std::vector<uint32_t>(6, RED), 3, 2, RED).empty());
    EXPECT_TRUE(OpaqueRuns({}, 0, 0, RED).empty());
    EXPECT_TRUE(OpaqueRuns(std::vector<uint32_t>(3, SKY), 3, 2, RED).empty()); // short data
    // 65536 x 65536 pixels: the size must not wrap to 0 in a 32-bit program.
    EXPECT_TRUE(OpaqueRuns(std::vector<uint32_t>(3, SKY), 65536, 65536, RED).empty());
}

TEST(OpaqueRuns, BorderAndHolesAreCutOut) {
    // R R R R R
    // R S R S S
    // R R R R R
    const std::vector<uint32_t> pixels = {RED, RED, RED, RED, RED, RED, SKY, RED,
                                          SKY, SKY, RED, RED, RED, RED, RED};
    const auto runs = OpaqueRuns(pixels, 5, 3, RED);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], (Rect{1, 1, 2, 2}));
    EXPECT_EQ(runs[1], (Rect{3, 1, 5, 2})); // a run open at the last pixel closes after it
}
} // namespace
