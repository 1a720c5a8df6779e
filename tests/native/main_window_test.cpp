#include "tests/support/main_window_world.h"
#include "ui/dialog_layout.h"
#include <algorithm>

namespace {
using namespace main_window_world;

TEST_F(MainWindow, InitialisationHidesAddsTheIconAndPostsTheDecision) {
    bus.Plug(NORMAL);
    view.trayRefusals = 2;
    Start();
    EXPECT_EQ(view.hides, 1);
    EXPECT_EQ(app.stops, 1);
    ASSERT_EQ(view.tray.size(), 3u); // refused twice, retried a second apart
    EXPECT_EQ(std::count(world.clock.durations.begin(), world.clock.durations.end(), 1000u), 2);
    EXPECT_TRUE(view.tray.back().connected);
    EXPECT_EQ(view.tray.back().tip, L"Norvane Quillmate Tembly ZQ4MKT - " + Text(191));
    EXPECT_EQ(view.posted, std::vector<uint32_t>{UM_STARTUP_DECISION});
    EXPECT_EQ(dlg->m_bInitialized, 1);
    EXPECT_TRUE(view.deviceList.empty()); // the first refresh leaves the controls alone
}

TEST_F(MainWindow, TrayTipFitsItsFieldInEveryLanguage) {
    for (const uint16_t language : CATALOGUE_LANGUAGES)
        for (const bool connected : {false, true}) {
            CFakeMainView languageView;
            if (connected)
                bus.Plug(NORMAL);
            else
                bus.Unplug(NORMAL);
            CQuillmateDlg window(world.platform, languageView, app, 0, language, 0);
            window.OnInitDialog();
            const std::wstring& tip = languageView.tray.back().tip;
            EXPECT_LT(tip.size(), TRAY_TIP_CHARS) << language;
            EXPECT_EQ(tip.rfind(CMessageCatalogue(messages).Title(language), 0), 0u) << language;
        }
}

// The catalogue with message 191 replaced by a text far longer than the tray tip can hold.
class CLongTipSource : public IMessageSource {
  public:
    explicit CLongTipSource(IMessageSource& real, std::u16string tip) : m_real(real) {
        m_block.assign(15, u'\0'); // entries 176 to 190 empty
        m_block.push_back(static_cast<char16_t>(tip.size()));
        m_block += tip;
    }
    bool FindBlock(uint16_t language, uint16_t block, const char16_t*& units,
                   size_t& count) override {
        if (block != 191 / 16 + 1)
            return m_real.FindBlock(language, block, units, count);
        units = m_block.data();
        count = m_block.size();
        return true;
    }

