#pragma once
#include "platform/internet.h"
#include <cstdint>

// WinINet. Every connect, send and receive wait is bounded on the request handle itself, where
// WinINet honours it; a server that accepts and never answers then fails like a dead one.
class CWinInet : public IInternet {
  public:
    static constexpr uint32_t CONNECT_TIMEOUT_MS = 15000;
    static constexpr uint32_t RECEIVE_TIMEOUT_MS = 30000;

    explicit CWinInet(uint32_t connectTimeoutMs = CONNECT_TIMEOUT_MS,
                      uint32_t receiveTimeoutMs = RECEIVE_TIMEOUT_MS)
        : m_nConnectTimeout(connectTimeoutMs), m_nReceiveTimeout(receiveTimeoutMs) {}

    bool IsConnected() override;
    void DiscardCacheEntry(const std::wstring& address) override;
    std::unique_ptr<IInternetSession> OpenSession() override;

  private:
    uint32_t m_nConnectTimeout;
    uint32_t m_nReceiveTimeout;
};
