#pragma once
#include <cstdint>
#include <string>

class IFileSystem;

// All zero means that no version is known. Versions are ordered by `packed` alone.
struct FirmwareVersion {
    int32_t packed = 0;
    int32_t major = 0;
    int32_t mid = 0;
    int32_t minor = 0;
};

FirmwareVersion MakeFirmwareVersion(int32_t major, int32_t mid, int32_t minor);
inline bool IsNewer(const FirmwareVersion& a, const FirmwareVersion& b) {
    return a.packed > b.packed;
}
// Mid and minor as the user reads them: "1.05", "2.123"; major is never shown.
std::wstring FormatVersion(const FirmwareVersion& version);

// Reads MAJORVER, MIDVER and MINORVER of section FIRMWARE of the package description file.
// 1 when all three were read; otherwise `version` is all zero and the result 0.
int ReadPackageVersion(IFileSystem& files, const std::wstring& path, FirmwareVersion& version);
