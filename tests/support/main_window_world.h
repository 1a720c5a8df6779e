#pragma once
// The main window's model in a world of fakes: the installation's registry values for both
// product keys, a carried package of 1.23, a player that answers 1.20 and re-enumerates after
// an update, the catalogue and a recording view.
#include "engine/product_keys.h"
#include "main_window/main_ids.h"
#include "main_window/quillmate_dlg.h"
#include "res/resource.h"
#include "tests/support/builtin_message_source.h"
#include "tests/support/fake_engine.h"
#include "tests/support/fake_main_view.h"
#include "tests/support/fake_online.h"
#include "tests/support/fakes.h"
#include <gtest/gtest.h>
#include <memory>

namespace main_window_world {
const std::string GUID = "{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
const std::string NORMAL = "\\\\?\\usb#vid_0471&pid_2186#0123abcd#" + GUID;
const std::string RECOVERY = "\\\\?\\USB#VID_10D6&PID_10D6#LOADER01#" + GUID;
const std::string OLD_MODEL = "\\\\?\\usb#vid_0471&pid_213e#77#" + GUID;

class CFakeApp : public IAutoPlayControl {
  public:
    int starts = 0;
    int stops = 0;
    void StartAutoPlayReject() override { ++starts; }
    void StopAutoPlayReject() override { ++stops; }
};

class MainWindow : public testing::Test {
  protected:
    COnlineWorld world{PULO5_KEY};
    CFakeUsbBus bus;
    CFakeUpgradeLibrary library;
    CFakeMutexes mutexes;
    CBuiltInMessageSource messages;
    CFakeVersionResource version;
    CFakeMainView view;
    CFakeApp app;
    std::unique_ptr<CQuillmateDlg> dlg;

    MainWindow() {
        Platform& platform = world.platform;
        platform.usb = &bus;
        platform.upgradeLibrary = &library;
        platform.mutexes = &mutexes;
        platform.messages = &messages;
        platform.versionResource = &version;
        for (const auto& [key, text] : std::map(world.machine.values))
            world.machine.Set(PULO4_KEY, key.second.c_str(), text);
        world.disk.AddFile(COnlineWorld::INFO_PATH, COnlineWorld::Description(0, 1, 23));
        library.SetVersionText("1.20");
        // An update takes the player through its loader identity and back.
        library.onUpdate = [this](const std::string& entry) {
            bus.Unplug(NORMAL);
            if (entry == "DoNormalUpdate")
                bus.Plug(RECOVERY);
            world.clock.onSleep = [this](int) {
                bus.Unplug(RECOVERY);
                bus.Plug(NORMAL);
                world.clock.onSleep = nullptr;
            };
        };
    }
    void Start(int32_t silent = 0) {
        dlg = std::make_unique<CQuillmateDlg>(world.platform, view, app, 0, 1033, 0);
        dlg->SetSilent(silent);
        dlg->OnInitDialog();
    }
    void ServerUp(int offeredMinor = 23) {
        world.internet.Serve(L"http://primary/fw.txt", "version=V1." +
                                                           std::to_string(offeredMinor) +
                                                           "\r\nurl=http://h/p.exe\r\n");
    }
    void Launch() {
        Start();
        dlg->OnStartupDecision();
    }
    std::wstring Text(uint16_t id) {
        std::wstring text;
        CMessageCatalogue(messages).Load(text, 1033, id);
        return text;
    }
    std::wstring Status() { return view[IDC_STATUS].text; }
};
} // namespace main_window_world
