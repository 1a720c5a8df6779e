#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// Bytes written so far and the total the server announced (0 when it announced none).
using TransferProgress = std::function<void(uint64_t received, uint64_t total)>;
// Called after each piece of a body is written: bytes so far, the announced total (0 for none)
// and the milliseconds since the request was sent. False stops the transfer there.
using TransferStep = std::function<bool(uint64_t received, uint64_t total, uint32_t elapsedMs)>;

// The answer of a server to one request: its head has arrived, the body is still to be read.
class IInternetResponse {
  public:
    virtual ~IInternetResponse() = default;
    // The HTTP status code; 0 when the protocol has none.
    virtual int StatusCode() = 0;
    // The announced body length; -1 when the server announced none.
    virtual int64_t ContentLength() = 0;
    // Writes the body to `path` (created or replaced) until its end, a failed or timed-out read,
    // more than `maxBytes` bytes, or a step that answers false. `received` counts the bytes
    // written. True when the end of the body was reached.
    virtual bool SaveBody(const std::wstring& path, uint64_t maxBytes, const TransferStep& step,
                          uint64_t& received) = 0;
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
    // Null when no session could be opened. Each connect, send and receive wait of the
    // session's requests gives up after `waitMs`.
    virtual std::unique_ptr<IInternetSession> OpenSession(uint32_t waitMs) = 0;
};
