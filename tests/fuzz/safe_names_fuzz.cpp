#include "online/safe_names.h"
#include "tests/fuzz/fuzz_input.h"
#include <cwctype>

// An accepted file name joined to a folder names a file directly in that folder; an accepted
// address stays one argument of a command line.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring text = WideText(data, size);
    const std::wstring name = FileNameOfAddress(text);
    FUZZ_CHECK(name.find(L'/') == std::wstring::npos);
    if (IsSafeFileName(name)) {
        FUZZ_CHECK(name.find_first_of(L"\\/:") == std::wstring::npos);
        FUZZ_CHECK(name != L"." && name.find(L"..") == std::wstring::npos);
        FUZZ_CHECK(name.size() <= 255);
    }
    if (IsSafeWebAddress(text)) {
        for (const wchar_t c : text)
            FUZZ_CHECK(c != L'"' && c >= 0x20 && !std::iswspace(static_cast<wint_t>(c)));
    }
    return 0;
}
