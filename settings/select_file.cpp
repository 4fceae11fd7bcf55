#include <cstring>
#include <string>

#include "app/texts.h"
#include "app/update_dlg.h"
#include "settings/input_state.h"
#include "settings/probe_image_file.h"
#include "settings/settings_keys.h"

using namespace platform::window;

namespace {

inline constexpr uint32_t OFN_OVERWRITEPROMPT = 0x2;
inline constexpr uint32_t OFN_HIDEREADONLY = 0x4;

// Copies text into a fixed buffer, cut to the buffer less its terminator.
void CopyCut(char* target, size_t size, const std::string& text) {
  std::memset(target, 0, size);
  std::memcpy(target, text.data(), std::min(text.size(), size - 1));
}

}  // namespace

// The folder part of a path: bytes are removed from the end up to the last
// '/', which goes too, unless it is the leading one, the root.
std::string InitialDirectory(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

void CUpdateDlg::OnSelectFile() {
  CString whole;
  GetDlgItem(IDC_FILENAME)->GetWindowText(whole);
  CopyCut(state_.filePath, sizeof state_.filePath, whole);
  GetDlgItemText(IDC_PORT, state_.port, kPortReadSize);
  GetDlgItemText(IDC_ADDRESS, state_.host, kHostReadSize);
  if (state_.filePath[0] == '\0') ReadSetting(kKeyFile, state_.filePath, kFileReadSize);

  FileOpenRequest request;
  request.title = Cp932("バージョンアップファイル参照");
  request.initialName = "*.bin";
  request.defaultExtension = "*.bin";
  request.filterDescription = Cp932("ﾊﾞｰｼﾞｮﾝｱｯﾌﾟﾌｧｲﾙ(*.BIN)");
  request.filterPattern = "*.bin";
  request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  request.initialDirectory = InitialDirectory(state_.filePath);
  request.maxPathLength = 259;
  FileOpenResult chosen = window() != nullptr ? window()->RunFileOpen(request) : FileOpenResult{};
  if (chosen.confirmed) {
    state_.selectedPath = chosen.path;
    CopyCut(state_.filePath, sizeof state_.filePath, state_.selectedPath);
  }

  SetDlgItemText(IDC_ADDRESS, state_.host);
  SetDlgItemText(IDC_PORT, state_.port);
  if (ProbeImageFile(state_.filePath)) {
    SetDlgItemText(IDC_FILENAME, state_.filePath);
    WriteSetting(kKeyFile, state_.filePath);
    state_.inputState |= FILE_SET;
  } else {
    state_.inputState &= static_cast<uint16_t>(~FILE_SET);
  }
  RefreshGuidance();
}
