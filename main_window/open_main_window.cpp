#include "ui/message_ids.h"
#include "engine/module_version.h"
#include "main_window/main_ids.h"
#include "main_window/quillmate_dlg.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "res/resource.h"

static constexpr uint32_t START_SCREEN_MS = 500;
static constexpr uint32_t WIN_ME_REPAINT_MS = 50;

static bool ReportsAnUpdate(const ActionFwDn& device) {
    return device.IsFirmwareUpdateAvailable() || device.IsToolUpdateAvailable();
}

int32_t CQuillmateDlg::OpenMainWindow(int32_t force) {
    m_app.StartAutoPlayReject();
    m_bOperationDone = 0;
    m_view.SetDeviceList(L"");
    m_view.EnableControl(IDC_DEVICE_LIST, false);
    ShowStatus(L"");
    m_view.EnableControl(IDC_ACTION, false);

    m_view.ShowStartScreen(!m_bWinMe);
    m_bStartScreenShown = 1;
    m_platform.clock->Sleep(START_SCREEN_MS);
    CModuleVersion version(*m_platform.versionResource);
    if (version.Load(nullptr))
        m_view.SetStartScreenLabel(version.ProductVersion());

    if ((!m_bCalloutAccepted && m_devices[0]->IsOnlineCheckEnabled()) || force) {
        for (int i = 0; i < 2; ++i) {
            m_devices[i]->LoadOnlineSettings();
            m_devices[i]->ReadPackageVersion();
        }
        if (force)
            PrepareUpdatePageForCheck();
    }
    if ((!m_bCalloutAccepted && m_pCurrentDevice->IsOnlineCheckEnabled()) || force) {
        m_pCurrentDevice->CheckToolOnline();
        m_pCurrentDevice->CheckFirmwareOnline();
    }
    CloseStartScreen();
    m_view.ShowCentred();
    m_view.SetDeviceList(L"");
    m_view.EnableControl(IDC_DEVICE_LIST, false);

    if ((!m_bRecoveryMode && m_devices[0]->IsOnlineCheckEnabled()) || m_bCalloutAccepted || force) {
        if (ReportsAnUpdate(*m_devices[0]) || ReportsAnUpdate(*m_devices[1])) {
            if (StartOnlineWorker())
                return 1;
            if (force) {
                if (!ReportsAnUpdate(*m_pCurrentDevice))
                    ShowStatus(Text(MSG_NO_UPDATES));
                m_bCalloutAccepted = 0;
                return 1;
            }
        } else {
            m_bOpenedByLaunch = 1;
        }
    }
    if (m_bDeviceConnected) {
        m_view.SetDeviceList(DeviceListEntry());
        m_view.EnableControl(IDC_DEVICE_LIST, true);
    }
    if (m_bRecoveryMode) {
        if (!m_pDetectThread)
            StartDetectWorker();
    } else {
        ShowOperationPage(true);
    }
    m_bCalloutAccepted = 0;
    return 1;
}

// The Update page as it stands while a forced check runs: Update tab only, no instructions.
void CQuillmateDlg::PrepareUpdatePageForCheck() {
    m_view.EnableControl(IDC_UPDATE_TAB, true);
    m_view.ShowControl(IDC_UPDATE_TAB, true);
    m_view.EnableControl(IDC_REPAIR_TAB, false);
    m_view.ShowControl(IDC_REPAIR_TAB, true);
    m_view.SetCheck(IDC_UPDATE_TAB, true);
    m_view.SetCheck(IDC_REPAIR_TAB, false);
    m_view.RepaintControl(IDC_UPDATE_TAB);
    m_view.RepaintControl(IDC_REPAIR_TAB);
    m_view.EnableControl(IDC_REPAIR_NOTE, false);
    m_view.ShowControl(IDC_REPAIR_NOTE, false);
    m_view.RepaintControl(IDC_REPAIR_NOTE);
    ShowRepairInstructions(false);
    ShowProgressArea(true);
}

void CQuillmateDlg::CloseStartScreen() {
    if (!m_bStartScreenShown)
        return;
    m_platform.clock->Sleep(START_SCREEN_MS);
    m_view.HideStartScreen();
    m_bStartScreenShown = 0;
    if (m_bWinMe) {
        m_platform.clock->Sleep(WIN_ME_REPAINT_MS);
        m_view.RepaintWindow();
    }
}
