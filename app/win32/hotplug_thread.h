#pragma once
#include "platform/win32/scoped_handles.h"
#include <cstdint>
#include <string>

// The title of dialog `id` in the module file `path`, or empty. The module is mapped as data:
// none of its code runs.
std::wstring LoadDialogTitle(const std::wstring& path, uint16_t id);

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
