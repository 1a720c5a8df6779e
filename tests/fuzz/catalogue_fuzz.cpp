#include "tests/fuzz/fuzz_input.h"
#include "ui/message_catalogue.h"
#include <vector>

// A string-table block as the resource holds it, and a format with fills.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<char16_t> units(size / 2);
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    for (unsigned index = 0; index < 16; ++index) {
        const char16_t* text = nullptr;
        size_t length = 0;
        if (FindBlockEntry(units.data(), units.size(), index, text, length))
            FUZZ_CHECK(text >= units.data() && text + length <= units.data() + units.size());
    }
    const std::wstring format = WideText(data, size);
    FormatText(format, {L"Tembly ZQ4MKT", L"1.23"});
    return 0;
}
