#include "tests/support/fake_online.h"
#include "engine/product_keys.h"
#include "platform/text.h"
#include <sstream>

int CFakeDisk::ReadIniInt(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                          int defaultValue) {
    const auto found = files.find(path);
    if (found == files.end())
        return CFakeFileSystem::ReadIniInt(path, section, key, defaultValue);
    std::istringstream lines(found->second.content);
    std::wstring current;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::wstring wide(line.begin(), line.end());
        if (!wide.empty() && wide.front() == L'[') {
            current = wide.substr(1, wide.find(L']') - 1);
            continue;
        }
        const size_t equals = wide.find(L'=');
        if (equals != std::wstring::npos && EqualsNoCase(current, section) &&
            EqualsNoCase(wide.substr(0, equals), key))
            return DecimalValue(wide.substr(equals + 1));
    }
    return defaultValue;
}

namespace {
class CFakeResponse : public IInternetResponse {
  public:
    CFakeResponse(CFakeDisk& disk, const CFakeInternet::Resource& resource)
        : m_disk(disk), m_resource(resource) {}
    int StatusCode() override { return m_resource.status; }
    int64_t ContentLength() override {
        return m_resource.contentLength == -2 ? static_cast<int64_t>(m_resource.body.size())
                                              : m_resource.contentLength;
    }
    bool SaveBody(const std::wstring& path, uint64_t maxBytes, const TransferStep& step,
                  uint64_t& received) override {
        if (m_disk.folders.count(CFakeDisk::Parent(path)) == 0)
            return false;
        const std::string& body = m_resource.body;
        const size_t available = std::min(body.size(), m_resource.dropAfter);
        const uint64_t total = ContentLength() < 0 ? 0 : static_cast<uint64_t>(ContentLength());
        std::string& stored = m_disk.files[path].content;
        stored.clear();
        const std::vector<uint32_t>& times = m_resource.pieceTimes;
        received = 0;
        for (size_t piece = 0; received < available && received <= maxBytes; ++piece) {
            const size_t chunk = std::min<size_t>(m_resource.pieceSize, available - received);
            stored.append(body, received, chunk);
            received += chunk;
            const uint32_t at = times.empty() ? 0 : times[std::min(piece, times.size() - 1)];
            if (step && !step(received, total, at))
                return false;
        }
        return available == body.size() && received <= maxBytes;
    }

  private:
    CFakeDisk& m_disk;
    const CFakeInternet::Resource& m_resource;
};

class CFakeSession : public IInternetSession {
  public:
    CFakeSession(CFakeDisk& disk, CFakeInternet& internet) : m_disk(disk), m_internet(internet) {}
    std::unique_ptr<IInternetResponse> Open(const std::wstring& address) override {
        m_internet.opened.push_back(address);
        const auto found = m_internet.resources.find(address);
        if (found == m_internet.resources.end())
            return nullptr;
        return std::make_unique<CFakeResponse>(m_disk, found->second);
    }

  private:
    CFakeDisk& m_disk;
    CFakeInternet& m_internet;
};
} // namespace

std::unique_ptr<IInternetSession> CFakeInternet::OpenSession(uint32_t waitMs) {
    ++sessions;
    sessionWaits.push_back(waitMs);
    if (!sessionAvailable)
        return nullptr;
    return std::make_unique<CFakeSession>(m_disk, *this);
}

COnlineWorld::COnlineWorld(const wchar_t* keyPath) : key(keyPath) {
    platform.settings = &machine;
    platform.userSettings = &user;
    platform.classesSettings = &classes;
    platform.files = &disk;
    platform.internet = &internet;
    platform.processes = &processes;
    platform.shell = &shell;
    platform.clock = &clock;
    platform.system = &system;
    platform.mutexes = &mutexes;
    platform.signatures = &signatures;
    platform.upgradeLibrary = &library;
    disk.AddFolder(RUN_PATH);
    disk.AddFolder(FIRMWARE_FOLDER);
    disk.AddFile(INFO_PATH, Description(0, 1, 5));

    Set(VALUE_FW_TYPE, L"2");
    Set(VALUE_RUN_PATH, RUN_PATH);
    Set(VALUE_FW_FOLDER, L"\\Firmware\\PULO5\\");
    Set(VALUE_FW_INFO, L"\\fw.ini");
    Set(VALUE_FW_LINK, L"http://primary/fw.txt");
    Set(VALUE_FW_LINK_SECONDARY, L"http://secondary/fw.txt");
    Set(VALUE_PARTIAL_INSTALLED, L"0");
    Set(VALUE_PACKAGE_EXISTS, L"0");
    Set(VALUE_PACKAGE_NAME, L"");
    Set(VALUE_PACKAGE_MAJOR, L"0");
    Set(VALUE_PACKAGE_MID, L"0");
    Set(VALUE_PACKAGE_MINOR, L"0");
    Set(VALUE_CHECK_ENABLED, L"1");
    Set(VALUE_LAST_CHECK_TIME, L"0");
    Set(VALUE_CHECK_PERIOD, L"7");
    Set(VALUE_TOOL_VERSION, L"0102030004");
    Set(VALUE_TOOL_LINK, L"http://primary/qm.txt");
    Set(VALUE_TOOL_LINK_SECONDARY, L"http://secondary/qm.txt");
}

std::wstring COnlineWorld::Value(const wchar_t* name) const {
    const auto found = machine.values.find({key, name});
    return found == machine.values.end() ? L"<missing>" : found->second;
}

std::string COnlineWorld::Description(int major, int mid, int minor) {
    return "[FIRMWARE]\r\nMAJORVER=" + std::to_string(major) + "\r\nMIDVER=" + std::to_string(mid) +
           "\r\nMINORVER=" + std::to_string(minor) + "\r\n";
}

std::string CFakeSignatures::SignatureOf(const std::string& message) {
    uint64_t digest = 14695981039346656037ull;
    for (const char c : message)
        digest = (digest ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    std::string signature(256, '\0');
    for (size_t i = 0; i < signature.size(); ++i)
        signature[i] = static_cast<char>(digest >> (i % 8 * 8) ^ i);
    return signature;
}

std::string CFakeSignatures::Base64SignatureOf(const std::string& message) {
    return EncodeBase64(SignatureOf(message));
}

std::string EncodeBase64(const std::string& bytes) {
    static const char* const ALPHABET =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (size_t at = 0; at < bytes.size(); at += 3) {
        uint32_t group = 0;
        const size_t count = std::min<size_t>(3, bytes.size() - at);
        for (size_t i = 0; i < 3; ++i)
            group = group << 8 | (i < count ? static_cast<unsigned char>(bytes[at + i]) : 0);
        for (size_t i = 0; i < 4; ++i)
            text.push_back(i <= count ? ALPHABET[group >> (18 - 6 * i) & 0x3F] : '=');
    }
    return text;
}
