#include "engine/win32/win32_version_resource.h"
#include <windows.h>

bool CWin32VersionResource::ReadModuleResource(const wchar_t* moduleName,
                                               std::vector<uint8_t>& resource) {
    HMODULE hModule = GetModuleHandleW(moduleName);
    wchar_t path[MAX_PATH] = {};
    // A path that does not fit comes back cut to the buffer's size (and, on Windows XP,
    // without its terminating zero): that is another file, not this module's.
    const DWORD length = hModule ? GetModuleFileNameW(hModule, path, MAX_PATH) : 0;
    if (length == 0 || length >= MAX_PATH)
        return false;
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &handle);
    if (size == 0)
        return false;
    resource.resize(size);
    return GetFileVersionInfoW(path, 0, size, resource.data()) != FALSE;
}

// The system's query wants a writable block; the lookup does not change it.
static bool Query(const std::vector<uint8_t>& resource, const std::wstring& subBlock, void*& data,
                  UINT& size) {
    data = nullptr;
    size = 0;
    auto* block = const_cast<uint8_t*>(resource.data());
    return !resource.empty() && VerQueryValueW(block, subBlock.c_str(), &data, &size) && data;
}

bool CWin32VersionResource::QueryBinary(const std::vector<uint8_t>& resource,
                                        const std::wstring& subBlock, std::vector<uint8_t>& value) {
    void* data = nullptr;
    UINT size = 0;
    if (!Query(resource, subBlock, data, size))
        return false;
    const auto* bytes = static_cast<const uint8_t*>(data);
    value.assign(bytes, bytes + size);
    return true;
}

bool CWin32VersionResource::QueryString(const std::vector<uint8_t>& resource,
                                        const std::wstring& subBlock, std::wstring& value) {
    void* data = nullptr;
    UINT length = 0;
    if (!Query(resource, subBlock, data, length))
        return false;
    // The length counts characters and may include the terminating zero.
    const auto* text = static_cast<const wchar_t*>(data);
    value.assign(text, wcsnlen(text, length));
    return true;
}
