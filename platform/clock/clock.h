#pragma once

#include <cstdint>

// The fixed pauses of the protocol go through one replaceable clock, so tests
// can record every pause instead of waiting.
namespace platform::clock {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual void Sleep(uint32_t milliseconds) = 0;
};

// The clock in use; the real one unless a test or tool installed another.
Clock& Current();

// Installs a clock for the lifetime of this object.
class ScopedClock {
 public:
  explicit ScopedClock(Clock& clock);
  ~ScopedClock();
  ScopedClock(const ScopedClock&) = delete;
  ScopedClock& operator=(const ScopedClock&) = delete;

 private:
  Clock* previous_;
};

}  // namespace platform::clock

// The platform's name for a pause, used by the system's own code.
inline void Sleep(uint32_t milliseconds) {
  platform::clock::Current().Sleep(milliseconds);
}
