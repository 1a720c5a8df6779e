// The main window, opened as Launch opens it over the test world, fits every text of its Update
// page (also while an operation shows its warning) and of its Repair page in every language.
// Each page's picture is kept for the gallery.
#include "main_window/win32/main_dialog.h"
#include "tests/support/main_window_world.h"
#include "tests/ui_win32/ui_driver.h"
#include "ui/message_catalogue.h"
#include <gtest/gtest.h>

namespace {
using namespace main_window_world;

struct OtherWindow {
    HWND hMain;
    HWND found = nullptr;
};

BOOL CALLBACK FindOther(HWND hWnd, LPARAM lParam) {
    auto* search = reinterpret_cast<OtherWindow*>(lParam);
    wchar_t name[64] = L"";
    GetClassNameW(hWnd, name, 64);
    if (hWnd == search->hMain || !IsWindowVisible(hWnd) ||
        std::wstring(name) == L"tooltips_class32")
        return TRUE;
    search->found = hWnd;
    return FALSE;
}

// A visible window of the main window's thread other than the main window (the start screen
// while it fades, the exit question).
HWND OtherVisibleWindow(HWND hMain) {
    OtherWindow search{hMain};
    EnumThreadWindows(GetWindowThreadProcessId(hMain, nullptr), FindOther,
                      reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The window is open once it has a taskbar button and the start screen is gone.
bool WaitOpen(CMainDialog& dialog) {
    for (int i = 0; i < 1000; ++i) {
        HWND hWnd = reinterpret_cast<HWND>(dialog.WindowHandle());
        if (hWnd && IsWindowVisible(hWnd) && !(ExStyle(hWnd) & WS_EX_TOOLWINDOW) &&
            !OtherVisibleWindow(hWnd))
            return true;
        Sleep(10);
    }
    return false;
}

// The Update page as an update shows it: the warning in place of the support link.
void ShowOperationWarning(CMainDialog& dialog, bool show) {
    for (const int id : {IDC_PROGRESS_PICTURE, IDC_OPERATION_WARNING}) {
        dialog.EnableControl(id, show);
        dialog.ShowControl(id, show);
    }
    dialog.ShowControl(IDC_LINK, !show);
}

// The main window's world with a player attached and a server that offers nothing newer. A
// check of the text-fit suite, whose tests have no fixture, so it holds the world itself.
class LaunchWorld : public MainWindow {
  public:
    LaunchWorld() {
        ServerUp();
        bus.Plug(NORMAL);
    }
    void TestBody() override {}

    // The overflows of the Update page, with the operation warning, and of the Repair page.
    std::vector<std::wstring> PageOverflows(uint16_t language) {
        CMainDialog dialog(world.platform, app, 0, language, language == 1025);
        const std::wstring suffix = std::to_wstring(language);
        std::vector<std::wstring> found;
        RunDriven([&] { return dialog.DoModal(); },
                  [&](HWND) {
                      ASSERT_TRUE(WaitOpen(dialog));
                      HWND hWnd = reinterpret_cast<HWND>(dialog.WindowHandle());
                      Settle(hWnd);
                      found = TextOverflows(hWnd);
                      Screenshot(hWnd, L"main-update-" + suffix);
                      ShowOperationWarning(dialog, true);
                      for (const std::wstring& line : TextOverflows(hWnd))
                          found.push_back(L"operation " + line);
                      Screenshot(hWnd, L"main-operation-" + suffix);
                      ShowOperationWarning(dialog, false);
                      Click(hWnd, IDC_REPAIR_TAB);
                      Settle(hWnd);
                      EXPECT_TRUE(ItemVisible(hWnd, IDC_REPAIR_TITLE));
                      for (const std::wstring& line : TextOverflows(hWnd))
                          found.push_back(L"repair " + line);
                      Screenshot(hWnd, L"main-repair-" + suffix);
                      // Exit from the tray menu, which asks first and takes the icon away.
                      PostMessageW(hWnd, WM_COMMAND, ID_TRAY_EXIT, 0);
                      HWND hQuestion = nullptr;
                      for (int i = 0; i < 500 && !hQuestion; ++i, Sleep(10))
                          hQuestion = OtherVisibleWindow(hWnd);
                      ASSERT_TRUE(hQuestion);
                      Click(hQuestion, IDOK);
                      EXPECT_TRUE(WaitGone(hWnd, 10000));
                  });
        return found;
    }
};

TEST(TextFit, MainWindowPagesInEveryLanguage) {
    LaunchWorld launch;
    for (uint16_t language : CATALOGUE_LANGUAGES) {
        const std::vector<std::wstring> overflows = launch.PageOverflows(language);
        EXPECT_TRUE(overflows.empty()) << "language " << language << Joined(overflows);
    }
}
} // namespace
