#pragma once

#include <string_view>

#include "platform/window/window.h"

namespace platform::window {

// A dialog font's base units: the horizontal one is the advance of
// "A..Za..z" divided by 52 and rounded, the vertical one the font's height.
struct BaseUnits {
  int horizontal;
  int vertical;
};

inline constexpr std::string_view kBaseUnitSample =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

inline int MulDiv(int number, int numerator, int denominator) {
  long long product = static_cast<long long>(number) * numerator;
  long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator
                                       : (product - half) / denominator);
}

inline BaseUnits BaseUnitsFromFont(int sampleAdvance, int height) {
  return BaseUnits{MulDiv(sampleAdvance, 1, 52), height};
}

// Dialog units to pixels: x = dlu * hbase / 4, y = dlu * vbase / 8.
inline Rect DialogUnitsToPixels(int x, int y, int cx, int cy, BaseUnits base) {
  int left = MulDiv(x, base.horizontal, 4);
  int top = MulDiv(y, base.vertical, 8);
  return Rect{left, top, left + MulDiv(cx, base.horizontal, 4), top + MulDiv(cy, base.vertical, 8)};
}

}  // namespace platform::window
