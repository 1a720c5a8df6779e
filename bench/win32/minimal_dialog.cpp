// The smallest dialog program, for comparing start-up times under the same Wine.
#include <windows.h>

namespace {
INT_PTR CALLBACK Procedure(HWND hWnd, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) {
        EndDialog(hWnd, 0);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}
} // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int) {
    // An in-memory template: popup, caption, visible; no controls.
    struct {
        DLGTEMPLATE header;
        WORD menu, windowClass;
        wchar_t title[15];
    } dialog = {{WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0, 0, 10, 10, 120, 40},
                0,
                0,
                L"Minimal dialog"};
    return static_cast<int>(DialogBoxIndirectW(hInstance, &dialog.header, nullptr, Procedure));
}