  private:
    IMessageSource& m_real;
    std::u16string m_block;
};

TEST_F(MainWindow, LongTrayTipIsCutToItsFieldWithoutSplittingACharacter) {
    // The title and " - " take 34 characters; a character outside the basic plane then stands
    // on the last two places of the field.
    const std::u16string tip = std::u16string(92, u'x') + u"\U0001F600" + std::u16string(60, u'y');
    CLongTipSource source(messages, tip);
    world.platform.messages = &source;
    bus.Plug(NORMAL);
    Start();
    const std::wstring& shown = view.tray.back().tip;
    EXPECT_LT(shown.size(), TRAY_TIP_CHARS);
    EXPECT_GE(shown.size(), TRAY_TIP_CHARS - 2);
    EXPECT_EQ(shown.rfind(L"Norvane Quillmate Tembly ZQ4MKT - " + std::wstring(92, L'x'), 0), 0u);
    // Where text is UTF-16 (Windows), the pair is dropped whole rather than cut in half.
    EXPECT_FALSE(shown.back() >= 0xD800 && shown.back() <= 0xDBFF);
}

TEST_F(MainWindow, AnimationLightsARunOfSevenDots) {
    Start();
    dlg->m_nAnimTimer = TIMER_ANIMATION;
    const char* const frames[] = {"00000000", "10000000", "11000000", "11100000",
                                  "11110000", "11111000", "11111100", "11111110",
                                  "01111111", "00111111", "00011111", "00001111",
                                  "00000111", "00000011", "00000001", "00000000"};
    for (int round = 0; round < 2; ++round)
        for (const char* frame : frames) {
            dlg->OnTimer(TIMER_ANIMATION);
            std::string lit;
            for (const bool dot : view.dots)
                lit += dot ? '1' : '0';
            EXPECT_EQ(lit, frame) << "round " << round;
        }
    EXPECT_EQ(dlg->m_nAnimStep, 0);
}

TEST_F(MainWindow, SilentStartRetriesFiveTimesThenGivesNotice) {
    Start(1);
    view.posted.clear();
    dlg->OnStartupDecision();
    EXPECT_FALSE(view.windowShown);
    EXPECT_TRUE(view.timers.count(TIMER_RETRY));
    for (int retry = 1; retry <= 5; ++retry) {
        EXPECT_TRUE(view.posted.empty()) << retry;
        dlg->OnTimer(TIMER_RETRY);
    }
    EXPECT_EQ(view.posted, std::vector<uint32_t>{UM_NO_CONNECTION});
    EXPECT_FALSE(view.timers.count(TIMER_RETRY));
    EXPECT_EQ(dlg->m_nRetryCount, 0);
    EXPECT_EQ(library.calls.back().entry, "DebugPort");
}

TEST_F(MainWindow, ARetryThatReachesTheServerStartsTheOnlineCheck) {
    Start(1);
    dlg->OnStartupDecision();
    dlg->OnTimer(TIMER_RETRY);
    dlg->OnTimer(TIMER_RETRY);
    ServerUp();
    dlg->OnTimer(TIMER_RETRY);
    EXPECT_EQ(dlg->m_nRetryCount, 0);
    EXPECT_FALSE(view.timers.count(TIMER_RETRY));
    EXPECT_TRUE(view.timers.count(TIMER_ONLINE_CHECK));
}

TEST_F(MainWindow, OnlineCheckTickShowsTheCalloutOnlyForAnOffer) {
    struct Row {
        int offered;
        bool accepts;
        int callouts;
        std::vector<uint32_t> posted;
    };
    const Row rows[] = {
        {-1, false, 0, {UM_NO_CONNECTION}}, // server down
        {23, false, 0, {}},                 // nothing newer
        {30, false, 2, {}},                 // both bindings offer; declined
        {30, true, 2, {UM_CHECK_ACCEPTED, UM_CHECK_ACCEPTED}},
    };
    for (const Row& row : rows) {
        view = CFakeMainView();
        world.internet.resources.clear();
        if (row.offered > 0)
            ServerUp(row.offered);
        view.calloutAccepts = row.accepts;
        Start(1);
        view.posted.clear();
        dlg->m_nOnlineCheckTimer = TIMER_ONLINE_CHECK;
        dlg->OnTimer(TIMER_ONLINE_CHECK);
        EXPECT_EQ(view.callouts, row.callouts) << row.offered;
        EXPECT_EQ(view.posted, row.posted) << row.offered;
        EXPECT_EQ(dlg->m_bCalloutShowing, 0);
    }
}

TEST_F(MainWindow, KeysNeverReachTheDialogAndF5RefreshesOnlyWhenIdle) {
    Start();
    EXPECT_TRUE(dlg->OnKeyDown(KEY_ENTER));
    EXPECT_TRUE(dlg->OnKeyDown(KEY_ESCAPE));
    EXPECT_FALSE(dlg->OnKeyDown('A'));
    EXPECT_EQ(view.workerStarts, 0);
    EXPECT_TRUE(dlg->OnKeyDown(KEY_F5));
    EXPECT_EQ(view.workerStarts, 1);
    dlg->m_pUpdateThread = &view;
    EXPECT_TRUE(dlg->OnKeyDown(KEY_F5));
    dlg->m_pUpdateThread = nullptr;
    dlg->m_bOperationDone = 1;
    EXPECT_TRUE(dlg->OnKeyDown(KEY_F5));
    EXPECT_EQ(view.workerStarts, 1);
}

TEST_F(MainWindow, DeviceChangeStormRunsOneWorkerAndEndsRight) {
    Launch();
    view.deferWorkers = true;
    bus.Plug(NORMAL);
    dlg->OnDeviceChange(3); // not a device-nodes change
    for (int i = 0; i < 50; ++i)
        dlg->OnDeviceChange(DEVICE_NODES_CHANGED);
    EXPECT_EQ(view.workerStarts, 1);
    view.RunPendingWorkers();
    EXPECT_EQ(dlg->m_pDetectThread, nullptr);
    EXPECT_EQ(view.deviceList, L"Norvane Tembly ZQ4MKT");
    EXPECT_EQ(Status(), FormatText(Text(109), {MODEL_NAME}) + L"\n" +
                            FormatText(Text(121), {L"1.20", L"1.23"}));
    EXPECT_TRUE(view[IDC_ACTION].enabled);
    EXPECT_TRUE(view.tray.back().connected);

    bus.Unplug(NORMAL);
    dlg->OnDeviceChange(DEVICE_NODES_CHANGED);
    view.RunPendingWorkers();
    EXPECT_TRUE(view.deviceList.empty());
    EXPECT_FALSE(view[IDC_DEVICE_LIST].enabled);
    EXPECT_FALSE(view[IDC_ACTION].enabled);
    EXPECT_FALSE(view.tray.back().connected);
}

TEST_F(MainWindow, OldModelIsAskedAboutAndCountsAsNoDevice) {
    bus.Plug(OLD_MODEL);
    world.machine.Set(L"Software\\Classes\\.htm", L"", L"htmlfile");
    world.machine.Set(L"Software\\Classes\\htmlfile\\shell\\open\\command", L"", L"b.exe %1");
    for (const int answer : {2, 1}) {
        view.answers = {answer};
        Start();
        ASSERT_FALSE(view.questions.empty());
        EXPECT_EQ(view.questions.back().firstLine, Text(212));
        EXPECT_EQ(view.questions.back().linkAddress, Text(214));
        EXPECT_EQ(view.questions.back().linkX, 85);
        EXPECT_EQ(dlg->m_bDeviceConnected, 0);
        EXPECT_FALSE(view.tray.back().connected);
    }
    // Only the "yes" opened the page, with the machine's browser.
    ASSERT_EQ(world.processes.shownStarts.size(), 1u);
    EXPECT_EQ(world.processes.shownStarts[0].first, L"b.exe  " + Text(214));
}

TEST_F(MainWindow, UpdatePageStatusTable) {
    struct Row {
        int32_t launch, connected, offered, done;
        uint16_t status; // 0 = empty, 1 = the two versions
        bool action;
    };
    const Row rows[] = {
        {0, 1, 1, 0, 0, false}, {0, 0, 1, 1, 123, false}, {1, 0, 1, 0, 0, false},
        {1, 1, 1, 0, 1, true},  {1, 1, 0, 0, 123, false}, {1, 1, 1, 1, 123, false},
    };
    bus.Plug(NORMAL);
    Start();
    for (const Row& row : rows) {
        dlg->m_bOpenedByLaunch = row.launch;
        dlg->m_bDeviceConnected = row.connected;
        dlg->m_bUpdateOffered = row.offered;
        dlg->m_bOperationDone = row.done;
        dlg->ShowOperationPage(true);
        const std::wstring expected = row.status == 0 ? L""
                                      : row.status == 1
                                          ? FormatText(Text(109), {MODEL_NAME}) + L"\n" +
                                                FormatText(Text(121), {L"1.20", L"1.23"})
                                          : Text(row.status);
        EXPECT_EQ(Status(), expected) << row.launch << row.connected << row.offered << row.done;
        EXPECT_EQ(view[IDC_ACTION].enabled, row.action);
        EXPECT_EQ(view[IDC_ACTION].caption, 104);
        EXPECT_TRUE(view[IDC_UPDATE_TAB].checked);
        EXPECT_FALSE(view[IDC_KEY_PICTURE].shown);
    }
}

TEST_F(MainWindow, RepairPageWithANormalPlayerShowsOnlyTheInstructions) {
    bus.Plug(NORMAL);
    Launch();
    dlg->OnRepairTab();
    EXPECT_TRUE(view[IDC_REPAIR_TAB].checked);
    EXPECT_FALSE(view[IDC_ACTION].shown);
    EXPECT_FALSE(view[IDC_STATUS].shown);
    EXPECT_FALSE(view[IDC_DOT_FIRST].shown);
    for (int id = IDC_KEY_PICTURE; id <= IDC_REPAIR_RECONNECT; ++id)
        EXPECT_TRUE(view[id].shown) << id;
    view[IDC_REPAIR_TAIL].shown = false;
    dlg->OnRepairTab(); // already checked: nothing
    dlg->ShowOperationPage(false);
    EXPECT_FALSE(view[IDC_REPAIR_TAIL].shown); // a single blank in English stays out
    dlg->OnUpdateTab();
    EXPECT_FALSE(view[IDC_KEY_PICTURE].shown);
    EXPECT_TRUE(view[IDC_ACTION].enabled);
}

struct Outcome {
    const char* name;
    const char* failure; // simulated by the library's results
    bool stayUpToDate;
    uint16_t text;
    uint16_t secondText;
    int32_t picture;
    bool owned;
};

TEST_F(MainWindow, UpdateWorkerOutcomes) {
    const Outcome outcomes[] = {
        {"library error", "DoNormalUpdate", false, 150, 0, PICTURE_WARNING, false},
        {"player up to date by then", "", true, 122, 0, PICTURE_NOTICE, true},
        {"update done", "", false, 111, 181, PICTURE_NOTICE, true},
    };
    for (const Outcome& outcome : outcomes) {
        view = CFakeMainView();
        library.results.clear();
        library.calls.clear();
        bus.slots.clear();
        bus.Plug(NORMAL);
        library.SetVersionText("1.20");
        if (*outcome.failure)
            library.results[outcome.failure] = 5;
        Launch();
        if (outcome.stayUpToDate) // another copy updated the player meanwhile
            view.onWorker = [this] { dlg->m_pCurrentDevice->deviceVersion.packed = 0x7FFFFF; };
        dlg->OnActionButton();
        const std::wstring expected = outcome.secondText
                                          ? Text(outcome.text) + L"\n" + Text(outcome.secondText)
                                          : Text(outcome.text);
        ASSERT_EQ(view.messages.size(), 1u) << outcome.name;
        EXPECT_EQ(view.messages[0].text, expected) << outcome.name;
        EXPECT_EQ(view.messages[0].pictureKind, outcome.picture) << outcome.name;
        EXPECT_EQ(view.messages[0].owned, outcome.owned) << outcome.name;
        EXPECT_EQ(dlg->m_pUpdateThread, nullptr);
        EXPECT_TRUE(view[IDC_CLOSE].enabled);
        EXPECT_TRUE(view.systemClose);
        EXPECT_FALSE(view[IDC_OPERATION_WARNING].shown);
        EXPECT_TRUE(view[IDC_LINK].shown);
        EXPECT_FALSE(view.timers.count(TIMER_ANIMATION));
    }
    // After a successful update the page no longer offers one.
    EXPECT_EQ(Status(), Text(123));
}

TEST_F(MainWindow, UpdateSendsTheKeyAndFolderAndThePlayerComesBackUpToDate) {
    bus.Plug(NORMAL);
    Launch();
    dlg->OnActionButton();
    ASSERT_EQ(view.messages.size(), 1u);
    const auto update =
        std::find_if(library.calls.begin(), library.calls.end(),
                     [](const auto& call) { return call.entry == "DoNormalUpdate"; });
    ASSERT_NE(update, library.calls.end());
    EXPECT_EQ(update->deviceKey, "0123ABCD");
    EXPECT_EQ(update->folder,
              "C:\\Quillmate\\Firmware\\PULO5"); // the folder whose version it shows
    EXPECT_EQ(Status(), Text(123));
    EXPECT_FALSE(view[IDC_ACTION].enabled);
    // Reconnected, the player shows the new version; the button still offers, but only says so.
    view.messages.clear();
    library.SetVersionText("1.23");
    bus.Unplug(NORMAL);
    dlg->RefreshDevicePresence(1);
    bus.Plug(NORMAL);
    dlg->RefreshDevicePresence(1);
    EXPECT_TRUE(view[IDC_ACTION].enabled);
    dlg->OnActionButton();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, Text(122));
    EXPECT_EQ(view.workerStarts, 1);
}

