#include "ui/image_button_state.h"

int32_t ButtonDrawState(const ButtonFlags& flags, bool pushed) {
    if (flags.disabled)
        return STATE_DISABLED;
    if (flags.checked || pushed)
        return STATE_PRESSED;
    return flags.hover ? STATE_HOVER : STATE_NORMAL;
}

int32_t StripFrameWidth(int32_t stripWidth, int32_t imageCount) {
    if (imageCount <= 0 || stripWidth <= 0)
        return 0;
    return stripWidth / (imageCount * FRAMES_PER_IMAGE);
}

uint32_t StripPixelValue(const StripPixels& strip, int32_t column, int32_t row) {
    const int32_t bytes = strip.bitsPerPixel >= 8 ? strip.bitsPerPixel / 8 : 1;
    const int64_t at = static_cast<int64_t>(row) * strip.stride +
                       static_cast<int64_t>(column) * strip.bitsPerPixel / 8;
    if (column < 0 || row < 0 || at < 0 || at + bytes > static_cast<int64_t>(strip.bits.size()))
        return 0;
    const uint8_t* p = strip.bits.data() + at;
    // Device-independent pixels are stored blue, green, red: reversed into 0x00BBGGRR.
    if (strip.bitsPerPixel == 24)
        return p[0] << 16 | p[1] << 8 | p[2];
    if (strip.bitsPerPixel == 32)
        return static_cast<uint32_t>(p[3]) << 24 | p[0] << 16 | p[1] << 8 | p[2];
    uint32_t value = 0;
    for (int32_t i = 0; i < bytes; ++i)
        value = value << 8 | p[i];
    return value;
}

bool IsOpaquePixel(const StripPixels& strip, int32_t frameWidth, int32_t state, int32_t x,
                   int32_t y, uint32_t transparent) {
    if (strip.width <= 0 || strip.height <= 0 || x < 0 || y < 0 || x >= strip.width ||
        y >= strip.height || x >= frameWidth)
        return false;
    return StripPixelValue(strip, state * frameWidth + x, y) != transparent;
}

uint32_t CaptionColour(const CaptionColours& colours, int32_t state) {
    switch (state) {
    case STATE_PRESSED:
        return colours.pressed;
    case STATE_HOVER:
        return colours.hover;
    case STATE_DISABLED:
        return colours.disabled;
    default:
        return colours.normal;
    }
}
