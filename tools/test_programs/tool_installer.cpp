// A tool installer for the test and demo world: ends with a chosen exit code.
// Environment (optional): QM_INSTALLER_EXIT the exit code (default 0, 259 allowed);
// QM_INSTALLER_LOG a file that receives the command line (UTF-16).
#include <windows.h>
#include <cwchar>

int wmain() {
    wchar_t value[512];
    DWORD exitCode = 0;
    if (GetEnvironmentVariableW(L"QM_INSTALLER_EXIT", value, 512) - 1 < 511)
        exitCode = static_cast<DWORD>(std::wcstol(value, nullptr, 10));
    if (GetEnvironmentVariableW(L"QM_INSTALLER_LOG", value, 512) - 1 < 511) {
        HANDLE file = CreateFileW(value, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            const wchar_t* commandLine = GetCommandLineW();
            DWORD written = 0;
            WriteFile(file, commandLine, static_cast<DWORD>(wcslen(commandLine) * sizeof(wchar_t)),
                      &written, nullptr);
            CloseHandle(file);
        }
    }
    return static_cast<int>(exitCode);
}
