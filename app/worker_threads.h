#pragma once

#include <functional>

namespace kamerol {

// Runs `work` on `count` threads, the calling one among them, and returns when
// every one has returned. The other threads start on other processors than
// the calling one where the system lets them. Where the system gives fewer
// threads, those it gives do the work.
void runOnThreads(unsigned count, const std::function<void()>& work);

}  // namespace kamerol
