#include "res/resource.h"
#include "tests/support/builtin_message_source.h"
#include "ui/dialog_layout.h"
#include "ui/message_catalogue.h"
#include <gtest/gtest.h>

namespace {
QuestionMeasures ShortLines() {
    QuestionMeasures m;
    m.firstLine = {120, 13};
    m.secondLine = {90, 13};
    m.plusSign = {13, 13};
    m.initialClientHeight = 229;
    return m;
}

TEST(QuestionLines, CountByTheTextColumnWidth) {
    EXPECT_EQ(QuestionLineCount(0), 0);
    EXPECT_EQ(QuestionLineCount(1), 1);
    EXPECT_EQ(QuestionLineCount(250), 1);
    EXPECT_EQ(QuestionLineCount(251), 2);
    EXPECT_EQ(QuestionLineCount(500), 2);
    EXPECT_EQ(QuestionLineCount(501), 3);
    EXPECT_EQ(QuestionLineCount(-5), 0);
}

TEST(QuestionLayout, ShortLinesEndAtRow203) {
    const QuestionLayout l = LayoutQuestion(ShortLines());
    EXPECT_EQ(l.firstLine, MakeRect(85, 27, 250, 13));
    EXPECT_EQ(l.secondLine, MakeRect(85, 40, 250, 13));
    EXPECT_EQ(l.yes, MakeRect(85, 172, 90, 23));
    EXPECT_EQ(l.cancel, MakeRect(180, 172, 90, 23));
    EXPECT_EQ(l.row, 203);
    EXPECT_EQ(l.link, MakeRect(85, 203, 195, 16));
    EXPECT_EQ(l.picture, MakeRect(21, 27, 52, 52));
    EXPECT_EQ(l.window, (Size{360, 258}));
}

TEST(QuestionLayout, HeightGrowsOnlyByTheExcessOverTheTemplateClient) {
    QuestionMeasures m = ShortLines();
    m.initialClientHeight = 200; // 203 + 26 exceeds it by 29
    EXPECT_EQ(LayoutQuestion(m).window, (Size{360, 287}));
    m.initialClientHeight = 400;
    EXPECT_EQ(LayoutQuestion(m).window, (Size{360, 258}));
}

TEST(QuestionLayout, EmptyFirstLineTakesNoHeight) {
    QuestionMeasures m = ShortLines();
    m.firstLine = {0, 13};
    const QuestionLayout l = LayoutQuestion(m);
    EXPECT_EQ(l.firstLine.Height(), 0);
    EXPECT_EQ(l.secondLine.top, 27);
}

TEST(QuestionLayout, LongLinesPushTheRowsDown) {
    QuestionMeasures m = ShortLines();
    m.firstLine = {251, 16};   // two lines: 32
    m.secondLine = {1000, 16}; // four lines: 64
    const QuestionLayout l = LayoutQuestion(m);
    EXPECT_EQ(l.secondLine, MakeRect(85, 59, 250, 64));
    // 123 + 10 is below 130; the buttons stay at 172.
    EXPECT_EQ(l.yes.top, 172);
    m.secondLine = {2000, 16}; // eight lines: bottom 59 + 128 = 187, row 197
    const QuestionLayout longer = LayoutQuestion(m);
    EXPECT_EQ(longer.yes.top, 197);
    EXPECT_EQ(longer.row, 228);
    EXPECT_EQ(longer.link.top, 228);
    EXPECT_EQ(longer.window.height, 258 + (228 + 26 - 229));
}

TEST(QuestionLayout, KeyTextsSitInARowWithThePlusSign) {
    QuestionMeasures m = ShortLines();
    m.hasKeys = true;
    m.leftKey = {40, 13};
    m.rightKey = {60, 15};
    const QuestionLayout l = LayoutQuestion(m);
    EXPECT_EQ(l.leftKey, MakeRect(85, 130, 40, 13));
    EXPECT_EQ(l.plusSign, MakeRect(130, 130, 13, 13));
    EXPECT_EQ(l.rightKey, MakeRect(148, 130, 60, 15));
    EXPECT_EQ(l.yes.top, 172); // 130 + 15 + 10 = 155, raised to 172
    m.secondLine = {1250, 16}; // five lines: bottom 40 + 80 = 120, row 130
    m.firstLine = {500, 16};   // two lines: second line from 59 to 139, row 149
    const QuestionLayout low = LayoutQuestion(m);
    EXPECT_EQ(low.leftKey.top, 149);
    EXPECT_EQ(low.yes.top, 174);
}

TEST(QuestionLayout, GivenLinkPositionWins) {
    QuestionMeasures m = ShortLines();
    m.linkX = 85;
    m.linkY = 55;
    EXPECT_EQ(LayoutQuestion(m).link, MakeRect(85, 55, 195, 16));
    m.linkX = 0;
    m.linkY = 70;
    EXPECT_EQ(LayoutQuestion(m).link, MakeRect(85, 70, 195, 16));
}

TEST(MessageDialog, PictureKinds) {
    EXPECT_EQ(MessagePictureBitmap(0), IDB_QUESTION);
    EXPECT_EQ(MessagePictureBitmap(1), IDB_NOTICE);
    EXPECT_EQ(MessagePictureBitmap(2), IDB_WARNING);
    EXPECT_EQ(MessagePictureBitmap(5), IDB_WARNING);
    EXPECT_EQ(MessagePictureBitmap(-1), IDB_WARNING);
}

TEST(TextArgument, TextIdOrNull) {
    CBuiltInMessageSource source;
    const CMessageCatalogue catalogue(source);
    EXPECT_EQ(ResolveTextArgument(catalogue, nullptr), L"");
    EXPECT_EQ(ResolveTextArgument(catalogue, L"plain"), L"plain");
    // Ids load in the default language, whatever language the dialog shows.
    EXPECT_EQ(ResolveTextArgument(catalogue, reinterpret_cast<const wchar_t*>(111)),
              L"Update completed");
    EXPECT_EQ(ResolveTextArgument(catalogue, reinterpret_cast<const wchar_t*>(99)), L"");
}
} // namespace

