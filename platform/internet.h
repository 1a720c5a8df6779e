#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// Bytes written so far and the total the server announced (0 when it announced none).
using TransferProgress = std::function<void(uint64_t received, uint64_t total)>;

// The answer of a server to one request: its head has arrived, the body is still to be read.
class IInternetResponse {
  public:
    virtual ~IInternetResponse() = default;
    // The HTTP status code; 0 when the protocol has none.
    virtual int StatusCode() = 0;
    // The announced body length; -1 when the server announced none.
    virtual int64_t ContentLength() = 0;
    // Writes the body to `path` (created or replaced) until its end, a failed or timed-out read,
    // or more than `maxBytes` bytes. `received` counts the bytes written. True when the end of
    // the body was reached.
    virtual bool SaveBody(const std::wstring& path, uint64_t maxBytes,
                          const TransferProgress& progress, uint64_t& received) = 0;
};

// A connection to the Internet with the agent name "Quillmate" and the system's access settings.
class IInternetSession {
  public:
    virtual ~IInternetSession() = default;
    // Asks for the address (never from a cache); null when no answer came within the time-outs.
    virtual std::unique_ptr<IInternetResponse> Open(const std::wstring& address) = 0;
};

class IInternet {
  public:
    virtual ~IInternet() = default;
    // Whether the machine reports a connection.
    virtual bool IsConnected() = 0;
    // Removes a cached copy of the address, if any.
    virtual void DiscardCacheEntry(const std::wstring& address) = 0;
    // Null when no session could be opened.
    virtual std::unique_ptr<IInternetSession> OpenSession() = 0;
};
