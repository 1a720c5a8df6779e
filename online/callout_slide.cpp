#include "online/callout_slide.h"
#include <algorithm>

void StartSlide(SlideState& s, int32_t edge, const Rect& taskbar, const Size& screen) {
    if (edge < EDGE_LEFT || edge > EDGE_BOTTOM) {
        edge = EDGE_BOTTOM;
        s.taskbar = {0, screen.height, screen.width, screen.height};
    } else {
        s.taskbar = taskbar;
    }
    s.edge = edge;
    s.shownWidth = s.shownHeight = 0;
    switch (edge) {
    case EDGE_LEFT:
        s.x = -s.fullWidth;
        s.y = screen.height - s.fullHeight;
        break;
    case EDGE_TOP:
        s.x = screen.width - s.fullWidth;
        s.y = -s.fullHeight;
        break;
    case EDGE_RIGHT:
        s.x = s.taskbar.left;
        s.y = screen.height - s.fullHeight;
        break;
    default:
        s.x = screen.width - s.fullWidth;
        s.y = s.taskbar.top;
        break;
    }
}

// Grows `shown` by at most one step towards `full`, moving `origin` the other way.
static bool Grow(int32_t& shown, int32_t& origin, int32_t full) {
    const int32_t step = std::min(SLIDE_STEP, std::max(full - shown, 0));
    shown += step;
    origin -= step;
    return shown >= full;
}

static bool Shrink(int32_t& shown, int32_t& origin) {
    const int32_t step = std::min(SLIDE_STEP, std::max(shown, 0));
    shown -= step;
    origin += step;
    return shown <= 0;
}

bool SlideInStep(SlideState& s) {
    switch (s.edge) {
    case EDGE_LEFT:
    case EDGE_TOP:
        s.shownWidth = s.fullWidth;
        s.shownHeight = s.fullHeight;
        if (s.edge == EDGE_LEFT) {
            s.x += SLIDE_STEP;
            return s.x >= s.taskbar.right;
        }
        s.y += SLIDE_STEP;
        return s.y >= s.taskbar.bottom;
    case EDGE_RIGHT:
        s.shownHeight = s.fullHeight;
        return Grow(s.shownWidth, s.x, s.fullWidth);
    default:
        s.shownWidth = s.fullWidth;
        return Grow(s.shownHeight, s.y, s.fullHeight);
    }
}

bool SlideOutStep(SlideState& s) {
    switch (s.edge) {
    case EDGE_LEFT:
        s.x -= SLIDE_STEP;
        return s.x + s.fullWidth <= s.taskbar.right;
    case EDGE_TOP:
        s.y -= SLIDE_STEP;
        return s.y + s.fullHeight <= s.taskbar.bottom;
    case EDGE_RIGHT:
        return Shrink(s.shownWidth, s.x);
    default:
        return Shrink(s.shownHeight, s.y);
    }
}

int32_t CalloutTextWidth(int32_t windowWidth, int32_t clientWidth) {
    return std::min(windowWidth - CALLOUT_TEXT_MARGIN, clientWidth);
}

int32_t CalloutTextHeight(int32_t wrappedSentenceHeight, int32_t lineHeight) {
    return std::max(wrappedSentenceHeight, 0) + 2 * lineHeight;
}

int32_t CalloutYesLeft(int32_t windowWidth, int32_t linkWidth) {
    return windowWidth / 2 - linkWidth / 2 - CALLOUT_LINK_OFFSET;
}

int32_t CalloutCancelLeft(int32_t windowWidth, int32_t linkWidth, int32_t clientWidth) {
    return std::min(windowWidth / 2 + CALLOUT_LINK_OFFSET, clientWidth - linkWidth);
}
