#include "ui/win32/app_dialog.h"
#include "res/resource.h"
#include "ui/dialog_layout.h"
#include "ui/win32/image_button.h"
#include "ui/win32/ui_resources.h"

bool CAppDialog::PreTranslateMessage(MSG& msg) {
    // Enter and Escape reach the focused control untranslated, so neither presses a button
    // nor closes the dialog.
    if (m_bInertEnterEscape && msg.message == WM_KEYDOWN &&
        (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE))
        return false;
    return CDialog::PreTranslateMessage(msg);
}

LRESULT CAppDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORDLG || message == WM_CTLCOLORSTATIC) {
        return AnswerColourRequest(message, reinterpret_cast<HDC>(wParam),
                                   StaticTextColour(reinterpret_cast<HWND>(lParam)));
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

COLORREF CAppDialog::StaticTextColour(HWND) const {
    return AppColours().m_crText;
}

void CAppDialog::SetupButton(CImageButton& button, int x, int y) {
    button.MoveTo(x, y, BUTTON_WIDTH, BUTTON_HEIGHT);
    button.SetImageCount(1);
    button.SetImage(IDB_BUTTON_STRIP, COLOUR_PURE_RED);
    button.SetFontSize(BUTTON_FONT_POINTS);
    const Rect& rc = BUTTON_CAPTION_RECT;
    button.SetTextRect(rc.left, rc.top, rc.right, rc.bottom);
}

void CAppDialog::ShowPicture(int id, UINT bitmapId, int x, int y) {
    m_hbmPicture.Reset(LoadProgramBitmap(bitmapId));
    HBITMAP hBitmap = m_hbmPicture.Get();
    HWND hPicture = GetDlgItem(m_hWnd, id);
    BITMAP info{};
    GetObjectW(hBitmap, sizeof info, &info);
    SetWindowPos(hPicture, nullptr, x, y, info.bmWidth, info.bmHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(hPicture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap));
}

void CAppDialog::SetWindowIcon() const {
    SetIcons(LoadProgramIcon(IDI_APPLICATION_ICON));
}

void CAppDialog::ApplyRightToLeft(bool rtl) const {
    if (rtl)
        AddExStyle(RTL_DIALOG_STYLE);
}

void CAppDialog::SetItemText(int id, const std::wstring& text) const {
    SetText(GetDlgItem(m_hWnd, id), text);
}
