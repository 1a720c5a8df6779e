// Stands in for a resident copy of the program in the setup tests: holds the single-instance
// mutex and keeps a hidden top-level window with the main window's title, which ends the
// process on the destroy-tray-icon message, as the program does.
//   qm_resident_stand_in.exe [deaf]     deaf: ignores the message (a copy that does not end)
#include "main_window/main_ids.h"
#include <windows.h>
#include <cwchar>

namespace {
UINT g_destroyTrayIconMessage = 0;

LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == g_destroyTrayIconMessage && message != 0) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    const bool deaf = argc > 1 && std::wcscmp(argv[1], L"deaf") == 0;
    if (!deaf)
        g_destroyTrayIconMessage = RegisterWindowMessageW(DESTROY_TRAY_ICON_MESSAGE_NAME);
    HANDLE hMutex = CreateMutexW(nullptr, FALSE, L"Norvane Tembly ZQ4MKT Quillmate is running now");
    if (!hMutex)
        return 3;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"QmResidentStandIn";
    RegisterClassW(&windowClass);
    CreateWindowExW(0, windowClass.lpszClassName, L"Norvane Quillmate Tembly ZQ4MKT",
                    WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, windowClass.hInstance,
                    nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    CloseHandle(hMutex);
    return 0;
}
