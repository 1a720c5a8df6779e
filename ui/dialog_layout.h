#pragma once
#include "ui/message_ids.h"
#include "ui/geometry.h"
#include <cstdint>
#include <string>

class CMessageCatalogue;

inline constexpr uint32_t COLOUR_TEXT = 0x000000;
inline constexpr uint32_t COLOUR_BACKGROUND = 0xF2F2F2; // RGB(242, 242, 242)
inline constexpr uint32_t COLOUR_KEY_TEXT = 0x0000F7;   // RGB(247, 0, 0)
inline constexpr uint32_t COLOUR_PURE_RED = 0x0000FF;   // transparent colour of the push strip
inline constexpr uint32_t COLOUR_BLACK = 0x000000;      // transparent colour of the tab strip

// Every dialog button: one frame of the push-button strip, its caption in 9 points.
inline constexpr int32_t BUTTON_WIDTH = 90;
inline constexpr int32_t BUTTON_HEIGHT = 23;
inline constexpr int32_t BUTTON_FONT_POINTS = 9;
inline constexpr Rect BUTTON_CAPTION_RECT{0, 2, 90, 21};

// Message dialog: fixed geometry; a long text wraps and is cut, the window never grows.
inline constexpr Size MESSAGE_WINDOW{340, 172};
inline constexpr Rect MESSAGE_TEXT_RECT{81, 24, 81 + 249, 24 + 50};
inline constexpr int32_t MESSAGE_PICTURE_X = 18;
inline constexpr int32_t MESSAGE_PICTURE_Y = 23;
inline constexpr int32_t MESSAGE_BUTTON_X = 230;
inline constexpr int32_t MESSAGE_BUTTON_Y = 99;

// Picture kinds of the message dialog.
inline constexpr int32_t PICTURE_QUESTION = 0;
inline constexpr int32_t PICTURE_NOTICE = 1;
inline constexpr int32_t PICTURE_WARNING = 2;
// The bitmap for a picture kind: any kind other than question and notice is a warning.
uint16_t MessagePictureBitmap(int32_t kind);

// A text argument of the dialogs' text constructors: a text, a message id below 65536 (loaded
// in the default language), or null for an empty text.
std::wstring ResolveTextArgument(const CMessageCatalogue& catalogue, const wchar_t* argument);

// Measured sizes the question dialog lays out from: each text unwrapped, in its control's font,
// with the control's frame.
struct QuestionMeasures {
    Size firstLine;
    Size secondLine;
    bool hasKeys = false;
    Size leftKey;
    Size rightKey;
    Size plusSign;
    int32_t linkX = 0; // 0 = not given
    int32_t linkY = 0;
    // The link text on one line and wrapped to the client width less both margins, framed;
    // an empty size keeps the template's link size.
    Size linkText;
    Size linkWrapped;
    int32_t clientWidth = 0;         // of the finished window; 0 = not known
    int32_t initialClientHeight = 0; // client height as the template creates it
};

struct QuestionLayout {
    Rect firstLine;
    Rect secondLine;
    Rect leftKey;
    Rect plusSign;
    Rect rightKey;
    Rect picture;
    Rect yes;
    Rect cancel;
    Rect link;
    int32_t row = 0; // the running row after the buttons
    Size window;
};

inline constexpr int32_t QUESTION_TEXT_WIDTH = 250;
inline constexpr int32_t QUESTION_WINDOW_WIDTH = 360;
inline constexpr Size QUESTION_PICTURE{52, 52};
inline constexpr Size QUESTION_LINK{195, 16};
// Space kept free between a link or key row that had to move or wrap and the window's sides.
inline constexpr int32_t QUESTION_LINK_MARGIN = 8;

// The link at (x, y) sized to its text. A text that runs past the client width (less the
// margin) moves left until it ends at the margin; one wider than the client width less both
// margins starts at the margin and wraps. In a mirrored window the same numbers mirror.
Rect FitQuestionLink(int32_t x, int32_t y, const Size& text, const Size& wrapped,
                     int32_t clientWidth);

// Lines a text of the measured width takes in the 250-pixel text column.
int32_t QuestionLineCount(int32_t measuredWidth);
QuestionLayout LayoutQuestion(const QuestionMeasures& measures);

// A text's place when the text, wrapped at the place's width, fits there. Otherwise it takes
// what the text needs wrapped at the room's width, from the place's left edge, at least the
// place's size and never more than the room, moving up where it would reach below the room.
Rect FitTextInRoom(const Rect& place, const Rect& room, const Size& atPlace, const Size& atRoom);
