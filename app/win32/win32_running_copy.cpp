#include "app/win32/win32_running_copy.h"
#include "main_window/main_ids.h"
#include "platform/win32/window.h"

static constexpr UINT BROADCAST_TIMEOUT_MS = 1000;

void CWin32RunningCopy::BroadcastShowDialog() {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(HWND_BROADCAST, RegisteredMessage(SHOW_DIALOG_MESSAGE_NAME), 0, 0,
                        SMTO_NORMAL, BROADCAST_TIMEOUT_MS, &answer);
}

MutexCreation CWin32RunningCopy::CreateInstanceMutex(const wchar_t* name) {
    // Only ERROR_ALREADY_EXISTS after a returned handle tells of another copy; a stale error
    // from an earlier call must not look like one.
    SetLastError(ERROR_SUCCESS);
    m_hInstanceMutex = CreateMutexW(nullptr, FALSE, name);
    const DWORD error = GetLastError();
    return {m_hInstanceMutex != nullptr, m_hInstanceMutex && error == ERROR_ALREADY_EXISTS};
}

bool CWin32RunningCopy::BringForward(const std::wstring& title) {
    const HWND hWnd = FindWindowW(nullptr, title.c_str());
    if (!hWnd)
        return false;
    const HWND hPopup = GetLastActivePopup(hWnd);
    if (IsIconic(hWnd))
        ShowWindow(hWnd, SW_RESTORE);
    SetForegroundWindow(hPopup);
    return true;
}
