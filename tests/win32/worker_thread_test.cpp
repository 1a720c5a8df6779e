#include "platform/win32/worker_thread.h"
#include <gtest/gtest.h>
#include <atomic>

namespace {
struct Job {
    CWorkerThread* slot = nullptr;
    std::atomic<bool> slotWasFilled{false};
};

DWORD ClearSlotAndEnd(void* argument) {
    auto* job = static_cast<Job*>(argument);
    job->slotWasFilled = job->slot != nullptr;
    job->slot = nullptr; // the last action, as every worker does
    return 42;
}

// A thread that ends at once has freed its object before Start returns; the handle the caller
// keeps is still good for the wait.
TEST(WorkerThread, CallerWaitsOnItsOwnHandleAfterTheObjectIsGone) {
    for (int round = 0; round < 20; ++round) {
        Job job;
        CScopedHandle thread;
        ASSERT_TRUE(CWorkerThread::Start(ClearSlotAndEnd, &job, &job.slot, &thread));
        ASSERT_TRUE(thread);
        ASSERT_EQ(WaitForSingleObject(thread.Get(), 5000), WAIT_OBJECT_0);
        DWORD code = 0;
        ASSERT_TRUE(GetExitCodeThread(thread.Get(), &code));
        EXPECT_EQ(code, 42u);
        EXPECT_TRUE(job.slotWasFilled) << "the slot is filled before the thread runs";
        EXPECT_EQ(job.slot, nullptr);
    }
}

} // namespace
