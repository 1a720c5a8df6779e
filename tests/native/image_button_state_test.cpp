#include "ui/image_button_state.h"
#include <gtest/gtest.h>

namespace {
TEST(ButtonDrawState, DisabledThenPressedThenHover) {
    EXPECT_EQ(ButtonDrawState({}, false), STATE_NORMAL);
    EXPECT_EQ(ButtonDrawState({.hover = true}, false), STATE_HOVER);
    EXPECT_EQ(ButtonDrawState({.hover = true}, true), STATE_PRESSED);
    EXPECT_EQ(ButtonDrawState({.checked = true, .hover = true}, false), STATE_PRESSED);
    EXPECT_EQ(ButtonDrawState({.disabled = true, .checked = true, .hover = true}, true),
              STATE_DISABLED);
}

TEST(StripFrameWidth, FourFramesPerImage) {
    EXPECT_EQ(StripFrameWidth(360, 1), 90);
    EXPECT_EQ(StripFrameWidth(720, 2), 90);
    EXPECT_EQ(StripFrameWidth(360, 0), 0);
    EXPECT_EQ(StripFrameWidth(0, 1), 0);
}

// A 24-bit strip of 4 frames of 3 x 2 pixels; frame f is filled with colour (f + 1) * 0x10,
// and pixel (0, 0) of every frame is pure red.
StripPixels TestStrip() {
    StripPixels strip{12, 2, 24, 36, {}};
    strip.bits.resize(72);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 12; ++x) {
            uint8_t* p = strip.bits.data() + y * 36 + x * 3;
            const bool corner = x % 3 == 0 && y == 0;
            p[0] = corner ? 0 : static_cast<uint8_t>((x / 3 + 1) * 0x10); // blue
            p[1] = 0;
            p[2] = corner ? 0xFF : 0; // red
        }
    }
    return strip;
}

TEST(StripPixels, ValuesComparableToColours) {
    const StripPixels strip = TestStrip();
    EXPECT_EQ(StripPixelValue(strip, 0, 0), 0x0000FFu);
    EXPECT_EQ(StripPixelValue(strip, 4, 1), 0x200000u);
    StripPixels wide{1, 1, 32, 4, {1, 2, 3, 4}};
    EXPECT_EQ(StripPixelValue(wide, 0, 0), 0x04010203u);
    StripPixels indexed{2, 1, 8, 4, {7, 9, 0, 0}};
    EXPECT_EQ(StripPixelValue(indexed, 1, 0), 9u);
    EXPECT_EQ(StripPixelValue(indexed, 5, 0), 0u); // beyond the data
}

TEST(OpaquePixel, TransparentColourOutsideAndPerFrame) {
    const StripPixels strip = TestStrip();
    EXPECT_FALSE(IsOpaquePixel(strip, 3, STATE_NORMAL, 0, 0, 0x0000FF));
    EXPECT_TRUE(IsOpaquePixel(strip, 3, STATE_NORMAL, 1, 0, 0x0000FF));
    EXPECT_TRUE(IsOpaquePixel(strip, 3, STATE_NORMAL, 0, 1, 0x0000FF));
    // The frame of the state decides: the hover frame's colour made transparent.
    EXPECT_FALSE(IsOpaquePixel(strip, 3, STATE_HOVER, 2, 1, 0x300000));
    EXPECT_TRUE(IsOpaquePixel(strip, 3, STATE_NORMAL, 2, 1, 0x300000));
    EXPECT_FALSE(IsOpaquePixel(strip, 3, STATE_NORMAL, 3, 1, 0)); // beyond one frame
    EXPECT_FALSE(IsOpaquePixel(strip, 3, STATE_NORMAL, 1, 2, 0));
    EXPECT_FALSE(IsOpaquePixel(strip, 3, STATE_NORMAL, -1, 0, 0));
    EXPECT_FALSE(IsOpaquePixel(StripPixels{}, 3, STATE_NORMAL, 0, 0, 0)); // no strip loaded
}

TEST(CaptionColour, ByState) {
    const CaptionColours c{1, 2, 3, 4};
    EXPECT_EQ(CaptionColour(c, STATE_NORMAL), 1u);
    EXPECT_EQ(CaptionColour(c, STATE_HOVER), 2u);
    EXPECT_EQ(CaptionColour(c, STATE_PRESSED), 3u);
    EXPECT_EQ(CaptionColour(c, STATE_DISABLED), 4u);
}
} // namespace
