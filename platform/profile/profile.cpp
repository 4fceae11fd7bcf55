#include "platform/profile/profile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "platform/profile/ini_text.h"

namespace platform::profile {
namespace {

// A settings file is a few lines; anything larger is not one of ours and
// reads as missing rather than being loaded whole.
constexpr off_t kMaxFileSize = 1 << 20;

// Closes a descriptor when it goes out of scope.
struct Fd {
  int fd;
  explicit Fd(int f) : fd(f) {}
  ~Fd() {
    if (fd >= 0) close(fd);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
};

enum class ReadState { Read, Missing, Unreadable };

// The whole file, or why not.
ReadState ReadFile(const std::string& path, std::string& out) {
  out.clear();
  Fd f(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (f.fd < 0) return errno == ENOENT ? ReadState::Missing : ReadState::Unreadable;
  struct stat st {};
  if (fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxFileSize) {
    return ReadState::Unreadable;
  }
  char buf[8192];
  for (;;) {
    ssize_t n = read(f.fd, buf, sizeof buf);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return ReadState::Unreadable;
    }
    out.append(buf, static_cast<size_t>(n));
    if (out.size() > static_cast<size_t>(kMaxFileSize)) return ReadState::Unreadable;
  }
  return ReadState::Read;
}

bool MakeDirectories(const std::string& dir) {
  std::string partial;
  size_t pos = 0;
  while (pos != std::string::npos) {
    pos = dir.find('/', pos + 1);
    partial = dir.substr(0, pos);
    if (partial.empty()) continue;
    if (mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  struct stat st {};
  return stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool WriteAll(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    ssize_t n = write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::string ProfileDirectory() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr && *home != '\0' ? home : ".") + "/.config";
}

std::string ProfilePath(const char* fileName) {
  return ProfileDirectory() + "/" + fileName;
}

int GetPrivateProfileString(const char* section, const char* key, const char* defaultValue,
                            char* out, int size, const char* fileName) {
  if (out == nullptr || size <= 0) return 0;
  std::string text;
  std::optional<std::string> value;
  if (ReadFile(ProfilePath(fileName), text) == ReadState::Read) {
    value = FindValue(text, section, key);
  }
  std::string result = value ? *value : std::string(defaultValue != nullptr ? defaultValue : "");
  size_t n = std::min({result.size(), static_cast<size_t>(size - 1), std::strlen(result.c_str())});
  std::memcpy(out, result.data(), n);
  out[n] = '\0';
  return static_cast<int>(n);
}

bool WritePrivateProfileString(const char* section, const char* key, const char* value,
                               const char* fileName) {
  if (section == nullptr || key == nullptr || value == nullptr) return false;
  // A line break in a value would end its line and start another key.
  if (std::strpbrk(value, "\r\n") != nullptr) return false;
  std::string dir = ProfileDirectory();
  if (!MakeDirectories(dir)) return false;
  // Writers in other instances take the same lock, so no update is lost
  // between one's read and its rename.
  Fd dirLock(open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dirLock.fd < 0) return false;
  while (flock(dirLock.fd, LOCK_EX) != 0) {
    if (errno != EINTR) return false;
  }
  std::string path = dir + "/" + fileName;
  std::string text;
  ReadState state = ReadFile(path, text);
  if (state == ReadState::Unreadable) return false;  // never clobber what we cannot read
  std::string updated = SetValue(text, section, key, value);

  std::string temp = path + ".XXXXXX";
  Fd out(mkstemp(temp.data()));
  if (out.fd < 0) return false;
  struct stat st {};
  mode_t mode =
      state == ReadState::Read && stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0600;
  bool ok = fchmod(out.fd, mode) == 0 && WriteAll(out.fd, updated) && fsync(out.fd) == 0;
  ok = close(out.fd) == 0 && ok;
  out.fd = -1;
  if (!ok || rename(temp.c_str(), path.c_str()) != 0) {
    unlink(temp.c_str());
    return false;
  }
  fsync(dirLock.fd);
  return true;
}

}  // namespace platform::profile
