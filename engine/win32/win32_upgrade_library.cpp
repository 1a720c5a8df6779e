#include "engine/win32/win32_upgrade_library.h"
#include <windows.h>

namespace {
using GetDeviceInfoFn = int(__cdecl*)(const char*, void*);
using UpdateFn = int(__cdecl*)(const char*, const char*);
using DebugPortFn = int(__cdecl*)(HWND);
} // namespace

UpgradeModule CWin32UpgradeLibrary::Load(const std::wstring& path) {
    return LoadLibraryW(path.c_str());
}

UpgradeEntry CWin32UpgradeLibrary::Resolve(UpgradeModule module, const char* name) {
    return reinterpret_cast<UpgradeEntry>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void CWin32UpgradeLibrary::Unload(UpgradeModule module) {
    FreeLibrary(static_cast<HMODULE>(module));
}

int32_t CWin32UpgradeLibrary::CallGetDeviceInfo(UpgradeEntry entry, const char* deviceKey,
                                                uint8_t* record) {
    return reinterpret_cast<GetDeviceInfoFn>(entry)(deviceKey, record);
}

int32_t CWin32UpgradeLibrary::CallUpdate(UpgradeEntry entry, const char* deviceKey,
                                         const char* firmwareFolder) {
    return reinterpret_cast<UpdateFn>(entry)(deviceKey, firmwareFolder);
}

int32_t CWin32UpgradeLibrary::CallDebugPort(UpgradeEntry entry, uintptr_t window) {
    return reinterpret_cast<DebugPortFn>(entry)(reinterpret_cast<HWND>(window));
}

bool CWin32UpgradeLibrary::ToAnsi(const std::wstring& text, std::string& ansi) {
    ansi.clear();
    if (text.empty())
        return true;
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return false;
    ansi.resize(static_cast<size_t>(size));
    // A character outside the code page would name another folder.
    BOOL usedDefault = FALSE;
    const bool converted = WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), size,
                                               nullptr, &usedDefault) == size;
    return converted && !usedDefault;
}
