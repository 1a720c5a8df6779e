#include "ui/hyperlink_logic.h"

uint32_t LinkTextColour(bool over, bool visited) {
    if (over)
        return HOVER_COLOUR;
    return visited ? VISITED_COLOUR : LINK_COLOUR;
}

// Resizes [low, high) to `length`, keeping the middle, the low edge or the high edge.
static void Resize(int32_t& low, int32_t& high, int32_t length, LinkAlign keep) {
    if (keep == LinkAlign::Centre) {
        const int32_t change = length - (high - low);
        low -= change / 2;
        high = low + length;
    } else if (keep == LinkAlign::Right) {
        low = high - length;
    } else {
        high = low + length;
    }
}

Rect FitLinkToText(const Rect& window, const Size& client, const Size& text, bool centreVertically,
                   LinkAlign align) {
    Rect fitted = window;
    Resize(fitted.top, fitted.bottom, text.height + window.Height() - client.height,
           centreVertically ? LinkAlign::Centre : LinkAlign::Left);
    Resize(fitted.left, fitted.right, text.width + window.Width() - client.width, align);
    return fitted;
}

Rect CentreLinkOn(const Rect& area, const Size& measured) {
    const int32_t centre = (area.left + area.right) / 2;
    return MakeRect(centre - measured.width / 2, area.top, measured.width, measured.height);
}
