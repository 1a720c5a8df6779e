#include "app/win32/hotplug_thread.h"
#include "app/dialog_title.h"
#include "app/hotplug_watcher.h"
#include <vector>

std::wstring LoadDialogTitle(const std::wstring& path, uint16_t id) {
    const CScopedLibrary library(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!library)
        return {};
    const HRSRC hFound = FindResourceW(library.Get(), MAKEINTRESOURCEW(id), RT_DIALOG);
    const HGLOBAL hLoaded = hFound ? LoadResource(library.Get(), hFound) : nullptr;
    const void* bytes = hLoaded ? LockResource(hLoaded) : nullptr;
    if (!bytes)
        return {};
    return DialogTemplateTitle(static_cast<const uint8_t*>(bytes),
                               SizeofResource(library.Get(), hFound));
}

namespace {
// FindWindow ignores case; a window is closed only when its title matches exactly.
HWND FindExactTitle(const std::wstring& title) {
    std::vector<wchar_t> text(title.size() + 2);
    for (HWND hWnd = nullptr;
         (hWnd = FindWindowExW(nullptr, hWnd, nullptr, title.c_str())) != nullptr;) {
        const int length = GetWindowTextW(hWnd, text.data(), static_cast<int>(text.size()));
        if (title.compare(0, std::wstring::npos, text.data(), length) == 0)
            return hWnd;
    }
    return nullptr;
}

std::wstring SystemLibraryPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::wstring(folder, length) + L"\\" + name;
}
} // namespace

// A failing wait counts as a stop: the loop must never outlive its event.
bool CWin32HotplugWindows::StopRequested() {
    return WaitForSingleObject(m_hStopEvent, 0) != WAIT_TIMEOUT;
}

void CWin32HotplugWindows::CloseWindowTitled(const std::wstring& title) {
    if (const HWND hWnd = FindExactTitle(title))
        SendMessageW(hWnd, WM_CLOSE, 0, 0);
}

void CWin32HotplugWindows::Pause(uint32_t milliseconds) {
    Sleep(milliseconds);
}

bool CHotplugWatcher::Start() {
    m_hHotplugStopEvent.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!m_hHotplugStopEvent)
        return false;
    m_hHotplugThread.Reset(CreateThread(nullptr, 0, &CHotplugWatcher::Run, this, 0, nullptr));
    return static_cast<bool>(m_hHotplugThread);
}

void CHotplugWatcher::Stop(uint32_t milliseconds) {
    if (!m_hHotplugThread)
        return;
    SetEvent(m_hHotplugStopEvent.Get());
    // A thread still stuck in a send keeps its event: closing it under the thread's feet could
    // hand the handle value to something else. The process ends right after this anyway.
    if (WaitForSingleObject(m_hHotplugThread.Get(), milliseconds) != WAIT_OBJECT_0)
        return;
    m_hHotplugThread.Reset();
    m_hHotplugStopEvent.Reset();
}

DWORD WINAPI CHotplugWatcher::Run(void* self) {
    CWin32HotplugWindows windows(static_cast<CHotplugWatcher*>(self)->m_hHotplugStopEvent.Get());
    const std::wstring library = SystemLibraryPath(HOTPLUG_LIBRARY);
    return RunHotplugWatcher(
        library.empty() ? std::wstring() : LoadDialogTitle(library, HOTPLUG_DIALOG_ID), windows);
}
