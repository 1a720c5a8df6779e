#pragma once
#include "app/hotplug_watcher.h"
#include "platform/win32/scoped_handles.h"
#include <cstdint>
#include <string>

// The title of dialog `id` in the module file `path`, or empty. The module is mapped as data:
// none of its code runs.
std::wstring LoadDialogTitle(const std::wstring& path, uint16_t id);

// The watcher's view of the desktop: the stop event and the windows it closes.
class CWin32HotplugWindows : public IHotplugWindows {
  public:
    explicit CWin32HotplugWindows(HANDLE hStopEvent) : m_hStopEvent(hStopEvent) {}
    bool StopRequested() override;
    void CloseWindowTitled(const std::wstring& title) override;
    void Pause(uint32_t milliseconds) override;

  private:
    HANDLE m_hStopEvent;
};

// Closes the system's hot-plug dialog whenever it appears, on a thread of its own.
class CHotplugWatcher {
  public:
    bool Start();
    // Signals the thread and waits at most `milliseconds` for it to end.
    void Stop(uint32_t milliseconds);

  private:
    static DWORD WINAPI Run(void* self);

    CScopedHandle m_hHotplugStopEvent;
    // Owned here rather than by a self-deleting thread object: the thread may end at once,
    // long before the wait at process end needs its handle.
    CScopedHandle m_hHotplugThread;
};
