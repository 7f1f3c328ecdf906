#include "app/worker_threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace kamerol {
namespace {

struct ThreadsCase {
  std::string name;
  unsigned count;
};

class WorkerThreadsTest : public testing::TestWithParam<ThreadsCase> {};

// Many rounds, because a lost wake-up hangs one round in some hundreds.
TEST_P(WorkerThreadsTest, EveryThreadWorksAndAllHaveReturnedWhenTheCallReturns) {
  constexpr int kRounds = 300;
  for (int round = 0; round < kRounds; ++round) {
    std::atomic<unsigned> returned{0};
    runOnThreads(GetParam().count, [&] { ++returned; });
    ASSERT_EQ(returned.load(), std::max(GetParam().count, 1u)) << "round " << round;
  }
}

INSTANTIATE_TEST_SUITE_P(Counts, WorkerThreadsTest,
                         testing::Values(ThreadsCase{"One", 1}, ThreadsCase{"Two", 2}, ThreadsCase{"Four", 4}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace kamerol
