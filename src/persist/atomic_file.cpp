#include "persist/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <unistd.h>

namespace zarnath {

std::string JoinPath(const std::string& folder, const std::string& file) {
  if (folder.empty() || folder == ".") return file;
  return folder.back() == '/' ? folder + file : folder + "/" + file;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error) {
  auto fail = [&](const char* what) {
    if (error) *error = std::string(what) + " \"" + path + "\": " + std::strerror(errno);
    return false;
  };
  const std::string temp = path + ".tmp";
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return fail("Cannot create");
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      int saved = errno;
      ::close(fd);
      ::unlink(temp.c_str());
      errno = saved;
      return fail("Cannot write");
    }
    done += static_cast<size_t>(n);
  }
  const bool synced = ::fsync(fd) == 0;
  int saved = errno;
  const bool closed = ::close(fd) == 0;
  if (!synced || !closed) {
    if (synced) saved = errno;
    ::unlink(temp.c_str());
    errno = saved;
    return fail("Cannot write");
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    int saved = errno;
    ::unlink(temp.c_str());
    errno = saved;
    return fail("Cannot replace");
  }
  return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream ss;
  ss << in.rdbuf();
  bytes = ss.str();
  return !in.bad();
}

}  // namespace zarnath
