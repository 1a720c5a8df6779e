#include "ui/message_ids.h"
#include "main_window/main_ids.h"
#include "main_window/quillmate_dlg.h"
#include "res/resource.h"

// One online worker at a time: a second Check For Updates while the first still asks or
// downloads starts nothing.
bool CQuillmateDlg::StartOnlineWorker() {
    return !m_pOnlineThread && m_view.StartWorker(m_pOnlineThread, [this] { OnlineWorker(); });
}

// Asks once, then runs the tool update before the firmware flows, each only while its slot is
// free. An offer taken up from the callout is not asked about again.
void CQuillmateDlg::OnlineWorker() {
    int answer = 2;
    if (!m_bCalloutAccepted) {
        QuestionArgs question;
        question.title = Title();
        question.firstLine = ModelText(MSG_UPDATE_AVAILABLE);
        question.secondLine = Text(MSG_PRESS_YES) + L"\n" + Text(MSG_PRESS_CANCEL);
        question.linkText = Text(MSG_WHY_UPDATE);
        answer = AskDuringFlow(question);
    }
    const bool accepted = m_bCalloutAccepted || answer == 1;
    ActionFwDn* toolOffer = m_devices[0]->IsToolUpdateAvailable()   ? m_devices[0].get()
                            : m_devices[1]->IsToolUpdateAvailable() ? m_devices[1].get()
                                                                    : nullptr;
    if (toolOffer) {
        m_pCurrentDevice = toolOffer;
        if (accepted && !m_pToolUpdateThread) {
            PrepareOnlineFlow(m_pToolUpdateThread);
            RunToolUpdateFlow();
        }
    }
    for (int i = 0; i < 2; ++i) {
        if (!m_devices[i]->IsFirmwareUpdateAvailable())
            continue;
        m_pCurrentDevice = m_devices[i].get();
        if (accepted && !m_pFirmwareDownloadThread) {
            PrepareOnlineFlow(m_pFirmwareDownloadThread);
            RunFirmwareDownloadFlow();
        }
    }
    if (!m_bCalloutAccepted && answer == 2) {
        m_bOpenedByLaunch = 1;
        RefreshDevicePresence(1);
    }
    m_bCalloutAccepted = 0;
    m_pOnlineThread = nullptr;
}

// The window as it stands while an online flow runs: no device list, no buttons, no closing.
void CQuillmateDlg::PrepareOnlineFlow(WorkerSlot& slot) {
    m_view.SetDeviceList(L"");
    m_view.EnableControl(IDC_DEVICE_LIST, false);
    m_view.EnableControl(IDC_ACTION, false);
    m_view.EnableControl(IDC_CLOSE, false);
    m_view.EnableSystemClose(false);
    StartAnimation();
    slot = m_pOnlineThread.load();
}
