#include "engine/product_keys.h"
#include "online/browser.h"
#include "online/online_system.h"
#include "tests/support/fake_online.h"
#include "ui/open_address.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
const wchar_t* const START_MENU = L"Software\\Clients\\StartMenuInternet";

// The program as it always runs: with an administrator token.
class ElevatedHandOff : public testing::Test {
  protected:
    COnlineWorld world{PULO5_KEY};
    COnlineSystem online{world.platform};

    void SetUp() override {
        ASSERT_TRUE(world.system.admin);
        // What an unelevated process of the same user can plant.
        world.user.Set(START_MENU, L"", L"Planted");
        world.user.Set(L"Software\\Clients\\StartMenuInternet\\Planted\\shell\\open\\command", L"",
                       L"C:\\Users\\u\\planted.exe");
        world.classes.Set(L".htm", L"", L"plantedfile");
        world.classes.Set(L"plantedfile\\shell\\open\\command", L"", L"C:\\Users\\u\\planted.exe");
    }
    void RegisterMachineBrowser() {
        world.machine.Set(START_MENU, L"", L"IEXPLORE.EXE");
        world.machine.Set(
            L"Software\\Clients\\StartMenuInternet\\IEXPLORE.EXE\\shell\\open\\command", L"",
            L"C:\\ie\\iexplore.exe");
    }
};

TEST_F(ElevatedHandOff, TheBrowserComesOnlyFromTheMachine) {
    EXPECT_EQ(GetDefaultBrowserCommand(world.platform), L"");
    EXPECT_EQ(online.OpenInBrowser(L"http://h/news.htm"), 0);
    RegisterMachineBrowser();
    EXPECT_EQ(GetDefaultBrowserCommand(world.platform), L"C:\\ie\\iexplore.exe");
    ASSERT_EQ(online.OpenInBrowser(L"http://h/news.htm"), 1);
    EXPECT_EQ(world.processes.starts,
              std::vector<std::wstring>{L"C:\\ie\\iexplore.exe http://h/news.htm"});
    // The same world without an administrator token takes the user's choice, as it may.
    world.system.admin = false;
    EXPECT_EQ(GetDefaultBrowserCommand(world.platform), L"C:\\Users\\u\\planted.exe");
}

TEST_F(ElevatedHandOff, LinksSkipTheShellAndTakeTheMachinesHtmlClass) {
    EXPECT_EQ(OpenAddress(world.platform, L"http://h/", 1), OPEN_ADDRESS_REFUSED);
    world.machine.Set(L"Software\\Classes\\.htm", L"", L"htmlfile");
    world.machine.Set(L"Software\\Classes\\htmlfile\\shell\\open\\command", L"",
                      L"\"C:\\ie\\iexplore.exe\" \"%1\"");
    EXPECT_EQ(OpenAddress(world.platform, L"http://h/", 5), OPEN_ADDRESS_STARTED);
    EXPECT_TRUE(world.shell.opens.empty());
    EXPECT_EQ(world.processes.shownStarts, (std::vector<std::pair<std::wstring, int>>{
                                               {L"\"C:\\ie\\iexplore.exe\"  http://h/", 5}}));
}

TEST(HandOffAddress, OnlyShortAsciiWebAddresses) {
    const struct {
        std::wstring address;
        bool accepted;
    } cases[] = {
        {L"http://h/news.htm", true},
        {L"HTTPS://h/a?b=c&d=%20", true},
        {L"http://h/caf\u00e9.htm", false},     // not ASCII
        {L"http://h/\u202enoisrev.htm", false}, // a direction override hides what follows
        {L"http://\u0445.example/", false},     // a look-alike host
        {L"http://h/a\u3000b", false},          // an ideographic blank
        {L"http://h/a b", false},
        {L"http://h/a\"b", false},
        {L"file:///C:/x.exe", false},
        {L"http://h/" + std::wstring(BROWSER_COMMAND_CHARS - 10, L'a'), true},
        {L"http://h/" + std::wstring(BROWSER_COMMAND_CHARS - 9, L'a'), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsHandOffAddress(c.address), c.accepted) << c.address.size();
}

TEST(HandOffAddress, TheCommandLineIsCappedLikeALinksCommand) {
    const std::wstring command = L"C:\\b.exe";
    const std::wstring fits = L"http://h/" + std::wstring(519 - command.size() - 10, L'a');
    std::wstring line;
    ASSERT_TRUE(JoinBrowserCommand(command, fits, line));
    EXPECT_EQ(line.size(), BROWSER_COMMAND_CHARS - 1);
    EXPECT_EQ(line, command + L" " + fits);
    line = L"unchanged";
    EXPECT_FALSE(JoinBrowserCommand(command, fits + L"a", line));
    EXPECT_EQ(line, L"unchanged");
}

TEST_F(ElevatedHandOff, ALongBrowserCommandIsRefusedNotCut) {
    world.machine.Set(START_MENU, L"", L"Long");
    world.machine.Set(L"Software\\Clients\\StartMenuInternet\\Long\\shell\\open\\command", L"",
                      L"C:\\" + std::wstring(500, L'b') + L".exe");
    EXPECT_EQ(online.OpenInBrowser(L"http://h/" + std::wstring(20, L'n')), 0);
    EXPECT_TRUE(world.processes.starts.empty());
}
} // namespace
