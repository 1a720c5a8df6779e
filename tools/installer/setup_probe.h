#pragma once
#include <cstdint>

class ISettingsStore;
class ISystemInfo;

// What the setup program learns from the program's own rules before it shows anything: the
// language the program would choose now (preselected on the language page) and the message
// with which the program would refuse to run here (0 when it would run).
struct SetupVerdict {
    uint16_t language = 0;
    uint16_t refusal = 0;
};

SetupVerdict ProbeSetup(ISettingsStore& settings, ISystemInfo& system);

// The verdict as one process exit code, which the setup program reads: the refusal in the high
// 16 bits, the language in the low 16 bits.
uint32_t PackSetupVerdict(const SetupVerdict& verdict);
