#include "online/browser.h"
#include "platform/text.h"
#include "tests/fuzz/fuzz_input.h"

// What the elevated program hands on: an address given to a browser is ASCII, one argument and
// fits the command line with the browser's command; a folder the upgrade library is loaded
// from is a full path on a drive, never a share or a device.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring text = WideText(data, size);
    if (IsHandOffAddress(text)) {
        FUZZ_CHECK(text.size() < BROWSER_COMMAND_CHARS);
        for (const wchar_t c : text)
            FUZZ_CHECK(c > L' ' && c < 0x7F && c != L'"');
    }
    const size_t split = text.empty() ? 0 : text[0] % (text.size() + 1);
    std::wstring line;
    if (JoinBrowserCommand(text.substr(0, split), text.substr(split), line))
        FUZZ_CHECK(line.size() < BROWSER_COMMAND_CHARS);
    if (IsLocalAbsolutePath(text)) {
        const size_t drive = text.compare(0, 4, L"\\\\?\\") == 0 ? 4 : 0;
        FUZZ_CHECK(text.size() >= drive + 3 && text[drive + 1] == L':');
        FUZZ_CHECK(text.compare(0, 2, L"\\\\") != 0 || drive == 4);
    }
    return 0;
}
