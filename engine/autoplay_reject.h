#pragma once
#include "platform/autoplay_system.h"
#include <cstdint>
#include <string>

class ISystemInfo;

inline constexpr ComGuid CLSID_QUILLMATE_AUTOPLAY = {
    0x66A32FE6, 0x229D, 0x427B, {0xA6, 0x08, 0xD2, 0x73, 0xF4, 0x0C, 0x03, 0x4C}};
inline constexpr ComGuid IID_QUERY_CANCEL_AUTOPLAY = {
    0xDDEFE873, 0x6997, 0x4E68, {0xBE, 0x26, 0x39, 0xB6, 0x33, 0xAD, 0xBE, 0x12}};
inline constexpr ComGuid IID_UNKNOWN_INTERFACE = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

inline constexpr int32_t AUTOPLAY_ALLOWED = 0;   // S_OK
inline constexpr int32_t AUTOPLAY_CANCELLED = 1; // S_FALSE
inline constexpr uint32_t DISABLE_AUTOPLAY_ON = 1;
inline constexpr uint32_t DISABLE_AUTOPLAY_OFF = 0;

// The identifier in registry spelling, without braces: "66A32FE6-229D-427B-A608-D273F40C034C".
std::wstring ClassIdText(const ComGuid& id);
// The interfaces the autoplay object hands out: IUnknown and IQueryCancelAutoPlay.
bool IsAutoPlayObjectInterface(const ComGuid& iid);
// The shell's question for a new drive: cancelled when the path holds any character of the
// process-wide reject set (case-sensitive), allowed otherwise and for a null path.
int32_t AllowAutoPlay(const wchar_t* path);
std::wstring AutoPlayRejectSet();

// Keeps the shell's autoplay from reacting to the player's drives while it is on: an object in
// the running object table that the shell asks, and on the Vista generation (major version 6)
// the user's autoplay switched off until it is switched off again here.
class CAutoPlayReject {
  public:
    CAutoPlayReject(ISystemInfo& system, IAutoPlaySystem& autoPlay)
        : m_system(system), m_autoPlay(autoPlay) {}
    CAutoPlayReject(const CAutoPlayReject&) = delete;
    CAutoPlayReject& operator=(const CAutoPlayReject&) = delete;

    // `rejectSet` null keeps the current set. Returns the registration's COM result.
    int32_t Start(const wchar_t* rejectSet);
    // True when it set "DisableAutoplay" back.
    bool Stop();

    uint32_t m_nCookie = 0;
    uint8_t m_bRegistered = 0;
    uint8_t m_bDisabledByUs = 0;

  private:
    void SwitchUserAutoplayOff();

    ISystemInfo& m_system;
    IAutoPlaySystem& m_autoPlay;
};
