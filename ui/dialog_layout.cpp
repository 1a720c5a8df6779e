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
        row += m.rightKey.height + ROW_GAP;
    }
    out.picture = MakeRect(PICTURE_X, TEXT_Y, QUESTION_PICTURE.width, QUESTION_PICTURE.height);
    row = std::max(row, ROW_BUTTONS);
    out.yes = MakeRect(TEXT_X, row, BUTTON_WIDTH, BUTTON_HEIGHT);
    out.cancel = MakeRect(CANCEL_X, row, BUTTON_WIDTH, BUTTON_HEIGHT);
    row = std::max(row + BUTTON_ROW_HEIGHT, ROW_LINK);
    out.link = MakeRect(m.linkX ? m.linkX : TEXT_X, m.linkY ? m.linkY : row, QUESTION_LINK.width,
                        QUESTION_LINK.height);
    out.row = row;
    const int32_t excess = std::max(row + LINK_BOTTOM_MARGIN - m.initialClientHeight, 0);
    out.window = {QUESTION_WINDOW_WIDTH, WINDOW_HEIGHT + excess};
    return out;
}
