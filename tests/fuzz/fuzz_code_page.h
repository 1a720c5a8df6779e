#pragma once
// A code page for the fuzz targets and benchmarks: Western (1252) by default, or a double-byte
// one in which 0x81-0x9F and 0xE0-0xFC lead a pair (any pair counts, as a character of its own)
// and a lead byte without its pair fails the conversion.
#include "platform/upgrade_library.h"

class CFuzzCodePage : public IUpgradeLibrary {
  public:
    bool doubleByte = false;

    UpgradeModule Load(const std::wstring&) override { return nullptr; }
    UpgradeEntry Resolve(UpgradeModule, const char*) override { return nullptr; }
    void Unload(UpgradeModule) override {}
    int32_t CallGetDeviceInfo(UpgradeEntry, const char*, uint8_t*) override { return 1; }
    int32_t CallUpdate(UpgradeEntry, const char*, const char*) override { return 1; }
    int32_t CallDebugPort(UpgradeEntry, uintptr_t) override { return 0; }
    uint32_t AnsiCodePage() override { return doubleByte ? 932 : 1252; }
    bool EncodeAnsi(const std::wstring& text, bool, std::string& ansi) override {
        ansi.clear();
        for (const wchar_t c : text) {
            if (doubleByte && c >= 0x100) {
                ansi += static_cast<char>(0x81 + (c >> 8) % 0x1F);
                ansi += static_cast<char>(c & 0xFF);
            } else {
                ansi += c < 0x100 ? static_cast<char>(c) : '?';
            }
        }
        return true;
    }
    bool DecodeAnsi(const std::string& ansi, std::wstring& text) override {
        text.clear();
        for (size_t i = 0; i < ansi.size(); ++i) {
            const auto b = static_cast<unsigned char>(ansi[i]);
            const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
            if (doubleByte && lead) {
                if (++i == ansi.size())
                    return false;
                text += static_cast<wchar_t>(
                    0x4E00 + (b << 8 | static_cast<unsigned char>(ansi[i])) % 0x5000);
            } else {
                text += b == 0x80 && !doubleByte ? L'\u20AC' : static_cast<wchar_t>(b);
            }
        }
        return true;
    }
};
