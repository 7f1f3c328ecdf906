#include "platform/file_access.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <random>
#include <utility>

#include "platform/windows_api.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace kamerol {
namespace {

namespace fs = std::filesystem;
using NativeString = fs::path::string_type;

constexpr std::string_view kTemporaryMarker = ".kamerol-";
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr std::string_view kRandomLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kRandomLength = 6;
constexpr int kMaxLinks = 40;
constexpr int kNameAttempts = 100;

NativeString native(std::string_view ascii) { return NativeString(ascii.begin(), ascii.end()); }

// Reads to the end, or to `limit` bytes, with `readSome(buffer, size)` giving
// the bytes read or nothing on failure. The buffer starts at the file's size
// and one byte more, so that a small file takes one read and no copy.
template <typename ReadSome>
std::optional<std::string> readUpTo(std::uint64_t size, std::size_t limit, ReadSome readSome) {
  std::string bytes(static_cast<std::size_t>(std::min<std::uint64_t>(limit, size + 1)), '\0');
  std::size_t filled = 0;
  while (filled < limit) {
    // A file that grew while it was read.
    if (filled == bytes.size()) bytes.resize(std::min(limit, std::max<std::size_t>(2 * filled, 4096)));
    const std::optional<std::size_t> n = readSome(bytes.data() + filled, bytes.size() - filled);
    if (!n) return std::nullopt;
    if (*n == 0) break;
    filled += *n;
  }
  bytes.resize(filled);
  return bytes;
}

NativeString temporaryPrefix(const fs::path& target) {
  return native(".") + target.filename().native() + native(kTemporaryMarker);
}

fs::path temporaryName(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  thread_local std::mt19937 random(std::random_device{}() ^ counter++);
  std::string letters;
  for (std::size_t i = 0; i < kRandomLength; ++i) letters += kRandomLetters[random() % kRandomLetters.size()];
  return fs::path(temporaryPrefix(target) + native(letters) + native(kTemporarySuffix));
}

fs::path folderOf(const fs::path& target) {
  const fs::path parent = target.parent_path();
  return parent.empty() ? fs::path(".") : parent;
}

// The file that a save through `p` replaces: every link followed to its end.
// A link to a file that does not exist yet names the file to create.
bool followLinks(fs::path& p, std::error_code& error) {
  for (int i = 0; i < kMaxLinks; ++i) {
    std::error_code ignored;
    if (!fs::is_symlink(fs::symlink_status(p, ignored))) return true;
    const fs::path next = fs::read_symlink(p, error);
    if (error) return false;
    p = next.is_absolute() ? next : p.parent_path() / next;
  }
  error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
  return false;
}

WriteResult failed(std::error_code error) { return {WriteStatus::Failed, error}; }
WriteResult written() { return {WriteStatus::Written, {}}; }
WriteResult notARegularFile() { return {WriteStatus::NotARegularFile, {}}; }

#ifdef _WIN32

std::error_code lastError() { return {static_cast<int>(::GetLastError()), std::system_category()}; }

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  Handle(Handle&& other) noexcept : h_(std::exchange(other.h_, INVALID_HANDLE_VALUE)) {}
  Handle& operator=(Handle&& other) noexcept {
    close();
    h_ = std::exchange(other.h_, INVALID_HANDLE_VALUE);
    return *this;
  }
  ~Handle() { close(); }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  bool close() {
    const bool ok = !valid() || ::CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE h_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A file on a disk, not a folder, a device ("NUL", "CON") or a pipe.
bool isRegular(HANDLE h) {
  BY_HANDLE_FILE_INFORMATION info{};
  return ::GetFileType(h) == FILE_TYPE_DISK && ::GetFileInformationByHandle(h, &info) != 0 &&
         (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool writeAll(HANDLE h, std::string_view bytes, std::error_code& error) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD done = 0;
    if (::WriteFile(h, bytes.data(), chunk, &done, nullptr) == 0 || done == 0) {
      error = lastError();
      return false;
    }
    bytes.remove_prefix(done);
  }
  return true;
}

WriteResult rewriteInPlace(const fs::path& target, std::string_view bytes) {
  Handle file(::CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return failed(lastError());
  if (!isRegular(file.get())) return notARegularFile();
  std::error_code error;
  if (!writeAll(file.get(), bytes, error)) return failed(error);
  if (::SetEndOfFile(file.get()) == 0 || ::FlushFileBuffers(file.get()) == 0) return failed(lastError());
  if (!file.close()) return failed(lastError());
  return written();
}

void removeStaleTemporaries(const fs::path& folder, const fs::path& target) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    // A save in progress keeps its file open without sharing it, so it cannot be deleted.
    if (isTemporaryFileOf(it->path().filename(), target)) ::DeleteFileW(it->path().c_str());
  }
}

WriteResult writeFollowed(fs::path target, std::string_view bytes) {
  // ReplaceFileW (Wine's at least) fails on a name with forward slashes:
  // "Directory name invalid".
  target.make_preferred();
  bool exists = false;
  {
    Handle existing(::CreateFileW(target.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (existing.valid()) {
      if (!isRegular(existing.get())) return notARegularFile();
      exists = true;
    } else if (const DWORD code = ::GetLastError(); code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND) {
      return failed(lastError());
    }
  }
  if (exists && (::GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_READONLY) != 0)
    return failed(std::make_error_code(std::errc::permission_denied));

  const fs::path folder = folderOf(target);
  fs::path temporary;
  std::error_code error;
  {
    Handle file(INVALID_HANDLE_VALUE);
    DWORD code = ERROR_SUCCESS;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
      temporary = folder / temporaryName(target);
      // Not shared: a later save cannot take it for a stale one while it is written.
      file = Handle(
          ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
      code = file.valid() ? ERROR_SUCCESS : ::GetLastError();
      if (code != ERROR_FILE_EXISTS) break;
    }
    if (!file.valid()) {
      // The folder takes no new file, but the file itself may be writable.
      if (exists && code == ERROR_ACCESS_DENIED) return rewriteInPlace(target, bytes);
      return failed({static_cast<int>(code), std::system_category()});
    }
    bool ok = writeAll(file.get(), bytes, error);
    if (ok && ::FlushFileBuffers(file.get()) == 0) ok = (error = lastError(), false);
    if (ok && !file.close()) ok = (error = lastError(), false);
    if (!ok) {
      file.close();
      ::DeleteFileW(temporary.c_str());
      return failed(error);
    }
  }
  // ReplaceFileW keeps the replaced file's attributes, owner and permissions.
  const bool moved = exists ? ::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                                             REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0
                            : ::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
  if (!moved) {
    const DWORD code = ::GetLastError();
    error = lastError();
    ::DeleteFileW(temporary.c_str());
    if (exists && code == ERROR_ACCESS_DENIED) return rewriteInPlace(target, bytes);
    return failed(error);
  }
  removeStaleTemporaries(folder, target);
  return written();
}

std::optional<std::string> readFile(const fs::path& path, std::size_t limit) {
  Handle file(
      ::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file.valid() || !isRegular(file.get()) || ::GetFileSizeEx(file.get(), &size) == 0) return std::nullopt;
  return readUpTo(static_cast<std::uint64_t>(size.QuadPart), limit,
                  [&](char* buffer, std::size_t want) -> std::optional<std::size_t> {
                    DWORD done = 0;
                    const auto some = static_cast<DWORD>(std::min<std::size_t>(want, 1u << 30));
                    if (::ReadFile(file.get(), buffer, some, &done, nullptr) == 0) return std::nullopt;
                    return done;
                  });
}

#else  // POSIX

std::error_code lastError() { return {errno, std::generic_category()}; }

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Fd& operator=(Fd&&) = delete;
  ~Fd() { close(); }
  bool valid() const { return fd_ >= 0; }
  int get() const { return fd_; }
  bool close() {
    const bool ok = fd_ < 0 || ::close(fd_) == 0;
    fd_ = -1;
    return ok;
  }

 private:
  int fd_;
};

bool writeAll(int fd, std::string_view bytes, std::error_code& error) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? lastError() : std::make_error_code(std::errc::io_error);
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool sync(int fd, std::error_code& error) {
  if (::fsync(fd) == 0) return true;
  error = lastError();
  return false;
}

// The new content is written over the old from the start and only then cut to
// its length, so the old content goes only once the new one is there or the
// write has failed (which is reported).
WriteResult rewriteInPlace(const fs::path& target, std::string_view bytes) {
  Fd file(::open(target.c_str(), O_WRONLY | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (!file.valid()) return failed(lastError());
  struct stat st {};
  if (::fstat(file.get(), &st) != 0) return failed(lastError());
  if (!S_ISREG(st.st_mode)) return notARegularFile();
  std::error_code error;
  if (!writeAll(file.get(), bytes, error)) return failed(error);
  if (::ftruncate(file.get(), static_cast<off_t>(bytes.size())) != 0) return failed(lastError());
  if (!sync(file.get(), error)) return failed(error);
  if (!file.close()) return failed(lastError());
  return written();
}

// A new file in `folder`, locked for as long as it is open: a temporary file
// whose lock can be taken belongs to no running save.
Fd createTemporary(const fs::path& folder, const fs::path& target, fs::path& temporary, std::error_code& error) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    temporary = folder / temporaryName(target);
    Fd file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666));
    if (!file.valid()) {
      if (errno == EEXIST) continue;
      error = lastError();
      return Fd(-1);
    }
    while (::flock(file.get(), LOCK_EX) != 0 && errno == EINTR) {
    }
    // Another save may have taken it for stale between its creation and the lock.
    struct stat st {};
    if (::fstat(file.get(), &st) == 0 && st.st_nlink > 0) return file;
  }
  error = std::make_error_code(std::errc::file_exists);
  return Fd(-1);
}

