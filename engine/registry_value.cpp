#include "engine/registry_value.h"
#include "platform/text.h"

bool RegistryValueToText(uint32_t type, const uint8_t* data, size_t size, std::wstring& text) {
    if (type != REGISTRY_SZ && type != REGISTRY_EXPAND_SZ && type != REGISTRY_LINK)
        return false;
    std::u16string units;
    units.reserve(size / 2);
    for (size_t i = 0; i + 1 < size; i += 2) {
        const char16_t unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (unit == 0)
            break;
        units.push_back(unit);
    }
    text.clear();
    AppendUtf16(text, units.data(), units.size());
    return true;
}
