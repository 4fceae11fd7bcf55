#pragma once

// The settings file: one section, three keys, and the read size of each
// (terminator included).
inline constexpr char kSettingsFile[] = "RIVURER.INI";
inline constexpr char kSettingsSection[] = "CONFIG";
inline constexpr char kKeyHost[] = "Host";
inline constexpr char kKeyPort[] = "Port";
inline constexpr char kKeyFile[] = "File";
inline constexpr int kHostReadSize = 16;
inline constexpr int kPortReadSize = 6;
inline constexpr int kFileReadSize = 768;
inline constexpr char kDefaultPort[] = "55550";

// One key read into a buffer, or written; the results are not looked at.
void ReadSetting(const char* key, char* buffer, int size);
void WriteSetting(const char* key, const char* value);
