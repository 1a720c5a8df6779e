#include "app/win32/win32_app_host.h"
#include "ui/dialog_layout.h"
#include "ui/message_catalogue.h"
#include "ui/win32/message_dlg.h"
#include "ui/win32/ui_resources.h"
#include <commctrl.h>
#include <objbase.h>

void RemoveCurrentFolderFromLibrarySearch() {
    const HMODULE hKernel = GetModuleHandleW(L"kernel32.dll");
    if (!hKernel)
        return;
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    using SetDllDirectoryFn = BOOL(WINAPI*)(LPCWSTR);
    // Looked up by name: both are missing from the oldest systems the program runs on.
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void*>(GetProcAddress(hKernel, "SetDefaultDllDirectories")));
    if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS))
        return;
    const auto setDirectory = reinterpret_cast<SetDllDirectoryFn>(
        reinterpret_cast<void*>(GetProcAddress(hKernel, "SetDllDirectoryW")));
    if (setDirectory)
        setDirectory(L"");
}

void CWin32AppHost::InitialiseControls() {
    InitCommonControls();
}

void CWin32AppHost::SetColours(uint32_t text, uint32_t background) {
    CAppColours& colours = AppColours();
    // The default brush was made before anything painted and is owned by nobody else.
    if (colours.m_hbrBackground)
        DeleteObject(colours.m_hbrBackground);
    m_hbrBackground.Reset(CreateSolidBrush(background));
    colours.m_crText = text;
    colours.m_crBackground = background;
    colours.m_hbrBackground = static_cast<HBRUSH>(m_hbrBackground.Get());
}

void CWin32AppHost::ShowWarning(uint16_t language, int32_t rightToLeft, uint16_t messageId) {
    CMessageDlg dialog(language, rightToLeft, MSG_TITLE, messageId, PICTURE_WARNING, nullptr);
    dialog.DoModal();
}

void CWin32AppHost::InitialiseCom() {
    m_bComInitialised = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
}

void CWin32AppHost::ReleaseCom() {
    CoFreeUnusedLibraries();
    CoFreeAllLibraries();
    // Only a successful initialisation may be balanced.
    if (m_bComInitialised)
        CoUninitialize();
    m_bComInitialised = false;
}

void CWin32AppHost::DrainMessageQueue() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            // The quit message belongs to whoever reads the queue after us.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
