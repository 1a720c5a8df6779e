#pragma once
#include "app/app_host.h"
#include "app/win32/hotplug_thread.h"
#include "platform/win32/scoped_handles.h"

// Takes the current folder (and every other folder a user could plant a library in) out of the
// places the system searches for libraries loaded by name, before anything loads one: an
// elevated program must not pick up a DLL from a downloads folder it was started in. Uses
// SetDefaultDllDirectories where the system has it (Windows 8, 7 and Vista with KB2533623),
// else SetDllDirectoryW(L"") (XP SP1 on); a system with neither keeps its order.
void RemoveCurrentFolderFromLibrarySearch();

// The Win32 side of start-up: common controls, colours, message dialogs, the hot-plug
// watcher, COM and the queue. The main window is the program's own (see the program's entry).
class CWin32AppHost : public IAppHost {
  public:
    void InitialiseControls() override;
    void SetColours(uint32_t text, uint32_t background) override;
    void ShowWarning(uint16_t language, int32_t rightToLeft, uint16_t messageId) override;
    bool StartHotplugWatcher() override { return m_hotplugWatcher.Start(); }
    void StopHotplugWatcher(uint32_t milliseconds) override { m_hotplugWatcher.Stop(milliseconds); }
    void InitialiseCom() override;
    void ReleaseCom() override;
    void DrainMessageQueue() override;

  private:
    CHotplugWatcher m_hotplugWatcher;
    CScopedGdiObject<HBRUSH> m_hbrBackground;
    bool m_bComInitialised = false;
};
