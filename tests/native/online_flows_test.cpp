#include "tests/support/main_window_world.h"
#include "ui/dialog_layout.h"
#include <algorithm>

namespace {
using namespace main_window_world;

const std::wstring PACKAGE = std::wstring(COnlineWorld::PACKAGES) + L"\\fw130.exe";

// The window opened by Launch while the server offers firmware 1.30 (and, when asked, a tool
// update); the package extracts itself and marks its files when it runs.
class OnlineFlows : public MainWindow {
  protected:
    void Offer(bool firmware, bool tool, int installerExit = 0) {
        if (firmware) {
            world.internet.Serve(L"http://primary/fw.txt",
                                 "version=V1.30\r\nurl=http://h/fw130.exe\r\n");
            world.internet.Serve(L"http://h/fw130.exe", "MZ package");
        } else {
            ServerUp();
        }
        if (tool) {
            world.internet.Serve(L"http://primary/qm.txt",
                                 "version=V9.00\r\nurl=http://h/Setup.exe\r\n");
            world.internet.Serve(L"http://h/Setup.exe", "MZ installer");
        }
        world.processes.onRun = [this, installerExit](const std::wstring& command,
                                                      int32_t& exitCode) {
            exitCode = installerExit;
            if (command.find(L"fw130.exe") == std::wstring::npos)
                return;
            const std::wstring staging = COnlineWorld::STAGING;
            world.disk.AddFile(staging + L"\\fw.ini", COnlineWorld::Description(0, 1, 30));
            world.disk.AddFile(staging + L"\\fw.bin", "firmware");
            world.Set(VALUE_PARTIAL_INSTALLED, L"1");
        };
    }
    bool Ran(const wchar_t* part) const {
        return std::any_of(world.processes.runs.begin(), world.processes.runs.end(),
                           [part](const std::wstring& run) { return run.find(part) != run.npos; });
    }
};

TEST_F(OnlineFlows, AcceptedFirmwareIsDownloadedInstalledAndThenOffered) {
    bus.Plug(NORMAL);
    Offer(true, false);
    view.answers = {1, 1};
    Launch();
    ASSERT_EQ(view.questions.size(), 2u);
    EXPECT_EQ(view.questions[0].firstLine, FormatText(Text(112), {MODEL_NAME}));
    EXPECT_EQ(view.questions[0].linkText, Text(133));
    EXPECT_TRUE(view.questions[0].linkAddress.empty());
    EXPECT_EQ(view.questions[1].firstLine, Text(134));
    EXPECT_TRUE(Ran(L"fw130.exe| 1"));
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, Text(111));
    EXPECT_TRUE(view.messages[0].owned);
    EXPECT_EQ(dlg->m_pFirmwareDownloadThread, nullptr);
    EXPECT_EQ(dlg->m_pOnlineThread, nullptr);
    EXPECT_EQ(Status(), FormatText(Text(109), {MODEL_NAME}) + L"\n" +
                            FormatText(Text(121), {L"1.20", L"1.30"}));
    EXPECT_TRUE(view[IDC_ACTION].enabled);
    EXPECT_TRUE(view[IDC_CLOSE].enabled);
    EXPECT_TRUE(view.systemClose);
    EXPECT_EQ(view.deviceList, L"Norvane Tembly ZQ4MKT");
}

TEST_F(OnlineFlows, DeclinedOfferKeepsTheWindowOnTheCarriedFirmware) {
    bus.Plug(NORMAL);
    Offer(true, false);
    Launch(); // "no" to the first question
    EXPECT_EQ(view.questions.size(), 1u);
    EXPECT_TRUE(world.processes.runs.empty());
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(dlg->m_bOpenedByLaunch, 1);
    EXPECT_EQ(Status(), FormatText(Text(109), {MODEL_NAME}) + L"\n" +
                            FormatText(Text(121), {L"1.20", L"1.23"}));
}

TEST_F(OnlineFlows, DeclinedInstallDiscardsThePackage) {
    bus.Plug(NORMAL);
    Offer(true, false);
    view.answers = {1, 2};
    Launch();
    EXPECT_TRUE(view.messages.empty());
    EXPECT_FALSE(world.disk.HasFile(PACKAGE));
    EXPECT_EQ(world.Value(VALUE_PACKAGE_EXISTS), L"0");
    EXPECT_EQ(dlg->m_bUpdateOffered, 1);
    EXPECT_NE(Status().find(L"1.23"), std::wstring::npos);
}

TEST_F(OnlineFlows, FailuresOfDownloadAndInstall) {
    struct Row {
        const char* name;
        bool missingPackage;
        bool marks;
    };
    for (const Row row : {Row{"download fails", true, true}, Row{"no marker", false, false}}) {
        view = CFakeMainView();
        world.processes.runs.clear();
        bus.slots.clear();
        bus.Plug(NORMAL);
        Offer(true, false);
        if (row.missingPackage)
            world.internet.Serve(L"http://h/fw130.exe", "", 404);
        if (!row.marks)
            world.processes.onRun = [](const std::wstring&, int32_t&) {};
        view.answers = {1, 1};
        Launch();
        ASSERT_EQ(view.messages.size(), 1u) << row.name;
        EXPECT_EQ(view.messages[0].text, Text(150)) << row.name;
        EXPECT_FALSE(view.messages[0].owned) << row.name;
        EXPECT_EQ(view.questions.size(), row.missingPackage ? 1u : 2u) << row.name;
        EXPECT_EQ(world.disk.Content(COnlineWorld::INFO_PATH), COnlineWorld::Description(0, 1, 23))
            << row.name;
    }
}

