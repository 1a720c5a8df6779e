#include "ui/message_ids.h"
#include "main_window/main_ids.h"
#include "main_window/quillmate_dlg.h"
#include "res/resource.h"
#include "ui/dialog_layout.h"

void CQuillmateDlg::ShowOperationProgress(bool show) {
    for (const int id : {IDC_PROGRESS_PICTURE, IDC_OPERATION_WARNING}) {
        m_view.EnableControl(id, show);
        m_view.ShowControl(id, show);
    }
    m_view.EnableControl(IDC_LINK, !show);
    m_view.ShowControl(IDC_LINK, !show);
}

void CQuillmateDlg::UpdateWorker() {
    m_bOperationDone = 0;
    ShowOperationProgress(true);
    if (!m_bRecoveryMode)
        m_view.EnableControl(IDC_REPAIR_TAB, false);
    m_view.SetControlText(IDC_STATUS, Text(m_bRecoveryMode ? MSG_REPAIRING : MSG_UPDATING));
    m_view.RepaintControl(IDC_STATUS);
    m_view.RepaintWindow();

    ActionFwDn& device = *m_pCurrentDevice;
    // A downloaded package goes into the firmware folder first; if that fails, nothing is
    // flashed.
    const bool attempted = m_bRecoveryMode || !device.IsDownloadedFirmwareReady() ||
                           device.InstallFirmwarePackage() == 1;
    bool upToDate = false;
    if (attempted) {
        upToDate = !device.IsUpdateNeeded();
        if (upToDate || device.RunUpgrade() == 1)
            m_bOperationDone = 1;
    }
    m_view.StopTimer(m_nAnimTimer);
    ShowUpdateResult(upToDate);

    if (!m_bOperationDone && device.FindDevice() == MATCH_NONE) {
        m_bDeviceConnected = 0;
        m_bRecoveryMode = 0;
        m_bUpdateOffered = 0;
    }
    ShowOperationProgress(false);
    ResetProgressDots();
    m_view.EnableSystemClose(true);
    m_view.EnableControl(IDC_CLOSE, true);
    if (m_bRecoveryMode) {
        m_bRecoveryMode = 0;
        if (m_bOperationDone) {
            StartRepair(true, false);
        } else {
            // The player is still attached in recovery mode: say what happened and leave the
            // next attempt to a fresh presence refresh (F5 or reconnecting).
            ShowStatus(Text(MSG_UPDATE_FAILED));
            m_view.EnableControl(IDC_ACTION, false);
        }
    } else {
        if (m_bOperationDone)
            m_bUpdateOffered = 0;
        ShowOperationPage(true);
    }
    if (m_bTrayIconShown)
        UpdateTrayIcon(TRAY_MODIFY);
    m_pUpdateThread = nullptr;
}

void CQuillmateDlg::ShowUpdateResult(bool upToDate) {
    MessageArgs message{Title(), L"", PICTURE_NOTICE, true};
    if (!m_bOperationDone) {
        message.text = Text(MSG_UPDATE_FAILED);
        message.pictureKind = PICTURE_WARNING;
        message.owned = false;
    } else if (upToDate) {
        message.text = Text(MSG_ALREADY_UP_TO_DATE);
    } else if (m_bRecoveryMode) {
        message.text = Text(MSG_REPAIR_SUCCEEDED) + L"\n" + Text(MSG_REMOVE_AFTER_REPAIR);
    } else {
        message.text = Text(MSG_UPDATE_COMPLETED) + L"\n" + Text(MSG_DISCONNECT_AFTER_UPDATE);
    }
    m_view.RunMessage(message);
}
