#include "online/win32/win32_processes.h"
#include <windows.h>
#include <vector>

static bool CreateChild(const std::wstring& commandLine, DWORD flags, STARTUPINFOW& startup,
                        PROCESS_INFORMATION& process) {
    std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());
    writable.push_back(L'\0');
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    return true;
}

// Waits on the process itself: an exit code of 259 (STILL_ACTIVE) cannot be told from a
// running program by reading the code.
bool CWin32Processes::Run(const std::wstring& commandLine, int32_t& exitCode) {
    STARTUPINFOW startup = {};
    PROCESS_INFORMATION process = {};
    if (!CreateChild(commandLine, CREATE_NO_WINDOW, startup, process))
        return false;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    if (GetExitCodeProcess(process.hProcess, &code))
        exitCode = static_cast<int32_t>(code);
    CloseHandle(process.hProcess);
    return true;
}

bool CWin32Processes::Start(const std::wstring& commandLine) {
    STARTUPINFOW startup = {};
    PROCESS_INFORMATION process = {};
    if (!CreateChild(commandLine, CREATE_NO_WINDOW, startup, process))
        return false;
    CloseHandle(process.hProcess);
    return true;
}

bool CWin32Processes::StartShown(const std::wstring& commandLine, int showCommand) {
    STARTUPINFOW startup = {};
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION process = {};
    if (!CreateChild(commandLine, 0, startup, process))
        return false;
    CloseHandle(process.hProcess);
    return true;
}
