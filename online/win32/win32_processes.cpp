#include "online/win32/win32_processes.h"
#include "engine/win32/win32_file_system.h"
#include "platform/win32/scoped_handles.h"
#include <vector>

// The new process's handle; its first thread's handle is closed at once.
static CScopedHandle CreateChild(const wchar_t* program, const std::wstring& commandLine,
                                 DWORD flags, STARTUPINFOW& startup) {
    std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());
    writable.push_back(L'\0');
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(program, writable.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr,
                        &startup, &process))
        return CScopedHandle();
    CloseHandle(process.hThread);
    return CScopedHandle(process.hProcess);
}

RunOutcome CWin32Processes::RunChecked(const std::wstring& program, const std::wstring& arguments,
                                       const ProgramCheck& check, int32_t& exitCode) {
    CScopedHandle file(CreateFileW(program.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    if (!file || !ReadWholeFile(file.Get(), bytes))
        return RunOutcome::NOT_STARTED;
    if (!check(bytes))
        return RunOutcome::REFUSED;
    bytes = std::string();
    // The application name keeps the system from trying shorter prefixes of an unquoted path;
    // the quotes keep the program's own view of its arguments intact.
    STARTUPINFOW startup = {};
    const CScopedHandle process = CreateChild(program.c_str(), L"\"" + program + L"\"" + arguments,
                                              CREATE_NO_WINDOW, startup);
    file.Reset();
    if (!process)
        return RunOutcome::NOT_STARTED;
    // Waits on the process itself: an exit code of 259 (STILL_ACTIVE) cannot be told from a
    // running program by reading the code.
    WaitForSingleObject(process.Get(), INFINITE);
    DWORD code = 0;
    if (GetExitCodeProcess(process.Get(), &code))
        exitCode = static_cast<int32_t>(code);
    return RunOutcome::FINISHED;
}

bool CWin32Processes::Start(const std::wstring& commandLine) {
    STARTUPINFOW startup = {};
    return static_cast<bool>(CreateChild(nullptr, commandLine, CREATE_NO_WINDOW, startup));
}

bool CWin32Processes::StartShown(const std::wstring& commandLine, int showCommand) {
    STARTUPINFOW startup = {};
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    return static_cast<bool>(CreateChild(nullptr, commandLine, 0, startup));
}
