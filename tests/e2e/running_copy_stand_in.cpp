// Stands in for a running copy of the program in start-up tests: holds the single-instance
// mutex and, with "window", shows a minimised window with the main window's title that notes
// in LOG what reaches it. Ends when its window is closed.
//   qm_running_copy.exe window|mutex LOG
#include <windows.h>
#include <cstdio>
#include <string>

static const wchar_t* g_logPath = L"";
static UINT g_showDialogMessage = 0;

static void Note(const char* line) {
    FILE* log = _wfopen(g_logPath, L"a");
    if (log) {
        std::fprintf(log, "%s\n", line);
        std::fclose(log);
    }
}

static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == g_showDialogMessage && message != 0)
        Note("show-dialog");
    else if (message == WM_SIZE && wParam == SIZE_RESTORED && IsWindowVisible(hWnd))
        Note("restored");
    else if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

int wmain(int argc, wchar_t** argv) {
    if (argc < 3)
        return 2;
    const bool window = std::wstring(argv[1]) == L"window";
    g_logPath = argv[2];
    g_showDialogMessage =
        RegisterWindowMessageW(L"{{4DB4E03B-2ED9-4ac5-8BC5-EED9E910B3C6}}_WM_SHOW_DIALOG_MSG");
    HANDLE hMutex = CreateMutexW(nullptr, FALSE, L"Norvane Tembly ZQ4MKT Quillmate is running now");
    if (!hMutex)
        return 3;

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"QmRunningCopyStandIn";
    RegisterClassW(&windowClass);
    HWND hWnd = CreateWindowExW(
        0, windowClass.lpszClassName,
        window ? L"Norvane Quillmate Tembly ZQ4MKT" : L"Quillmate mutex holder",
        WS_OVERLAPPEDWINDOW, 50, 50, 300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window)
        ShowWindow(hWnd, SW_SHOWMINIMIZED);
    Note("ready");

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    CloseHandle(hMutex);
    return 0;
}
