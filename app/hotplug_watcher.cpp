#include "app/hotplug_watcher.h"

uint32_t RunHotplugWatcher(const std::wstring& title, IHotplugWindows& windows) {
    if (title.empty() || windows.StopRequested())
        return 0;
    do {
        windows.CloseWindowTitled(title);
        windows.Pause(HOTPLUG_PASS_PAUSE_MS);
    } while (!windows.StopRequested());
    return 0;
}
