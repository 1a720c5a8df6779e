#include "online/descriptor.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const DescriptorKind kind : {DescriptorKind::FIRMWARE, DescriptorKind::TOOL}) {
        const DescriptorContent content = ParseDescriptor(bytes, kind);
        FUZZ_CHECK(content.result == 0 || !content.packageUrl.empty());
    }
    return 0;
}