TEST_F(MainWindow, PlayerGoneMidUpdateClearsTheConnection) {
    bus.Plug(NORMAL);
    Launch();
    library.onUpdate = [this](const std::string&) { bus.slots.clear(); };
    dlg->OnActionButton();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, Text(150));
    EXPECT_EQ(dlg->m_bDeviceConnected, 0);
    EXPECT_EQ(Status(), L"");
    EXPECT_FALSE(view.tray.back().connected);
}

TEST_F(MainWindow, FailedPackageInstallFlashesNothing) {
    bus.Plug(NORMAL);
    Launch();
    dlg->m_pCurrentDevice->downloadedFirmwareReady = 1;
    dlg->m_pCurrentDevice->packagePath = L"C:\\nowhere\\missing.exe";
    library.calls.clear();
    dlg->OnActionButton();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, Text(150));
    EXPECT_TRUE(std::none_of(library.calls.begin(), library.calls.end(),
                             [](const auto& call) { return call.entry == "DoNormalUpdate"; }));
}

TEST_F(MainWindow, RecoveryPlayerIsRepairedAfterTheQuestion) {
    Launch();
    bus.Plug(RECOVERY);
    view.answers = {1};
    dlg->OnDeviceChange(DEVICE_NODES_CHANGED);
    ASSERT_EQ(view.questions.size(), 1u);
    const QuestionArgs& question = view.questions[0];
    EXPECT_EQ(question.firstLine, Text(138) + L"\n" + Text(211) + L"\n" + Text(116));
    EXPECT_EQ(question.secondLine, Text(118));
    EXPECT_EQ(question.leftKey + question.rightKey, Text(200) + Text(201));
    EXPECT_EQ(library.calls.back().entry, "DoRecoveryUpdate");
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, Text(144) + L"\n" + Text(180));
    EXPECT_EQ(Status(), Text(120));
    EXPECT_FALSE(view[IDC_UPDATE_TAB].shown);
}

