#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// A fresh folder, removed afterwards; optionally made the settings folder.
class TempDir {
 public:
  explicit TempDir(bool asConfigHome = false) {
    std::string pattern = (std::filesystem::temp_directory_path() / "kdx-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    if (asConfigHome) {
      const char* old = std::getenv("XDG_CONFIG_HOME");
      hadOld_ = old != nullptr;
      if (hadOld_) old_ = old;
      setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
      restore_ = true;
    }
  }
  ~TempDir() {
    if (restore_) {
      if (hadOld_) {
        setenv("XDG_CONFIG_HOME", old_.c_str(), 1);
      } else {
        unsetenv("XDG_CONFIG_HOME");
      }
    }
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(File(name), std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  bool Exists(const std::string& name) const { return std::filesystem::exists(File(name)); }

 private:
  std::string path_;
  std::string old_;
  bool hadOld_ = false;
  bool restore_ = false;
};
