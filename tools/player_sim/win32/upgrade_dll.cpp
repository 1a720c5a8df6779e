// NorvaneUpgradeDll.dll as the simulated player offers it: the nine entry points of the maker's
// library, answering for the player that the plug tool attached.
#include "tools/player_sim/win32/simulator.h"
#include <windows.h>
#include <cstring>
#include <string>

#define SIM_EXPORT extern "C" __declspec(dllexport)

namespace {
const size_t RECORD_SIZE = 1312;
const size_t VERSION_OFFSET = 1034;
const int NOT_ATTACHED = 2;
const int TRANSFER_FAILED = 5;
const int READ_FAILED = 6;

bool IsAttachedAs(const char* deviceKey, sim::Mode mode) {
    return deviceKey && sim::CurrentMode() == mode && sim::Serial() == deviceKey;
}

// Records in the simulator's state when two version reads run at the same time, which the
// tool's detection mutex is there to prevent.
void HoldVersionRead() {
    const int delay = sim::ReadNumber(L"InfoDelayMs", 0);
    if (delay <= 0)
        return;
    const HANDLE hBusy = CreateMutexW(nullptr, FALSE, L"QuillmateSimulator GetDeviceInfo");
    if (WaitForSingleObject(hBusy, 0) == WAIT_TIMEOUT) {
        sim::WriteSetting(L"Overlaps", std::to_wstring(sim::ReadNumber(L"Overlaps", 0) + 1));
        WaitForSingleObject(hBusy, INFINITE);
    }
    Sleep(static_cast<DWORD>(delay));
    ReleaseMutex(hBusy);
    CloseHandle(hBusy);
}

struct TimelineArgs {
    bool fromRecovery;
    std::wstring folder;
};

DWORD WINAPI TimelineThread(void* parameter) {
    TimelineArgs* args = static_cast<TimelineArgs*>(parameter);
    sim::RunUpdateTimeline(args->fromRecovery, args->folder);
    delete args;
    return 0;
}

int StartUpdate(const char* deviceKey, const char* folder, sim::Mode from) {
    if (!IsAttachedAs(deviceKey, from) || !folder)
        return NOT_ATTACHED;
    if (sim::CurrentFailure() == sim::Failure::LIBRARY_ERROR)
        return TRANSFER_FAILED;
    // The player goes on by itself after the call returns; pinning keeps this code loaded for
    // the thread even if the caller unloads the library.
    HMODULE hSelf = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(&StartUpdate), &hSelf);
    wchar_t wideFolder[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, folder, -1, wideFolder, MAX_PATH - 1);
    auto* args = new TimelineArgs{from == sim::Mode::RECOVERY, wideFolder};
    const HANDLE hThread = CreateThread(nullptr, 0, TimelineThread, args, 0, nullptr);
    if (!hThread) {
        delete args;
        return TRANSFER_FAILED;
    }
    CloseHandle(hThread);
    return 0;
}
} // namespace

SIM_EXPORT int __cdecl GetDeviceInfo(const char* deviceKey, void* record) {
    if (!record || !IsAttachedAs(deviceKey, sim::Mode::NORMAL))
        return NOT_ATTACHED;
    HoldVersionRead();
    if (sim::CurrentFailure() == sim::Failure::INFO_ERROR)
        return READ_FAILED;
    char* bytes = static_cast<char*>(record);
    std::strncpy(bytes, "Tembly ZQ4MKT (simulated)", VERSION_OFFSET);
    const std::wstring version = sim::ReadSetting(L"Version", L"1.23");
    const std::string text(version.begin(), version.end());
    std::strncpy(bytes + VERSION_OFFSET, text.c_str(), RECORD_SIZE - VERSION_OFFSET - 1);
    return 0;
}

SIM_EXPORT int __cdecl DoNormalUpdate(const char* deviceKey, const char* folder) {
    return StartUpdate(deviceKey, folder, sim::Mode::NORMAL);
}

SIM_EXPORT int __cdecl DoRecoveryUpdate(const char* deviceKey, const char* folder) {
    return StartUpdate(deviceKey, folder, sim::Mode::RECOVERY);
}

SIM_EXPORT int __cdecl NeedRecovery(const char* deviceKey) {
    return IsAttachedAs(deviceKey, sim::Mode::RECOVERY) ? 1 : 0;
}

SIM_EXPORT int __cdecl ResetChipset(const char*) {
    return 0;
}

SIM_EXPORT int __cdecl ChangeUSBMode(const char*, int) {
    return 0;
}

SIM_EXPORT int __cdecl GetFWLibraryVersion() {
    return 0x0100;
}

SIM_EXPORT int __cdecl GetAPIVersion() {
    return 1;
}

SIM_EXPORT int __cdecl DebugPort(HWND) {
    return 0;
}
