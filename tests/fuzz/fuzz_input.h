#pragma once
// Shared pieces of the fuzz targets: bytes as UTF-16 text and a check that stops the run.
#include <cstddef>
#include <cstdint>
#include <string>

// A property that must hold for every input; a violation is reported as a crash.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            __builtin_trap();                                                                      \
    } while (0)

// Byte pairs as UTF-16 units, little-endian; an odd last byte is dropped.
inline std::wstring WideText(const uint8_t* data, size_t size) {
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    return text;
}
