#pragma once
#include "ui/message_catalogue.h"
#include <windows.h>
#include <string>

// The message catalogue in the program's own string tables.
const CMessageCatalogue& ProgramCatalogue();
std::wstring LoadText(uint16_t language, uint16_t id);

// The colours and brush every dialog and control paints with. The application object owns
// them for the whole run; until it sets them up they hold the program's defaults.
struct CAppColours {
    COLORREF m_crText;
    COLORREF m_crBackground;
    HBRUSH m_hbrBackground;
};
CAppColours& AppColours();

HBITMAP LoadProgramBitmap(UINT id);
HICON LoadProgramIcon(UINT id);

// The layout bits of a right-to-left dialog, and of a control that reads right to left on its
// own.
inline constexpr DWORD RTL_DIALOG_STYLE = WS_EX_LAYOUTRTL | WS_EX_RTLREADING;
inline constexpr DWORD RTL_CONTROL_STYLE =
    WS_EX_LAYOUTRTL | WS_EX_RTLREADING | WS_EX_NOINHERITLAYOUT;

// Answers a dialog's or static's colour request with the application colours.
LRESULT AnswerColourRequest(UINT message, HDC hDC, COLORREF textColour);

// Size of a text drawn in `hWnd`'s font, one line per explicit line break (or, with a wrap
// width, broken into lines of at most that width), grown by the window's frame.
SIZE MeasureControlText(HWND hWnd, const std::wstring& text, int wrapWidth = 0);
void SetText(HWND hWnd, const std::wstring& text);
std::wstring GetText(HWND hWnd);
