#include "main_window/quillmate_dlg.h"
#include "main_window/main_ids.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "res/resource.h"

CQuillmateDlg::CQuillmateDlg(Platform& platform, IMainView& view, IAutoPlayControl& app,
                             int32_t winMe, uint16_t language, int32_t rightToLeft)
    : m_bWinMe(winMe), m_wLanguage(language), m_bRightToLeft(rightToLeft), m_platform(platform),
      m_view(view), m_app(app), m_catalogue(*platform.messages) {}

CQuillmateDlg::~CQuillmateDlg() = default;

std::wstring CQuillmateDlg::Text(uint16_t id) const {
    std::wstring text;
    m_catalogue.Load(text, m_wLanguage, id);
    return text;
}

std::wstring CQuillmateDlg::Title() const {
    return m_catalogue.Title(m_wLanguage);
}

std::wstring CQuillmateDlg::ModelText(uint16_t id) const {
    return FormatText(Text(id), {MODEL_NAME});
}

std::wstring CQuillmateDlg::DeviceListEntry() const {
    return FormatText(L"Norvane %s", {MODEL_NAME});
}

void CQuillmateDlg::OnInitDialog() {
    m_downloadCallback.SetNotifyFunction(m_view.ProgressNotification());
    for (int32_t model = MODEL_PULO5; model <= MODEL_PULO4_B; ++model) {
        m_devices[model] = std::make_unique<ActionFwDn>(m_platform, model, &m_downloadCallback);
        m_devices[model]->RefreshOnlineState(0);
    }
    m_pCurrentDevice = m_devices[MODEL_PULO5].get();
    HideIntoTray();
    m_bWindowOpen = 0;
    m_bOpenedByLaunch = 0;
    RefreshDevicePresence(0);
    UpdateTrayIcon(TRAY_ADD);
    m_view.PostToSelf(UM_STARTUP_DECISION);
    m_bInitialized = 1;
}

void CQuillmateDlg::HideIntoTray() {
    m_app.StopAutoPlayReject();
    m_view.HideIntoTray();
}

bool CQuillmateDlg::IsBusy() const {
    return m_pUpdateThread || m_pDetectThread || m_pFirmwareDownloadThread || m_pToolUpdateThread;
}

bool CQuillmateDlg::ProbeEitherServer(int32_t attempts) {
    return m_devices[0]->ProbeUpdateServer(0, attempts) ||
           m_devices[1]->ProbeUpdateServer(0, attempts);
}

// A reached server starts the background check shortly; otherwise the retries go on.
void CQuillmateDlg::AfterConnectivityProbe(bool reached) {
    if (reached) {
        m_nRetryCount = 0;
        m_nOnlineCheckTimer = TIMER_ONLINE_CHECK;
        m_view.StartTimer(TIMER_ONLINE_CHECK, ONLINE_CHECK_DELAY_MS);
        m_view.StopTimer(TIMER_RETRY);
        return;
    }
    if (++m_nRetryCount >= RETRY_LIMIT) {
        m_view.StopTimer(TIMER_RETRY);
        m_nRetryCount = 0;
        m_view.PostToSelf(UM_NO_CONNECTION);
    }
}

void CQuillmateDlg::OnStartupDecision() {
    HideIntoTray();
    if (!m_bSilent) {
        OnTrayLaunch();
    } else if (ProbeEitherServer(1)) {
        AfterConnectivityProbe(true);
    } else {
        m_nRetryTimer = TIMER_RETRY;
        m_view.StartTimer(TIMER_RETRY, RETRY_PERIOD_MS);
    }
    m_devices[0]->CallDebugPort(m_view.WindowHandle());
}

void CQuillmateDlg::OnTimer(uint32_t id) {
    if (id == m_nAnimTimer)
        OnAnimationTick();
    else if (id == m_nOnlineCheckTimer)
        OnOnlineCheckTick();
    else if (id == m_nRetryTimer)
        OnRetryTick();
}

