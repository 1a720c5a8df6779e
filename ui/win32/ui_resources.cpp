#include "ui/win32/ui_resources.h"
#include "ui/dialog_layout.h"
#include "ui/win32/resource_message_source.h"

const CMessageCatalogue& ProgramCatalogue() {
    static CResourceMessageSource source(GetModuleHandleW(nullptr));
    static const CMessageCatalogue catalogue(source);
    return catalogue;
}

std::wstring LoadText(uint16_t language, uint16_t id) {
    std::wstring text;
    ProgramCatalogue().Load(text, language, id);
    return text;
}

CAppColours& AppColours() {
    static CAppColours colours{COLOUR_TEXT, COLOUR_BACKGROUND, CreateSolidBrush(COLOUR_BACKGROUND)};
    return colours;
}

HBITMAP LoadProgramBitmap(UINT id) {
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

HICON LoadProgramIcon(UINT id) {
    return LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
}

LRESULT AnswerColourRequest(UINT message, HDC hDC, COLORREF textColour) {
    if (message != WM_CTLCOLORDLG) {
        SetTextColor(hDC, textColour);
        SetBkMode(hDC, TRANSPARENT);
    }
    return reinterpret_cast<LRESULT>(AppColours().m_hbrBackground);
}

SIZE MeasureControlText(HWND hWnd, const std::wstring& text, int wrapWidth) {
    RECT rc{};
    GetWindowRect(hWnd, &rc);
    UINT format = DT_CALCRECT | DT_NOPREFIX;
    if (wrapWidth > 0) {
        rc.right = rc.left + wrapWidth;
        format |= DT_WORDBREAK;
    }
    HDC hDC = GetDC(hWnd);
    HGDIOBJ hOld = SelectObject(hDC, reinterpret_cast<HFONT>(SendMessageW(hWnd, WM_GETFONT, 0, 0)));
    if (!text.empty())
        DrawTextW(hDC, text.c_str(), static_cast<int>(text.size()), &rc, format);
    else
        rc.right = rc.left, rc.bottom = rc.top;
    SelectObject(hDC, hOld);
    ReleaseDC(hWnd, hDC);
    AdjustWindowRectEx(&rc, static_cast<DWORD>(GetWindowLongW(hWnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(hWnd, GWL_EXSTYLE)));
    return {rc.right - rc.left, rc.bottom - rc.top};
}

void SetText(HWND hWnd, const std::wstring& text) {
    SetWindowTextW(hWnd, text.c_str());
}

std::wstring GetText(HWND hWnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hWnd)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(hWnd, text.data(), static_cast<int>(text.size()))));
    return text;
}
