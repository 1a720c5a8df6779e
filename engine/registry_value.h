#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

enum RegistryType : uint32_t {
    REGISTRY_SZ = 1,
    REGISTRY_EXPAND_SZ = 2,
    REGISTRY_DWORD = 4,
    REGISTRY_LINK = 6,
    REGISTRY_MULTI_SZ = 7,
};

// Turns the raw data of a registry value into text: only string types count, the text ends at
// the first zero character or at the end of the data, whichever comes first (the data need not
// be terminated). Environment references are not expanded. `text` is left unchanged on false.
bool RegistryValueToText(uint32_t type, const uint8_t* data, size_t size, std::wstring& text);
