#pragma once
#include "platform/message_source.h"
#include <map>
#include <string>
#include <utility>

// The catalogue in string-table blocks built from the generated table, for tests that run
// without the program's resources.
class CBuiltInMessageSource : public IMessageSource {
  public:
    CBuiltInMessageSource();
    bool FindBlock(uint16_t language, uint16_t block, const char16_t*& units,
                   size_t& count) override;

  private:
    std::map<std::pair<uint16_t, uint16_t>, std::u16string> m_blocks;
};
