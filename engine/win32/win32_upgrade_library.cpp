#include "engine/win32/win32_upgrade_library.h"
#include <windows.h>

namespace {
using GetDeviceInfoFn = int(__cdecl*)(const char*, void*);
using UpdateFn = int(__cdecl*)(const char*, const char*);
using DebugPortFn = int(__cdecl*)(HWND);
} // namespace

UpgradeModule CWin32UpgradeLibrary::Load(const std::wstring& path) {
    // The library's own dependencies are looked for beside it, not in the current folder.
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
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

uint32_t CWin32UpgradeLibrary::AnsiCodePage() {
    return GetACP();
}

bool CWin32UpgradeLibrary::EncodeAnsi(const std::wstring& text, bool exactOnly, std::string& ansi) {
    ansi.clear();
    if (text.empty())
        return true;
    const DWORD flags = exactOnly ? WC_NO_BEST_FIT_CHARS : 0;
    const int length = static_cast<int>(text.size());
    // No used-default flag: the UTF-8 code page refuses every call that asks for one.
    const int size =
        WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return false;
    ansi.resize(static_cast<size_t>(size));
    return WideCharToMultiByte(CP_ACP, flags, text.data(), length, ansi.data(), size, nullptr,
                               nullptr) == size;
}

bool CWin32UpgradeLibrary::DecodeAnsi(const std::string& ansi, std::wstring& text) {
    text.clear();
    if (ansi.empty())
        return true;
    const int length = static_cast<int>(ansi.size());
    const int size =
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), length, nullptr, 0);
    if (size <= 0)
        return false;
    text.resize(static_cast<size_t>(size));
    return MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), length, text.data(),
                               size) == size;
}
