#pragma once
#include <cstdint>
#include <string>

// The system's hot-plug library and its dialog whose windows the watcher closes (Windows 2000
// asks with it about every removal of the player's drives).
inline constexpr const wchar_t* HOTPLUG_LIBRARY = L"hotplug.dll";
inline constexpr uint16_t HOTPLUG_DIALOG_ID = 330;
inline constexpr uint32_t HOTPLUG_PASS_PAUSE_MS = 25;

class IHotplugWindows {
  public:
    virtual ~IHotplugWindows() = default;
    virtual bool StopRequested() = 0;
    // Closes one top-level window whose title is exactly `title`, if there is one, and
    // returns when that window has handled the request.
    virtual void CloseWindowTitled(const std::wstring& title) = 0;
    virtual void Pause(uint32_t milliseconds) = 0;
};

// The watcher thread's work: pass after pass, until stopped. Ends at once when there is no
// title to look for. Returns the thread's result, 0.
uint32_t RunHotplugWatcher(const std::wstring& title, IHotplugWindows& windows);
