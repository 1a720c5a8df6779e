#include "engine/product_keys.h"
#include "tests/support/fakes.h"
#include "tools/installer/setup_probe.h"
#include <gtest/gtest.h>

namespace {
// The setup program preselects what the program would show and refuses where the program
// would refuse, read back from the exit code it gets.
struct ProbeCase {
    const wchar_t* setting; // nullptr: no setting in either key
    uint16_t userLanguage;
    VersionRecord version;
    bool admin;
    uint32_t exitCode;
};

class SetupProbeTest : public testing::TestWithParam<ProbeCase> {};

TEST_P(SetupProbeTest, AnswersWithTheProgramsLanguageAndRefusal) {
    const ProbeCase& c = GetParam();
    CFakeSettingsStore settings;
    if (c.setting)
        settings.Set(PULO4_KEY, VALUE_LANGUAGE, c.setting);
    CFakeSystemInfo system;
    system.userLanguage = c.userLanguage;
    system.version = c.version;
    system.admin = c.admin;
    EXPECT_EQ(PackSetupVerdict(ProbeSetup(settings, system)), c.exitCode);
}

constexpr VersionRecord WIN98{1, 4, 10};
constexpr VersionRecord XP{2, 5, 1};
constexpr VersionRecord WIN7{2, 6, 1};
constexpr VersionRecord WIN8{2, 6, 2};

INSTANTIATE_TEST_SUITE_P(Rules, SetupProbeTest,
                         testing::Values(ProbeCase{L"0x0019", 1031, WIN7, true, 1049},
                                         ProbeCase{L"1025", 1025, WIN7, true, 1033},
                                         ProbeCase{nullptr, 0x0401, WIN7, true, 1025},
                                         ProbeCase{nullptr, 0x1004, WIN7, true, 1028},
                                         ProbeCase{nullptr, 0x0804, XP, false, 189u << 16 | 2052},
                                         ProbeCase{nullptr, 0x0407, WIN8, false, 1031},
                                         ProbeCase{L"1031", 1033, WIN98, true, 190u << 16 | 1031}));
} // namespace
