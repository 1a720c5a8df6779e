#include "ui/dialog_layout.h"
#include "res/resource.h"
#include "ui/message_catalogue.h"
#include <algorithm>
#include <cstdint>

uint16_t MessagePictureBitmap(int32_t kind) {
    if (kind == PICTURE_QUESTION)
        return IDB_QUESTION;
    return kind == PICTURE_NOTICE ? IDB_NOTICE : IDB_WARNING;
}

std::wstring ResolveTextArgument(const CMessageCatalogue& catalogue, const wchar_t* argument) {
    std::wstring text;
    const uintptr_t value = reinterpret_cast<uintptr_t>(argument);
    if (value == 0)
        return text;
    if (value < 0x10000) {
        catalogue.Load(text, static_cast<uint16_t>(value));
        return text;
    }
    return argument;
}

int32_t QuestionLineCount(int32_t measuredWidth) {
    if (measuredWidth <= 0)
        return 0;
    return (measuredWidth + QUESTION_TEXT_WIDTH - 1) / QUESTION_TEXT_WIDTH;
}

static constexpr int32_t TEXT_X = 85;
static constexpr int32_t TEXT_Y = 27;
static constexpr int32_t ROW_GAP = 10;
static constexpr int32_t ROW_AFTER_TEXT = 130;
static constexpr int32_t ROW_BUTTONS = 172;
static constexpr int32_t ROW_LINK = 203;
static constexpr int32_t BUTTON_ROW_HEIGHT = 31;
static constexpr int32_t CANCEL_X = 180;
static constexpr int32_t PICTURE_X = 21;
static constexpr int32_t WINDOW_HEIGHT = 258;
static constexpr int32_t LINK_BOTTOM_MARGIN = 26;
static constexpr int32_t KEY_GAP_BEFORE_PLUS = 90;
static constexpr int32_t KEY_GAP_AFTER_PLUS = 5;

Rect FitQuestionLink(int32_t x, int32_t y, const Size& text, const Size& wrapped,
                     int32_t clientWidth) {
    if (text.width <= 0)
        return MakeRect(x, y, QUESTION_LINK.width, QUESTION_LINK.height);
    const int32_t end = clientWidth - QUESTION_LINK_MARGIN;
    if (clientWidth <= 0 || x + text.width <= end)
        return MakeRect(x, y, text.width, text.height);
    if (text.width <= end - QUESTION_LINK_MARGIN)
        return MakeRect(end - text.width, y, text.width, text.height);
    return MakeRect(QUESTION_LINK_MARGIN, y, end - QUESTION_LINK_MARGIN, wrapped.height);
}

// A key row that runs past the client width (less the margin) moves left, at most to the
// margin; a right key text still too long then wraps within the window.
static void FitKeyRow(QuestionLayout& out, int32_t clientWidth) {
    const int32_t end = clientWidth - QUESTION_LINK_MARGIN;
    const int32_t overflow = out.rightKey.right - end;
    if (clientWidth <= 0 || overflow <= 0)
        return;
    const int32_t shift = std::min(overflow, out.leftKey.left - QUESTION_LINK_MARGIN);
    for (Rect* rc : {&out.leftKey, &out.plusSign, &out.rightKey}) {
        rc->left -= shift;
        rc->right -= shift;
    }
    if (out.rightKey.right <= end)
        return;
    const int32_t room = std::max(end - out.rightKey.left, 1);
    const int32_t lines = (out.rightKey.Width() + room - 1) / room;
    out.rightKey =
        MakeRect(out.rightKey.left, out.rightKey.top, room, out.rightKey.Height() * lines);
}

QuestionLayout LayoutQuestion(const QuestionMeasures& m) {
    QuestionLayout out;
    const int32_t firstHeight = m.firstLine.height * QuestionLineCount(m.firstLine.width);
    const int32_t secondHeight = m.secondLine.height * QuestionLineCount(m.secondLine.width);
    out.firstLine = MakeRect(TEXT_X, TEXT_Y, QUESTION_TEXT_WIDTH, firstHeight);
    out.secondLine = MakeRect(TEXT_X, out.firstLine.bottom, QUESTION_TEXT_WIDTH, secondHeight);
    int32_t row = std::max(out.secondLine.bottom + ROW_GAP, ROW_AFTER_TEXT);
    if (m.hasKeys) {
        out.leftKey = MakeRect(TEXT_X, row, m.leftKey.width, m.leftKey.height);
        out.plusSign = MakeRect(m.leftKey.width + KEY_GAP_BEFORE_PLUS, row, m.plusSign.width,
                                m.plusSign.height);
        out.rightKey = MakeRect(out.plusSign.right + KEY_GAP_AFTER_PLUS, row, m.rightKey.width,
                                m.rightKey.height);
        FitKeyRow(out, m.clientWidth);
        row = out.rightKey.bottom + ROW_GAP;
    }
    out.picture = MakeRect(PICTURE_X, TEXT_Y, QUESTION_PICTURE.width, QUESTION_PICTURE.height);
    row = std::max(row, ROW_BUTTONS);
    out.yes = MakeRect(TEXT_X, row, BUTTON_WIDTH, BUTTON_HEIGHT);
    out.cancel = MakeRect(CANCEL_X, row, BUTTON_WIDTH, BUTTON_HEIGHT);
    row = std::max(row + BUTTON_ROW_HEIGHT, ROW_LINK);
    out.link = FitQuestionLink(m.linkX ? m.linkX : TEXT_X, m.linkY ? m.linkY : row, m.linkText,
                               m.linkWrapped, m.clientWidth);
    out.row = row;
    // A wrapped link keeps the margin below it that a one-line link has.
    const int32_t bottom = std::max(row + LINK_BOTTOM_MARGIN,
                                    out.link.bottom + LINK_BOTTOM_MARGIN - QUESTION_LINK.height);
    const int32_t excess = std::max(bottom - m.initialClientHeight, 0);
    out.window = {QUESTION_WINDOW_WIDTH, WINDOW_HEIGHT + excess};
    return out;
}

Rect FitTextInRoom(const Rect& place, const Rect& room, const Size& atPlace, const Size& atRoom) {
    if (atPlace.width <= place.Width() && atPlace.height <= place.Height())
        return place;
    const int32_t width = std::min(std::max(atRoom.width, place.Width()), room.right - place.left);
    const int32_t height = std::min(std::max(atRoom.height, place.Height()), room.Height());
    const int32_t top = std::max(std::min(place.top, room.bottom - height), room.top);
    return MakeRect(place.left, top, width, height);
}
