#pragma once
// Stand-in until the main window lands: same constructor and operations, no window.
#include "main_window/main_view.h"
#include "platform/win32/dialog.h"
#include <cstdint>

struct Platform;

class CMainDialog : public CDialog {
  public:
    CMainDialog(Platform& platform, IAutoPlayControl& app, int32_t winMe, uint16_t language,
                int32_t rightToLeft);
    void SetSilent(int32_t silent) { m_bSilent = silent; }

  private:
    int32_t m_bSilent = 0;
};
