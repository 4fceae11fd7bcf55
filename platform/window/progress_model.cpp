#include "platform/window/progress_model.h"

#include <algorithm>

namespace platform::window {

LRESULT ProgressModel::Send(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case PBM_SETRANGE: {
      LRESULT previous = (static_cast<LRESULT>(max_ & 0xFFFF) << 16) | (min_ & 0xFFFF);
      min_ = static_cast<int>(lParam & 0xFFFF);
      max_ = static_cast<int>((lParam >> 16) & 0xFFFF);
      if (max_ < min_) max_ = min_;
      pos_ = std::clamp(pos_, min_, max_);
      return previous;
    }
    case PBM_SETPOS: {
      int previous = pos_;
      pos_ = std::clamp(static_cast<int>(wParam), min_, max_);
      return previous;
    }
    case PBM_SETSTEP: {
      int previous = step_;
      step_ = static_cast<int>(wParam);
      return previous;
    }
    case PBM_STEPIT: {
      int previous = pos_;
      pos_ += step_;
      if (pos_ > max_ || pos_ < min_) pos_ = min_;
      return previous;
    }
    default:
      return 0;
  }
}

}  // namespace platform::window
