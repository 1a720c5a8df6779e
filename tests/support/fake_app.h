#pragma once
// Recording stand-ins for the application shell's ports: the windowing host, the running copy
// and the system side of autoplay suppression. Each step lands in one shared journal, so that
// tests can check the order of start-up.
#include "app/app_host.h"
#include "platform/autoplay_system.h"
#include "platform/running_copy.h"
#include <map>
#include <string>
#include <vector>

using Journal = std::vector<std::string>;

class CFakeAppHost : public IAppHost {
  public:
    explicit CFakeAppHost(Journal& journal) : m_journal(journal) {}
    bool watcherStarts = true;
    std::vector<uint16_t> warnings;
    uint16_t warningLanguage = 0;
    int32_t warningRightToLeft = -1;
    uint32_t textColour = 0xFFFFFFFF;
    uint32_t backgroundColour = 0;
    MainWindowArgs window{-1, 0, -1, -1};
    IAutoPlayControl* windowApp = nullptr;
    uint32_t stopWait = 0;

    void InitialiseControls() override { m_journal.push_back("controls"); }
    void SetColours(uint32_t text, uint32_t background) override {
        textColour = text;
        backgroundColour = background;
        m_journal.push_back("colours");
    }
    void ShowWarning(uint16_t language, int32_t rightToLeft, uint16_t messageId) override {
        warnings.push_back(messageId);
        warningLanguage = language;
        warningRightToLeft = rightToLeft;
        m_journal.push_back("warning " + std::to_string(messageId));
    }
    bool StartHotplugWatcher() override {
        m_journal.push_back("watcher start");
        return watcherStarts;
    }
    void StopHotplugWatcher(uint32_t milliseconds) override {
        stopWait = milliseconds;
        m_journal.push_back("watcher stop");
    }
    void InitialiseCom() override { m_journal.push_back("com init"); }
    void ReleaseCom() override { m_journal.push_back("com release"); }
    void CreateMainWindow(IAutoPlayControl& app, const MainWindowArgs& args) override {
        windowApp = &app;
        window = args;
        m_journal.push_back("window create");
    }
    void RunMainWindow() override { m_journal.push_back("window run"); }
    void DestroyMainWindow() override { m_journal.push_back("window destroy"); }
    void DrainMessageQueue() override { m_journal.push_back("drain"); }

  private:
    Journal& m_journal;
};

class CFakeRunningCopy : public IRunningCopy {
  public:
    explicit CFakeRunningCopy(Journal& journal) : m_journal(journal) {}
    MutexCreation mutex{true, false};
    bool windowExists = false;
    std::wstring mutexName;
    std::wstring searchedTitle;

    void BroadcastShowDialog() override { m_journal.push_back("broadcast"); }
    MutexCreation CreateInstanceMutex(const wchar_t* name) override {
        mutexName = name;
        m_journal.push_back("mutex");
        return mutex;
    }
    bool BringForward(const std::wstring& title) override {
        searchedTitle = title;
        m_journal.push_back(windowExists ? "bring forward" : "no window");
        return windowExists;
    }

  private:
    Journal& m_journal;
};

// The user's and the machine's autoplay values as a map; the running object table as a set of
// cookies.
class CFakeAutoPlaySystem : public IAutoPlaySystem {
  public:
    bool keyAvailable = true;
    bool userValuePresent = false;
    uint32_t userValue = 0;
    bool writesSucceed = true;
    int userWrites = 0;
    std::vector<std::wstring> machineClasses;
    int32_t registerResult = 0;
    bool tableAvailable = true;
    std::vector<uint32_t> registered;
    uint32_t nextCookie = 7;

    UserValueRead ReadUserDisableAutoplay(uint32_t& value) override {
        if (!keyAvailable)
            return UserValueRead::NO_KEY;
        value = userValue;
        return userValuePresent ? UserValueRead::READ : UserValueRead::UNREADABLE;
    }
    bool WriteUserDisableAutoplay(uint32_t value) override {
        ++userWrites;
        if (writesSucceed) {
            userValue = value;
            userValuePresent = true;
        }
        return writesSucceed;
    }
    bool WriteMachineCancelClass(const std::wstring& classText) override {
        machineClasses.push_back(classText);
        return true;
    }
    int32_t RegisterCanceller(const ComGuid&, uint32_t& cookie) override {
        if (registerResult >= 0) {
            cookie = nextCookie++;
            registered.push_back(cookie);
        }
        return registerResult;
    }
    bool RevokeCanceller(uint32_t cookie) override {
        if (!tableAvailable)
            return false;
        std::erase(registered, cookie);
        return true;
    }
};
