#include "tests/support/builtin_message_source.h"
#include "tests/support/catalogue_table.h"
#include "ui/message_catalogue.h"

CBuiltInMessageSource::CBuiltInMessageSource() {
    for (size_t l = 0; l < CATALOGUE_LANGUAGE_COUNT; ++l) {
        const CatalogueTexts& language = CATALOGUE_TEXTS[l];
        // Blocks hold 16 ids each; ids outside 101..214 stay empty entries.
        for (unsigned id = MSG_FIRST / 16 * 16; id <= MSG_LAST / 16 * 16 + 15; ++id) {
            std::u16string& block =
                m_blocks[{language.language, static_cast<uint16_t>(id / 16 + 1)}];
            const char16_t* text =
                (id >= MSG_FIRST && id <= MSG_LAST) ? language.texts[id - MSG_FIRST] : nullptr;
            const std::u16string entry = text ? text : u"";
            block.push_back(static_cast<char16_t>(entry.size()));
            block += entry;
        }
    }
}

bool CBuiltInMessageSource::FindBlock(uint16_t language, uint16_t block, const char16_t*& units,
                                      size_t& count) {
    const auto found = m_blocks.find({language, block});
    if (found == m_blocks.end())
        return false;
    units = found->second.data();
    count = found->second.size();
    return true;
}
