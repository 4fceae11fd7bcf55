#include "platform/clock/clock.h"

#include <cerrno>
#include <ctime>

namespace platform::clock {
namespace {

class RealClock final : public Clock {
 public:
  void Sleep(uint32_t ms) override {
    timespec left{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
  }
};

RealClock realClock;
Clock* current = &realClock;

}  // namespace

Clock& Current() {
  return *current;
}

ScopedClock::ScopedClock(Clock& clock) : previous_(current) {
  current = &clock;
}
ScopedClock::~ScopedClock() {
  current = previous_;
}

}  // namespace platform::clock
