#include "online/descriptor.h"
#include "tests/fuzz/fuzz_code_page.h"
#include "tests/fuzz/fuzz_input.h"

// Both kinds of descriptor, read through a single-byte and a double-byte code page.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CFuzzCodePage codePage;
    for (const bool doubleByte : {false, true}) {
        codePage.doubleByte = doubleByte;
        for (const DescriptorKind kind : {DescriptorKind::FIRMWARE, DescriptorKind::TOOL}) {
            const DescriptorContent content = ParseDescriptor(bytes, kind, codePage);
            FUZZ_CHECK(content.result == 0 || !content.packageUrl.empty());
        }
    }
    return 0;
}
