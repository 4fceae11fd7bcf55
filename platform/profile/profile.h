#pragma once

#include <string>

// Private-profile (INI) files: read and write one key at a time, with the
// behaviour the tool relies on. Files live in $XDG_CONFIG_HOME (default
// ~/.config); names, keys and values are code page 932 bytes, unchanged.
namespace platform::profile {

// Copies the value of key in section, or defaultValue when the file, the
// section or the key is missing, into out: at most size - 1 bytes, always
// terminated. Section and key names match without regard to case. Returns
// the count copied. A file that cannot be read reads as missing.
int GetPrivateProfileString(const char* section, const char* key, const char* defaultValue,
                            char* out, int size, const char* fileName);

// Sets key in section to value, creating the folder, file, section and key as
// needed and keeping every other line. The file is replaced atomically; on
// any failure it is left as it was and false is returned.
bool WritePrivateProfileString(const char* section, const char* key, const char* value,
                               const char* fileName);

// The folder that holds the files, and a file's full path there.
std::string ProfileDirectory();
std::string ProfilePath(const char* fileName);

}  // namespace platform::profile
