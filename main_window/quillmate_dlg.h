#pragma once
#include "engine/action_fw_dn.h"
#include "main_window/main_view.h"
#include "online/download_callback.h"
#include "ui/message_catalogue.h"
#include <memory>
#include <string>

struct Platform;

// The main window's state and flows: the tray program's modes, timers, device presence, tray
// commands, the open-and-check flow, the Update and Repair pages and the update worker. The
// window itself is reached only through IMainView; the Win32 dialog forwards its messages to
// the handlers below.
class CQuillmateDlg {
  public:
    CQuillmateDlg(Platform& platform, IMainView& view, IAutoPlayControl& app, int32_t winMe,
                  uint16_t language, int32_t rightToLeft);
    ~CQuillmateDlg();
    CQuillmateDlg(const CQuillmateDlg&) = delete;
    CQuillmateDlg& operator=(const CQuillmateDlg&) = delete;

    void SetSilent(int32_t silent) { m_bSilent = silent; }

    // Window lifecycle and messages (quillmate_dlg.cpp). The dialog has laid out its controls
    // and placed itself below the screen before OnInitDialog.
    void OnInitDialog();
    void OnStartupDecision();
    void OnTimer(uint32_t id);
    // True when the key must not reach the dialog's own keyboard handling.
    bool OnKeyDown(uint32_t key);
    // True when handled; false leaves the command to the default handling.
    bool OnSysCommand(uint32_t command);
    void OnCommand(uint32_t id);
    void HideIntoTray();
    void EnableTrayItems(bool enable) { m_view.EnableTrayItems(enable); }
    bool IsBusy() const;
    // Returns once no worker runs, the online worker included: the window outlives them all.
    void WaitForWorkers();
    void ResetProgressDots();

    // Device presence (presence.cpp).
    void RefreshDevicePresence(int32_t view);
    void OnDeviceChange(uint32_t eventType);
    // Starts the device-presence worker into m_pDetectThread, without any test.
    void StartDetectWorker();

    // Tray and inter-instance messages (tray.cpp).
    void UpdateTrayIcon(int32_t operation);
    void OnTrayCallback(uint32_t mouseMessage);
    void OnTrayCheckForUpdates();
    void OnTrayToggleCheck();
    void OnTrayLaunch();
    void OnTrayExit();
    void OnNoConnection();
    void OnCheckAccepted();
    void OnShowDialogMessage();
    void OnDestroyTrayIconMessage();

    // The open-and-check flow (open_main_window.cpp).
    int32_t OpenMainWindow(int32_t force);
    // Starts the online worker into m_pOnlineThread; false when it could not be started.
    bool StartOnlineWorker();

    // Pages and the repair flow (operation_pages.cpp).
    void ShowOperationPage(bool update);
    void OnUpdateTab();
    void OnRepairTab();
    void OnActionButton();
    void StartRepair(bool statusOnly, bool ask);

    // The update and repair worker (update_worker.cpp).
    void UpdateWorker();

    // The online worker and the download-and-install flows (online_worker.cpp,
    // online_flows.cpp).
    void OnlineWorker();
    void RunToolUpdateFlow();
    void RunFirmwareDownloadFlow();

    // Fields, by the window's names.
    int32_t m_bTrayIconShown = 0;
    ActionFwDn* m_pCurrentDevice = nullptr;
    std::unique_ptr<ActionFwDn> m_devices[3];
    WorkerSlot m_pUpdateThread{nullptr};
    WorkerSlot m_pDetectThread{nullptr};
    WorkerSlot m_pFirmwareDownloadThread{nullptr};
    WorkerSlot m_pToolUpdateThread{nullptr};
    WorkerSlot m_pOnlineThread{nullptr};
    int32_t m_bDeviceConnected = 0;
    int32_t m_bRecoveryMode = 0;
    int32_t m_bUpdateOffered = 0;
    int32_t m_bOperationDone = 0;
    int32_t m_bInitialized = 0;
    int32_t m_bWindowOpen = 0;
    int32_t m_bOpenedByLaunch = 0;
    int32_t m_bExiting = 0;
    int32_t m_bCalloutShowing = 0;
    int32_t m_bCalloutAccepted = 0;
    int32_t m_bStartScreenShown = 0;
    int32_t m_bWinMe = 0;
    uint32_t m_nAnimTimer = 0;
    int32_t m_nAnimStep = 0;
    uint32_t m_nOnlineCheckTimer = 0;
    uint32_t m_nRetryTimer = 0;
    uint16_t m_wLanguage = 1033;
    int32_t m_bRightToLeft = 0;
    int32_t m_bSilent = 0;
    int32_t m_nRetryCount = 0;
    CDownloadCallback m_downloadCallback;

  private:
    std::wstring Text(uint16_t id) const;
    std::wstring Title() const;
    // Message `id` with the model name in place of its "%s".
    std::wstring ModelText(uint16_t id) const;
    std::wstring DeviceListEntry() const;
    bool ProbeEitherServer(int32_t attempts);
    void AfterConnectivityProbe(bool reached);
    void OnAnimationTick();
    void OnOnlineCheckTick();
    void OnRetryTick();
    void StartAnimation();
    void BeginOperation();
    void ShowStatus(const std::wstring& text);
    void ShowRepairInstructions(bool show);
    void CloseStartScreen();
    void AskOldModelQuestion();
    void ClearDeviceState();
    void ShowUpdateResult(bool upToDate);
    bool IsRepairTailShown() const;
    void PrepareUpdatePageForCheck();
    void ShowProgressArea(bool show);
    void ShowOperationProgress(bool show);
    void HideRepairNote();
    std::wstring UpdatePageStatus(bool& actionEnabled) const;
    void PrepareOnlineFlow(WorkerSlot& slot);
    bool DownloadOnlineUpdate(bool tool, int& answer);
    int AskDuringFlow(const QuestionArgs& question);
    void ReportFlowResult(const MessageArgs& message);
    void StopAnimation();
    void ShowInstalling();
    void EndOnlineFlow();

    Platform& m_platform;
    IMainView& m_view;
    IAutoPlayControl& m_app;
    CMessageCatalogue m_catalogue;
};
