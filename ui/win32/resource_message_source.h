#pragma once
#include "platform/message_source.h"
#include <windows.h>

// The string tables of a module's own resources.
class CResourceMessageSource : public IMessageSource {
  public:
    explicit CResourceMessageSource(HMODULE hModule) : m_hModule(hModule) {}
    bool FindBlock(uint16_t language, uint16_t block, const char16_t*& units,
                   size_t& count) override;

  private:
    HMODULE m_hModule;
};
