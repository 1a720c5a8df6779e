#pragma once
#include <cstdint>
#include <string>

// A COM class or interface identifier, laid out as the system lays it out.
struct ComGuid {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};

enum class UserValueRead {
    NO_KEY,     // the key can be neither opened nor created
    UNREADABLE, // no such value, or not a 32-bit number
    READ,
};

// The system side of keeping the shell's autoplay away from the player's drives.
class IAutoPlaySystem {
  public:
    virtual ~IAutoPlaySystem() = default;
    // The current user's "DisableAutoplay" under the autoplay handlers key (created if missing).
    virtual UserValueRead ReadUserDisableAutoplay(uint32_t& value) = 0;
    virtual bool WriteUserDisableAutoplay(uint32_t value) = 0;
    // An empty text value named `classText` under the machine's CancelAutoplay class key.
    virtual bool WriteMachineCancelClass(const std::wstring& classText) = 0;
    // Registers a new autoplay-cancelling object in the running object table under the class
    // moniker of `classId`, the table holding the only reference. Returns the COM result of the
    // last step that ran (negative = failure); `cookie` is set on success.
    virtual int32_t RegisterCanceller(const ComGuid& classId, uint32_t& cookie) = 0;
    // Revokes a registration; false when the running object table cannot be obtained.
    virtual bool RevokeCanceller(uint32_t cookie) = 0;
};
