#pragma once

// Modules a program loads when it first needs them, without a
// toolkit: dlopen on POSIX systems, LoadLibraryW on Windows.

#include <filesystem>
#include <string_view>
#include <vector>

namespace kamerol {

// The folder of the running program; empty where it cannot be told.
std::filesystem::path programFolder();

// The address of `entry` in the module `fileName` from the first of `folders`
// that holds it; null where none does or the module cannot be loaded. The
// module stays loaded until the program ends.
void* loadModuleEntry(const std::vector<std::filesystem::path>& folders, const std::filesystem::path& fileName,
                      const char* entry);

}  // namespace kamerol
