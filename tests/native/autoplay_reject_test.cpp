#include "engine/autoplay_reject.h"
#include "tests/support/fake_app.h"
#include "tests/support/fakes.h"
#include <gtest/gtest.h>

namespace {
const wchar_t* const DRIVES_D_TO_Z = L"DEFGHIJKLMNOPQRSTUVWXYZ";

struct AutoPlayWorld {
    AutoPlayWorld() { system.version = {2, 6, 1}; }
    CFakeSystemInfo system;
    CFakeAutoPlaySystem autoPlay;
    CAutoPlayReject reject{system, autoPlay};
};

TEST(AllowAutoPlay, CancelsPathsHoldingAnyCharacterOfTheRejectSet) {
    ASSERT_EQ(AutoPlayRejectSet(), DRIVES_D_TO_Z);
    const std::pair<const wchar_t*, int32_t> cases[] = {
        {L"E:\\", AUTOPLAY_CANCELLED},
        {L"Z:\\", AUTOPLAY_CANCELLED},
        {L"C:\\", AUTOPLAY_ALLOWED},
        {L"e:\\", AUTOPLAY_ALLOWED},
        {L"", AUTOPLAY_ALLOWED},
        {nullptr, AUTOPLAY_ALLOWED},
        // The rule looks at the whole path, not only at its drive letter.
        {L"C:\\Data", AUTOPLAY_CANCELLED},
    };
    for (const auto& [path, result] : cases)
        EXPECT_EQ(AllowAutoPlay(path), result) << testing::PrintToString(path);
}

TEST(AllowAutoPlay, StartReplacesTheRejectSetOnlyWhenGivenOne) {
    AutoPlayWorld world;
    world.reject.Start(nullptr);
    EXPECT_EQ(AutoPlayRejectSet(), DRIVES_D_TO_Z);
    world.reject.Start(L"");
    EXPECT_EQ(AllowAutoPlay(L"E:\\"), AUTOPLAY_ALLOWED);
    world.reject.Start(L"C");
    EXPECT_EQ(AllowAutoPlay(L"C:\\"), AUTOPLAY_CANCELLED);
    EXPECT_EQ(AllowAutoPlay(L"E:\\"), AUTOPLAY_ALLOWED);
    world.reject.Start(DRIVES_D_TO_Z);
}

TEST(AutoPlayObject, HandsOutOnlyIUnknownAndIQueryCancelAutoPlay) {
    EXPECT_TRUE(IsAutoPlayObjectInterface(IID_UNKNOWN_INTERFACE));
    EXPECT_TRUE(IsAutoPlayObjectInterface(IID_QUERY_CANCEL_AUTOPLAY));
    const ComGuid dispatch = {0x00020400, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
    ComGuid nearlyUnknown = IID_UNKNOWN_INTERFACE;
    nearlyUnknown.data4[7] = 0x47;
    for (const ComGuid& iid : {dispatch, nearlyUnknown, CLSID_QUILLMATE_AUTOPLAY})
        EXPECT_FALSE(IsAutoPlayObjectInterface(iid));
}

TEST(AutoPlayObject, ClassIdInRegistrySpelling) {
    EXPECT_EQ(ClassIdText(CLSID_QUILLMATE_AUTOPLAY), L"66A32FE6-229D-427B-A608-D273F40C034C");
    EXPECT_EQ(ClassIdText(IID_UNKNOWN_INTERFACE), L"00000000-0000-0000-C000-000000000046");
}

struct UserValueCase {
    bool keyAvailable;
    bool present;
    uint32_t before;
    bool writesSucceed;
    int startWrites;
    bool restored; // Stop's answer, and a write of 0
};

TEST(AutoPlayReject, VistaGenerationSwitchesUserAutoplayOffOnlyWhenItWasOn) {
    const UserValueCase cases[] = {
        {true, false, 0, true, 1, true},
        {true, true, 0, true, 1, true},
        {true, true, 2, true, 1, true},
        {true, true, 1, true, 0, false},
        {false, false, 0, true, 0, false},
        // A value that could not be changed is not set back either.
        {true, true, 0, false, 1, false},
    };
    for (const UserValueCase& c : cases) {
        AutoPlayWorld world;
        world.autoPlay.keyAvailable = c.keyAvailable;
        world.autoPlay.userValuePresent = c.present;
        world.autoPlay.userValue = c.before;
        world.autoPlay.writesSucceed = c.writesSucceed;
        EXPECT_EQ(world.reject.Start(nullptr), 0);
        EXPECT_EQ(world.autoPlay.userWrites, c.startWrites);
        EXPECT_EQ(world.reject.Stop(), c.restored);
        EXPECT_EQ(world.autoPlay.userWrites, c.startWrites + (c.restored ? 1 : 0));
        if (c.restored) {
            EXPECT_EQ(world.autoPlay.userValue, DISABLE_AUTOPLAY_OFF);
        }
        EXPECT_TRUE(world.autoPlay.machineClasses.empty());
    }
}

TEST(AutoPlayReject, OtherSystemsNameTheClassForTheMachine) {
    for (const VersionRecord& version : {VersionRecord{2, 5, 0}, VersionRecord{2, 5, 1},
                                         VersionRecord{2, 10, 0}, VersionRecord{1, 4, 10}}) {
        AutoPlayWorld world;
        world.system.version = version;
        world.reject.Start(nullptr);
        EXPECT_EQ(world.autoPlay.machineClasses,
                  std::vector<std::wstring>{L"66A32FE6-229D-427B-A608-D273F40C034C"});
        EXPECT_EQ(world.autoPlay.userWrites, 0);
        EXPECT_FALSE(world.reject.Stop());
    }
    AutoPlayWorld unknown;
    unknown.system.versionAvailable = false;
    unknown.reject.Start(nullptr);
    EXPECT_EQ(unknown.autoPlay.machineClasses.size(), 1u);
}

TEST(AutoPlayReject, RegistrationIsKeptUntilRevoked) {
    AutoPlayWorld world;
    EXPECT_EQ(world.reject.Start(nullptr), 0);
    EXPECT_EQ(world.reject.Start(nullptr), 0);
    EXPECT_EQ(world.autoPlay.registered, std::vector<uint32_t>{7});
    EXPECT_EQ(world.reject.m_nCookie, 7u);
    world.autoPlay.tableAvailable = false;
    world.reject.Stop();
    EXPECT_EQ(world.reject.m_bRegistered, 1);
    world.autoPlay.tableAvailable = true;
    world.reject.Stop();
    EXPECT_EQ(world.reject.m_bRegistered, 0);
    EXPECT_TRUE(world.autoPlay.registered.empty());
}

TEST(AutoPlayReject, FailedRegistrationIsReportedAndNothingIsRevoked) {
    AutoPlayWorld world;
    world.autoPlay.registerResult = static_cast<int32_t>(0x800401E3); // MK_E_UNAVAILABLE
    EXPECT_EQ(world.reject.Start(nullptr), static_cast<int32_t>(0x800401E3));
    EXPECT_EQ(world.reject.m_bRegistered, 0);
    EXPECT_TRUE(world.reject.Stop()); // the user value was still switched and is set back
    world.autoPlay.registerResult = 0;
    EXPECT_EQ(world.reject.Start(nullptr), 0);
    EXPECT_EQ(world.reject.m_bRegistered, 1);
}

TEST(AutoPlayReject, StopWithoutStartDoesNothing) {
    AutoPlayWorld world;
    EXPECT_FALSE(world.reject.Stop());
    EXPECT_EQ(world.autoPlay.userWrites, 0);
    EXPECT_EQ(world.reject.m_nCookie, 0u);
}
} // namespace
