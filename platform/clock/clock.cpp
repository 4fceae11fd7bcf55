#include "platform/clock/clock.h"

#include <sys/prctl.h>

#include <cerrno>
#include <ctime>

namespace platform::clock {
namespace {

class RealClock final : public Clock {
 public:
  // The kernel may stretch a sleep by its timer slack (50 us by default);
  // over a thousand paced sends that adds up, so ask for none.
  RealClock() { prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0); }
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
