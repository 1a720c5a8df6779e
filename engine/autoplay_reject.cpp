#include "engine/autoplay_reject.h"
#include "platform/system_info.h"
#include <cstdio>
#include <cstring>
#include <mutex>

static constexpr uint32_t MAJOR_VISTA_GENERATION = 6;

// Read by the shell's calls on COM threads, replaced on the window's thread.
static std::mutex g_rejectSetLock;
static std::wstring g_rejectSet = L"DEFGHIJKLMNOPQRSTUVWXYZ";

std::wstring ClassIdText(const ComGuid& id) {
    char text[40];
    std::snprintf(text, sizeof text, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                  static_cast<unsigned>(id.data1), id.data2, id.data3, id.data4[0], id.data4[1],
                  id.data4[2], id.data4[3], id.data4[4], id.data4[5], id.data4[6], id.data4[7]);
    return std::wstring(text, text + std::strlen(text));
}

static bool SameGuid(const ComGuid& a, const ComGuid& b) {
    return a.data1 == b.data1 && a.data2 == b.data2 && a.data3 == b.data3 &&
           std::memcmp(a.data4, b.data4, sizeof a.data4) == 0;
}

bool IsAutoPlayObjectInterface(const ComGuid& iid) {
    return SameGuid(iid, IID_UNKNOWN_INTERFACE) || SameGuid(iid, IID_QUERY_CANCEL_AUTOPLAY);
}

int32_t AllowAutoPlay(const wchar_t* path) {
    if (!path)
        return AUTOPLAY_ALLOWED;
    const std::lock_guard<std::mutex> lock(g_rejectSetLock);
    return std::wstring_view(path).find_first_of(g_rejectSet) != std::wstring_view::npos
               ? AUTOPLAY_CANCELLED
               : AUTOPLAY_ALLOWED;
}

std::wstring AutoPlayRejectSet() {
    const std::lock_guard<std::mutex> lock(g_rejectSetLock);
    return g_rejectSet;
}

void CAutoPlayReject::SwitchUserAutoplayOff() {
    uint32_t value = 0;
    const UserValueRead read = m_autoPlay.ReadUserDisableAutoplay(value);
    if (read == UserValueRead::NO_KEY ||
        (read == UserValueRead::READ && value == DISABLE_AUTOPLAY_ON))
        return;
    // Only a value we really changed is set back later.
    if (m_autoPlay.WriteUserDisableAutoplay(DISABLE_AUTOPLAY_ON))
        m_bDisabledByUs = 1;
}

int32_t CAutoPlayReject::Start(const wchar_t* rejectSet) {
    VersionRecord version;
    if (m_system.QueryVersion(version) && version.major == MAJOR_VISTA_GENERATION)
        SwitchUserAutoplayOff();
    else
        m_autoPlay.WriteMachineCancelClass(ClassIdText(CLSID_QUILLMATE_AUTOPLAY));
    if (rejectSet) {
        const std::lock_guard<std::mutex> lock(g_rejectSetLock);
        g_rejectSet = rejectSet;
    }
    // A second start while on would leave the first registration behind for good.
    if (m_bRegistered)
        return 0; // S_OK
    const int32_t result = m_autoPlay.RegisterCanceller(CLSID_QUILLMATE_AUTOPLAY, m_nCookie);
    if (result >= 0)
        m_bRegistered = 1;
    return result;
}

bool CAutoPlayReject::Stop() {
    const bool restored = m_bDisabledByUs != 0;
    if (restored) {
        m_autoPlay.WriteUserDisableAutoplay(DISABLE_AUTOPLAY_OFF);
        m_bDisabledByUs = 0;
    }
    if (m_bRegistered && m_autoPlay.RevokeCanceller(m_nCookie))
        m_bRegistered = 0;
    return restored;
}
