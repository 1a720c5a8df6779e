#include "online/transfer.h"

static bool IsSuccessStatus(int statusCode) {
    return statusCode >= 200 && statusCode <= 299;
}

bool CTransferWatch::KeepsGoing(uint64_t received, uint32_t elapsedMs) {
    if (m_limits.totalMs != 0 && elapsedMs >= m_limits.totalMs)
        return false;
    if (m_limits.windowBytes == 0)
        return true;
    // Windows are counted from the request on; a piece that arrives after several windows
    // judges the first of them, so a long silence cannot be made up by one burst later.
    while (elapsedMs - m_windowStartMs >= m_limits.windowMs) {
        if (received - m_windowStartBytes < m_limits.windowBytes)
            return false;
        m_windowStartMs += m_limits.windowMs;
        m_windowStartBytes = received;
    }
    return true;
}

bool IsCompleteTransfer(int statusCode, int64_t contentLength, bool ended, uint64_t received,
                        uint64_t maxBytes) {
    if (!IsSuccessStatus(statusCode) || !ended || received > maxBytes)
        return false;
    return contentLength < 0 || static_cast<uint64_t>(contentLength) == received;
}

bool DownloadToFile(IInternet& internet, const std::wstring& address, const std::wstring& path,
                    uint64_t maxBytes, const TransferProgress& progress,
                    const TransferLimits& limits) {
    const std::unique_ptr<IInternetSession> session = internet.OpenSession(limits.waitMs);
    if (!session)
        return false;
    const std::unique_ptr<IInternetResponse> response = session->Open(address);
    if (!response || !IsSuccessStatus(response->StatusCode()))
        return false;
    CTransferWatch watch(limits);
    const TransferStep step = [&](uint64_t received, uint64_t total, uint32_t elapsedMs) {
        if (!watch.KeepsGoing(received, elapsedMs))
            return false;
        if (progress)
            progress(received, total);
        return true;
    };
    uint64_t received = 0;
    const bool ended = response->SaveBody(path, maxBytes, step, received);
    return IsCompleteTransfer(response->StatusCode(), response->ContentLength(), ended, received,
                              maxBytes);
}
