#pragma once
#include "ui/geometry.h"
#include "ui/timer_ids.h"
#include <cstdint>

inline constexpr uint32_t LINK_COLOUR = 0xEE0000;    // RGB(0, 0, 238)
inline constexpr uint32_t VISITED_COLOUR = 0x8B1A55; // RGB(85, 26, 139)
inline constexpr uint32_t HOVER_COLOUR = 0x0000FF;   // RGB(255, 0, 0)
inline constexpr uint32_t LINK_LEAVE_POLL_MS = 100;
// How far below the link the repaint on leaving reaches, to take the underline away.
inline constexpr int32_t LINK_UNDERLINE_REACH = 10;

uint32_t LinkTextColour(bool over, bool visited);

// An opener's result above 32 means the address was handed to the browser.
inline bool AddressOpened(intptr_t result) {
    return result > 32;
}

enum class LinkAlign { Left, Centre, Right };

// The control's rectangle (parent coordinates) fitted to a one-line text of `text` size; the
// frame is what the window rectangle adds to the client size.
Rect FitLinkToText(const Rect& window, const Size& client, const Size& text, bool centreVertically,
                   LinkAlign align);

// A measured (wrapped, framed) text size placed on `area`: centred horizontally, at its top.
Rect CentreLinkOn(const Rect& area, const Size& measured);
