#include "engine/win32/win32_autoplay.h"
#include "engine/autoplay_reject.h"
#include "platform/win32/scoped_handles.h"
#include <cstring>
#include <new>
#include <shobjidl.h>

namespace {
// Starts with one reference and deletes itself when the last one goes.
class CQueryCancelAutoplay : public IQueryCancelAutoPlay {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE AllowAutoPlay(LPCWSTR path, DWORD contentType, LPCWSTR label,
                                            DWORD serialNumber) override;

  private:
    virtual ~CQueryCancelAutoplay() = default;
    LONG m_nReferences = 1;
};
} // namespace

static constexpr const wchar_t* USER_AUTOPLAY_KEY =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers";
static constexpr const wchar_t* MACHINE_CANCEL_KEY =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers\\CancelAutoplay\\"
    L"CLSID";
static constexpr const wchar_t* DISABLE_AUTOPLAY = L"DisableAutoplay";

static_assert(sizeof(ComGuid) == sizeof(GUID));

static ComGuid ToComGuid(const GUID& guid) {
    ComGuid id;
    std::memcpy(&id, &guid, sizeof id);
    return id;
}

HRESULT CQueryCancelAutoplay::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    if (!IsAutoPlayObjectInterface(ToComGuid(iid))) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    *object = static_cast<IQueryCancelAutoPlay*>(this);
    return S_OK;
}

ULONG CQueryCancelAutoplay::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&m_nReferences));
}

ULONG CQueryCancelAutoplay::Release() {
    const LONG references = InterlockedDecrement(&m_nReferences);
    if (references == 0)
        delete this;
    return static_cast<ULONG>(references);
}

HRESULT CQueryCancelAutoplay::AllowAutoPlay(LPCWSTR path, DWORD, LPCWSTR, DWORD) {
    return ::AllowAutoPlay(path);
}

// Opens the key, creating it when it is missing.
static HKEY CreateKey(HKEY hRoot, const wchar_t* path) {
    HKEY hKey = nullptr;
    return RegCreateKeyW(hRoot, path, &hKey) == ERROR_SUCCESS ? hKey : nullptr;
}

UserValueRead CWin32AutoPlaySystem::ReadUserDisableAutoplay(uint32_t& value) {
    const CScopedKey key(CreateKey(HKEY_CURRENT_USER, USER_AUTOPLAY_KEY));
    if (!key)
        return UserValueRead::NO_KEY;
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof data;
    if (RegQueryValueExW(key.Get(), DISABLE_AUTOPLAY, nullptr, &type,
                         reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof data)
        return UserValueRead::UNREADABLE;
    value = data;
    return UserValueRead::READ;
}

bool CWin32AutoPlaySystem::WriteUserDisableAutoplay(uint32_t value) {
    const CScopedKey key(CreateKey(HKEY_CURRENT_USER, USER_AUTOPLAY_KEY));
    const DWORD data = value;
    return key &&
           RegSetValueExW(key.Get(), DISABLE_AUTOPLAY, 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
}

bool CWin32AutoPlaySystem::WriteMachineCancelClass(const std::wstring& classText) {
    const CScopedKey key(CreateKey(HKEY_LOCAL_MACHINE, MACHINE_CANCEL_KEY));
    static const BYTE empty[1] = {};
    return key &&
           RegSetValueExW(key.Get(), classText.c_str(), 0, REG_SZ, empty, 0) == ERROR_SUCCESS;
}

// Registers a new object under `moniker`; the table keeps the only reference.
static HRESULT RegisterObject(IRunningObjectTable* table, IMoniker* moniker, DWORD& cookie) {
    CQueryCancelAutoplay* object = new (std::nothrow) CQueryCancelAutoplay;
    if (!object)
        return E_OUTOFMEMORY;
    IUnknown* unknown = nullptr;
    HRESULT result = object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown));
    if (SUCCEEDED(result)) {
        result = table->Register(ROTFLAGS_REGISTRATIONKEEPSALIVE, unknown, moniker, &cookie);
        unknown->Release();
    }
    object->Release();
    return result;
}

int32_t CWin32AutoPlaySystem::RegisterCanceller(const ComGuid& classId, uint32_t& cookie) {
    CLSID clsid;
    std::memcpy(&clsid, &classId, sizeof clsid);
    IMoniker* moniker = nullptr;
    HRESULT result = CreateClassMoniker(clsid, &moniker);
    if (FAILED(result))
        return result;
    IRunningObjectTable* table = nullptr;
    result = GetRunningObjectTable(0, &table);
    if (SUCCEEDED(result)) {
        DWORD registration = 0;
        result = RegisterObject(table, moniker, registration);
        if (SUCCEEDED(result))
            cookie = registration;
        table->Release();
    }
    moniker->Release();
    return result;
}

bool CWin32AutoPlaySystem::RevokeCanceller(uint32_t cookie) {
    IRunningObjectTable* table = nullptr;
    if (FAILED(GetRunningObjectTable(0, &table)))
        return false;
    table->Revoke(cookie);
    table->Release();
    return true;
}
