#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A dialog template as data: what the backends build a window from. Texts
// are UTF-8 here (resources are stored as Unicode); positions and sizes are
// dialog units of the template's font.
namespace platform::window {

inline constexpr int kNoId = -1;

struct ControlTemplate {
  std::string className;  // "EDIT", "BUTTON", "STATIC", "msctls_progress32"
  int id;
  std::string text;  // for an SS_ICON static: empty, see iconId
  int x, y, cx, cy;
  uint32_t style;
  uint32_t exStyle = 0;
  int iconId = 0;  // SS_ICON: the icon resource shown
};

struct DialogTemplate {
  int id;
  bool extended;  // extended template format
  uint32_t style;
  uint32_t exStyle;
  int x, y, cx, cy;
  std::string caption;
  int pointSize;
  std::string faceName;
  std::vector<ControlTemplate> controls;  // also the tab order and z-order
};

}  // namespace platform::window
