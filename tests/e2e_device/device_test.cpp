#include "engine/action_fw_dn.h"
#include "engine/product_keys.h"
#include "app/win32/win32_platform.h"
#include "tools/player_sim/win32/sim_harness.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <dbt.h>
#include <string>
#include <thread>

namespace {
const wchar_t* const CHILD_VARIABLE = L"QM_E2E_CHILD";
const wchar_t* const CHILD_READY_EVENT = L"QuillmateE2E ChildReady";

int SimNumber(const wchar_t* name) {
    wchar_t text[32] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\QuillmateSimulator", name, RRF_RT_REG_SZ,
                     nullptr, text, &size) != ERROR_SUCCESS)
        return 0;
    return _wtoi(text);
}

// An installation in the simulator's folder: the library beside the program, a firmware folder
// with a package description of version 1.30.
class Device : public testing::Test {
  protected:
    CWin32Platform real{GetModuleHandleW(nullptr)};
    Platform& platform = real.Ports();

    static void SetUpTestSuite() {
        const std::wstring folder = sim::ProgramFolder();
        CRegistry registry(HKEY_LOCAL_MACHINE, MACHINE_REGISTRY_VIEW);
        registry.WriteString(PULO5_KEY, VALUE_RUN_PATH, folder);
        registry.WriteString(PULO5_KEY, VALUE_FW_FOLDER, L"Firmware\\PULO5");
        CreateDirectoryW((folder + L"\\Firmware").c_str(), nullptr);
        CreateDirectoryW((folder + L"\\Firmware\\PULO5").c_str(), nullptr);
        const std::wstring ini = folder + L"\\Firmware\\PULO5\\fw.ini";
        WritePrivateProfileStringW(L"FIRMWARE", L"MAJORVER", L"0", ini.c_str());
        WritePrivateProfileStringW(L"FIRMWARE", L"MIDVER", L"1", ini.c_str());
        WritePrivateProfileStringW(L"FIRMWARE", L"MINORVER", L"30", ini.c_str());
    }
    void SetUp() override { ASSERT_EQ(sim::RunPlug(L"reset"), 0u); }
    void TearDown() override { sim::RunPlug(L"reset"); }
};

TEST_F(Device, PluggedPlayerIsFoundWithItsVersionAndKey) {
    ASSERT_EQ(sim::RunPlug(L"version 2.07"), 0u);
    ASSERT_EQ(sim::RunPlug(L"plug"), 0u);
    char path[USB_PATH_SIZE];
    ASSERT_EQ(FindUsbDevice(*platform.usb, "0471", "2186", path, sizeof path), 1);
    // Wine builds the path from the instance id in lower case; Windows keeps the case.
    EXPECT_EQ(_stricmp(path, "\\\\?\\USB#VID_0471&PID_2186#QM5SIM0001#{a5dcbf10-6530-11d2-901f-"
                             "00c04fb951ed}"),
              0)
        << path;

    ActionFwDn pulo5(platform, MODEL_PULO5, nullptr);
    ASSERT_NE(pulo5.library, nullptr);
    EXPECT_NE(pulo5.debugPort, nullptr);
    EXPECT_EQ(pulo5.FindDevice(), MATCH_NORMAL);
    EXPECT_EQ(pulo5.recoveryMode, 0);
    EXPECT_STREQ(pulo5.deviceKey, "QM5SIM0001");
    EXPECT_EQ(pulo5.deviceVersion.mid, 2);
    EXPECT_EQ(pulo5.deviceVersion.minor, 7);
    ActionFwDn pulo4(platform, MODEL_PULO4_A, nullptr);
    EXPECT_EQ(pulo4.FindDevice(), MATCH_NONE);
}

TEST_F(Device, RecoveryPlugAndUnplugInOneProcess) {
    ActionFwDn binding(platform, MODEL_PULO5, nullptr);
    EXPECT_EQ(binding.FindDevice(), MATCH_NONE);
    ASSERT_EQ(sim::RunPlug(L"plug recovery"), 0u);
    EXPECT_EQ(binding.FindDevice(), MATCH_RECOVERY);
    EXPECT_EQ(binding.recoveryMode, 1);
    EXPECT_STREQ(binding.deviceKey, "QM5SIM0001");
    EXPECT_EQ(binding.deviceVersion.packed, 0);
    ASSERT_EQ(sim::RunPlug(L"unplug"), 0u);
    EXPECT_EQ(binding.FindDevice(), MATCH_NONE);
    ASSERT_EQ(sim::RunPlug(L"plug"), 0u);
    EXPECT_EQ(binding.FindDevice(), MATCH_NORMAL);
    ASSERT_EQ(sim::RunPlug(L"unplug"), 0u);
    EXPECT_EQ(binding.FindDevice(), MATCH_NONE);
}

TEST_F(Device, LibraryFailuresAsTheBindingSeesThem) {
    ASSERT_EQ(sim::RunPlug(L"plug"), 0u);
    ASSERT_EQ(sim::RunPlug(L"failure info-error"), 0u);
    ActionFwDn binding(platform, MODEL_PULO5, nullptr);
    EXPECT_EQ(binding.FindDevice(), MATCH_NONE);
    ASSERT_EQ(sim::RunPlug(L"failure library-error"), 0u);
    ASSERT_EQ(binding.FindDevice(), MATCH_NORMAL);
    const DWORD start = GetTickCount();
    EXPECT_EQ(binding.RunUpgrade(), 0);
    EXPECT_LT(GetTickCount() - start, 1000u);
}

