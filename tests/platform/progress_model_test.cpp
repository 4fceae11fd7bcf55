#include "platform/window/progress_model.h"

#include <gtest/gtest.h>

using namespace platform::window;

TEST(ProgressModel, StartsWithTheControlDefaults) {
  ProgressModel bar;
  EXPECT_EQ(bar.minimum(), 0);
  EXPECT_EQ(bar.maximum(), 100);
  EXPECT_EQ(bar.step(), 10);
  EXPECT_EQ(bar.position(), 0);
}

TEST(ProgressModel, MessagesReturnThePreviousValues) {
  ProgressModel bar;
  EXPECT_EQ(bar.Send(PBM_SETPOS, 40, 0), 0);
  EXPECT_EQ(bar.Send(PBM_SETSTEP, 1, 0), 10);
  EXPECT_EQ(bar.Send(PBM_SETRANGE, 0, 0x000A0000), 0x00640000);
  EXPECT_EQ(bar.position(), 10);  // clamped into the new range
  EXPECT_EQ(bar.Send(PBM_SETPOS, 0, 0), 10);
  EXPECT_EQ(bar.Send(PBM_STEPIT, 0, 0), 0);
  EXPECT_EQ(bar.position(), 1);
}

TEST(ProgressModel, SteppingPastTheMaximumStartsOver) {
  ProgressModel bar;
  for (int i = 1; i <= 10; ++i) {
    bar.Send(PBM_STEPIT, 0, 0);
    EXPECT_EQ(bar.position(), 10 * i);
  }
  bar.Send(PBM_STEPIT, 0, 0);
  EXPECT_EQ(bar.position(), 0);
  bar.Send(PBM_SETRANGE, 0, 0x000A0005);  // 5 to 10
  EXPECT_EQ(bar.position(), 5);
  bar.Send(PBM_SETSTEP, 3, 0);
  bar.Send(PBM_STEPIT, 0, 0);
  bar.Send(PBM_STEPIT, 0, 0);
  EXPECT_EQ(bar.position(), 5);  // 11 passed the maximum
}
