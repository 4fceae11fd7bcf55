#include <cstring>

#include "app/update_dlg.h"
#include "settings/input_state.h"
#include "settings/probe_image_file.h"
#include "settings/settings_keys.h"

void CUpdateDlg::LoadSettings() {
  ReadSetting(kKeyHost, state_.host, kHostReadSize);
  ReadSetting(kKeyFile, state_.filePath, kFileReadSize);
  ReadSetting(kKeyPort, state_.port, kPortReadSize);
  state_.inputState = 0;

  if (state_.host[0] != '\0') {
    if (IsUsableAddress()) {
      state_.inputState |= ADDRESS_SET;
    } else {
      std::memset(state_.host, 0, sizeof state_.host);
    }
  }
  if (state_.port[0] == '\0') std::strcpy(state_.port, kDefaultPort);
  state_.inputState |= PORT_SET;
  if (state_.filePath[0] != '\0') {
    if (ProbeImageFile(state_.filePath)) {
      state_.inputState |= FILE_SET;
    } else {
      std::memset(state_.filePath, 0, sizeof state_.filePath);
    }
  }

  SetDlgItemText(IDC_ADDRESS, state_.host);
  SetDlgItemText(IDC_FILENAME, state_.filePath);
  SetDlgItemText(IDC_PORT, state_.port);
  RefreshGuidance();
  WriteSetting(kKeyPort, state_.port);
}
