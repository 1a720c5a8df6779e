#include "ui/hyperlink_logic.h"
#include <gtest/gtest.h>

namespace {
TEST(LinkColour, HoverBeatsVisited) {
    EXPECT_EQ(LinkTextColour(false, false), LINK_COLOUR);
    EXPECT_EQ(LinkTextColour(false, true), VISITED_COLOUR);
    EXPECT_EQ(LinkTextColour(true, true), HOVER_COLOUR);
    EXPECT_EQ(LinkTextColour(true, false), HOVER_COLOUR);
    EXPECT_TRUE(AddressOpened(33));
    EXPECT_TRUE(AddressOpened(36));
    EXPECT_FALSE(AddressOpened(32));
    EXPECT_FALSE(AddressOpened(0));
}

TEST(FitLinkToText, KeepsTheAlignedEdge) {
    const Rect window{100, 50, 300, 70}; // 200 x 20 with a 1-pixel frame all round
    const Size client{198, 18};
    const Size text{80, 13};
    EXPECT_EQ(FitLinkToText(window, client, text, false, LinkAlign::Left),
              (Rect{100, 50, 182, 65}));
    EXPECT_EQ(FitLinkToText(window, client, text, false, LinkAlign::Right),
              (Rect{218, 50, 300, 65}));
    // 200 -> 82: shrinks 59 on each side; 20 -> 15 vertically centred: 2 off the top.
    EXPECT_EQ(FitLinkToText(window, client, text, true, LinkAlign::Centre),
              (Rect{159, 52, 241, 67}));
    // Growing works the same way.
    EXPECT_EQ(FitLinkToText(window, client, {300, 13}, false, LinkAlign::Centre).left, 49);
}

TEST(CentreLinkOn, CentreOfTheArea) {
    EXPECT_EQ(CentreLinkOn({10, 300, 410, 320}, {100, 26}), (Rect{160, 300, 260, 326}));
    EXPECT_EQ(CentreLinkOn({0, 0, 101, 10}, {51, 10}), (Rect{25, 0, 76, 10}));
}
} // namespace
