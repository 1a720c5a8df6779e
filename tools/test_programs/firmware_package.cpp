// A firmware package for the test and demo world. Given the argument 1 it does what a maker's
// package does: puts a package description and firmware files, with a sub-folder, into the
// model's download folder and sets "OnlineFwPartialInstalled" to "1".
// Environment (all optional):
//   QM_PACKAGE_KEY      the model's key under HKEY_LOCAL_MACHINE (default: the Pulo5 key)
//   QM_PACKAGE_FOLDER   the download folder's name (default: TempPULO5)
//   QM_PACKAGE_VERSION  major.mid.minor of the firmware (default: 0.2.10)
//   QM_PACKAGE_MODE     ok (default); nomarker: exits without the marker; crash: dies midway
#include "engine/win32/registry.h"
#include <windows.h>
#include <cstdio>
#include <string>

namespace {
std::wstring Environment(const wchar_t* name, const wchar_t* fallback) {
    wchar_t value[512];
    const DWORD length = GetEnvironmentVariableW(name, value, 512);
    return length > 0 && length < 512 ? value : fallback;
}

// The model's key as the program sees it: a package is run by the 32-bit program.
CRegistry g_machine{HKEY_LOCAL_MACHINE, MACHINE_REGISTRY_VIEW};

std::wstring ReadValue(const std::wstring& key, const wchar_t* name) {
    std::wstring value;
    return g_machine.ReadString(key.c_str(), name, value) ? value : std::wstring();
}

bool WriteFileText(const std::wstring& path, const std::string& text) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return written == text.size();
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2 || std::wstring(argv[1]) != L"1")
        return 2;
    const std::wstring key =
        Environment(L"QM_PACKAGE_KEY", L"Software\\Norvane\\Tembly ZQ4MKT Quillmate\\Pulo5");
    const std::wstring mode = Environment(L"QM_PACKAGE_MODE", L"ok");
    int major = 0, mid = 2, minor = 10;
    swscanf(Environment(L"QM_PACKAGE_VERSION", L"0.2.10").c_str(), L"%d.%d.%d", &major, &mid,
            &minor);
    std::wstring info = ReadValue(key, L"QmFwInfo");
    if (!info.empty() && info[0] == L'\\')
        info.erase(0, 1);
    const std::wstring runPath = ReadValue(key, L"QmRunPath");
    if (runPath.empty() || info.empty())
        return 3;
    const std::wstring folder = runPath + L"\\" + Environment(L"QM_PACKAGE_FOLDER", L"TempPULO5");
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW((folder + L"\\res").c_str(), nullptr);

    std::string firmware(256 * 1024, '\0');
    for (size_t i = 0; i < firmware.size(); ++i)
        firmware[i] = static_cast<char>(i * 131 + minor);
    if (!WriteFileText(folder + L"\\firmware.bin", firmware))
        return 4;
    if (mode == L"crash")
        TerminateProcess(GetCurrentProcess(), 0xC0000005);
    char description[160];
    std::snprintf(description, sizeof description,
                  "[FIRMWARE]\r\nFWTYPE=2\r\nMAJORVER=%d\r\nMIDVER=%d\r\nMINORVER=%d\r\n", major,
                  mid, minor);
    if (!WriteFileText(folder + L"\\res\\font.dat", "glyphs") ||
        !WriteFileText(folder + L"\\" + info, description))
        return 4;
    if (mode == L"nomarker")
        return 0;
    return g_machine.WriteString(key.c_str(), L"OnlineFwPartialInstalled", L"1") ? 0 : 5;
}
