#include "app/dialog_title.h"
#include "tests/fuzz/fuzz_input.h"

// The dialog template reader on any bytes: it never reads past the end, and a title it finds
// is text of the template, zero-free.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring title = DialogTemplateTitle(data, size);
    FUZZ_CHECK(title.size() <= size / 2);
    FUZZ_CHECK(title.find(L'\0') == std::wstring::npos);
    return 0;
}
