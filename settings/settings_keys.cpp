#include "settings/settings_keys.h"

#include "platform/profile/profile.h"

void ReadSetting(const char* key, char* buffer, int size) {
  platform::profile::GetPrivateProfileString(kSettingsSection, key, "", buffer, size,
                                             kSettingsFile);
}

void WriteSetting(const char* key, const char* value) {
  platform::profile::WritePrivateProfileString(kSettingsSection, key, value, kSettingsFile);
}
