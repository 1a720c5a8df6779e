#include "online/win32/win32_internet.h"
#include <windows.h>
#include <wininet.h>
#include <algorithm>
#include <cwchar>
#include <vector>

namespace {
class CInternetHandle {
  public:
    explicit CInternetHandle(HINTERNET hHandle = nullptr) : m_hHandle(hHandle) {}
    ~CInternetHandle() {
        if (m_hHandle)
            InternetCloseHandle(m_hHandle);
    }
    CInternetHandle(const CInternetHandle&) = delete;
    CInternetHandle& operator=(const CInternetHandle&) = delete;
    HINTERNET Get() const { return m_hHandle; }

  private:
    HINTERNET m_hHandle;
};

class CWinInetResponse : public IInternetResponse {
  public:
    CWinInetResponse(HINTERNET hConnect, HINTERNET hRequest, DWORD startTick)
        : m_hConnect(hConnect), m_hRequest(hRequest), m_nStartTick(startTick) {}

    int StatusCode() override {
        DWORD status = 0;
        DWORD size = sizeof status;
        if (!HttpQueryInfoW(m_hRequest.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER,
                            &status, &size, nullptr))
            return 0;
        return static_cast<int>(status);
    }

    int64_t ContentLength() override {
        wchar_t text[32] = {};
        DWORD size = sizeof text;
        if (!HttpQueryInfoW(m_hRequest.Get(), HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr))
            return -1;
        return static_cast<int64_t>(std::wcstoull(text, nullptr, 10));
    }

    bool SaveBody(const std::wstring& path, uint64_t maxBytes, const TransferStep& step,
                  uint64_t& received) override {
        received = 0;
        HANDLE hFile = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
        if (hFile == INVALID_HANDLE_VALUE)
            return false;
        const int64_t length = ContentLength();
        const uint64_t total = length < 0 ? 0 : static_cast<uint64_t>(length);
        std::vector<char> buffer(64 * 1024);
        bool ended = false;
        while (received <= maxBytes) {
            // A read returns only when its buffer is full or the body ends: ask for what has
            // arrived, so that a server sending a byte at a time is seen after every byte.
            DWORD available = 0;
            if (!InternetQueryDataAvailable(m_hRequest.Get(), &available, 0, 0))
                break;
            const DWORD wanted = std::clamp<DWORD>(available, 1, static_cast<DWORD>(buffer.size()));
            DWORD read = 0;
            if (!InternetReadFile(m_hRequest.Get(), buffer.data(), wanted, &read))
                break;
            if (read == 0) {
                ended = true;
                break;
            }
            DWORD written = 0;
            if (!WriteFile(hFile, buffer.data(), read, &written, nullptr) || written != read)
                break;
            received += read;
            if (step && !step(received, total, GetTickCount() - m_nStartTick))
                break;
        }
        CloseHandle(hFile);
        return ended;
    }

  private:
    CInternetHandle m_hConnect;
    CInternetHandle m_hRequest;
    DWORD m_nStartTick;
};

class CWinInetSession : public IInternetSession {
  public:
    CWinInetSession(HINTERNET hInternet, DWORD waitMs) : m_hInternet(hInternet), m_nWait(waitMs) {}

    std::unique_ptr<IInternetResponse> Open(const std::wstring& address) override {
        const DWORD startTick = GetTickCount();
        wchar_t host[256] = {};
        std::vector<wchar_t> path(address.size() + 2);
        URL_COMPONENTSW parts = {};
        parts.dwStructSize = sizeof parts;
        parts.lpszHostName = host;
        parts.dwHostNameLength = sizeof host / sizeof host[0];
        parts.lpszUrlPath = path.data();
        parts.dwUrlPathLength = static_cast<DWORD>(path.size());
        if (!InternetCrackUrlW(address.c_str(), static_cast<DWORD>(address.size()), 0, &parts))
            return nullptr;
        if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)
            return nullptr;
        HINTERNET hConnect = InternetConnectW(m_hInternet.Get(), host, parts.nPort, nullptr,
                                              nullptr, INTERNET_SERVICE_HTTP, 0, 0);
        if (!hConnect)
            return nullptr;
        // One connect attempt per address: WinINet's retries would multiply the bound.
        DWORD retries = 1;
        InternetSetOptionW(hConnect, INTERNET_OPTION_CONNECT_RETRIES, &retries, sizeof retries);
        DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI;
        if (parts.nScheme == INTERNET_SCHEME_HTTPS)
            flags |= INTERNET_FLAG_SECURE;
        const wchar_t* target = path[0] ? path.data() : L"/";
        HINTERNET hRequest =
            HttpOpenRequestW(hConnect, L"GET", target, nullptr, nullptr, nullptr, flags, 0);
        auto response = std::make_unique<CWinInetResponse>(hConnect, hRequest, startTick);
        if (!hRequest)
            return nullptr;
        SetTimeout(hRequest, INTERNET_OPTION_CONNECT_TIMEOUT, m_nWait);
        SetTimeout(hRequest, INTERNET_OPTION_SEND_TIMEOUT, m_nWait);
        SetTimeout(hRequest, INTERNET_OPTION_RECEIVE_TIMEOUT, m_nWait);
        if (!HttpSendRequestW(hRequest, nullptr, 0, nullptr, 0))
            return nullptr;
        return response;
    }

  private:
    static void SetTimeout(HINTERNET hRequest, DWORD option, DWORD milliseconds) {
        InternetSetOptionW(hRequest, option, &milliseconds, sizeof milliseconds);
    }

    CInternetHandle m_hInternet;
    DWORD m_nWait;
};
} // namespace

bool CWinInet::IsConnected() {
    DWORD flags = 0;
    return InternetGetConnectedState(&flags, 0) != FALSE;
}

void CWinInet::DiscardCacheEntry(const std::wstring& address) {
    DeleteUrlCacheEntryW(address.c_str());
}

std::unique_ptr<IInternetSession> CWinInet::OpenSession(uint32_t waitMs) {
    HINTERNET hInternet =
        InternetOpenW(L"Quillmate", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!hInternet)
        return nullptr;
    return std::make_unique<CWinInetSession>(hInternet, waitMs < m_nMaxWait ? waitMs : m_nMaxWait);
}
