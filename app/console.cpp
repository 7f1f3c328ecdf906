#include "app/console.h"

#include "platform/windows_api.h"

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdlib>
#else
#include <unistd.h>
#endif

namespace kamerol {

void bufferStandardOutput() {
#ifdef _WIN32
  const bool terminal = _isatty(_fileno(stdout));
#else
  const bool terminal = isatty(STDOUT_FILENO);
#endif
  // The C library would choose its own size for a buffer it allocates itself.
  static char buffer[1 << 16];
  if (!terminal) std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
}

#ifdef _WIN32

std::vector<std::string> utf8Arguments(int argc, char* argv[]) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(utf8OfWide(wide[i]));
  LocalFree(wide);
  return args;
}

void useUtf8Streams() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  // The code page belongs to the console, not to the process: it is given
  // back as the program ends, so the command prompt after it stays as it was.
  static const UINT previous = GetConsoleOutputCP();
  if (previous != 0 && previous != CP_UTF8 && SetConsoleOutputCP(CP_UTF8))
    std::atexit([] { SetConsoleOutputCP(previous); });
}

#else

std::vector<std::string> utf8Arguments(int argc, char* argv[]) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void useUtf8Streams() {}

#endif

}  // namespace kamerol