TEST_F(MainWindow, DeclinedRepairLeavesTheButtonAndAGonePlayerResetsThePage) {
    Launch();
    bus.Plug(RECOVERY);
    dlg->OnDeviceChange(DEVICE_NODES_CHANGED); // answered "no"
    EXPECT_EQ(Status(), Text(138));
    EXPECT_TRUE(view[IDC_ACTION].enabled);
    EXPECT_EQ(view[IDC_ACTION].caption, 105);

    view.answers = {1};
    view.onQuestion = [this] { bus.slots.clear(); };
    dlg->OnActionButton(); // asks again; the player leaves meanwhile
    EXPECT_EQ(view.workerStarts, 1);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(dlg->m_bRecoveryMode, 0);
    EXPECT_TRUE(view[IDC_UPDATE_TAB].checked);
    EXPECT_FALSE(view[IDC_DEVICE_LIST].enabled);
}

TEST_F(MainWindow, MissingLibraryFailsEveryUpdateWithinTheWaits) {
    library.exports.clear();
    bus.Plug(NORMAL);
    Launch();
    dlg->m_pCurrentDevice->deviceVersion = FirmwareVersion{};
    dlg->OnActionButton();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, Text(150));
    EXPECT_LE(world.clock.sleeps, 200);
}

TEST_F(MainWindow, TrayCommands) {
    Start();
    dlg->OnTrayCallback(MOUSE_RBUTTONUP);
    EXPECT_EQ(view.trayMenus.back(), Text(207));
    dlg->OnCommand(ID_TRAY_TOGGLE_CHECK);
    EXPECT_EQ(world.Value(VALUE_CHECK_ENABLED), L"0");
    dlg->OnTrayCallback(MOUSE_RBUTTONUP);
    EXPECT_EQ(view.trayMenus.back(), Text(206));

    // Launch with checks off and no server: no probe, no notice.
    world.internet.opened.clear();
    dlg->OnTrayCallback(MOUSE_LBUTTONDBLCLK);
    EXPECT_TRUE(view.windowShown);
    EXPECT_TRUE(world.internet.opened.empty());
    EXPECT_TRUE(view.posted.size() == 1); // only the start-up decision
    EXPECT_FALSE(view.trayItemsEnabled);
    dlg->OnTrayCallback(MOUSE_LBUTTONDBLCLK);
    EXPECT_EQ(view.fronts, 1);
    dlg->OnShowDialogMessage(); // already open: ignored
    EXPECT_EQ(view.startScreens, 1);

    dlg->OnCommand(IDC_CLOSE);
    EXPECT_FALSE(view.windowShown);
    EXPECT_TRUE(view.trayItemsEnabled);

    dlg->OnCommand(ID_TRAY_CHECK_FOR_UPDATES); // server down
    EXPECT_EQ(view.posted.back(), UM_NO_CONNECTION);
    dlg->OnNoConnection();
    EXPECT_EQ(view.popups, std::vector<uint16_t>{209});

    dlg->m_bCalloutShowing = 1;
    dlg->OnShowDialogMessage();
    EXPECT_EQ(view.startScreens, 1);
}

