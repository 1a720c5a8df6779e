#pragma once
#include "ui/win32/app_dialog.h"
#include "ui/win32/image_button.h"

// The about box, filled from the program's own version record. It keeps the dialog's normal
// keys (Enter = 1, Escape = 2) and is never mirrored.
class CAboutDlg : public CAppDialog {
  public:
    explicit CAboutDlg(uint16_t language);

  protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;

  private:
    CImageButton m_btnOk;
    uint16_t m_wLanguage;
};
