#pragma once

// Whole-file reads and writes for every file the program reads or writes (the
// calculation file, the report's PDF). No toolkit; POSIX and Windows.
//
// Writing replaces the target only when the new content is complete on disk:
// it goes to a temporary file in the target's folder, is synced and then
// renamed over the target. Only a regular file is ever replaced; a device, a
// FIFO or a folder of that name is refused, and a symbolic link is followed
// to the file it names (the link stays a link).

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace kamerol {

enum class WriteStatus { Written, NotARegularFile, Failed };

struct WriteResult {
  WriteStatus status = WriteStatus::Failed;
  std::error_code error;  // the system's reason when Failed

  explicit operator bool() const { return status == WriteStatus::Written; }
  // Why it was not written, for the command line's message.
  std::string reason() const;
};

// Replaces `target` by `bytes`, or creates it. When the folder cannot take a
// new file but the file itself can be written, it is rewritten in place
// (write, cut to length, sync). The replaced file's permissions are kept, and
// its owner and group where the saver may set them. Temporary files that
// earlier saves of the same target left behind (a killed save) are removed.
WriteResult writeWholeFile(const std::filesystem::path& target, std::string_view bytes);

// The first `limit` bytes of a regular file; nothing when it cannot be opened
// or is not a regular file. Never waits: a FIFO or a device is refused without
// being read.
std::optional<std::string> readRegularFile(const std::filesystem::path& path, std::size_t limit);

// The names writeWholeFile gives its temporary files beside `target`:
// ".NAME.kamerol-XXXXXX.tmp".
bool isTemporaryFileOf(const std::filesystem::path& candidateName, const std::filesystem::path& target);

}  // namespace kamerol
