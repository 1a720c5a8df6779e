#pragma once
#include <cstdint>

// Screen and window arithmetic in pixels, the same way the platform counts: right and bottom
// are one past the last pixel.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    constexpr int32_t Width() const { return right - left; }
    constexpr int32_t Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

struct Size {
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const Size&) const = default;
};

constexpr Rect MakeRect(int32_t x, int32_t y, int32_t width, int32_t height) {
    return {x, y, x + width, y + height};
}
