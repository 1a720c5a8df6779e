#include "online/transfer.h"

static bool IsSuccessStatus(int statusCode) {
    return statusCode >= 200 && statusCode <= 299;
}

bool IsCompleteTransfer(int statusCode, int64_t contentLength, bool ended, uint64_t received,
                        uint64_t maxBytes) {
    if (!IsSuccessStatus(statusCode) || !ended || received > maxBytes)
        return false;
    return contentLength < 0 || static_cast<uint64_t>(contentLength) == received;
}

bool DownloadToFile(IInternet& internet, const std::wstring& address, const std::wstring& path,
                    uint64_t maxBytes, const TransferProgress& progress) {
    const std::unique_ptr<IInternetSession> session = internet.OpenSession();
    if (!session)
        return false;
    const std::unique_ptr<IInternetResponse> response = session->Open(address);
    if (!response || !IsSuccessStatus(response->StatusCode()))
        return false;
    uint64_t received = 0;
    const bool ended = response->SaveBody(path, maxBytes, progress, received);
    return IsCompleteTransfer(response->StatusCode(), response->ContentLength(), ended, received,
                              maxBytes);
}
