#pragma once
#include <cstdint>
#include <string>

class IUpgradeLibrary;

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

// Parses the descriptor's bytes up to the first zero byte, converted from the system's ANSI code
// page; bytes the code page cannot convert make no descriptor. Keys are found without regard to
// the case of ASCII letters, wherever they stand; values keep their case. A tool descriptor
// needs its url key after the version.
//
// Positions are those of the converted text. On a double-byte code page they differ from byte
// positions, and only there is a key found safely: the second byte of a character may be an
// ASCII letter, so "url=" could appear inside other characters' bytes. The version parts come
// out the same as from the 8-bit text: they are ASCII digits, one byte each in every ANSI code
// page, and a non-digit ends a number either way.
DescriptorContent ParseDescriptor(const std::string& bytes, DescriptorKind kind,
                                  IUpgradeLibrary& codePage);
