#include "ui/message_ids.h"
#include "main_window/main_ids.h"
#include "main_window/quillmate_dlg.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "res/resource.h"
#include "ui/dialog_layout.h"

// The common first steps of both flows; false when the download failed. `answer` is the
// reply to the install question (2 when it was not asked).
bool CQuillmateDlg::DownloadOnlineUpdate(bool tool, int& answer) {
    ActionFwDn& device = *m_pCurrentDevice;
    m_bOperationDone = 0;
    m_view.EnableControl(IDC_REPAIR_TAB, false);
    const std::wstring info = tool ? device.GetToolInfoUrl() : device.GetFirmwareInfoUrl();
    if (!info.empty())
        device.OpenInBrowser(info);
    const FirmwareVersion offered = tool ? MakeFirmwareVersion(0, device.onlineToolVersion.part2,
                                                               device.onlineToolVersion.part3)
                                         : device.onlineFirmwareVersion;
    ShowStatus(FormatText(Text(MSG_DOWNLOADING), {FormatVersion(offered)}));
    answer = 2;
    if (!(tool ? device.DownloadToolInstaller() : device.DownloadFirmwarePackage()))
        return false;
    StopAnimation();
    QuestionArgs question;
    question.title = Title();
    question.firstLine = Text(MSG_DOWNLOADED);
    question.secondLine = Text(MSG_INSTALL_NOW);
    answer = AskDuringFlow(question);
    return true;
}

// Once the program is ending its window is gone and nobody is there to answer: a flow still
// running counts every question as declined and reports nothing, so that the program ends as
// soon as its workers have.
int CQuillmateDlg::AskDuringFlow(const QuestionArgs& question) {
    return m_bExiting ? 2 : m_view.RunQuestion(question);
}

void CQuillmateDlg::ReportFlowResult(const MessageArgs& message) {
    if (!m_bExiting)
        m_view.RunMessage(message);
}

void CQuillmateDlg::StopAnimation() {
    m_view.StopTimer(m_nAnimTimer);
    ResetProgressDots();
}

void CQuillmateDlg::ShowInstalling() {
    ShowOperationProgress(true);
    StartAnimation();
    m_view.SetControlText(IDC_STATUS, Text(MSG_UPDATING));
    m_view.RepaintControl(IDC_STATUS);
}

// The resting state after an online flow: the Close button and menu item back.
void CQuillmateDlg::EndOnlineFlow() {
    ShowOperationProgress(false);
    ResetProgressDots();
    m_view.EnableSystemClose(true);
    m_view.EnableControl(IDC_CLOSE, true);
}

void CQuillmateDlg::RunToolUpdateFlow() {
    int answer = 2;
    const bool downloaded = DownloadOnlineUpdate(true, answer);
    if (downloaded && answer == 1) {
        ShowInstalling();
        if (m_pCurrentDevice->RunToolInstaller())
            m_bOperationDone = 1;
    }
    StopAnimation();
    const bool declined = downloaded && answer != 1;
    if (!declined && !m_bOperationDone)
        ReportFlowResult({Title(), Text(MSG_OPERATION_FAILED), PICTURE_WARNING, false});
    EndOnlineFlow();
    ShowOperationPage(true);
    m_pToolUpdateThread = nullptr;
}

void CQuillmateDlg::RunFirmwareDownloadFlow() {
    ActionFwDn& device = *m_pCurrentDevice;
    int answer = 2;
    const bool downloaded = DownloadOnlineUpdate(false, answer);
    const bool declined = downloaded && answer != 1;
    bool installed = false;
    if (declined) {
        // The carried firmware is offered instead of the one just fetched.
        m_bOperationDone = 0;
        m_bUpdateOffered = 1;
        device.DiscardFirmwarePackage();
    } else if (downloaded) {
        m_view.RepaintWindow();
        ShowInstalling();
        installed = device.InstallFirmwarePackage() == 1;
        if (installed) {
            const bool offer = m_bDeviceConnected && device.IsUpdateNeeded();
            m_bOperationDone = !offer;
            m_bUpdateOffered = offer;
        }
    }
    StopAnimation();
    if (declined)
        m_platform.clock->Sleep(1);
    else if (installed)
        ReportFlowResult({Title(), Text(MSG_UPDATE_COMPLETED), PICTURE_NOTICE, true});
    else
        ReportFlowResult({Title(), Text(MSG_UPDATE_FAILED), PICTURE_WARNING, false});
    if (device.FindDevice() == MATCH_NONE) {
        m_bDeviceConnected = 0;
        m_bRecoveryMode = 0;
    }
    EndOnlineFlow();
    if (m_bOpenedByLaunch && m_bDeviceConnected) {
        m_view.SetDeviceList(DeviceListEntry());
        m_view.EnableControl(IDC_DEVICE_LIST, true);
    }
    if (m_bOpenedByLaunch && m_bRecoveryMode)
        StartRepair(false, false);
    else
        ShowOperationPage(true);
    m_pFirmwareDownloadThread = nullptr;
}
