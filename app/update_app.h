#pragma once

#include "platform/window/afx.h"

// The application object: runs the main window modally, then ends.
class CUpdateApp : public platform::window::CWinApp {
 public:
  platform::window::BOOL InitInstance() override;
};