// A run of up to seven lit dots enters from the left and leaves to the right; 16 steps a cycle.
void CQuillmateDlg::OnAnimationTick() {
    for (int i = 0; i < DOT_COUNT; ++i) {
        const int32_t distance = m_nAnimStep - i;
        m_view.SetDot(i, distance >= 1 && distance <= 7);
    }
    if (++m_nAnimStep == 16)
        m_nAnimStep = 0;
}

void CQuillmateDlg::OnOnlineCheckTick() {
    m_view.StopTimer(m_nOnlineCheckTimer);
    bool found = false;
    for (int i = 0; i < 2; ++i) {
        ActionFwDn& device = *m_devices[i];
        if (m_bExiting || m_bWindowOpen || !m_devices[0]->IsOnlineCheckEnabled() ||
            !device.ProbeUpdateServer(0, 3))
            continue;
        m_bCalloutShowing = 1;
        device.CheckToolOnline();
        device.CheckFirmwareOnline();
        if ((device.IsToolUpdateAvailable() || device.IsFirmwareUpdateAvailable()) &&
            m_view.RunCallout()) {
            m_bCalloutAccepted = 1;
            m_view.PostToSelf(UM_CHECK_ACCEPTED);
        }
        m_bCalloutShowing = 0;
        found = true;
    }
    if (m_devices[0]->IsOnlineCheckEnabled() && !m_bExiting && !m_bWindowOpen && !found)
        m_view.PostToSelf(UM_NO_CONNECTION);
}

void CQuillmateDlg::OnRetryTick() {
    AfterConnectivityProbe(ProbeEitherServer(1));
}

bool CQuillmateDlg::OnKeyDown(uint32_t key) {
    if (key == KEY_ENTER || key == KEY_ESCAPE)
        return true;
    if (key != KEY_F5)
        return false;
    if (!m_bOperationDone && !IsBusy() && m_bInitialized)
        StartDetectWorker();
    return true;
}

bool CQuillmateDlg::OnSysCommand(uint32_t command) {
    const uint32_t masked = command & 0xFFF0;
    if (masked == CMD_ABOUT) {
        m_view.RunAbout();
        return true;
    }
    if (masked != SC_CLOSE_COMMAND)
        return false;
    m_bWindowOpen = 0;
    EnableTrayItems(true);
    m_bOpenedByLaunch = 0;
    HideIntoTray();
    return true;
}

void CQuillmateDlg::OnCommand(uint32_t id) {
    switch (id) {
    case IDC_UPDATE_TAB:
        OnUpdateTab();
        break;
    case IDC_REPAIR_TAB:
        OnRepairTab();
        break;
    case IDC_ACTION:
        OnActionButton();
        break;
    case IDC_CLOSE:
        OnSysCommand(SC_CLOSE_COMMAND);
        break;
    case ID_TRAY_LAUNCH:
        OnTrayLaunch();
        break;
    case ID_TRAY_EXIT:
        OnTrayExit();
        break;
    case ID_TRAY_CHECK_FOR_UPDATES:
        OnTrayCheckForUpdates();
        break;
    case ID_TRAY_TOGGLE_CHECK:
        OnTrayToggleCheck();
        break;
    default:
        break;
    }
}

void CQuillmateDlg::StartAnimation() {
    m_nAnimStep = 0;
    m_nAnimTimer = TIMER_ANIMATION;
    m_view.StartTimer(TIMER_ANIMATION, ANIMATION_PERIOD_MS);
}

void CQuillmateDlg::ResetProgressDots() {
    for (int i = 0; i < DOT_COUNT; ++i)
        m_view.SetDot(i, false);
}

// An update cut short could leave the player without firmware, so the program ends only after
// its workers; what they ask of the window once it is gone does nothing.
void CQuillmateDlg::WaitForWorkers() {
    while (IsBusy() || m_pOnlineThread)
        m_platform.clock->Sleep(WORKER_POLL_MS);
}
