#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/temp_dir.h"

// The device emulator as a child process, with its own store and log.
class DevsimProcess {
 public:
  explicit DevsimProcess(std::vector<std::string> args, const std::string& address = "127.0.0.1") {
    args.insert(args.begin(), {KDX_DEVSIM_PATH, "--address", address, "--port", "0", "--store",
                               dir_.path(), "--log", dir_.File("devsim.log")});
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], 1);
      close(out[0]);
      close(out[1]);
      std::vector<char*> argv;
      for (std::string& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(out[1]);
    FILE* f = fdopen(out[0], "r");
    char line[128] = {};
    if (f != nullptr && std::fgets(line, sizeof line, f) != nullptr) {
      std::string s = line;
      size_t colon = s.rfind(':');
      if (s.rfind("listening ", 0) == 0 && colon != std::string::npos) {
        port_ = std::stoi(s.substr(colon + 1));
      }
    }
    if (f != nullptr) std::fclose(f);
  }
  ~DevsimProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  DevsimProcess(const DevsimProcess&) = delete;
  DevsimProcess& operator=(const DevsimProcess&) = delete;

  int port() const { return port_; }
  std::string Log() const { return dir_.Read("devsim.log"); }
  std::string Image(int n) const { return dir_.Read("image-" + std::to_string(n) + ".bin"); }
  bool HasImage(int n) const { return dir_.Exists("image-" + std::to_string(n) + ".bin"); }

 private:
  TempDir dir_;
  pid_t pid_ = -1;
  int port_ = 0;
};
