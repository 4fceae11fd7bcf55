#pragma once

#include "platform/window/win_types.h"

namespace platform::window {

// The progress bar's state and its four messages, shared by every backend so
// that they all behave the same: defaults range 0-100, step 10, position 0;
// a step past the maximum starts over from the minimum.
class ProgressModel {
 public:
  // Returns what the control returns: the previous range (low word minimum,
  // high word maximum) for PBM_SETRANGE, the previous position for PBM_SETPOS
  // and PBM_STEPIT, the previous step for PBM_SETSTEP; 0 for anything else.
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam);

  int minimum() const { return min_; }
  int maximum() const { return max_; }
  int step() const { return step_; }
  int position() const { return pos_; }

 private:
  int min_ = 0;
  int max_ = 100;
  int step_ = 10;
  int pos_ = 0;
};

}  // namespace platform::window
