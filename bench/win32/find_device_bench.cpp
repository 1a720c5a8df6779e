// Time of one FindDevice (detection mutex, three presence walks, path lookup, GetDeviceInfo)
// through the real SetupAPI with 1, 20 and 100 USB devices present, the simulated player last.
// Runs in the simulator's folder, like the device tests.
#include "engine/action_fw_dn.h"
#include "engine/product_keys.h"
#include "engine/win32/registry.h"
#include "engine/win32/win32_file_system.h"
#include "engine/win32/win32_kernel.h"
#include "engine/win32/win32_upgrade_library.h"
#include "engine/win32/win32_usb_bus.h"
#include "platform/platform.h"
#include <windows.h>
#include <chrono>
#include <cstdio>
#include <string>

namespace {
std::wstring folder;

DWORD Plug(const std::wstring& arguments) {
    const std::wstring program = folder + L"\\player_plug.exe";
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return 1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return code;
}
} // namespace

int wmain() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    folder = self;
    folder.resize(folder.find_last_of(L'\\'));

    CRegistry settings(HKEY_LOCAL_MACHINE);
    settings.WriteString(PULO5_KEY, VALUE_RUN_PATH, folder);
    CWin32FileSystem files;
    CWin32UsbBus usb;
    CWin32UpgradeLibrary library;
    CWin32Clock clock;
    CWin32NamedMutexes mutexes;
    Platform platform;
    platform.settings = &settings;
    platform.files = &files;
    platform.usb = &usb;
    platform.upgradeLibrary = &library;
    platform.clock = &clock;
    platform.mutexes = &mutexes;
    ActionFwDn binding(platform, MODEL_PULO5, nullptr);

    int status = Plug(L"reset") || Plug(L"plug") ? 1 : 0;
    for (const int devices : {1, 20, 100}) {
        status |= Plug(L"extra " + std::to_wstring(devices - 1));
        const int rounds = 20;
        int found = 0;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < rounds; ++i)
            found += binding.FindDevice() == MATCH_NORMAL ? 1 : 0;
        const std::chrono::duration<double, std::milli> total =
            std::chrono::steady_clock::now() - start;
        std::wprintf(L"FindDevice with %3d USB devices: %7.2f ms (%d of %d found)\n", devices,
                     total.count() / rounds, found, rounds);
        status |= found == rounds ? 0 : 1;
    }
    Plug(L"reset");
    return status;
}
