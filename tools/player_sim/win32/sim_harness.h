#pragma once
// What the device tests and benchmarks share: the real device ports bundled as the program
// bundles them, and the plug tool run from the simulator's folder.
#include "engine/win32/registry.h"
#include "engine/win32/win32_file_system.h"
#include "engine/win32/win32_kernel.h"
#include "engine/win32/win32_upgrade_library.h"
#include "engine/win32/win32_usb_bus.h"
#include "platform/platform.h"
#include <windows.h>
#include <string>

namespace sim {

struct CRealDevicePlatform {
    CRegistry settings{HKEY_LOCAL_MACHINE};
    CWin32FileSystem files;
    CWin32UsbBus usb;
    CWin32UpgradeLibrary library;
    CWin32Clock clock;
    CWin32NamedMutexes mutexes;
    Platform platform;

    CRealDevicePlatform();
};

// The folder of the running program, which is the simulator's folder.
std::wstring ProgramFolder();
// Starts a program; with `hProcess` null it waits and returns the exit code, otherwise it hands
// the process over. 0xFFFFFFFF when it cannot start.
DWORD RunProgram(const std::wstring& program, const std::wstring& arguments,
                 HANDLE* hProcess = nullptr);
DWORD RunPlug(const std::wstring& arguments);

} // namespace sim
