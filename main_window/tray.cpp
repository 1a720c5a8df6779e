#include "ui/message_ids.h"
#include "main_window/main_ids.h"
#include "main_window/quillmate_dlg.h"
#include "platform/clock.h"
#include "platform/platform.h"

void CQuillmateDlg::UpdateTrayIcon(int32_t operation) {
    const bool connected = m_bDeviceConnected != 0;
    std::wstring tip = Title() + L" - " + Text(connected ? MSG_CONNECTED : MSG_NOT_CONNECTED);
    if (tip.size() >= TRAY_TIP_CHARS) {
        tip.resize(TRAY_TIP_CHARS - 1);
        // Never end on half of a character outside the basic plane.
        if (tip.back() >= 0xD800 && tip.back() <= 0xDBFF)
            tip.pop_back();
    }
    switch (operation) {
    case TRAY_ADD:
        // The shell may not be up yet at log-on: keep asking until it takes the icon.
        while (!m_view.NotifyTrayIcon(TRAY_ADD, connected, tip))
            m_platform.clock->Sleep(TRAY_ADD_RETRY_MS);
        m_bTrayIconShown = 1;
        break;
    case TRAY_REMOVE:
        m_view.NotifyTrayIcon(TRAY_REMOVE, connected, tip);
        m_bTrayIconShown = 0;
        break;
    case TRAY_MODIFY:
        m_view.NotifyTrayIcon(TRAY_MODIFY, connected, tip);
        m_bTrayIconShown = 1;
        break;
    default:
        break;
    }
}

void CQuillmateDlg::OnTrayCallback(uint32_t mouseMessage) {
    if (mouseMessage == MOUSE_LBUTTONDBLCLK) {
        if (m_bExiting || m_bCalloutShowing)
            return;
        if (m_bWindowOpen)
            m_view.BringToFront();
        else
            OnTrayLaunch();
    } else if (mouseMessage == MOUSE_RBUTTONUP) {
        const bool enabled = m_devices[0]->IsOnlineCheckEnabled();
        m_view.TrackTrayMenu(Text(enabled ? MSG_DISABLE_CHECK : MSG_ENABLE_CHECK));
    }
}

void CQuillmateDlg::OnTrayCheckForUpdates() {
    if (!ProbeEitherServer(3)) {
        m_view.PostToSelf(UM_NO_CONNECTION);
        return;
    }
    m_bWindowOpen = 1;
    m_bOpenedByLaunch = 0;
    EnableTrayItems(false);
    OpenMainWindow(1);
}

void CQuillmateDlg::OnTrayToggleCheck() {
    m_devices[0]->SetOnlineCheckEnabled(!m_devices[0]->IsOnlineCheckEnabled());
}

void CQuillmateDlg::OnTrayLaunch() {
    bool online = true;
    if (m_devices[0]->IsOnlineCheckEnabled())
        online = ProbeEitherServer(3);
    m_bWindowOpen = 1;
    m_bOpenedByLaunch = 1;
    EnableTrayItems(false);
    RefreshDevicePresence(0);
    OpenMainWindow(0);
    if (!online)
        m_view.PostToSelf(UM_NO_CONNECTION);
}

void CQuillmateDlg::OnTrayExit() {
    QuestionArgs question;
    question.title = Title();
    question.secondLine = FormatText(Text(MSG_EXITING), {question.title});
    if (m_view.RunQuestion(question) != 1)
        return;
    m_bExiting = 1;
    UpdateTrayIcon(TRAY_REMOVE);
    m_view.EndModal();
}

void CQuillmateDlg::OnNoConnection() {
    m_view.RunPopup(MSG_NO_CONNECTION);
}

void CQuillmateDlg::OnCheckAccepted() {
    if (!m_bExiting && !m_bWindowOpen)
        OnTrayCheckForUpdates();
}

void CQuillmateDlg::OnShowDialogMessage() {
    if (!m_bExiting && !m_bWindowOpen && !m_bCalloutShowing)
        OnTrayLaunch();
}

void CQuillmateDlg::OnDestroyTrayIconMessage() {
    m_bExiting = 1;
    UpdateTrayIcon(TRAY_REMOVE);
    m_view.EndModal();
}
