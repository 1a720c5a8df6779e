#include "ui/message_ids.h"
#include "main_window/main_ids.h"
#include "main_window/quillmate_dlg.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "res/resource.h"
#include "ui/open_address.h"

static constexpr int SHOW_NORMAL = 5;

void CQuillmateDlg::RefreshDevicePresence(int32_t view) {
    m_bDeviceConnected = 0;
    DeviceMatch match = MATCH_NONE;
    for (auto& device : m_devices) {
        match = device->FindDevice();
        if (match != MATCH_NONE) {
            m_pCurrentDevice = device.get();
            m_bDeviceConnected = 1;
            break;
        }
    }
    if (match == MATCH_OLD_MODEL || match == MATCH_OLD_MODEL_RECOVERY) {
        AskOldModelQuestion();
        m_bDeviceConnected = 0;
    }
    if (m_bDeviceConnected) {
        if (view) {
            m_view.SetDeviceList(DeviceListEntry());
            m_view.EnableControl(IDC_DEVICE_LIST, true);
        }
        m_bUpdateOffered = 1;
        // Set from the player found now: one that came back in normal mode between two
        // refreshes must not keep an earlier recovery state.
        m_bRecoveryMode = m_pCurrentDevice->recoveryMode ? 1 : 0;
        if (m_bRecoveryMode) {
            if (view)
                StartRepair(false, true);
        } else if (view) {
            ShowOperationPage(true);
        }
    } else {
        if (view) {
            m_view.SetDeviceList(L"");
            m_view.EnableControl(IDC_DEVICE_LIST, false);
        }
        ClearDeviceState();
        if (view && !m_pUpdateThread && !m_pFirmwareDownloadThread)
            ShowOperationPage(true);
    }
    if (m_bTrayIconShown)
        UpdateTrayIcon(TRAY_MODIFY);
}

// An older model is served by the maker's media application, not by this tool.
void CQuillmateDlg::AskOldModelQuestion() {
    QuestionArgs question;
    question.title = Title();
    question.firstLine = Text(MSG_LINK_TEXT);
    question.linkText = Text(MSG_MEDIA_DOWNLOAD_ADDRESS);
    question.linkAddress = question.linkText;
    question.linkX = 85;
    question.linkY = 55;
    if (m_view.RunQuestion(question) == 1)
        OpenAddress(m_platform, question.linkAddress, SHOW_NORMAL);
}

void CQuillmateDlg::ClearDeviceState() {
    m_bDeviceConnected = 0;
    m_bRecoveryMode = 0;
    m_bUpdateOffered = 0;
    m_bOperationDone = 0;
}

void CQuillmateDlg::StartDetectWorker() {
    m_view.StartWorker(m_pDetectThread, [this] {
        RefreshDevicePresence(m_bWindowOpen && m_bOpenedByLaunch);
        m_pDetectThread = nullptr;
    });
}

void CQuillmateDlg::OnDeviceChange(uint32_t eventType) {
    if (eventType != DEVICE_NODES_CHANGED || !m_bInitialized || IsBusy())
        return;
    m_platform.clock->Sleep(DEVICE_CHANGE_PAUSE_MS);
    StartDetectWorker();
}
