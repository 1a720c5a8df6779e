#pragma once
#include "ui/win32/app_dialog.h"
#include "ui/win32/image_button.h"
#include <string>

// A notice with one picture, one text and an OK button. Enter and Escape do nothing; the
// dialog ends with 1 through OK and with 2 through the title bar.
class CMessageDlg : public CAppDialog {
  public:
    CMessageDlg(uint16_t language, int32_t rtl, uint16_t titleId, uint16_t messageId,
                int32_t pictureKind, HWND hParent);
    // Text arguments may be message ids below 65536 (default language) or null (empty).
    CMessageDlg(uint16_t language, int32_t rtl, const wchar_t* title, const wchar_t* message,
                int32_t pictureKind, HWND hParent);

  protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;

  private:
    CImageButton m_btnOk;
    CImageButton m_btnCancel;
    std::wstring m_strTitle;
    std::wstring m_strMessage;
    int32_t m_nPictureKind;
    uint16_t m_wLanguage;
    int32_t m_bRightToLeft;
};
