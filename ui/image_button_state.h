#pragma once
#include <cstdint>
#include <vector>

// Frames of an image-button strip group, in strip order.
inline constexpr int32_t STATE_NORMAL = 0;
inline constexpr int32_t STATE_PRESSED = 1;
inline constexpr int32_t STATE_HOVER = 2;
inline constexpr int32_t STATE_DISABLED = 3;
inline constexpr int32_t FRAMES_PER_IMAGE = 4;

struct ButtonFlags {
    bool disabled = false;
    bool checked = false;
    bool hover = false;
};

// The frame to draw; `pushed` is the platform's report that the button is held down right now
// (hit-testing passes false).
int32_t ButtonDrawState(const ButtonFlags& flags, bool pushed);

// Frame width of a strip holding `imageCount` groups of four frames; 0 for a bad count.
int32_t StripFrameWidth(int32_t stripWidth, int32_t imageCount);

// The strip's pixels as read from the bitmap: rows top-down, each `stride` bytes.
struct StripPixels {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;
    int32_t stride = 0;
    std::vector<uint8_t> bits;
};

// A pixel as a colour value comparable to the transparent colour (0x00BBGGRR for 24 bits, the
// fourth byte on top for 32 bits, raw bytes first-most-significant for smaller depths).
uint32_t StripPixelValue(const StripPixels& strip, int32_t column, int32_t row);

// Whether (x, y) of the button shows a pixel of frame `state` other than the transparent
// colour. Points outside the strip are transparent.
bool IsOpaquePixel(const StripPixels& strip, int32_t frameWidth, int32_t state, int32_t x,
                   int32_t y, uint32_t transparent);

// Caption colours as SetTextColors takes them (normal, hover, pressed, disabled).
struct CaptionColours {
    uint32_t normal = 0;
    uint32_t hover = 0;
    uint32_t pressed = 0;
    uint32_t disabled = 0;
};
uint32_t CaptionColour(const CaptionColours& colours, int32_t state);
