#include "tools/player_sim/win32/sim_harness.h"

namespace sim {

CRealDevicePlatform::CRealDevicePlatform() {
    platform.settings = &settings;
    platform.files = &files;
    platform.usb = &usb;
    platform.upgradeLibrary = &library;
    platform.clock = &clock;
    platform.mutexes = &mutexes;
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\'));
}

DWORD RunProgram(const std::wstring& program, const std::wstring& arguments, HANDLE* hProcess) {
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return 0xFFFFFFFF;
    CloseHandle(process.hThread);
    if (hProcess) {
        *hProcess = process.hProcess;
        return 0;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0xFFFFFFFF;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    return code;
}

DWORD RunPlug(const std::wstring& arguments) {
    return RunProgram(ProgramFolder() + L"\\player_plug.exe", arguments);
}

} // namespace sim
