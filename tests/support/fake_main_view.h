#pragma once
// A recording stand-in for the main window: control states by id, timers, posted messages,
// tray calls and dialogs answered from a script. Workers run at once on the calling thread,
// or wait in a queue for the test to run them.
#include "main_window/main_view.h"
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

class CFakeMainView : public IMainView {
  public:
    struct Control {
        bool shown = true;
        bool enabled = true;
        bool checked = false;
        std::wstring text;
        uint16_t caption = 0;
    };
    struct TrayCall {
        int32_t operation;
        bool connected;
        std::wstring tip;
    };

    std::map<int, Control> controls;
    bool dots[8] = {};
    std::wstring deviceList;
    std::set<uint32_t> timers;
    std::vector<uint32_t> posted;
    std::vector<TrayCall> tray;
    int trayRefusals = 0; // NIM_ADD fails this many times first
    std::vector<std::wstring> trayMenus;
    std::deque<int> answers; // dialog results in order; 2 when the script is empty
    std::vector<MessageArgs> messages;
    std::vector<QuestionArgs> questions;
    std::function<void()> onQuestion;
    bool calloutAccepts = false;
    int callouts = 0;
    std::vector<uint16_t> popups;
    int abouts = 0;
    int startScreens = 0;
    bool startScreenUp = false;
    std::wstring startLabel;
    bool windowShown = false;
    int hides = 0;
    int fronts = 0;
    bool trayItemsEnabled = true;
    bool systemClose = true;
    bool ended = false;
    bool deferWorkers = false;
    bool workersStart = true;
    std::vector<std::pair<WorkerSlot*, std::function<void()>>> pendingWorkers;
    int workerStarts = 0;
    std::function<void()> onWorker; // runs before each worker

    Control& operator[](int id) { return controls[id]; }
    void RunPendingWorkers() {
        while (!pendingWorkers.empty()) {
            auto work = std::move(pendingWorkers.front().second);
            pendingWorkers.erase(pendingWorkers.begin());
            work();
        }
    }

    void ShowControl(int id, bool show) override { controls[id].shown = show; }
    void EnableControl(int id, bool enable) override { controls[id].enabled = enable; }
    void SetControlText(int id, const std::wstring& text) override { controls[id].text = text; }
    void RepaintControl(int) override {}
    void SetCheck(int id, bool checked) override { controls[id].checked = checked; }
    bool IsChecked(int id) override { return controls[id].checked; }
    void SetButtonCaption(int id, uint16_t messageId) override { controls[id].caption = messageId; }
    void SetDot(int index, bool lit) override { dots[index] = lit; }
    void SetDeviceList(const std::wstring& entry) override { deviceList = entry; }
    void RepaintWindow() override {}
    void HideIntoTray() override {
        windowShown = false;
        ++hides;
    }
    void ShowCentred() override { windowShown = true; }
    void BringToFront() override { ++fronts; }
    void EnableSystemClose(bool enable) override { systemClose = enable; }
    void EnableTrayItems(bool enable) override { trayItemsEnabled = enable; }
    void EndModal() override { ended = true; }
    uintptr_t WindowHandle() override { return 0x1234; }
    void StartTimer(uint32_t id, uint32_t) override { timers.insert(id); }
    void StopTimer(uint32_t id) override { timers.erase(id); }
    void PostToSelf(uint32_t message) override { posted.push_back(message); }
    CDownloadCallback::NotifyFunction ProgressNotification() override { return nullptr; }
    bool NotifyTrayIcon(int32_t operation, bool connected, const std::wstring& tip) override {
        tray.push_back({operation, connected, tip});
        if (operation == 1 && trayRefusals > 0) {
            --trayRefusals;
            return false;
        }
        return true;
    }
    void TrackTrayMenu(const std::wstring& toggleText) override { trayMenus.push_back(toggleText); }
    int RunMessage(const MessageArgs& args) override {
        messages.push_back(args);
        return NextAnswer();
    }
    int RunQuestion(const QuestionArgs& args) override {
        questions.push_back(args);
        if (onQuestion)
            onQuestion();
        return NextAnswer();
    }
    bool RunCallout() override {
        ++callouts;
        return calloutAccepts;
    }
    void RunPopup(uint16_t messageId) override { popups.push_back(messageId); }
    void RunAbout() override { ++abouts; }
    void ShowStartScreen(bool) override {
        ++startScreens;
        startScreenUp = true;
    }
    void SetStartScreenLabel(const std::wstring& text) override { startLabel = text; }
    void HideStartScreen() override { startScreenUp = false; }
    bool StartWorker(WorkerSlot& slot, std::function<void()> work) override {
        if (!workersStart)
            return false;
        ++workerStarts;
        slot = this;
        if (onWorker)
            onWorker();
        if (deferWorkers)
            pendingWorkers.emplace_back(&slot, std::move(work));
        else
            work();
        return true;
    }

  private:
    int NextAnswer() {
        if (answers.empty())
            return 2;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
