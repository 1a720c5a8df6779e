#include "ui/message_ids.h"
#include "main_window/main_ids.h"
#include "main_window/main_layout.h"
#include "main_window/quillmate_dlg.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "res/resource.h"
#include "ui/dialog_layout.h"

void CQuillmateDlg::ShowStatus(const std::wstring& text) {
    m_view.SetControlText(IDC_STATUS, text);
    m_view.EnableControl(IDC_STATUS, true);
    m_view.ShowControl(IDC_STATUS, true);
    m_view.RepaintControl(IDC_STATUS);
}

// Control 1035 joins the instructions only where its message is more than a single blank.
bool CQuillmateDlg::IsRepairTailShown() const {
    return !IsSingleBlank(Text(MSG_REPAIR_TAIL));
}

void CQuillmateDlg::ShowRepairInstructions(bool show) {
    for (int id = IDC_KEY_PICTURE; id <= IDC_REPAIR_TAIL; ++id) {
        if (id == IDC_REPAIR_TAIL && !IsRepairTailShown())
            continue;
        m_view.ShowControl(id, show);
        m_view.RepaintControl(id);
    }
}

void CQuillmateDlg::ShowProgressArea(bool show) {
    for (int id = IDC_DOT_FIRST; id <= IDC_DOT_LAST; ++id) {
        m_view.EnableControl(id, show);
        m_view.ShowControl(id, show);
    }
    m_view.EnableControl(IDC_LINK, show);
    m_view.ShowControl(IDC_LINK, show);
}

void CQuillmateDlg::HideRepairNote() {
    m_view.EnableControl(IDC_REPAIR_NOTE, false);
    m_view.ShowControl(IDC_REPAIR_NOTE, false);
    m_view.RepaintControl(IDC_REPAIR_NOTE);
}

// The status text and whether the action button starts an update, by how the window was
// opened and what the presence refresh found.
std::wstring CQuillmateDlg::UpdatePageStatus(bool& actionEnabled) const {
    const bool offered = m_bUpdateOffered && !m_bOperationDone;
    actionEnabled = false;
    if (!m_bOpenedByLaunch)
        return offered ? L"" : Text(MSG_UP_TO_DATE);
    if (!m_bDeviceConnected)
        return L"";
    if (!offered)
        return Text(MSG_UP_TO_DATE);
    actionEnabled = true;
    return ModelText(MSG_UPDATE_FOR_DEVICE) + L"\n" +
           FormatText(Text(MSG_FIRMWARE_VERSIONS),
                      {FormatVersion(m_pCurrentDevice->deviceVersion),
                       FormatVersion(m_pCurrentDevice->packageVersion)});
}

void CQuillmateDlg::ShowOperationPage(bool update) {
    m_view.EnableControl(IDC_UPDATE_TAB, true);
    m_view.ShowControl(IDC_UPDATE_TAB, true);
    m_view.ShowControl(IDC_REPAIR_TAB, true);
    if (!update || m_bOpenedByLaunch)
        m_view.EnableControl(IDC_REPAIR_TAB, true);
    m_view.SetCheck(IDC_UPDATE_TAB, update);
    m_view.SetCheck(IDC_REPAIR_TAB, !update);
    if (update) {
        HideRepairNote();
        ShowRepairInstructions(false);
        ShowProgressArea(true);
        bool actionEnabled = false;
        ShowStatus(UpdatePageStatus(actionEnabled));
        m_view.EnableControl(IDC_ACTION, actionEnabled);
        m_view.ShowControl(IDC_ACTION, true);
        m_view.SetButtonCaption(IDC_ACTION, MSG_UPDATE);
        m_view.RepaintControl(IDC_ACTION);
        return;
    }
    if (!m_bDeviceConnected) {
        ShowProgressArea(true);
        ShowStatus(L"");
        m_view.EnableControl(IDC_ACTION, false);
        m_view.ShowControl(IDC_ACTION, true);
        m_view.SetButtonCaption(IDC_ACTION, MSG_REPAIR);
        HideRepairNote();
        return;
    }
    if (m_bRecoveryMode)
        return;
    // A player in normal mode cannot be repaired: the page tells how to reconnect it.
    ShowProgressArea(false);
    m_view.ShowControl(IDC_STATUS, false);
    m_view.EnableControl(IDC_STATUS, false);
    m_view.ShowControl(IDC_ACTION, false);
    m_view.EnableControl(IDC_ACTION, false);
    m_view.EnableControl(IDC_REPAIR_NOTE, true);
    ShowRepairInstructions(true);
}

void CQuillmateDlg::OnUpdateTab() {
    if (!m_view.IsChecked(IDC_UPDATE_TAB))
        ShowOperationPage(true);
}

void CQuillmateDlg::OnRepairTab() {
    if (!m_view.IsChecked(IDC_REPAIR_TAB))
        ShowOperationPage(false);
}

void CQuillmateDlg::OnActionButton() {
    if (m_bRecoveryMode) {
        StartRepair(false, true);
        return;
    }
    if (!m_pCurrentDevice->IsUpdateNeeded()) {
        m_view.RunMessage({Title(), Text(MSG_ALREADY_UP_TO_DATE), PICTURE_NOTICE, true});
        return;
    }
    if (!IsBusy())
        BeginOperation();
}

void CQuillmateDlg::BeginOperation() {
    m_view.EnableControl(IDC_ACTION, false);
    m_view.EnableControl(IDC_CLOSE, false);
    m_view.EnableSystemClose(false);
    StartAnimation();
    m_view.StartWorker(m_pUpdateThread, [this] { UpdateWorker(); });
}

void CQuillmateDlg::StartRepair(bool statusOnly, bool ask) {
    if (statusOnly) {
        ShowStatus(Text(MSG_REPAIRED));
        return;
    }
    for (const int tab : {IDC_UPDATE_TAB, IDC_REPAIR_TAB}) {
        m_view.EnableControl(tab, false);
        m_view.ShowControl(tab, false);
        m_view.RepaintControl(tab);
    }
    HideRepairNote();
    ShowRepairInstructions(false);
    ShowProgressArea(true);
    ShowStatus(Text(MSG_DEVICE_ERROR));
    m_view.EnableControl(IDC_ACTION, true);
    m_view.ShowControl(IDC_ACTION, true);
    m_view.SetButtonCaption(IDC_ACTION, MSG_REPAIR);
    CloseStartScreen();

    int answer = 2;
    if (ask) {
        m_view.EnableControl(IDC_ACTION, false);
        QuestionArgs question;
        question.title = Title();
        question.firstLine = Text(MSG_DEVICE_ERROR) + L"\n" + Text(MSG_CLOSE_APPLICATIONS) + L"\n" +
                             Text(MSG_REPAIR_ERASES);
        question.secondLine = Text(MSG_START_REPAIRING);
        question.leftKey = Text(MSG_RELEASE_KEY);
        question.rightKey = Text(MSG_KEY_IF_HELD);
        answer = m_view.RunQuestion(question);
    }
    if (m_pCurrentDevice->FindDevice() == MATCH_NONE) {
        // The player left while the user was asked: back to the empty Update page.
        m_view.SetDeviceList(L"");
        m_view.EnableControl(IDC_DEVICE_LIST, false);
        ClearDeviceState();
        ShowOperationPage(true);
        if (m_bTrayIconShown)
            UpdateTrayIcon(TRAY_MODIFY);
    } else if (answer == 1) {
        if (!m_pUpdateThread && !m_pFirmwareDownloadThread && !m_pToolUpdateThread)
            BeginOperation();
    } else {
        m_view.EnableControl(IDC_ACTION, true);
    }
}
