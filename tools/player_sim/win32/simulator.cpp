#include "tools/player_sim/win32/simulator.h"
#include <windows.h>
#include <dbt.h>
#include <cstdio>
#include <cwchar>
#include <iterator>

namespace sim {
namespace {
const wchar_t* const INTERFACE_CLASS = L"{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
const wchar_t* const USB_CLASS = L"{36fc9e60-c465-11cf-8056-444553540000}";
const wchar_t* const CLASSES_KEY =
    L"System\\CurrentControlSet\\Control\\DeviceClasses\\{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
const wchar_t* const ENUM_KEY = L"System\\CurrentControlSet\\Enum\\USB\\";

struct ModeEntry {
    const wchar_t* name;
    const wchar_t* ids; // null: not on the bus
};
// In Mode order.
const ModeEntry MODES[] = {{L"none", nullptr},
                           {L"normal", L"VID_0471&PID_2186"},
                           {L"recovery", L"VID_10D6&PID_10D6"},
                           {L"old-model", L"VID_0471&PID_213E"}};

// The timeline of a simulated update, in milliseconds: short, so that tests stay quick, but
// the loader stays on the bus long enough for one-second polls to see it.
const DWORD STEP_MS = 300;
const DWORD LOADER_MS = 2500;

void SetString(HKEY hRoot, const std::wstring& key, const wchar_t* name, const std::wstring& text) {
    HKEY hKey = nullptr;
    if (RegCreateKeyExW(hRoot, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExW(hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(hKey);
}

void SetDword(const std::wstring& key, const wchar_t* name, DWORD value) {
    HKEY hKey = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &hKey,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(hKey);
}

std::wstring Widen(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

// The entries of one present interface, named exactly as Wine's SetupAPI names them itself.
std::wstring InterfaceKey(const std::wstring& ids, const std::wstring& key) {
    return std::wstring(CLASSES_KEY) + L"\\##?#USB#" + ids + L"#" + key + L"#" + INTERFACE_CLASS;
}

void PlugInterface(const std::wstring& ids, const std::wstring& key) {
    const std::wstring interfaceKey = InterfaceKey(ids, key);
    SetString(HKEY_LOCAL_MACHINE, interfaceKey, L"DeviceInstance", L"USB\\" + ids + L"\\" + key);
    SetString(HKEY_LOCAL_MACHINE, interfaceKey + L"\\#", L"SymbolicLink",
              L"\\\\?\\USB#" + ids + L"#" + key + L"#" + INTERFACE_CLASS);
    SetDword(interfaceKey + L"\\#\\Control", L"Linked", 1);
    SetString(HKEY_LOCAL_MACHINE, ENUM_KEY + ids + L"\\" + key, L"ClassGUID", USB_CLASS);
}

void UnplugInterface(const std::wstring& ids, const std::wstring& key) {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, InterfaceKey(ids, key).c_str());
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (ENUM_KEY + ids + L"\\" + key).c_str());
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, (ENUM_KEY + ids).c_str());
}

std::wstring ExtraIds(int index) {
    wchar_t ids[32];
    std::swprintf(ids, 32, L"VID_0100&PID_%04X", index);
    return ids;
}

const wchar_t* const FAILURE_NAMES[] = {L"none",           L"library-error",     L"no-reenumerate",
                                        L"stuck-recovery", L"unplug-mid-update", L"info-error"};
} // namespace

std::wstring ReadSetting(const wchar_t* name, const wchar_t* defaultText) {
    wchar_t text[256] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, SIM_STATE_KEY, name, RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS)
        return defaultText;
    return text;
}

void WriteSetting(const wchar_t* name, const std::wstring& text) {
    SetString(HKEY_CURRENT_USER, SIM_STATE_KEY, name, text);
}

int ReadNumber(const wchar_t* name, int defaultValue) {
    const std::wstring text = ReadSetting(name, L"");
    return text.empty() ? defaultValue : _wtoi(text.c_str());
}

bool ParseMode(const std::wstring& text, Mode& mode) {
    for (size_t i = 0; i < std::size(MODES); ++i)
        if (text == MODES[i].name) {
            mode = static_cast<Mode>(i);
            return true;
        }
    return false;
}

Mode CurrentMode() {
    Mode mode = Mode::NONE;
    ParseMode(ReadSetting(L"Mode", L"none"), mode);
    return mode;
}

bool ParseFailure(const std::wstring& text, Failure& failure) {
    for (size_t i = 0; i < sizeof FAILURE_NAMES / sizeof FAILURE_NAMES[0]; ++i)
        if (text == FAILURE_NAMES[i]) {
            failure = static_cast<Failure>(i);
            return true;
        }
    return false;
}

const wchar_t* FailureName(Failure failure) {
    return FAILURE_NAMES[static_cast<int>(failure)];
}

Failure CurrentFailure() {
    Failure failure = Failure::NONE;
    ParseFailure(ReadSetting(L"Failure", L"none"), failure);
    return failure;
}

std::string Serial() {
    const std::wstring serial = ReadSetting(L"Serial", L"QM5SIM0001");
    return std::string(serial.begin(), serial.end());
}

void Attach(Mode mode) {
    const std::wstring key = Widen(Serial());
    for (const ModeEntry& entry : MODES)
        if (entry.ids)
            UnplugInterface(entry.ids, key);
    const ModeEntry& entry = MODES[static_cast<int>(mode)];
    if (entry.ids)
        PlugInterface(entry.ids, key);
    WriteSetting(L"Mode", entry.name);
    BroadcastDeviceChange();
}

void SetExtraDevices(int count) {
    const int present = ReadNumber(L"Extra", 0);
    for (int i = count; i < present; ++i)
        UnplugInterface(ExtraIds(i), L"EXTRA" + std::to_wstring(i));
    for (int i = present; i < count; ++i)
        PlugInterface(ExtraIds(i), L"EXTRA" + std::to_wstring(i));
    WriteSetting(L"Extra", std::to_wstring(count));
    BroadcastDeviceChange();
}

void BroadcastDeviceChange() {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0, SMTO_ABORTIFHUNG,
                        2000, &result);
}

