#include "ui/win32/message_dlg.h"
#include "res/resource.h"
#include "ui/dialog_layout.h"
#include "ui/win32/ui_resources.h"

CMessageDlg::CMessageDlg(uint16_t language, int32_t rtl, uint16_t titleId, uint16_t messageId,
                         int32_t pictureKind, HWND hParent)
    : CAppDialog(IDD_MESSAGE, hParent, true),
      m_strTitle(FormatText(LoadText(language, titleId), {MODEL_NAME})),
      m_strMessage(LoadText(language, messageId)), m_nPictureKind(pictureKind),
      m_wLanguage(language), m_bRightToLeft(rtl) {}

CMessageDlg::CMessageDlg(uint16_t language, int32_t rtl, const wchar_t* title,
                         const wchar_t* message, int32_t pictureKind, HWND hParent)
    : CAppDialog(IDD_MESSAGE, hParent, true),
      m_strTitle(ResolveTextArgument(ProgramCatalogue(), title)),
      m_strMessage(ResolveTextArgument(ProgramCatalogue(), message)), m_nPictureKind(pictureKind),
      m_wLanguage(language), m_bRightToLeft(rtl) {}

void CMessageDlg::DoDataExchange() {
    m_btnOk.Bind(m_hWnd, IDOK);
    m_btnCancel.Bind(m_hWnd, IDCANCEL);
}

BOOL CMessageDlg::OnInitDialog() {
    SetWindowIcon();
    SetText(m_hWnd, m_strTitle);
    SetWindowPos(m_hWnd, nullptr, 0, 0, MESSAGE_WINDOW.width, MESSAGE_WINDOW.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW);
    ApplyRightToLeft(m_bRightToLeft != 0);

    const Rect& text = MESSAGE_TEXT_RECT;
    SetWindowPos(GetDlgItem(m_hWnd, IDC_TEXT), nullptr, text.left, text.top, text.Width(),
                 text.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    SetItemText(IDC_TEXT, m_strMessage);
    ShowPicture(IDC_PICTURE, MessagePictureBitmap(m_nPictureKind), MESSAGE_PICTURE_X,
                MESSAGE_PICTURE_Y);

    SetupButton(m_btnOk, MESSAGE_BUTTON_X, MESSAGE_BUTTON_Y);
    m_btnOk.SetCaption(L"OK");
    m_btnOk.SetTooltip(m_wLanguage, MSG_PRESS_OK);
    m_btnCancel.MoveTo(MESSAGE_BUTTON_X, MESSAGE_BUTTON_Y, BUTTON_WIDTH, BUTTON_HEIGHT);
    ShowWindow(m_btnCancel.m_hWnd, SW_HIDE);
    return TRUE;
}
