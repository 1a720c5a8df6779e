#pragma once
#include "platform/autoplay_system.h"

// The autoplay values in the registry and the registration of the object the shell asks
// before it runs autoplay for a new drive. The running object table needs COM on the calling
// thread.
class CWin32AutoPlaySystem : public IAutoPlaySystem {
  public:
    UserValueRead ReadUserDisableAutoplay(uint32_t& value) override;
    bool WriteUserDisableAutoplay(uint32_t value) override;
    bool WriteMachineCancelClass(const std::wstring& classText) override;
    int32_t RegisterCanceller(const ComGuid& classId, uint32_t& cookie) override;
    bool RevokeCanceller(uint32_t cookie) override;
};
