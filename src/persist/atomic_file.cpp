#include "persist/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zarnath {
namespace {

// Symbolic links followed one after another before the path counts as a loop.
constexpr int kMostLinks = 40;
// Attempts at a temporary name that no other file has.
constexpr int kMostTemporaryNames = 100;

std::string Quoted(const std::string& path) {
  return "\"" + path + "\"";
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// What a path that is there but no regular file is.
std::string KindOf(const struct stat& st) {
  return S_ISDIR(st.st_mode) ? "a folder" : "not a regular file";
}

// The file a path names once its symbolic links are followed; `st` describes it when it is
// there (`exists`). Empty, with errno set, when the links cannot be followed.
std::string FinalTarget(const std::string& path, struct stat& st, bool& exists) {
  std::string target = path;
  for (int hops = 0;; ++hops) {
    if (::lstat(target.c_str(), &st) != 0) {
      if (errno != ENOENT) return {};
      exists = false;
      return target;
    }
    if (!S_ISLNK(st.st_mode)) {
      exists = true;
      return target;
    }
    if (hops >= kMostLinks) {
      errno = ELOOP;
      return {};
    }
    char link[PATH_MAX];
    const ssize_t n = ::readlink(target.c_str(), link, sizeof link);
    if (n < 0) return {};
    if (static_cast<size_t>(n) >= sizeof link) {
      errno = ENAMETOOLONG;
      return {};
    }
    const std::string to(link, static_cast<size_t>(n));
    target = to.front() == '/' ? to : JoinPath(FolderOf(target), to);
  }
}

// A new, empty file beside `target` that no other writer uses, or -1.
int CreateTemporary(const std::string& target, std::string& temp) {
  static std::atomic<unsigned> counter{0};
  const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
  for (int attempt = 0; attempt < kMostTemporaryNames; ++attempt) {
    char tag[64];
    std::snprintf(tag, sizeof tag, ".%ld-%u-%llx.tmp", static_cast<long>(::getpid()), counter++,
                  static_cast<unsigned long long>(now) + static_cast<unsigned long long>(attempt));
    temp = JoinPath(FolderOf(target), "." + NameOf(target) + tag);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::string JoinPath(const std::string& folder, const std::string& file) {
  if (folder.empty() || folder == ".") return file;
  return folder.back() == '/' ? folder + file : folder + "/" + file;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error) {
  auto fail = [&](const std::string& what) {
    if (error) *error = what + " " + Quoted(path) + ": " + std::strerror(errno);
    return false;
  };
  struct stat st {};
  bool exists = false;
  const std::string target = FinalTarget(path, st, exists);
  if (target.empty()) return fail("Cannot reach");
  if (exists && !S_ISREG(st.st_mode)) {
    if (error) *error = "Cannot save over " + Quoted(path) + ": it is " + KindOf(st) + ".";
    return false;
  }

  std::string temp;
  const int fd = CreateTemporary(target, temp);
  if (fd < 0) return fail("Cannot create");
  auto discard = [&](const char* what, bool open) {
    const int saved = errno;
    if (open) ::close(fd);
    ::unlink(temp.c_str());
    errno = saved;
    return fail(what);
  };
  // The file keeps its permissions and, where this user may, its owner.
  if (exists) {
    if (::fchmod(fd, st.st_mode & 07777) != 0) return discard("Cannot keep the permissions of", true);
    if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
      // Only someone with the right can give a file away; the file is then this user's own.
    }
  }
  if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) return discard("Cannot write", true);
  if (::close(fd) != 0) return discard("Cannot write", false);
  if (std::rename(temp.c_str(), target.c_str()) != 0) return discard("Cannot replace", false);
  // The rename itself reaches the disk with the folder.
  const int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return true;
}

FileRead ReadRegularFile(const std::string& path, std::string& bytes, std::string* why, size_t limit) {
  auto outcome = [&](FileRead result, const std::string& text) {
    if (why) *why = text;
    return result;
  };
  // Not blocking: a pipe without a writer would wait for ever.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    const int err = errno;
    if (err == ENOENT || err == ENOTDIR)
      return outcome(FileRead::kMissing, Quoted(path) + " does not exist.");
    struct stat st {};
    if (err == EACCES && ::stat(path.c_str(), &st) != 0 && errno == EACCES)
      return outcome(FileRead::kUnreadable, "A folder on the way to " + Quoted(path) + " cannot be entered.");
    return outcome(FileRead::kUnreadable, Quoted(path) + " cannot be read: " + std::strerror(err) + ".");
  }
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0)
    return outcome(FileRead::kUnreadable, Quoted(path) + " cannot be read: " + std::strerror(errno) + ".");
  if (!S_ISREG(st.st_mode))
    return outcome(FileRead::kNotAFile, Quoted(path) + " is " + KindOf(st) + ", not a file of the game.");
  auto tooLarge = [&] {
    return outcome(FileRead::kTooLarge, Quoted(path) + " holds more than " + std::to_string(limit) +
                                            " bytes, far more than any file of the game.");
  };
  if (static_cast<unsigned long long>(st.st_size) > limit) return tooLarge();
  std::string text;
  text.reserve(static_cast<size_t>(st.st_size));
  char buffer[65536];
  while (true) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return outcome(FileRead::kUnreadable, Quoted(path) + " cannot be read: " + std::strerror(errno) + ".");
    }
    if (n == 0) break;
    if (text.size() + static_cast<size_t>(n) > limit) return tooLarge();  // it grew while being read
    text.append(buffer, static_cast<size_t>(n));
  }
  bytes = std::move(text);
  return FileRead::kRead;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  return ReadRegularFile(path, bytes) == FileRead::kRead;
}

}  // namespace zarnath
