// The resident program under Wine, measured from outside:
//   start to tray icon, beside a minimal dialog program started the same way (ratio);
//   plug to device list, median of 20, from the simulated plug's broadcast;
//   idle in the tray: the program's processor time over 60 s without events.
// Runs in the simulator's folder (quillmate.exe copied there by the bench target).
#include "engine/product_keys.h"
#include "engine/win32/registry.h"
#include "main_window/main_ids.h"
#include "platform/win32/scoped_handles.h"
#include "res/resource.h"
#include "tools/player_sim/win32/sim_harness.h"
#include "tools/player_sim/win32/simulator.h"
#include <windows.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {
const wchar_t* const TITLE = L"Norvane Quillmate Tembly ZQ4MKT";
const wchar_t* const MINIMAL_TITLE = L"Minimal dialog";
using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

// Polls every millisecond for up to ten seconds; false on time-out.
bool WaitFor(const std::function<bool()>& condition) {
    const auto start = Clock::now();
    while (!condition()) {
        if (Milliseconds(start) > 10000)
            return false;
        Sleep(1);
    }
    return true;
}

BOOL CALLBACK CountTrayIcons(HWND hWnd, LPARAM count) {
    wchar_t name[64] = {};
    GetClassNameW(hWnd, name, 64);
    if (wcscmp(name, L"__winex11_tray_icon") == 0 && IsWindowVisible(hWnd))
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK FindTrayIcons(HWND hWnd, LPARAM count) {
    wchar_t name[64] = {};
    GetClassNameW(hWnd, name, 64);
    if (wcscmp(name, L"__winex11_standalone_tray") == 0)
        EnumChildWindows(hWnd, CountTrayIcons, count);
    return TRUE;
}

int TrayIcons() {
    int count = 0;
    EnumWindows(FindTrayIcons, reinterpret_cast<LPARAM>(&count));
    return count;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void EndProgram(HANDLE hProcess) {
    SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(DESTROY_TRAY_ICON_MESSAGE_NAME), 0,
                        0, SMTO_NORMAL, 1000, nullptr);
    if (WaitForSingleObject(hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(hProcess, 1);
}

// Start until `ready`, `rounds` times; the median.
double StartTime(const std::wstring& program, const std::wstring& arguments,
                 const std::function<bool()>& ready, const std::function<void(HANDLE)>& end) {
    std::vector<double> times;
    for (int round = 0; round < 5; ++round) {
        CScopedHandle process;
        const auto start = Clock::now();
        if (sim::RunProgram(program, arguments, process.Receive()) == 0xFFFFFFFF || !WaitFor(ready))
            return -1;
        times.push_back(Milliseconds(start));
        end(process.Get());
        WaitFor([] { return TrayIcons() == 0 && !FindWindowW(nullptr, TITLE); });
    }
    return Median(times);
}

int DeviceListEntries() {
    HWND hList = GetDlgItem(FindWindowW(nullptr, TITLE), IDC_DEVICE_LIST);
    return hList ? static_cast<int>(SendMessageW(hList, CB_GETCOUNT, 0, 0)) : -1;
}

double PlugToDeviceList() {
    std::vector<double> times;
    for (int round = 0; round < 20; ++round) {
        sim::RunPlug(L"unplug");
        if (!WaitFor([] { return DeviceListEntries() == 0; }))
            return -1;
        Sleep(300);
        // The plug tool's own start and end are measured apart and taken off.
        const auto tool = Clock::now();
        sim::RunPlug(L"failure none");
        const double toolTime = Milliseconds(tool);
        const auto start = Clock::now();
        sim::RunPlug(L"plug normal");
        if (!WaitFor([] { return DeviceListEntries() == 1; }))
            return -1;
        times.push_back(Milliseconds(start) - toolTime);
    }
    return Median(times);
}

double ProcessorMilliseconds(HANDLE hProcess) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(hProcess, &created, &exited, &kernel, &user))
        return -1;
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

void WriteInstallation() {
    CRegistry machine(HKEY_LOCAL_MACHINE, MACHINE_REGISTRY_VIEW);
    const std::pair<const wchar_t*, std::wstring> values[] = {
        {VALUE_RUN_PATH, sim::ProgramFolder()},
        {VALUE_FW_FOLDER, L"Firmware\\PULO5"},
        {VALUE_FW_INFO, L"fw.ini"},
        {VALUE_FW_TYPE, L"1"},
        {VALUE_LANGUAGE, L"1033"},
        {VALUE_CHECK_ENABLED, L"0"},
    };
    for (const auto& [name, text] : values)
        machine.WriteString(PULO5_KEY, name, text);
}
} // namespace

int wmain() {
    WriteInstallation();
    sim::RunPlug(L"reset");
    const std::wstring folder = sim::ProgramFolder();
    const std::wstring program = folder + L"\\quillmate.exe";

    CScopedHandle window;
    sim::RunProgram(program, L"", window.Receive());
    WaitFor([] { return IsWindowVisible(FindWindowW(nullptr, TITLE)) != FALSE; });
    std::wprintf(L"plug to device list, median of 20: %.1f ms\n", PlugToDeviceList());
    EndProgram(window.Get());

    const double tray = StartTime(
        program, L"-silent", [] { return TrayIcons() > 0; }, EndProgram);
    const double dialog = StartTime(
        folder + L"\\bench_minimal_dialog.exe", L"",
        [] { return IsWindowVisible(FindWindowW(nullptr, MINIMAL_TITLE)) != FALSE; },
        [](HANDLE hProcess) {
            PostMessageW(FindWindowW(nullptr, MINIMAL_TITLE), WM_CLOSE, 0, 0);
            WaitForSingleObject(hProcess, 10000);
        });
    std::wprintf(L"start to tray icon: %.0f ms; minimal dialog program: %.0f ms; ratio %.2f\n",
                 tray, dialog, tray / dialog);

    CScopedHandle idle;
    sim::RunProgram(program, L"-silent", idle.Receive());
    WaitFor([] { return TrayIcons() > 0; });
    Sleep(2000);
    const double before = ProcessorMilliseconds(idle.Get());
    std::wprintf(L"processor time of the start: %.1f ms\n", before);
    Sleep(60000);
    std::wprintf(L"idle in the tray: %.1f ms of processor time in 60 s\n",
                 ProcessorMilliseconds(idle.Get()) - before);
    EndProgram(idle.Get());
    sim::RunPlug(L"reset");
    return 0;
}
