#include "main_window/win32/main_dialog.h"
#include "res/resource.h"

CMainDialog::CMainDialog(Platform&, IAutoPlayControl&, int32_t, uint16_t, int32_t)
    : CDialog(IDD_QUILLMATE_DIALOG, nullptr) {}