TEST_F(MainWindow, ExitAsksAndEndsOnlyAfterYes) {
    Start();
    dlg->OnCommand(ID_TRAY_EXIT);
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(view.questions[0].secondLine,
              FormatText(Text(210), {L"Norvane Quillmate Tembly ZQ4MKT"}));
    EXPECT_FALSE(view.ended);
    view.answers = {1};
    dlg->OnCommand(ID_TRAY_EXIT);
    EXPECT_TRUE(view.ended);
    EXPECT_EQ(view.tray.back().operation, TRAY_REMOVE);
    EXPECT_EQ(dlg->m_bTrayIconShown, 0);
}

TEST_F(MainWindow, DestroyTrayIconMessageEndsAfterTheRunningUpdate) {
    bus.Plug(NORMAL);
    Launch();
    view.deferWorkers = true;
    library.onUpdate = [this](const std::string&) { bus.slots.clear(); }; // player pulled
    dlg->OnActionButton();
    dlg->OnDestroyTrayIconMessage();
    EXPECT_EQ(view.tray.back().operation, TRAY_REMOVE);
    EXPECT_TRUE(view.ended);
    world.clock.onSleep = [this](int) { view.RunPendingWorkers(); };
    dlg->WaitForWorkers();
    EXPECT_EQ(dlg->m_pUpdateThread, nullptr);
    EXPECT_EQ(view.messages.size(), 1u); // the update ran to its end
}

TEST_F(MainWindow, OpenMainWindowWithChecksOffStaysOffline) {
    world.Set(VALUE_CHECK_ENABLED, L"0");
    Start();
    world.internet.opened.clear();
    dlg->OnStartupDecision();
    EXPECT_TRUE(world.internet.opened.empty());
    EXPECT_TRUE(view.windowShown);
    EXPECT_FALSE(view.startScreenUp);
    EXPECT_EQ(app.starts, 1);
    EXPECT_EQ(dlg->m_bWindowOpen, 1);
}

TEST_F(MainWindow, RecoveryPlayerAtOpenStartsThePresenceWorker) {
    bus.Plug(RECOVERY);
    Start();
    view.deferWorkers = true;
    dlg->OnStartupDecision();
    EXPECT_EQ(view.workerStarts, 1);
    EXPECT_NE(dlg->m_pDetectThread, nullptr);
}
} // namespace
