#pragma once

#include <cstdint>
#include <string>

#include "platform/window/afx.h"

namespace app::resources {

// The tool's dialogs, string and icons, for CDialog and the backends.
const platform::window::ResourceModule& Module();

const platform::window::DialogTemplate& UpdateDialogTemplate();
const platform::window::DialogTemplate& AboutDialogTemplate();

// An icon picture: 16 colours, one palette index per pixel, row by row.
struct IconImage {
  int size;                // 32 or 16
  const char* const* xpm;  // the picture in XPM form
};
// The two images of an icon group, largest first; null for an unknown id.
const IconImage* IconGroup(int id);

// The version data.
struct VersionInfo {
  uint16_t fileVersion[4];
  uint16_t productVersion[4];
  const char* fileVersionText;  // the string values, UTF-8
  const char* productVersionText;
  const char* companyName;
  const char* fileDescription;
  const char* internalName;
  const char* legalCopyright;
  const char* originalFilename;
  const char* productName;
  const char* comments;
};
const VersionInfo& Version();

}  // namespace app::resources
