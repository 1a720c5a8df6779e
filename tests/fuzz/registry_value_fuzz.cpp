#include "engine/registry_value.h"
#include "tests/fuzz/fuzz_input.h"

// The first byte chooses the value type; the rest is the value's data as the registry gave it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    std::wstring text;
    RegistryValueToText(data[0] % 12, data + 1, size - 1, text);
    FUZZ_CHECK(text.size() <= size);
    return 0;
}
