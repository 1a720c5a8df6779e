#pragma once
#include "ui/geometry.h"
#include "ui/timer_ids.h"
#include <cstdint>

// Taskbar edges as the shell reports them; unknown when the position cannot be obtained.
inline constexpr int32_t EDGE_UNKNOWN = -1;
inline constexpr int32_t EDGE_LEFT = 0;
inline constexpr int32_t EDGE_TOP = 1;
inline constexpr int32_t EDGE_RIGHT = 2;
inline constexpr int32_t EDGE_BOTTOM = 3;

inline constexpr uint32_t SLIDE_STEP_MS = 10;
inline constexpr uint32_t HOLD_MS = 10000;
inline constexpr int32_t SLIDE_STEP = 2;

// The callout's client area and the placement of its text and links.
inline constexpr Size CALLOUT_CLIENT{180, 110};
inline constexpr int32_t CALLOUT_TEXT_MARGIN = 6;
inline constexpr int32_t CALLOUT_LINK_TOP = 95;
inline constexpr int32_t CALLOUT_LINK_OFFSET = 30;

// Where the callout is and how much of it shows while it slides out of the taskbar.
struct SlideState {
    int32_t edge = EDGE_UNKNOWN;
    Rect taskbar;
    int32_t x = 0;
    int32_t y = 0;
    int32_t fullWidth = 0;
    int32_t fullHeight = 0;
    int32_t shownWidth = 0;
    int32_t shownHeight = 0;

    Rect Window() const { return MakeRect(x, y, shownWidth, shownHeight); }
};

// The start of the slide-in for a taskbar at `edge` (EDGE_UNKNOWN when the shell could not
// tell): the window hidden behind the taskbar, next to the corner of the full-screen area
// (`screen`) where the notification area sits. An unknown edge slides up from the bottom of
// the full-screen area at its right, as from a bottom taskbar.
void StartSlide(SlideState& state, int32_t edge, const Rect& taskbar, const Size& screen);

// One step of the slide-in or slide-out; true when that slide has ended.
bool SlideInStep(SlideState& state);
bool SlideOutStep(SlideState& state);

// Width of the callout's text: the window's width less the margin, and never wider than the
// client area (a mirrored window's frame may come out wider than the margin).
int32_t CalloutTextWidth(int32_t windowWidth, int32_t clientWidth);
// Text height of the callout: the sentence as tall as it wraps in the text width, plus two
// lines for the question line.
int32_t CalloutTextHeight(int32_t wrappedSentenceHeight, int32_t lineHeight);

// The two links' left edges around the window's middle.
int32_t CalloutYesLeft(int32_t windowWidth, int32_t linkWidth);
// A cancel link too long to end within the client area moves left until it does.
int32_t CalloutCancelLeft(int32_t windowWidth, int32_t linkWidth, int32_t clientWidth);
