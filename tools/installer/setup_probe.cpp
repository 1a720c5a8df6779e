#include "tools/installer/setup_probe.h"
#include "app/language.h"
#include "app/system_check.h"

SetupVerdict ProbeSetup(ISettingsStore& settings, ISystemInfo& system) {
    SetupVerdict verdict;
    verdict.language = ChooseLanguage(settings, system);
    verdict.refusal = SystemGateMessage(GetSystemCode(system), system);
    return verdict;
}

uint32_t PackSetupVerdict(const SetupVerdict& verdict) {
    return static_cast<uint32_t>(verdict.refusal) << 16 | verdict.language;
}
