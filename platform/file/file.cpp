#include "platform/file/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/text/cp932.h"

namespace platform::file {
namespace {

class PosixFiles final : public Files {
 public:
  Handle OpenReadBinary(const char* path) override {
    if (path == nullptr || *path == '\0') return -1;
    // The file system names files in UTF-8.
    std::string name = text::Cp932ToUtf8(path);
    // Non-blocking so that a pipe cannot hold the open; it is refused below.
    int fd = open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return -1;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      close(fd);
      return -1;
    }
    int flags = fcntl(fd, F_GETFL);
    if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
  }

  long Read(Handle h, void* buffer, unsigned count) override {
    for (;;) {
      ssize_t n = read(h, buffer, count);
      if (n >= 0) return static_cast<long>(n);
      if (errno != EINTR) return -1;
    }
  }

  int64_t Length(Handle h) override {
    struct stat st {};
    return fstat(h, &st) == 0 ? static_cast<int64_t>(st.st_size) : -1;
  }

  void Close(Handle h) override {
    if (h >= 0) close(h);
  }
};

PosixFiles posixFiles;
Files* current = &posixFiles;

}  // namespace

Files& Current() {
  return *current;
}
ScopedFiles::ScopedFiles(Files& files) : previous_(current) {
  current = &files;
}
ScopedFiles::~ScopedFiles() {
  current = previous_;
}

}  // namespace platform::file