TEST_F(OnlineFlows, ToolInstallerExitCodes) {
    for (const int exitCode : {0, 1, 259}) {
        view = CFakeMainView();
        world.processes.runs.clear();
        Offer(false, true, exitCode);
        view.answers = {1, 1};
        Launch();
        EXPECT_TRUE(Ran(L"Setup.exe")) << exitCode;
        EXPECT_EQ(view.messages.size(), exitCode == 0 ? 0u : 1u) << exitCode;
        if (exitCode != 0) {
            EXPECT_EQ(view.messages[0].text, Text(174));
        }
        EXPECT_EQ(dlg->m_pToolUpdateThread, nullptr);
        EXPECT_TRUE(view[IDC_UPDATE_TAB].checked);
    }
}

TEST_F(OnlineFlows, ToolThenFirmwareOnOneWorkerAfterOneQuestion) {
    bus.Plug(NORMAL);
    Offer(true, true);
    view.answers = {1, 1, 1};
    Launch();
    EXPECT_EQ(view.workerStarts, 1);
    ASSERT_EQ(world.processes.runs.size(), 2u);
    EXPECT_NE(world.processes.runs[0].find(L"Setup.exe"), std::wstring::npos);
    EXPECT_NE(world.processes.runs[1].find(L"fw130.exe"), std::wstring::npos);
    EXPECT_EQ(view.questions.size(), 3u); // the offer, then one install question per flow
}

TEST_F(OnlineFlows, AcceptedCalloutSkipsTheQuestion) {
    bus.Plug(NORMAL);
    Offer(true, false);
    Start(1);
    dlg->m_bCalloutAccepted = 1;
    view.answers = {1};
    dlg->OnCheckAccepted();
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(view.questions[0].firstLine, Text(134));
    EXPECT_EQ(dlg->m_bCalloutAccepted, 0);
    EXPECT_TRUE(Ran(L"fw130.exe"));
}

TEST_F(OnlineFlows, PlayerLostOrInRecoveryAtTheEnd) {
    bus.Plug(NORMAL);
    Offer(true, false);
    view.answers = {1, 1};
    view.onQuestion = [this] {
        if (view.questions.size() == 2) { // the player restarted into its loader meanwhile
            bus.slots.clear();
            bus.Plug(RECOVERY);
            dlg->m_bRecoveryMode = 1;
        }
    };
    Launch();
    // Opened by Launch: the repair page comes up without its question.
    EXPECT_EQ(Status(), Text(138));
    EXPECT_EQ(view.questions.size(), 2u);
    EXPECT_FALSE(view[IDC_UPDATE_TAB].shown);

    bus.slots.clear();
    view.onQuestion = nullptr;
    view.answers = {1, 1};
    dlg->m_bOpenedByLaunch = 0;
    dlg->m_pCurrentDevice->firmwareUpdateAvailable = 1;
    dlg->StartOnlineWorker();
    EXPECT_EQ(dlg->m_bDeviceConnected, 0);
}

TEST_F(OnlineFlows, ASecondCheckWhileTheWorkerRunsStartsNothing) {
    Offer(true, false);
    view.deferWorkers = true;
    Launch();
    ASSERT_EQ(view.workerStarts, 1);
    dlg->OnCommand(IDC_CLOSE);
    dlg->OnCommand(ID_TRAY_CHECK_FOR_UPDATES);
    EXPECT_EQ(view.workerStarts, 1);
}
// Ending the program while the worker runs (Exit confirmed, or another process's request): the
// flow goes on to its end, asks nothing more, reports nothing, and keeps no package.
class EndingDuringTheFlow : public OnlineFlows {
  protected:
    void EndAtTheOffer(bool byExit) {
        bus.Plug(NORMAL);
        Offer(true, false);
        bool ended = false;
        view.onQuestion = [&] {
            if (ended)
                return;
            ended = true;
            if (byExit)
                dlg->OnCommand(ID_TRAY_EXIT);
            else
                dlg->OnDestroyTrayIconMessage();
        };
        view.answers = {1, 1};
        Launch();
        // The offer (and the exit question), but no install question and no message.
        ASSERT_EQ(view.questions.size(), byExit ? 2u : 1u);
        EXPECT_EQ(view.questions[0].firstLine, FormatText(Text(112), {MODEL_NAME}));
        EXPECT_TRUE(view.messages.empty());
        EXPECT_FALSE(Ran(L"fw130.exe"));
        EXPECT_EQ(world.Value(VALUE_PACKAGE_EXISTS), L"0");
        EXPECT_FALSE(world.disk.HasFile(PACKAGE));
        EXPECT_EQ(dlg->m_pFirmwareDownloadThread, nullptr);
        EXPECT_EQ(dlg->m_pOnlineThread, nullptr);
    }
};

TEST_F(EndingDuringTheFlow, ByExit) {
    EndAtTheOffer(true);
}

TEST_F(EndingDuringTheFlow, ByTheDestroyTrayIconMessage) {
    EndAtTheOffer(false);
}
} // namespace
