// The view's control, window, timer and tray calls. Each runs on the window's thread.
#include "main_window/win32/main_dialog.h"
#include "main_window/win32/tray_icon.h"
#include "online/win32/callout_dlg.h"
#include "res/resource.h"

void CMainDialog::ShowControl(int id, bool show) {
    OnUiThread([=, this] { ShowWindow(Item(id), show ? SW_SHOW : SW_HIDE); });
}

void CMainDialog::EnableControl(int id, bool enable) {
    OnUiThread([=, this] {
        // Image buttons draw their disabled frame from their own state.
        if (CImageButton* button = ButtonOf(id))
            enable ? button->Enable() : button->Disable();
        else
            EnableWindow(Item(id), enable);
    });
}

void CMainDialog::SetControlText(int id, const std::wstring& text) {
    OnUiThread([&, this] {
        if (CImageButton* button = ButtonOf(id))
            button->SetCaption(text);
        else if (id == IDC_LINK)
            m_link.SetLinkText(text);
        else
            SetWindowTextW(Item(id), text.c_str());
        if (id == IDC_STATUS)
            FitText(STATUS_ROOM);
    });
}

void CMainDialog::RepaintControl(int id) {
    OnUiThread([=, this] {
        HWND hControl = Item(id);
        if (!hControl)
            return;
        // Transparent texts need the window's background under them repainted too.
        RECT rc{};
        GetWindowRect(hControl, &rc);
        MapWindowPoints(HWND_DESKTOP, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        RedrawWindow(m_hWnd, &rc, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    });
}

void CMainDialog::SetCheck(int id, bool checked) {
    OnUiThread([=, this] {
        if (CImageButton* button = ButtonOf(id))
            button->SetCheck(checked);
    });
}

bool CMainDialog::IsChecked(int id) {
    bool checked = false;
    OnUiThread([&, this] {
        if (CImageButton* button = ButtonOf(id))
            checked = button->GetCheck() != 0;
    });
    return checked;
}

void CMainDialog::SetButtonCaption(int id, uint16_t messageId) {
    OnUiThread([=, this] {
        if (CImageButton* button = ButtonOf(id)) {
            button->LoadCaption(m_wLanguage, messageId);
            button->UpdateTooltip(m_wLanguage, messageId);
        }
    });
}

void CMainDialog::SetDot(int index, bool lit) {
    if (index < 0 || index >= DOT_COUNT)
        return;
    OnUiThread([=, this] {
        HBITMAP hDot = lit ? m_bmpDotOn.Get() : m_bmpDotOff.Get();
        SendMessageW(Item(IDC_DOT_FIRST + index), STM_SETIMAGE, IMAGE_BITMAP,
                     reinterpret_cast<LPARAM>(hDot));
    });
}

void CMainDialog::SetDeviceList(const std::wstring& entry) {
    OnUiThread([&, this] {
        HWND hList = Item(IDC_DEVICE_LIST);
        SendMessageW(hList, CB_RESETCONTENT, 0, 0);
        if (entry.empty())
            return;
        SendMessageW(hList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        SendMessageW(hList, CB_SETCURSEL, 0, 0);
    });
}

void CMainDialog::RepaintWindow() {
    OnUiThread([this] {
        RedrawWindow(m_hWnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    });
}

void CMainDialog::HideIntoTray() {
    OnUiThread([this] {
        AddExStyle(WS_EX_TOOLWINDOW);
        SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    });
}

void CMainDialog::ShowCentred() {
    OnUiThread([this] {
        const LONG exStyle = GetWindowLongW(m_hWnd, GWL_EXSTYLE);
        SetWindowLongW(m_hWnd, GWL_EXSTYLE, (exStyle & ~WS_EX_TOOLWINDOW) | WS_EX_APPWINDOW);
        RECT rc{};
        GetWindowRect(m_hWnd, &rc);
        const int x = CentredOnScreen(GetSystemMetrics(SM_CXFULLSCREEN), rc.right - rc.left);
        const int y = CentredOnScreen(GetSystemMetrics(SM_CYFULLSCREEN), rc.bottom - rc.top);
        SetWindowPos(m_hWnd, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    });
}

void CMainDialog::BringToFront() {
    OnUiThread([this] { SetForegroundWindow(m_hWnd); });
}

void CMainDialog::EnableSystemClose(bool enable) {
    OnUiThread([=, this] {
        EnableMenuItem(GetSystemMenu(m_hWnd, FALSE), SC_CLOSE,
                       MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
    });
}

void CMainDialog::EnableTrayItems(bool enable) {
    OnUiThread([=, this] {
        for (UINT command : {ID_TRAY_CHECK_FOR_UPDATES, ID_TRAY_LAUNCH}) {
            EnableMenuItem(m_trayMenu.Get(), command,
                           MF_BYCOMMAND | (enable ? MF_ENABLED : MF_DISABLED | MF_GRAYED));
        }
    });
}

void CMainDialog::EndModal() {
    OnUiThread([this] {
        // A notice still sliding or holding goes with the window, not seconds after it.
        if (m_pNotice)
            m_pNotice->EndDialog(IDCANCEL);
        EndDialog(IDCANCEL);
    });
}

uintptr_t CMainDialog::WindowHandle() {
    return reinterpret_cast<uintptr_t>(m_hWnd);
}

void CMainDialog::StartTimer(uint32_t id, uint32_t milliseconds) {
    OnUiThread([=, this] { SetTimer(m_hWnd, id, milliseconds, nullptr); });
}

void CMainDialog::StopTimer(uint32_t id) {
    OnUiThread([=, this] { KillTimer(m_hWnd, id); });
}

void CMainDialog::PostToSelf(uint32_t message) {
    // Posting is safe from any thread and must not wait for the window.
    PostMessageW(m_hWnd, message, 0, 0);
}

bool CMainDialog::NotifyTrayIcon(int32_t operation, bool connected, const std::wstring& tip) {
    // The shell call works from any thread and touches no control; a worker's icon change
    // need not wait for the window.
    return ::NotifyTrayIcon(m_hWnd, operation, connected, tip);
}

void CMainDialog::TrackTrayMenu(const std::wstring& toggleText) {
    OnUiThread([&, this] { ::TrackTrayMenu(m_hWnd, m_trayMenu.Get(), toggleText); });
}
