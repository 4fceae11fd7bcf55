#pragma once

#include "platform/window/afx.h"

// The About box: nothing of its own; OK, Esc and the close box end it.
class CAboutDlg : public platform::window::CDialog {
 public:
  explicit CAboutDlg(platform::window::CWnd* parent = nullptr);
};
