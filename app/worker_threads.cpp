#include "app/worker_threads.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#ifdef __linux__
#include <sched.h>
#endif

namespace kamerol {
namespace {

// Some schedulers (virtual machines that keep a process's threads together on
// one virtual processor) leave a new thread on its creator's processor for
// tens of milliseconds, which is most of a batch of a thousand files. Moving
// it off once puts it on a free processor at once; its whole set of
// processors is given back straight away, so the scheduler stays free to move
// it later.
void leaveProcessor([[maybe_unused]] int creator) {
#ifdef __linux__
  cpu_set_t allowed;
  if (creator < 0 || creator >= CPU_SETSIZE || sched_getaffinity(0, sizeof allowed, &allowed) != 0) return;
  cpu_set_t others = allowed;
  CPU_CLR(creator, &others);
  if (CPU_COUNT(&others) == 0 || sched_setaffinity(0, sizeof others, &others) != 0) return;
  sched_setaffinity(0, sizeof allowed, &allowed);
#endif
}

// The threads still to move. Not std::latch: MinGW-w64's GCC 12 library waits
// on one without a futex and can miss its last count-down, which left a batch
// on Windows waiting for ever now and then.
class Countdown {
 public:
  explicit Countdown(unsigned count) : left_(count) {}

  void countDown(unsigned n = 1) {
    {
      const std::lock_guard lock(mutex_);
      left_ -= n;
    }
    zero_.notify_all();
  }

  void wait() {
    std::unique_lock lock(mutex_);
    zero_.wait(lock, [this] { return left_ == 0; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable zero_;
  unsigned left_;
};

int currentProcessor() {
#ifdef __linux__
  return sched_getcpu();
#else
  return -1;
#endif
}

}  // namespace

void runOnThreads(unsigned count, const std::function<void()>& work) {
  if (count <= 1) return work();
  // The calling thread waits until the others have moved: started next to a
  // busy thread, a new one may wait a whole time slice for its first turn.
  Countdown moved(count - 1);
  std::vector<std::jthread> others;
  const int creator = currentProcessor();
  for (unsigned t = 1; t < count; ++t) {
    try {
      others.emplace_back([&] {
        leaveProcessor(creator);
        moved.countDown();
        work();
      });
    } catch (const std::system_error&) {
      // The system gives no more threads: those started do the work.
      moved.countDown(count - t);
      break;
    }
  }
  moved.wait();
  work();
}

}  // namespace kamerol
