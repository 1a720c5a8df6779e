#include "online/online_system.h"
#include "platform/text.h"
#include "tests/fuzz/fuzz_code_page.h"
#include "tests/fuzz/fuzz_input.h"

// Decimal and hexadecimal settings and the installer's version record, through a single-byte
// and a double-byte code page.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring text = WideText(data, size);
    DecimalValue(text);
    CFuzzCodePage codePage;
    for (const bool doubleByte : {false, true}) {
        codePage.doubleByte = doubleByte;
        ParseHexNumber(codePage, text);
        ToolVersion version;
        if (ParseToolVersion(codePage, text, version))
            FUZZ_CHECK(text.size() == 10);
    }
    return 0;
}
