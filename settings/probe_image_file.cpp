#include "settings/probe_image_file.h"

#include "platform/file/file.h"

bool ProbeImageFile(const char* path) {
  if (path == nullptr || *path == '\0') return false;
  platform::file::Files& files = platform::file::Current();
  platform::file::Handle h = files.OpenReadBinary(path);
  if (h < 0) return false;
  files.Close(h);
  return true;
}
