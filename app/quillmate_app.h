#pragma once
#include "ui/message_ids.h"
#include "app/app_host.h"
#include "engine/autoplay_reject.h"
#include "main_window/main_view.h"
#include "platform/running_copy.h"
#include <cstdint>
#include <string>

struct Platform;

inline constexpr const wchar_t* INSTANCE_MUTEX_NAME =
    L"Norvane Tembly ZQ4MKT Quillmate is running now";
inline constexpr uint32_t HOTPLUG_STOP_WAIT_MS = 10000;

enum InstanceResult : int32_t {
    INSTANCE_ONLY = 0,
    INSTANCE_NO_MUTEX = 1,
    INSTANCE_ANOTHER_COPY = 2,
};
InstanceResult SingleInstanceResult(const MutexCreation& creation);

// The application object: start-up, the run of the main window, and shutdown when it is
// destroyed. It owns the language, the colours and the autoplay suppression the main window
// switches.
class CQuillmateApp : public IAutoPlayControl {
  public:
    CQuillmateApp(Platform& platform, IAppHost& host, IRunningCopy& runningCopy,
                  IAutoPlaySystem& autoPlaySystem);
    // Stops the hot-plug watcher and switches autoplay suppression off.
    ~CQuillmateApp() override;
    CQuillmateApp(const CQuillmateApp&) = delete;
    CQuillmateApp& operator=(const CQuillmateApp&) = delete;

    // `commandLine` is the whole command line, `arguments` what follows the program name.
    // Returns false on every path: the process ends when start-up is over.
    bool InitInstance(const std::wstring& commandLine, const std::wstring& arguments);

    // On Windows 2000 to 7 only.
    void StartAutoPlayReject() override;
    void StopAutoPlayReject() override;

    uint32_t m_crText = 0;
    uint32_t m_crBackground = 0;
    uint16_t m_wLanguage = 1033;
    int32_t m_bRightToLeft = 0;
    int32_t m_bHotplugStarted = 0;
    CAutoPlayReject m_autoPlayReject;

  private:
    void EnterWorkingFolder(const std::wstring& commandLine);
    void RunMainWindow(int32_t systemCode, const std::wstring& arguments);

    Platform& m_platform;
    IAppHost& m_host;
    IRunningCopy& m_runningCopy;
};
