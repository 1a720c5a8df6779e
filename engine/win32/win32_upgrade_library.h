#pragma once
#include "platform/upgrade_library.h"

// The upgrade library as a DLL: loaded by its absolute path with the altered search order,
// GetProcAddress, __cdecl exports.
class CWin32UpgradeLibrary : public IUpgradeLibrary {
  public:
    UpgradeModule Load(const std::wstring& path) override;
    UpgradeEntry Resolve(UpgradeModule module, const char* name) override;
    void Unload(UpgradeModule module) override;
    int32_t CallGetDeviceInfo(UpgradeEntry entry, const char* deviceKey, uint8_t* record) override;
    int32_t CallUpdate(UpgradeEntry entry, const char* deviceKey,
                       const char* firmwareFolder) override;
    int32_t CallDebugPort(UpgradeEntry entry, uintptr_t window) override;
    uint32_t AnsiCodePage() override;
    bool EncodeAnsi(const std::wstring& text, bool exactOnly, std::string& ansi) override;
    bool DecodeAnsi(const std::string& ansi, std::wstring& text) override;
};