// The new file takes the replaced one's owner, group and permissions, as far
// as the saver may set them.
void keepOwnerAndMode(int fd, const struct stat& old) {
  struct stat mine {};
  if (::fstat(fd, &mine) == 0 && (mine.st_uid != old.st_uid || mine.st_gid != old.st_gid)) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
      // Neither may be changed: the file is the saver's own.
    }
  }
  ::fchmod(fd, old.st_mode & 07777);  // after chown, which may clear the set-id bits
}

void syncFolder(const fs::path& folder) {
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.valid()) ::fsync(dir.get());
}

void removeStaleTemporaries(const fs::path& folder, const fs::path& target) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const fs::path& path = it->path();
    if (!isTemporaryFileOf(path.filename(), target)) continue;
    Fd file(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat opened {};
    struct stat named {};
    if (file.valid() && ::fstat(file.get(), &opened) == 0 && S_ISREG(opened.st_mode) &&
        ::flock(file.get(), LOCK_EX | LOCK_NB) == 0 && ::lstat(path.c_str(), &named) == 0 &&
        named.st_dev == opened.st_dev && named.st_ino == opened.st_ino) {
      ::unlink(path.c_str());
    }
  }
}

bool mayFallBackInPlace(const std::error_code& error) {
  return error == std::errc::permission_denied || error == std::errc::operation_not_permitted ||
         error == std::errc::read_only_file_system || error == std::errc::device_or_resource_busy;
}

