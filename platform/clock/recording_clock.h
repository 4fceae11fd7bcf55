#pragma once

#include <string>

#include "platform/clock/clock.h"
#include "platform/journal/journal.h"

namespace platform::clock {

// Records each pause as "sleep N" and returns at once.
class RecordingClock final : public Clock {
 public:
  explicit RecordingClock(Journal& journal) : journal_(journal) {}
  void Sleep(uint32_t ms) override {
    journal_.Add("sleep " + std::to_string(ms));
    total_ += ms;
  }
  uint64_t total() const { return total_; }

 private:
  Journal& journal_;
  uint64_t total_ = 0;
};

// Returns at once and records nothing: for runs that only want the work.
class NullClock final : public Clock {
 public:
  void Sleep(uint32_t) override {}
};

}  // namespace platform::clock
