#include "app/quillmate_app.h"
#include "app/language.h"
#include "app/system_check.h"
#include "app/working_folder.h"
#include "platform/file_system.h"
#include "platform/platform.h"
#include "ui/dialog_layout.h"
#include "ui/message_catalogue.h"

InstanceResult SingleInstanceResult(const MutexCreation& creation) {
    if (!creation.created)
        return INSTANCE_NO_MUTEX;
    return creation.alreadyExisted ? INSTANCE_ANOTHER_COPY : INSTANCE_ONLY;
}

CQuillmateApp::CQuillmateApp(Platform& platform, IAppHost& host, IRunningCopy& runningCopy,
                             IAutoPlaySystem& autoPlaySystem)
    : m_autoPlayReject(*platform.system, autoPlaySystem), m_platform(platform), m_host(host),
      m_runningCopy(runningCopy) {}

CQuillmateApp::~CQuillmateApp() {
    if (m_bHotplugStarted)
        m_host.StopHotplugWatcher(HOTPLUG_STOP_WAIT_MS);
    m_autoPlayReject.Stop();
}

void CQuillmateApp::EnterWorkingFolder(const std::wstring& commandLine) {
    m_platform.files->SetCurrentFolder(WorkingFolder(*m_platform.settings, commandLine));
}

bool CQuillmateApp::InitInstance(const std::wstring& commandLine, const std::wstring& arguments) {
    const int32_t systemCode = GetSystemCode(*m_platform.system);
    m_host.InitialiseControls();
    EnterWorkingFolder(commandLine);
    m_wLanguage = ChooseLanguage(*m_platform.settings, *m_platform.system);
    m_crText = COLOUR_TEXT;
    m_crBackground = COLOUR_BACKGROUND;
    m_host.SetColours(m_crText, m_crBackground);
    m_bRightToLeft = IsRightToLeft(m_wLanguage);

    if (const uint16_t refusal = SystemGateMessage(systemCode, *m_platform.system)) {
        m_host.ShowWarning(m_wLanguage, m_bRightToLeft, refusal);
        return false;
    }
    m_runningCopy.BroadcastShowDialog();
    switch (SingleInstanceResult(m_runningCopy.CreateInstanceMutex(INSTANCE_MUTEX_NAME))) {
    case INSTANCE_ONLY:
        RunMainWindow(systemCode, arguments);
        return false;
    case INSTANCE_ANOTHER_COPY:
        if (m_runningCopy.BringForward(CMessageCatalogue(*m_platform.messages).Title(m_wLanguage)))
            return false;
        [[fallthrough]];
    case INSTANCE_NO_MUTEX:
        m_host.ShowWarning(m_wLanguage, m_bRightToLeft, MSG_ALREADY_RUNNING);
        return false;
    }
    return false;
}

void CQuillmateApp::RunMainWindow(int32_t systemCode, const std::wstring& arguments) {
    if (systemCode == SYSTEM_WIN2000)
        m_bHotplugStarted = m_host.StartHotplugWatcher() ? 1 : 0;
    m_host.InitialiseCom();
    m_host.CreateMainWindow(*this, {systemCode == SYSTEM_WINME ? 1 : 0, m_wLanguage, m_bRightToLeft,
                                    IsSilentStart(arguments)});
    m_host.RunMainWindow();
    m_host.ReleaseCom();
    m_host.DrainMessageQueue();
    m_host.DestroyMainWindow();
}

void CQuillmateApp::StartAutoPlayReject() {
    const int32_t systemCode = GetSystemCode(*m_platform.system);
    if (systemCode >= SYSTEM_WIN2000 && systemCode <= SYSTEM_WIN7)
        m_autoPlayReject.Start(nullptr);
}

void CQuillmateApp::StopAutoPlayReject() {
    m_autoPlayReject.Stop();
}
