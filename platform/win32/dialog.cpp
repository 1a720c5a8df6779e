#include "platform/win32/dialog.h"

INT_PTR CDialog::DoModal() {
    m_bEnded = false;
    m_nResult = IDCANCEL;
    HWND hWnd =
        CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nTemplateId), m_hWndParent,
                           &CDialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
    if (!hWnd)
        return -1;
    const bool disableParent = m_hWndParent && IsWindowEnabled(m_hWndParent);
    if (disableParent)
        EnableWindow(m_hWndParent, FALSE);
    ShowWindow(hWnd, m_nShowCommand);

    MSG msg{};
    bool quit = false;
    while (!m_bEnded) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            quit = true;
            break;
        }
        if (!PreTranslateChain(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (disableParent)
        EnableWindow(m_hWndParent, TRUE);
    if (m_hWnd)
        DestroyWindow(m_hWnd);
    if (quit)
        PostQuitMessage(static_cast<int>(msg.wParam));
    return m_nResult;
}

void CDialog::EndDialog(INT_PTR result) {
    m_nResult = result;
    m_bEnded = true;
    // Wakes the loop when the request came from a sent message.
    PostMessageW(m_hWnd, WM_NULL, 0, 0);
}

bool CDialog::PreTranslateChain(MSG& msg) {
    for (HWND hWnd = msg.hwnd; hWnd; hWnd = GetParent(hWnd)) {
        CWindow* window = FromHandle(hWnd);
        if (window && window->PreTranslateMessage(msg))
            return true;
        if (hWnd == m_hWnd)
            return false;
    }
    return false;
}

bool CDialog::PreTranslateMessage(MSG& msg) {
    return IsDialogMessageW(m_hWnd, &msg) != FALSE;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) {
            OnOK();
            return 0;
        }
        if (LOWORD(wParam) == IDCANCEL && HIWORD(wParam) == BN_CLICKED) {
            OnCancel();
            return 0;
        }
        break;
    case WM_CLOSE:
        OnCancel();
        return 0;
    }
    return DefaultProc(message, wParam, lParam);
}

void CDialog::SetIcons(HICON hIcon) const {
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
}

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
    // The dialog window is subclassed as soon as it exists; from then on its messages reach
    // the virtual procedure first and this procedure only answers "not handled".
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
    if (!dialog->Attach(hWnd))
        return FALSE;
    dialog->DoDataExchange();
    return dialog->OnInitDialog();
}
