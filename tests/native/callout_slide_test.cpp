#include "online/callout_slide.h"
#include <gtest/gtest.h>

namespace {
constexpr Size SCREEN{1024, 738};

SlideState Callout() {
    SlideState s;
    s.fullWidth = 186;
    s.fullHeight = 135; // odd: the last step is cut to land exactly
    return s;
}

int SlideIn(SlideState& s) {
    int steps = 1;
    while (!SlideInStep(s))
        ++steps;
    return steps;
}

int SlideOut(SlideState& s) {
    int steps = 1;
    while (!SlideOutStep(s))
        ++steps;
    return steps;
}

TEST(CalloutSlide, BottomTaskbarGrowsUpFromItsTopEdge) {
    SlideState s = Callout();
    StartSlide(s, EDGE_BOTTOM, {0, 738, 1024, 768}, SCREEN);
    EXPECT_EQ(s.Window(), MakeRect(838, 738, 0, 0));
    SlideInStep(s);
    EXPECT_EQ(s.Window(), (Rect{838, 736, 1024, 738}));
    EXPECT_EQ(SlideIn(s), 67);
    EXPECT_EQ(s.Window(), (Rect{838, 603, 1024, 738}));
    EXPECT_EQ(SlideOut(s), 68);
    EXPECT_EQ(s.shownHeight, 0);
    EXPECT_EQ(s.y, 738);
}

TEST(CalloutSlide, LeftTaskbarSlidesInFromTheScreenEdge) {
    SlideState s = Callout();
    StartSlide(s, EDGE_LEFT, {0, 0, 30, 768}, SCREEN);
    EXPECT_EQ(s.x, -186);
    EXPECT_EQ(s.y, 738 - 135);
    SlideIn(s);
    EXPECT_EQ(s.Window(), MakeRect(30, 603, 186, 135));
    SlideOut(s);
    EXPECT_LE(s.x + s.fullWidth, 30);
    EXPECT_GT(s.x + s.fullWidth, 30 - SLIDE_STEP);
}

TEST(CalloutSlide, TopTaskbarSlidesDownAtTheRight) {
    SlideState s = Callout();
    StartSlide(s, EDGE_TOP, {0, 0, 1024, 30}, SCREEN);
    EXPECT_EQ(s.Window(), MakeRect(838, -135, 0, 0));
    SlideIn(s);
    EXPECT_EQ(s.Window(), MakeRect(838, 31, 186, 135)); // -135 + 2n reaches 31 first
    SlideOut(s);
    EXPECT_LE(s.y + s.fullHeight, 30);
}

TEST(CalloutSlide, RightTaskbarGrowsLeftwards) {
    SlideState s = Callout();
    StartSlide(s, EDGE_RIGHT, {994, 0, 1024, 768}, SCREEN);
    EXPECT_EQ(s.Window(), MakeRect(994, 603, 0, 0));
    EXPECT_EQ(SlideIn(s), 93);
    EXPECT_EQ(s.Window(), MakeRect(808, 603, 186, 135));
    SlideOut(s);
    EXPECT_EQ(s.Window(), MakeRect(994, 603, 0, 135));
}

TEST(CalloutSlide, UnknownTaskbarStillSlidesAndEnds) {
    for (int32_t edge : {EDGE_UNKNOWN, 4, 77}) {
        SlideState s = Callout();
        StartSlide(s, edge, {5, 5, 5, 5}, SCREEN);
        EXPECT_EQ(s.edge, EDGE_BOTTOM);
        EXPECT_EQ(s.Window(), MakeRect(838, 738, 0, 0));
        EXPECT_LT(SlideIn(s), 100);
        EXPECT_EQ(s.Window(), MakeRect(838, 603, 186, 135));
        EXPECT_LT(SlideOut(s), 100);
    }
}

TEST(CalloutLayout, TextHeightAndLinks) {
    EXPECT_EQ(CalloutTextHeight(26, 13), 13 * 4); // a sentence of 2 lines, plus 2
    EXPECT_EQ(CalloutTextHeight(0, 13), 13 * 2);
    EXPECT_EQ(CalloutTextHeight(-5, 13), 13 * 2); // a failed measure takes no lines
    // The text follows the window's width less the margin, within the client area.
    EXPECT_EQ(CalloutTextWidth(182, 180), 176);
    EXPECT_EQ(CalloutTextWidth(188, 180), 180);
    EXPECT_EQ(CalloutYesLeft(186, 20), 93 - 10 - 30);
    EXPECT_EQ(CalloutCancelLeft(186, 40, 180), 123);
    EXPECT_EQ(CalloutCancelLeft(182, 61, 180), 119); // a longer word ends at the client's edge
}
} // namespace
