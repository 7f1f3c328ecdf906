#include "platform/program_module.h"

#include <system_error>

#include "platform/windows_api.h"

#ifndef _WIN32
#include <dlfcn.h>
#endif

namespace kamerol {

std::filesystem::path programFolder() {
#ifdef _WIN32
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return std::filesystem::path(path).parent_path();
#else
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : program.parent_path();
#endif
}

void* loadModuleEntry(const std::vector<std::filesystem::path>& folders, const std::filesystem::path& fileName,
                      const char* entry) {
  for (const std::filesystem::path& folder : folders) {
    const std::filesystem::path path = folder / fileName;
    std::error_code error;
    if (folder.empty() || !std::filesystem::is_regular_file(path, error)) continue;
#ifdef _WIN32
    if (HMODULE module = LoadLibraryW(path.c_str())) return reinterpret_cast<void*>(GetProcAddress(module, entry));
#else
    if (void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) return dlsym(module, entry);
#endif
  }
  return nullptr;
}

}  // namespace kamerol
