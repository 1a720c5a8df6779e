#pragma once
#include <cstdint>
#include <string>

// What an update descriptor says: "version=", "url=" and "info=" lines, rejected as a whole
// when it holds "Error:" in any letter case.
struct DescriptorContent {
    int result = 0;    // 1 when a version and a package address were found
    int32_t major = 0; // the number before the point
    int32_t minor = 0; // the number in the two characters after the point
    std::wstring packageUrl;
    std::wstring infoUrl; // may be set even when `result` is 0
};

enum class DescriptorKind { FIRMWARE, TOOL };

// Parses the descriptor's bytes up to the first zero byte. Keys are found without regard to the
// case of ASCII letters, wherever they stand; values keep their case. A tool descriptor needs
// its url key after the version.
DescriptorContent ParseDescriptor(const std::string& bytes, DescriptorKind kind);
