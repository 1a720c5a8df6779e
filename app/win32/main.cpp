// The program's entry: the application object over the real ports, and the main window.
#include "app/quillmate_app.h"
#include "app/win32/win32_app_host.h"
#include "app/win32/win32_platform.h"
#include "app/win32/win32_running_copy.h"
#include "engine/win32/win32_autoplay.h"
#include "main_window/win32/main_dialog.h"
#include "ui/open_address.h"
#include "ui/win32/x_hyperlink.h"
#include <memory>

namespace {
class CProgramHost : public CWin32AppHost {
  public:
    explicit CProgramHost(Platform& platform) : m_platform(platform) {}

    void CreateMainWindow(IAutoPlayControl& app, const MainWindowArgs& args) override {
        m_pMainDialog = std::make_unique<CMainDialog>(m_platform, app, args.winMe, args.language,
                                                      args.rightToLeft);
        m_pMainDialog->SetSilent(args.silent);
    }
    void RunMainWindow() override { m_pMainDialog->DoModal(); }
    void DestroyMainWindow() override { m_pMainDialog.reset(); }

  private:
    Platform& m_platform;
    std::unique_ptr<CMainDialog> m_pMainDialog;
};
} // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR arguments, int) {
    RemoveCurrentFolderFromLibrarySearch();
    CWin32Platform win32(hInstance);
    Platform& platform = win32.Ports();
    CPlatformBrowser browser(platform);
    CXHyperLink::SetBrowser(&browser);

    CProgramHost host(platform);
    CWin32RunningCopy runningCopy;
    CWin32AutoPlaySystem autoPlaySystem;
    CQuillmateApp app(platform, host, runningCopy, autoPlaySystem);
    app.InitInstance(GetCommandLineW(), arguments ? arguments : L"");
    return 0;
}
