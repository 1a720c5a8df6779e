#pragma once
#include "platform/internet.h"
#include <cstdint>
#include <string>

// Upper bounds of what a download may bring: descriptors are small texts, packages and
// installers a few megabytes.
inline constexpr uint64_t DESCRIPTOR_MAX_BYTES = 16ull << 20;
inline constexpr uint64_t DOWNLOAD_MAX_BYTES = 1ull << 30;

// How long a transfer may take. Each single wait (connect, send, one read) gives up after
// `waitMs`. With `totalMs` the transfer ends once that much time has passed since the request
// was sent; with `windowBytes` every `windowMs` must bring at least that many more bytes.
struct TransferLimits {
    uint32_t waitMs = 0;
    uint32_t totalMs = 0; // 0: no overall limit
    uint32_t windowMs = 0;
    uint64_t windowBytes = 0; // 0: no progress rule
};

// A descriptor is a few hundred bytes: seconds are plenty even on a slow line, and the window's
// thread may be the one waiting.
inline constexpr TransferLimits DESCRIPTOR_LIMITS{4000, 10000, 0, 0};
// A package has no overall limit (a slow line may need hours), but the server must keep
// sending: 16 KiB a minute is far below any real line, while a server that trickles a byte
// just inside every read time-out falls under it.
inline constexpr TransferLimits PACKAGE_LIMITS{30000, 0, 60000, 16 * 1024};
// Each address the probe tries, on the window's thread.
inline constexpr uint32_t PROBE_WAIT_MS = 3000;

// Applies the limits as a transfer goes on: asked after each piece of the body, with the bytes
// so far and the time since the request was sent.
class CTransferWatch {
  public:
    explicit CTransferWatch(const TransferLimits& limits) : m_limits(limits) {}
    bool KeepsGoing(uint64_t received, uint32_t elapsedMs);

  private:
    TransferLimits m_limits;
    uint32_t m_windowStartMs = 0;
    uint64_t m_windowStartBytes = 0;
};

// Only a 2xx answer whose whole body arrived counts: the body ended, it is as long as announced
// and no longer than `maxBytes`.
bool IsCompleteTransfer(int statusCode, int64_t contentLength, bool ended, uint64_t received,
                        uint64_t maxBytes);

// Downloads the address into the file at `path` within `limits`. Nothing is written for an
// answer other than 2xx; a failed transfer may leave part of the body behind.
bool DownloadToFile(IInternet& internet, const std::wstring& address, const std::wstring& path,
                    uint64_t maxBytes, const TransferProgress& progress,
                    const TransferLimits& limits = PACKAGE_LIMITS);