std::wstring PackageVersionText(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    const HANDLE hFind = FindFirstFileW((folder + L"\\*.ini").c_str(), &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return L"";
    std::wstring version;
    do {
        const std::wstring path = folder + L"\\" + found.cFileName;
        const int mid =
            static_cast<int>(GetPrivateProfileIntW(L"FIRMWARE", L"MIDVER", -1, path.c_str()));
        const int minor =
            static_cast<int>(GetPrivateProfileIntW(L"FIRMWARE", L"MINORVER", -1, path.c_str()));
        if (mid >= 0 && minor >= 0) {
            wchar_t text[32];
            std::swprintf(text, 32, L"%d.%02d", mid, minor);
            version = text;
        }
    } while (version.empty() && FindNextFileW(hFind, &found));
    FindClose(hFind);
    return version;
}

void RunUpdateTimeline(bool fromRecovery, const std::wstring& firmwareFolder) {
    const Failure failure = CurrentFailure();
    if (failure == Failure::NO_REENUMERATE || (fromRecovery && failure == Failure::STUCK_RECOVERY))
        return;
    if (!fromRecovery) {
        Sleep(STEP_MS);
        Attach(Mode::NONE);
        if (failure == Failure::UNPLUG_MID_UPDATE)
            return;
        Sleep(STEP_MS);
        Attach(Mode::RECOVERY);
        if (failure == Failure::STUCK_RECOVERY)
            return;
    }
    Sleep(LOADER_MS);
    Attach(Mode::NONE);
    if (failure == Failure::UNPLUG_MID_UPDATE)
        return;
    Sleep(STEP_MS);
    const std::wstring version = PackageVersionText(firmwareFolder);
    if (!version.empty())
        WriteSetting(L"Version", version);
    Attach(Mode::NORMAL);
}

} // namespace sim
