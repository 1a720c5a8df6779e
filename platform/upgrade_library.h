#pragma once
#include <cstdint>
#include <string>

// A loaded upgrade library and its exports, as opaque handles; null means "not there".
using UpgradeModule = void*;
using UpgradeEntry = void (*)();

// The maker's upgrade library: loaded by path, its exports resolved by name and called with
// the argument lists the binding relies on. Texts for the library are ANSI.
class IUpgradeLibrary {
  public:
    virtual ~IUpgradeLibrary() = default;
    virtual UpgradeModule Load(const std::wstring& path) = 0;
    virtual UpgradeEntry Resolve(UpgradeModule module, const char* name) = 0;
    virtual void Unload(UpgradeModule module) = 0;

    // int GetDeviceInfo(const char* deviceKey, void* record)
    virtual int32_t CallGetDeviceInfo(UpgradeEntry entry, const char* deviceKey,
                                      uint8_t* record) = 0;
    // int DoNormalUpdate / DoRecoveryUpdate(const char* deviceKey, const char* firmwareFolder)
    virtual int32_t CallUpdate(UpgradeEntry entry, const char* deviceKey,
                               const char* firmwareFolder) = 0;
    // int DebugPort(window handle)
    virtual int32_t CallDebugPort(UpgradeEntry entry, uintptr_t window) = 0;

    // The text in the system's ANSI code page; false when it cannot be converted.
    virtual bool ToAnsi(const std::wstring& text, std::string& ansi) = 0;
};
