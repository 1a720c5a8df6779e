#include "app/system_check.h"
#include "tests/support/fakes.h"
#include <gtest/gtest.h>
#include <string>

namespace {
struct VersionCase {
    uint32_t platform, major, minor;
    int32_t code;
};

class SystemCodeTest : public testing::TestWithParam<VersionCase> {};

TEST_P(SystemCodeTest, ClassifiesTheVersionRecord) {
    CFakeSystemInfo system;
    system.version = {GetParam().platform, GetParam().major, GetParam().minor};
    EXPECT_EQ(GetSystemCode(system), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    EveryRow, SystemCodeTest,
    testing::Values(VersionCase{1, 4, 0, 1}, VersionCase{1, 4, 10, 2}, VersionCase{1, 4, 90, 3},
                    VersionCase{1, 4, 5, 0}, VersionCase{1, 5, 0, 0}, VersionCase{1, 3, 10, 0},
                    VersionCase{2, 3, 51, 4}, VersionCase{2, 4, 0, 4}, VersionCase{2, 0, 0, 4},
                    VersionCase{2, 5, 0, 5}, VersionCase{2, 5, 1, 6}, VersionCase{2, 5, 2, 7},
                    VersionCase{2, 5, 3, 0}, VersionCase{2, 6, 0, 8}, VersionCase{2, 6, 1, 10},
                    VersionCase{2, 6, 2, 11}, VersionCase{2, 6, 3, 0}, VersionCase{2, 7, 0, 0},
                    VersionCase{2, 10, 0, 0}, VersionCase{0, 6, 1, 0}, VersionCase{3, 6, 1, 0}));

TEST(SystemCode, FailingVersionQueryIsUnknown) {
    CFakeSystemInfo system;
    system.versionAvailable = false;
    EXPECT_EQ(GetSystemCode(system), SYSTEM_UNKNOWN);
}

TEST(SystemGate, RefusesOldSystemsBeforeAskingForTheToken) {
    CFakeSystemInfo system;
    system.admin = false;
    for (int32_t code = 0; code <= 4; ++code)
        EXPECT_EQ(SystemGateMessage(code, system), MSG_UNSUPPORTED_WINDOWS) << code;
    EXPECT_EQ(system.adminQueries, 0);
}

TEST(SystemGate, Windows2000ToWindows7NeedAnAdministrator) {
    CFakeSystemInfo system;
    for (int32_t code : {5, 6, 7, 8, 10}) {
        system.admin = false;
        EXPECT_EQ(SystemGateMessage(code, system), MSG_NEEDS_ADMINISTRATOR) << code;
        system.admin = true;
        EXPECT_EQ(SystemGateMessage(code, system), 0) << code;
    }
}

TEST(SystemGate, Windows8RunsWithoutTheTokenTest) {
    CFakeSystemInfo system;
    system.admin = false;
    EXPECT_EQ(SystemGateMessage(SYSTEM_WIN8, system), 0);
    EXPECT_EQ(system.adminQueries, 0);
}

TEST(SystemGate, IsUserAdminFollowsTheToken) {
    CFakeSystemInfo system;
    system.admin = false;
    EXPECT_EQ(IsUserAdmin(system), 0);
    system.admin = true;
    EXPECT_EQ(IsUserAdmin(system), 1);
}
} // namespace
