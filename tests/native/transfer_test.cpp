#include "engine/product_keys.h"
#include "online/online_system.h"
#include "online/transfer.h"
#include "tests/support/fake_online.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
struct Step {
    uint64_t received;
    uint32_t atMs;
    bool keepsGoing;
};

void ExpectSteps(const char* name, const TransferLimits& limits, const std::vector<Step>& steps) {
    CTransferWatch watch(limits);
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(watch.KeepsGoing(steps[i].received, steps[i].atMs), steps[i].keepsGoing)
            << name << ", step " << i;
        if (!steps[i].keepsGoing)
            return;
    }
}

TEST(TransferWatch, OverallLimitAndMinimumProgress) {
    const TransferLimits total{1000, 10000, 0, 0};
    ExpectSteps("within the overall limit", total, {{100, 0, true}, {200, 9999, true}});
    ExpectSteps("past the overall limit", total, {{100, 5000, true}, {200, 10000, false}});

    const TransferLimits window{1000, 0, 60000, 16384};
    // One byte every 29 s, just inside every read time-out: stopped at the first piece after
    // the first minute, 87 s in.
    ExpectSteps("trickle", window, {{1, 29000, true}, {2, 58000, true}, {3, 87000, false}});
    ExpectSteps("steady slow line", window,
                {{16384, 59000, true},
                 {32768, 119000, true},
                 {49152, 179000, true},
                 {65536, 239000, true}});
    // A burst after a silent minute does not make up for that minute.
    ExpectSteps("silence, then a burst", window, {{10, 1000, true}, {1 << 20, 130000, false}});
    ExpectSteps("the first window is judged alone", window,
                {{20000, 59000, true}, {20001, 121000, false}});
    // No limits at all: a package of hours.
    ExpectSteps("no rule", TransferLimits{1000, 0, 0, 0}, {{1, 0, true}, {2, 4000000000u, true}});
}

TEST(TransferWatch, TheProgramsLimitsStayBounded) {
    // A descriptor never keeps the window waiting for a minute; a package transfer that
    // brings nothing useful ends within its window plus one read.
    EXPECT_LE(DESCRIPTOR_LIMITS.totalMs + DESCRIPTOR_LIMITS.waitMs, 15000u);
    EXPECT_GT(DESCRIPTOR_LIMITS.totalMs, 0u);
    // A byte every 29 s brings a few bytes per window: far below the rule.
    EXPECT_GT(PACKAGE_LIMITS.windowBytes, PACKAGE_LIMITS.windowMs / 29000 + 1);
    EXPECT_LE(PACKAGE_LIMITS.windowMs + PACKAGE_LIMITS.waitMs, 120000u);
    EXPECT_LE(PROBE_WAIT_MS, 5000u);
}

class Transfers : public testing::Test {
  protected:
    COnlineWorld world{PULO5_KEY};
    COnlineSystem online{world.platform};
    const std::wstring target = std::wstring(COnlineWorld::RUN_PATH) + L"\\pkg.exe";

    void SetUp() override { world.disk.AddFolder(COnlineWorld::RUN_PATH); }
};

TEST_F(Transfers, TricklingServerEndsThePackageTransfer) {
    CFakeInternet::Resource trickle{200, std::string(64, 'p')};
    trickle.pieceSize = 1;
    for (uint32_t i = 1; i <= 64; ++i)
        trickle.pieceTimes.push_back(i * 29000);
    world.internet.resources[L"http://h/pkg.exe"] = trickle;
    std::vector<uint64_t> progress;
    EXPECT_FALSE(
        DownloadToFile(world.internet, L"http://h/pkg.exe", target, DOWNLOAD_MAX_BYTES,
                       [&](uint64_t received, uint64_t) { progress.push_back(received); }));
    // Two pieces reported, the third (87 s in) stops the transfer.
    EXPECT_EQ(progress, (std::vector<uint64_t>{1, 2}));
    EXPECT_EQ(world.internet.sessionWaits.back(), PACKAGE_LIMITS.waitMs);
}

TEST_F(Transfers, DescriptorsHaveAnOverallLimit) {
    online.runPath = COnlineWorld::RUN_PATH;
    CFakeInternet::Resource slow{200, "version=V1.07\r\nurl=http://h/p.exe\r\n"};
    slow.pieceSize = 8;
    slow.pieceTimes = {1000, 2000, 3000, 4000, DESCRIPTOR_LIMITS.totalMs};
    world.internet.resources[L"http://h/fw.txt"] = slow;
    EXPECT_EQ(online.FetchFirmwareDescriptor(L"http://h/fw.txt"), 0);
    EXPECT_EQ(world.internet.sessionWaits.back(), DESCRIPTOR_LIMITS.waitMs);
    world.internet.resources[L"http://h/fw.txt"].pieceTimes = {100, 200, 300, 400, 500};
    EXPECT_EQ(online.FetchFirmwareDescriptor(L"http://h/fw.txt"), 1);
}

TEST_F(Transfers, TheProbeWaitsAFewSecondsPerAddress) {
    online.ProbeUpdateServer(0, 1);
    EXPECT_EQ(world.internet.sessionWaits, std::vector<uint32_t>{PROBE_WAIT_MS});
}
} // namespace
