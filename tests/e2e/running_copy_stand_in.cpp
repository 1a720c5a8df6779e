// Stands in for a running copy of the program in the start-up and setup tests: holds the
// single-instance mutex and keeps a top-level window, noting in LOG (when given) what reaches it.
//   qm_running_copy.exe MODE [LOG]
//   window    a minimised window with the main window's title
//   mutex     the mutex only: its window has another title
//   resident  a hidden window with the main title, as a copy in the tray
//   deaf      as resident, but it ignores the destroy-tray-icon message (a copy that does not end)
// Every mode but deaf ends on the destroy-tray-icon message, as the program does, and every mode
// when its window is closed.
#include "app/quillmate_app.h"
#include "main_window/main_ids.h"
#include <windows.h>
#include <cstdio>
#include <cwchar>

namespace {
const wchar_t* const MAIN_TITLE = L"Norvane Quillmate Tembly ZQ4MKT";

struct StandIn {
    const wchar_t* mode;
    const wchar_t* title;
    int show;
    bool hearsDestroyMessage;
};
const StandIn STAND_INS[] = {{L"window", MAIN_TITLE, SW_SHOWMINIMIZED, true},
                             {L"mutex", L"Quillmate mutex holder", SW_HIDE, true},
                             {L"resident", MAIN_TITLE, SW_HIDE, true},
                             {L"deaf", MAIN_TITLE, SW_HIDE, false}};

const wchar_t* g_logPath = nullptr;
UINT g_showDialogMessage = 0;
UINT g_destroyTrayIconMessage = 0;

void Note(const char* line) {
    FILE* log = g_logPath ? _wfopen(g_logPath, L"a") : nullptr;
    if (log) {
        std::fprintf(log, "%s\n", line);
        std::fclose(log);
    }
}

LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == g_showDialogMessage && message != 0) {
        Note("show-dialog");
    } else if (message == g_destroyTrayIconMessage && message != 0) {
        Note("destroy-tray-icon");
        DestroyWindow(hWnd);
        return 0;
    } else if (message == WM_SIZE && wParam == SIZE_RESTORED && IsWindowVisible(hWnd)) {
        Note("restored");
    } else if (message == WM_DESTROY) {
        PostQuitMessage(0);
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    const StandIn* standIn = nullptr;
    for (const StandIn& s : STAND_INS)
        if (argc > 1 && std::wcscmp(argv[1], s.mode) == 0)
            standIn = &s;
    if (!standIn)
        return 2;
    g_logPath = argc > 2 ? argv[2] : nullptr;
    g_showDialogMessage = RegisterWindowMessageW(SHOW_DIALOG_MESSAGE_NAME);
    if (standIn->hearsDestroyMessage)
        g_destroyTrayIconMessage = RegisterWindowMessageW(DESTROY_TRAY_ICON_MESSAGE_NAME);
    HANDLE hMutex = CreateMutexW(nullptr, FALSE, INSTANCE_MUTEX_NAME);
    if (!hMutex)
        return 3;

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"QmRunningCopyStandIn";
    RegisterClassW(&windowClass);
    HWND hWnd = CreateWindowExW(0, windowClass.lpszClassName, standIn->title, WS_OVERLAPPEDWINDOW,
                                50, 50, 300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
    ShowWindow(hWnd, standIn->show);
    Note("ready");

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    CloseHandle(hMutex);
    return 0;
}
