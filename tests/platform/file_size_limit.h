#pragma once

// A full disk, for tests: writes to regular files are limited to a number of
// bytes, and the write past it fails (EFBIG) instead of the signal ending the
// process.

#include <csignal>

#include <sys/resource.h>

namespace kamerol::testing_support {

template <typename Body>
auto withFileSizeLimit(rlim_t bytes, Body body) {
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = old;
  limited.rlim_cur = bytes;
  ::setrlimit(RLIMIT_FSIZE, &limited);
  const auto result = body();
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  return result;
}

}  // namespace kamerol::testing_support
