#pragma once
#include "platform/internet.h"
#include <cstdint>

// WinINet. Every connect, send and receive wait is bounded on the request handle itself, where
// WinINet honours it; a server that accepts and never answers then fails like a dead one.
// A test world may shorten every wait with `maxWaitMs`; the program keeps the waits it asks for.
class CWinInet : public IInternet {
  public:
    explicit CWinInet(uint32_t maxWaitMs = UINT32_MAX) : m_nMaxWait(maxWaitMs) {}
    bool IsConnected() override;
    void DiscardCacheEntry(const std::wstring& address) override;
    std::unique_ptr<IInternetSession> OpenSession(uint32_t waitMs) override;

  private:
    uint32_t m_nMaxWait;
};
