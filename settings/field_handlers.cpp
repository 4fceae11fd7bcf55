#include "app/texts.h"
#include "app/update_dlg.h"
#include "settings/input_state.h"
#include "settings/probe_image_file.h"
#include "settings/settings_keys.h"

using namespace platform::window;

void CUpdateDlg::OnKillFocusAddress() {
  GetDlgItemText(IDC_ADDRESS, state_.host, kHostReadSize);
  if (state_.host[0] == '\0' || !IsUsableAddress()) {
    state_.inputState &= static_cast<uint16_t>(~ADDRESS_SET);
    RefreshGuidance();
    return;
  }
  state_.inputState |= ADDRESS_SET;
  WriteSetting(kKeyHost, state_.host);
  RefreshGuidance();
}

void CUpdateDlg::OnKillFocusPort() {
  GetDlgItemText(IDC_PORT, state_.port, kPortReadSize);
  if (state_.port[0] == '\0') {
    MessageBox(Cp932("ポート番号を設定して下さい"), Cp932("ポート番号設定"), MB_OK | MB_ICONERROR);
    state_.inputState &= static_cast<uint16_t>(~PORT_SET);
    RefreshGuidance();
    return;
  }
  state_.inputState |= PORT_SET;
  WriteSetting(kKeyPort, state_.port);
  RefreshGuidance();
}

void CUpdateDlg::OnKillFocusFileName() {
  GetDlgItemText(IDC_FILENAME, state_.filePath, kFileReadSize);
  if (ProbeImageFile(state_.filePath)) {
    WriteSetting(kKeyFile, state_.filePath);
    state_.inputState |= FILE_SET;
  } else {
    state_.inputState &= static_cast<uint16_t>(~FILE_SET);
  }
  RefreshGuidance();
}
