#include "app/working_folder.h"
#include "engine/action_fw_dn.h"
#include "engine/firmware_folder.h"
#include "engine/product_keys.h"
#include "tests/support/fake_online.h"
#include <gtest/gtest.h>

namespace {
const std::string PLAYER =
    "\\\\?\\usb#vid_0471&pid_2186#0123abcd#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

struct FolderRow {
    const wchar_t* runPath;
    const wchar_t* folderName;
    const wchar_t* folder;
};

// The program runs from C:\Inst (the fake system's command line).
const FolderRow ROWS[] = {
    {L"C:\\Prog\\Q", L"\\Firmware\\PULO5\\", L"C:\\Prog\\Q\\Firmware\\PULO5"},
    {L"C:\\Prog\\Q\\", L"FW", L"C:\\Prog\\Q\\FW"},
    {L"C:\\Prog\\Q\\", L"\\FW", L"C:\\Prog\\Q\\FW"},
    {L"C:\\Prog\\Q", L"Firmware\\PULO5", L"C:\\Prog\\Q\\Firmware\\PULO5"},
    {L"C:\\Prog\\Q", L"", L"C:\\Inst\\Firmware\\PULO5"},
    {L"C:\\Prog\\Q", L"\\", L"C:\\Inst\\Firmware\\PULO5"},
    {L"C:\\Prog\\Q", L"\\\\", L"C:\\Inst\\Firmware\\PULO5"},
};

// Start-up's working folder, the folder the library flashes from and the folder the online state
// reads the package version from are one and the same for every installation.
TEST(FirmwareFolder, StartUpBindingAndOnlineStateAgree) {
    for (const FolderRow& row : ROWS) {
        SCOPED_TRACE(testing::Message() << "run path " << testing::PrintToString(row.runPath)
                                        << ", folder " << testing::PrintToString(row.folderName));
        COnlineWorld world(PULO5_KEY);
        CFakeUsbBus bus;
        CFakeUpgradeLibrary library;
        CFakeMutexes mutexes;
        world.platform.usb = &bus;
        world.platform.upgradeLibrary = &library;
        world.platform.mutexes = &mutexes;
        world.Set(VALUE_RUN_PATH, row.runPath);
        world.Set(VALUE_FW_FOLDER, row.folderName);

        EXPECT_EQ(WorkingFolder(world.machine, world.system.CommandLine()), row.folder);

        ActionFwDn binding(world.platform, MODEL_PULO5, nullptr);
        world.disk.AddFile(std::wstring(row.folder) + L"\\fw.ini",
                           COnlineWorld::Description(0, 1, 7));
        EXPECT_EQ(binding.LoadOnlineSettings(), 1);
        EXPECT_EQ(binding.firmwareFolder, row.folder);
        EXPECT_EQ(binding.firmwareInfoPath, std::wstring(row.folder) + L"\\fw.ini");

        bus.Plug(PLAYER);
        ASSERT_EQ(binding.FindDevice(), MATCH_NORMAL);
        binding.RunUpgrade();
        ASSERT_EQ(library.calls.size(), 2u);
        EXPECT_EQ(library.calls[1].folder,
                  std::string(row.folder, row.folder + wcslen(row.folder)));
    }
}

TEST(FirmwareFolder, MissingValuesCountAsEmpty) {
    CFakeSettingsStore settings;
    EXPECT_EQ(ReadFirmwareFolder(settings, PULO4_KEY, L"D:\\x\\q.exe"), L"D:\\x\\Firmware\\PULO5");
    settings.Set(PULO4_KEY, VALUE_RUN_PATH, L"E:\\Q");
    EXPECT_EQ(ReadFirmwareFolder(settings, PULO4_KEY, L"D:\\x\\q.exe"), L"D:\\x\\Firmware\\PULO5");
    settings.Set(PULO4_KEY, VALUE_FW_FOLDER, L"FW4");
    EXPECT_EQ(ReadFirmwareFolder(settings, PULO4_KEY, L"D:\\x\\q.exe"), L"E:\\Q\\FW4");
    EXPECT_EQ(ReadFirmwareFolder(settings, PULO5_KEY, L"q.exe"), L"\\Firmware\\PULO5");
}
} // namespace
