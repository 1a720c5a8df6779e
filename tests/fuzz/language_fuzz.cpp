#include "app/language.h"
#include "tests/fuzz/fuzz_input.h"
#include "ui/message_catalogue.h"
#include <algorithm>

// Whatever the installer's setting holds, the choice is one of the catalogue's languages.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint16_t language = LanguageFromSetting(WideText(data, size));
    FUZZ_CHECK(language == 0 ||
               std::find(std::begin(CATALOGUE_LANGUAGES), std::end(CATALOGUE_LANGUAGES),
                         language) != std::end(CATALOGUE_LANGUAGES));
    return 0;
}
