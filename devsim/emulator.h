#pragma once

#include <cstdio>
#include <map>
#include <string>

#include "devsim/options.h"

namespace devsim {

// The device side of the protocol over TCP, one connection at a time.
class Emulator {
 public:
  explicit Emulator(const Options& options);
  ~Emulator();
  // Listens, prints "listening ADDR:PORT", serves; returns the exit status.
  int Run();

 private:
  enum class Outcome { Go, End };
  void Serve(int fd, int connection);
  Outcome Answer(int fd, Step step, const uint8_t* frame);
  void ReceiveImage(int fd, uint32_t length);
  bool ReadExactly(int fd, uint8_t* buffer, size_t count, size_t& got);
  void Log(const char* format, ...) __attribute__((format(printf, 2, 3)));

  Options o_;
  FILE* log_ = nullptr;
  int listener_ = -1;
  int connection_ = 0;
  int switchesTaken_ = 0;
  int imagesStored_ = 0;
  bool imageDone_ = false;
  std::map<Step, int> seen_;
};

}  // namespace devsim