namespace {
// Client width 354, margin 8: a link may end at 346.
TEST(QuestionLink, StaysMovesLeftOrWrapsWithinTheWindow) {
    struct Case {
        int32_t x, textWidth;
        Rect expected;
    } cases[] = {
        {85, 150, MakeRect(85, 203, 150, 13)},  // fits: stays where English has it
        {85, 261, MakeRect(85, 203, 261, 13)},  // ends exactly at the margin
        {85, 262, MakeRect(84, 203, 262, 13)},  // one pixel too wide: moves left by one
        {85, 338, MakeRect(8, 203, 338, 13)},   // as wide as the window allows on one line
        {85, 339, MakeRect(8, 203, 338, 26)},   // wider: from margin to margin, wrapped
        {300, 100, MakeRect(246, 203, 100, 13)} // a given position moves the same way
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FitQuestionLink(c.x, 203, {c.textWidth, 13}, {338, 26}, 354), c.expected)
            << c.x << " " << c.textWidth;
    }
    // Unknown measures or window width keep the template's size or the fitted text.
    EXPECT_EQ(FitQuestionLink(85, 203, {}, {}, 354), MakeRect(85, 203, 195, 16));
    EXPECT_EQ(FitQuestionLink(85, 203, {400, 13}, {}, 0), MakeRect(85, 203, 400, 13));
}

TEST(QuestionLink, AWrappedLinkGrowsTheWindowAndKeepsItsMarginBelow) {
    QuestionMeasures m = ShortLines();
    m.clientWidth = 354;
    m.linkText = {200, 13};
    m.linkWrapped = {338, 26};
    const QuestionLayout oneLine = LayoutQuestion(m);
    EXPECT_EQ(oneLine.link, MakeRect(85, 203, 200, 13));
    EXPECT_EQ(oneLine.window.height, 258);
    m.linkText = {500, 13};
    m.linkWrapped = {338, 39};
    const QuestionLayout wrapped = LayoutQuestion(m);
    EXPECT_EQ(wrapped.link, MakeRect(8, 203, 338, 39));
    // 203 + 39 + 10 = 252 against a client height of 229.
    EXPECT_EQ(wrapped.window.height, 258 + 23);
}
} // namespace

namespace {
// Left key 40 wide at 85, plus sign at 130, right key from 148; the row may end at 346.
TEST(QuestionKeys, ARowTooWideMovesLeftThenWraps) {
    struct Case {
        int32_t rightWidth;
        Rect left, right;
    } cases[] = {
        {198, MakeRect(85, 130, 40, 13), MakeRect(148, 130, 198, 13)}, // ends at 346: stays
        {220, MakeRect(63, 130, 40, 13), MakeRect(126, 130, 220, 13)}, // moves left by 22
        {400, MakeRect(8, 130, 40, 13), MakeRect(71, 130, 275, 26)},   // at the margin, wraps
    };
    for (const Case& c : cases) {
        QuestionMeasures m = ShortLines();
        m.clientWidth = 354;
        m.hasKeys = true;
        m.leftKey = {40, 13};
        m.rightKey = {c.rightWidth, 13};
        const QuestionLayout l = LayoutQuestion(m);
        EXPECT_EQ(l.leftKey, c.left) << c.rightWidth;
        EXPECT_EQ(l.rightKey, c.right) << c.rightWidth;
        EXPECT_EQ(l.plusSign.left, c.left.right + 5) << c.rightWidth;
        EXPECT_EQ(l.yes.top, std::max(172, c.right.bottom + 10)) << c.rightWidth;
    }
}
TEST(FitTextInRoom, KeepsAFittingPlaceElseGrowsWithinTheRoom) {
    const Rect place = MakeRect(35, 115, 310, 16);
    const Rect room{35, 103, 362, 139};
    const struct {
        const char* what;
        Size atPlace;
        Size atRoom;
        Rect expected;
    } table[] = {
        {"fits", {250, 13}, {250, 13}, place},
        {"nothing measured", {0, 0}, {0, 0}, place},
        {"one line a little too wide", {320, 26}, {320, 13}, MakeRect(35, 115, 320, 16)},
        {"one word wider than the place", {325, 13}, {325, 13}, MakeRect(35, 115, 325, 16)},
        {"two lines move up to stay in the room", {300, 26}, {326, 26}, MakeRect(35, 113, 326, 26)},
        {"too tall for the room takes all of it", {300, 52}, {327, 52}, MakeRect(35, 103, 327, 36)},
        {"one word wider than the room", {400, 13}, {400, 13}, MakeRect(35, 115, 327, 16)},
    };
    for (const auto& row : table)
        EXPECT_EQ(FitTextInRoom(place, room, row.atPlace, row.atRoom), row.expected) << row.what;
}
} // namespace
