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

    // The system's ANSI code page (GetACP), and text converted into and out of it as the system
    // converts it. With `exactOnly` a character the code page lacks becomes its default
    // character rather than a look-alike. False when the system refuses the conversion.
    virtual uint32_t AnsiCodePage() = 0;
    virtual bool EncodeAnsi(const std::wstring& text, bool exactOnly, std::string& ansi) = 0;
    virtual bool DecodeAnsi(const std::string& ansi, std::wstring& text) = 0;
};

// The text in the ANSI code page exactly: false when any character would come back as another
// one (a look-alike, the default character, a broken pair), since a folder name changed that way
// names a different folder.
bool ToExactAnsi(IUpgradeLibrary& library, const std::wstring& text, std::string& ansi);
