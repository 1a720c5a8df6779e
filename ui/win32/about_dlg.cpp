#include "ui/win32/about_dlg.h"
#include "engine/module_version.h"
#include "engine/win32/win32_version_resource.h"
#include "res/resource.h"
#include "ui/dialog_layout.h"
#include "ui/win32/ui_resources.h"

static constexpr int OK_GAP = 15;
static constexpr int OK_TOP = 11;

CAboutDlg::CAboutDlg(uint16_t language)
    : CAppDialog(IDD_ABOUTBOX, nullptr, false), m_wLanguage(language) {}

void CAboutDlg::DoDataExchange() {
    m_btnOk.Bind(m_hWnd, IDOK);
}

BOOL CAboutDlg::OnInitDialog() {
    SetWindowIcon();
    CWin32VersionResource resource;
    CModuleVersion version(resource);
    if (version.Load(nullptr)) {
        SetItemText(IDC_ABOUT_PRODUCT, version.CompanyName() + L" " + version.ProductName());
        SetItemText(IDC_ABOUT_VERSION, version.ProductVersion());
        SetItemText(IDC_ABOUT_LEGAL, version.LegalCopyright());
    }
    RECT product{};
    RECT window{};
    GetWindowRect(GetDlgItem(m_hWnd, IDC_ABOUT_PRODUCT), &product);
    GetWindowRect(m_hWnd, &window);
    SetupButton(m_btnOk, product.right - window.left + OK_GAP, OK_TOP);
    m_btnOk.SetCaption(L"OK");
    m_btnOk.SetTooltip(m_wLanguage, MSG_PRESS_OK);
    return TRUE;
}