TEST_F(Device, NormalUpdateIsJudgedByTheRealWaits) {
    ASSERT_EQ(sim::RunPlug(L"version 1.23"), 0u);
    ASSERT_EQ(sim::RunPlug(L"plug"), 0u);
    ActionFwDn binding(platform, MODEL_PULO5, nullptr);
    ASSERT_EQ(binding.FindDevice(), MATCH_NORMAL);
    platform.files->SetCurrentFolder(L"C:\\");
    EXPECT_EQ(binding.RunUpgrade(), 1);
    std::wstring folder;
    platform.files->GetCurrentFolder(folder);
    EXPECT_EQ(folder, L"C:\\");
    // The player comes back with the package's firmware.
    for (int i = 0; i < 20 && binding.FindDevice() != MATCH_NORMAL; ++i)
        Sleep(200);
    EXPECT_EQ(binding.FindDevice(), MATCH_NORMAL);
    EXPECT_EQ(FormatVersion(binding.deviceVersion), L"1.30");
}

// Run as a second process by DetectionIsSerialisedAcrossProcesses.
TEST(DeviceChild, FindOnce) {
    wchar_t flag[8] = {};
    if (!GetEnvironmentVariableW(CHILD_VARIABLE, flag, 8))
        GTEST_SKIP() << "only as the second process";
    CWin32Platform real{GetModuleHandleW(nullptr)};
    ActionFwDn binding(real.Ports(), MODEL_PULO5, nullptr);
    const HANDLE hReady = OpenEventW(EVENT_MODIFY_STATE, FALSE, CHILD_READY_EVENT);
    ASSERT_NE(hReady, nullptr);
    SetEvent(hReady);
    CloseHandle(hReady);
    EXPECT_EQ(binding.FindDevice(), MATCH_NORMAL);
}

TEST_F(Device, DetectionIsSerialisedAcrossProcesses) {
    ASSERT_EQ(sim::RunPlug(L"plug"), 0u);
    ASSERT_EQ(sim::RunPlug(L"info-delay 700"), 0u);

    // The simulator notices reads that run at once: two threads calling it directly overlap.
    UpgradeModule module =
        real.Ports().upgradeLibrary->Load(sim::ProgramFolder() + L"\\NorvaneUpgradeDll.dll");
    ASSERT_NE(module, nullptr);
    const UpgradeEntry getInfo = real.Ports().upgradeLibrary->Resolve(module, "GetDeviceInfo");
    auto read = [&] {
        uint8_t record[DEVICE_INFO_SIZE] = {};
        EXPECT_EQ(real.Ports().upgradeLibrary->CallGetDeviceInfo(getInfo, "QM5SIM0001", record), 0);
    };
    std::thread first(read);
    std::thread second(read);
    first.join();
    second.join();
    real.Ports().upgradeLibrary->Unload(module);
    EXPECT_GE(SimNumber(L"Overlaps"), 1);
    ASSERT_EQ(sim::RunPlug(L"reset"), 0u);
    ASSERT_EQ(sim::RunPlug(L"plug"), 0u);
    ASSERT_EQ(sim::RunPlug(L"info-delay 700"), 0u);

    // Through the bindings of two processes they never do.
    const HANDLE hReady = CreateEventW(nullptr, TRUE, FALSE, CHILD_READY_EVENT);
    SetEnvironmentVariableW(CHILD_VARIABLE, L"1");
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    HANDLE hChild = nullptr;
    sim::RunProgram(self, L"--gtest_filter=DeviceChild.FindOnce", &hChild);
    SetEnvironmentVariableW(CHILD_VARIABLE, nullptr);
    ASSERT_NE(hChild, nullptr);
    ASSERT_EQ(WaitForSingleObject(hReady, 30000), WAIT_OBJECT_0);
    ActionFwDn binding(platform, MODEL_PULO5, nullptr);
    EXPECT_EQ(binding.FindDevice(), MATCH_NORMAL);
    WaitForSingleObject(hChild, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(hChild, &code);
    CloseHandle(hChild);
    CloseHandle(hReady);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(SimNumber(L"Overlaps"), 0);
}
} // namespace

namespace {
int g_nDeviceChanges = 0;

LRESULT CALLBACK CountDeviceChanges(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DEVICECHANGE && wParam == DBT_DEVNODES_CHANGED)
        ++g_nDeviceChanges;
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

// Runs the plug tool while this thread answers the broadcast it sends, as a window would.
DWORD PlugWhilePumping(const wchar_t* arguments) {
    HANDLE hProcess = nullptr;
    if (sim::RunProgram(sim::ProgramFolder() + L"\\player_plug.exe", arguments, &hProcess) != 0)
        return 0xFFFFFFFF;
    while (MsgWaitForMultipleObjects(1, &hProcess, FALSE, 10000, QS_ALLINPUT) ==
           WAIT_OBJECT_0 + 1) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    DWORD code = 0xFFFFFFFF;
    GetExitCodeProcess(hProcess, &code);
    CloseHandle(hProcess);
    return code;
}
} // namespace

// Windows learn of every plug and unplug as they would from the system.
TEST_F(Device, PlugAndUnplugAreAnnouncedToWindows) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = CountDeviceChanges;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuillmateDeviceChangeListener";
    RegisterClassW(&wc);
    HWND hWnd = CreateWindowW(wc.lpszClassName, L"listener", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                              nullptr, wc.hInstance, nullptr);
    ASSERT_NE(hWnd, nullptr);
    g_nDeviceChanges = 0;
    EXPECT_EQ(PlugWhilePumping(L"plug"), 0u);
    EXPECT_EQ(g_nDeviceChanges, 1);
    EXPECT_EQ(PlugWhilePumping(L"unplug"), 0u);
    EXPECT_EQ(g_nDeviceChanges, 2);
    DestroyWindow(hWnd);
}
