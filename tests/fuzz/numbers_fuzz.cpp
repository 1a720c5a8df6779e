#include "online/online_system.h"
#include "platform/text.h"
#include "tests/fuzz/fuzz_input.h"

// Decimal and hexadecimal settings and the installer's version record.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring text = WideText(data, size);
    DecimalValue(text);
    ParseHexNumber(text);
    ToolVersion version;
    if (ParseToolVersion(text, version))
        FUZZ_CHECK(text.size() == 10);
    return 0;
}