WriteResult writeFollowed(const fs::path& target, std::string_view bytes) {
  struct stat old {};
  bool exists = false;
  if (::lstat(target.c_str(), &old) == 0) {
    if (!S_ISREG(old.st_mode)) return notARegularFile();
    exists = true;
    // As truncating it would be: a file the saver may not write is not replaced.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return failed(lastError());
  } else if (errno != ENOENT) {
    return failed(lastError());
  }

  const fs::path folder = folderOf(target);
  fs::path temporary;
  std::error_code error;
  Fd file = createTemporary(folder, target, temporary, error);
  if (!file.valid()) {
    // The folder takes no new file, but the file itself may be writable.
    if (exists && mayFallBackInPlace(error)) return rewriteInPlace(target, bytes);
    return failed(error);
  }
  if (exists) keepOwnerAndMode(file.get(), old);
  // The file stays open, and so locked, until it has its name.
  bool renameFailed = false;
  if (writeAll(file.get(), bytes, error) && sync(file.get(), error)) {
    if (::rename(temporary.c_str(), target.c_str()) == 0) {
      file.close();
      syncFolder(folder);
      removeStaleTemporaries(folder, target);
      return written();
    }
    error = lastError();
    renameFailed = true;
  }
  ::unlink(temporary.c_str());
  file.close();
  if (renameFailed && exists && mayFallBackInPlace(error)) return rewriteInPlace(target, bytes);
  return failed(error);
}

std::optional<std::string> readFile(const fs::path& path, std::size_t limit) {
  // Opening a FIFO for reading waits for a writer, and a device may do anything: only a regular file is opened,
  // and without waiting in case it has just been replaced by something else.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  Fd file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!file.valid() || ::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return readUpTo(static_cast<std::uint64_t>(st.st_size), limit,
                  [&](char* buffer, std::size_t want) -> std::optional<std::size_t> {
                    ssize_t n;
                    do n = ::read(file.get(), buffer, want);
                    while (n < 0 && errno == EINTR);
                    if (n < 0) return std::nullopt;
                    return static_cast<std::size_t>(n);
                  });
}

#endif

}  // namespace

std::string WriteResult::reason() const {
  switch (status) {
    case WriteStatus::Written:
      return {};
    case WriteStatus::NotARegularFile:
      return "not a regular file";
    case WriteStatus::Failed:
      break;
  }
  return error ? error.message() : "write failed";
}

WriteResult writeWholeFile(const fs::path& requested, std::string_view bytes) {
  if (requested.empty()) return failed(std::make_error_code(std::errc::invalid_argument));
  fs::path target = requested;
  std::error_code error;
  if (!followLinks(target, error)) return failed(error);
  return writeFollowed(target, bytes);
}

std::optional<std::string> readRegularFile(const fs::path& path, std::size_t limit) {
  if (path.empty()) return std::nullopt;
  return readFile(path, limit);
}

bool isTemporaryFileOf(const fs::path& candidateName, const fs::path& target) {
  const NativeString& name = candidateName.native();
  const NativeString prefix = temporaryPrefix(target);
  const NativeString suffix = native(kTemporarySuffix);
  if (target.filename().empty() || name.size() != prefix.size() + kRandomLength + suffix.size()) return false;
  if (name.compare(0, prefix.size(), prefix) != 0 || name.compare(name.size() - suffix.size(), suffix.size(), suffix))
    return false;
  return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()),
                     name.end() - static_cast<std::ptrdiff_t>(suffix.size()), [](auto c) {
                       return c < 0x80 && kRandomLetters.find(static_cast<char>(c)) != std::string_view::npos;
                     });
}

}  // namespace kamerol
