#include "online/win32/callout_dlg.h"
#include "res/resource.h"
#include "ui/dialog_layout.h"
#include "ui/win32/ui_resources.h"
#include <shellapi.h>

CCallOutDlg::CCallOutDlg(uint16_t language, int32_t rtl, HWND hParent)
    : CAppDialog(IDD_CALLOUT, hParent, false), m_wLanguage(language), m_bRightToLeft(rtl) {
    // Placed and sized without activation throughout, and shown the same way.
    m_nShowCommand = SW_SHOWNA;
}

CPopUpDlg::CPopUpDlg(uint16_t language, uint16_t messageId, int32_t rtl, HWND hParent)
    : CCallOutDlg(language, rtl, hParent), m_wMessageId(messageId),
      m_strMessage(LoadText(language, messageId)) {}

void CCallOutDlg::DoDataExchange() {
    m_linkYes.Bind(m_hWnd, IDC_CALLOUT_YES);
    m_linkCancel.Bind(m_hWnd, IDC_CALLOUT_CANCEL);
}

bool CCallOutDlg::QueryTaskbar(int32_t& edge, Rect& rect) const {
    APPBARDATA data{};
    data.cbSize = sizeof data;
    if (!SHAppBarMessage(ABM_GETTASKBARPOS, &data))
        return false;
    edge = static_cast<int32_t>(data.uEdge);
    rect = {data.rc.left, data.rc.top, data.rc.right, data.rc.bottom};
    return true;
}

void CCallOutDlg::LayoutFrameAndText(const std::wstring& sentence, const std::wstring& text) {
    if (m_bRightToLeft)
        AddExStyle(RTL_CONTROL_STYLE);
    RECT rc{0, 0, CALLOUT_CLIENT.width, CALLOUT_CLIENT.height};
    AdjustWindowRectEx(&rc, static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_EXSTYLE)));
    m_slide.fullWidth = rc.right - rc.left;
    m_slide.fullHeight = rc.bottom - rc.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - m_slide.fullWidth) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - m_slide.fullHeight) / 2;
    MoveTo(x, y, m_slide.fullWidth, m_slide.fullHeight);
    GetWindowRect(m_hWnd, &m_rcWindow);

    HWND hText = GetDlgItem(m_hWnd, IDC_CALLOUT_TEXT);
    SetText(hText, text);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int width = CalloutTextWidth(m_slide.fullWidth, client.right);
    const SIZE line = MeasureControlText(hText, sentence);
    const SIZE wrapped = MeasureControlText(hText, sentence, width);
    // At the client area's leading corner, which the mirrored window has moved.
    SetWindowPos(hText, nullptr, 0, 0, width, CalloutTextHeight(wrapped.cy, line.cy),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_bRightToLeft)
        ::AddExStyle(hText, RTL_CONTROL_STYLE);
}

void CCallOutDlg::Collapse() const {
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CCallOutDlg::PlaceLink(CXHyperLink& link, uint16_t captionId) const {
    link.LoadLinkText(m_wLanguage, captionId);
    link.SetBackground(AppColours().m_crBackground);
    link.SetAddress(L"");
    link.SetNotifyParent(true);
    const RECT rc = link.RectInParent();
    const int width = rc.right - rc.left;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int x = &link == &m_linkYes ? CalloutYesLeft(m_slide.fullWidth, width)
                                      : CalloutCancelLeft(m_slide.fullWidth, width, client.right);
    link.MoveTo(x, CALLOUT_LINK_TOP, width, rc.bottom - rc.top);
    if (m_bRightToLeft)
        link.AddExStyle(RTL_CONTROL_STYLE);
}

void CCallOutDlg::Layout() {
    const std::wstring sentence =
        FormatText(LoadText(m_wLanguage, MSG_IMPORTANT_UPDATE), {MODEL_NAME});
    LayoutFrameAndText(sentence, sentence + L"\n\n" + LoadText(m_wLanguage, MSG_DOWNLOAD_NOW));
    PlaceLink(m_linkYes, MSG_YES);
    PlaceLink(m_linkCancel, MSG_CANCEL);
    Collapse();
}

void CPopUpDlg::Layout() {
    LayoutFrameAndText(m_strMessage, m_strMessage);
    ShowWindow(m_linkYes.m_hWnd, SW_HIDE);
    ShowWindow(m_linkCancel.m_hWnd, SW_HIDE);
    Collapse();
}

BOOL CCallOutDlg::OnInitDialog() {
    Layout();
    int32_t edge = EDGE_UNKNOWN;
    Rect taskbar;
    if (!QueryTaskbar(edge, taskbar))
        edge = EDGE_UNKNOWN;
    StartSlide(m_slide, edge, taskbar,
               {GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN)});
    SetWindowPos(m_hWnd, nullptr, m_slide.x, m_slide.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    StartTimer(TIMER_SLIDE_IN, SLIDE_STEP_MS);
    return FALSE;
}

void CCallOutDlg::ShowSlide() const {
    SetWindowPos(m_hWnd, nullptr, m_slide.x, m_slide.y, m_slide.shownWidth, m_slide.shownHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CCallOutDlg::StartSlideOut() {
    StopTimer(TIMER_SLIDE_IN);
    StopTimer(TIMER_HOLD);
    StartTimer(TIMER_SLIDE_OUT, SLIDE_STEP_MS);
}

void CCallOutDlg::OnTimer(UINT_PTR id) {
    if (id == TIMER_SLIDE_IN) {
        const bool ended = SlideInStep(m_slide);
        ShowSlide();
        if (ended) {
            StopTimer(TIMER_SLIDE_IN);
            StartTimer(TIMER_HOLD, m_nHoldTime);
        }
    } else if (id == TIMER_HOLD) {
        StopTimer(TIMER_HOLD);
        StartTimer(TIMER_SLIDE_OUT, SLIDE_STEP_MS);
    } else if (id == TIMER_SLIDE_OUT) {
        const bool ended = SlideOutStep(m_slide);
        ShowSlide();
        if (ended) {
            StopTimer(TIMER_SLIDE_OUT);
            PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
        }
    }
}

LRESULT CCallOutDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        OnTimer(wParam);
        return 0;
    }
    if (message == CXHyperLink::ClickedMessage()) {
        if (wParam == IDC_CALLOUT_YES)
            m_bAccepted = 1;
        StartSlideOut();
    }
    return CAppDialog::WindowProc(message, wParam, lParam);
}

LRESULT CPopUpDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN)
        StartSlideOut();
    return CCallOutDlg::WindowProc(message, wParam, lParam);
}
