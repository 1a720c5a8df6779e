#pragma once
#include <cstdint>

// Style flags of the start screen.
inline constexpr uint32_t START_FADE_IN = 0x01;
inline constexpr uint32_t START_FADE_OUT = 0x02;
inline constexpr uint32_t START_DROP_SHADOW = 0x04;
inline constexpr uint32_t START_CENTRE = 0x08;
inline constexpr uint32_t START_FADE_MS = 500;
// Text-drawing flags: centred both ways, word-wrapped.
inline constexpr uint32_t START_LABEL_FORMAT = 0x15;

// A colour component of -1 means "no transparent colour": the window stays rectangular.
inline bool HasTransparentColour(int16_t red, int16_t green, int16_t blue) {
    return red != -1 && green != -1 && blue != -1;
}

inline bool Fades(uint32_t style, uint32_t fadeBit, bool canAnimate) {
    return (style & fadeBit) != 0 && canAnimate;
}

// Left (or top) of a picture centred in the full-screen area.
inline int32_t CentredOrigin(int32_t screen, int32_t picture) {
    return (screen - picture) / 2;
}
