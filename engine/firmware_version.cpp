#include "engine/firmware_version.h"
#include "platform/file_system.h"
#include <cwchar>

FirmwareVersion MakeFirmwareVersion(int32_t major, int32_t mid, int32_t minor) {
    const uint32_t packed = (static_cast<uint32_t>(major) & 0xFF) << 16 |
                            (static_cast<uint32_t>(mid) & 0xFF) << 8 |
                            (static_cast<uint32_t>(minor) & 0xFF);
    return {static_cast<int32_t>(packed), major, mid, minor};
}

std::wstring FormatVersion(const FirmwareVersion& version) {
    wchar_t text[32];
    std::swprintf(text, sizeof text / sizeof text[0], L"%d.%.2d", version.mid, version.minor);
    return text;
}

int ReadPackageVersion(IFileSystem& files, const std::wstring& path, FirmwareVersion& version) {
    const int major = files.ReadIniInt(path, L"FIRMWARE", L"MAJORVER", -1);
    const int mid = files.ReadIniInt(path, L"FIRMWARE", L"MIDVER", -1);
    const int minor = files.ReadIniInt(path, L"FIRMWARE", L"MINORVER", -1);
    if (major == -1 || mid == -1 || minor == -1) {
        version = FirmwareVersion{};
        return 0;
    }
    version = MakeFirmwareVersion(major, mid, minor);
    return 1;
}
