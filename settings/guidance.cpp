#include "app/show_message.h"
#include "app/texts.h"
#include "app/update_dlg.h"
#include "settings/input_state.h"

const char* GuidanceText(uint16_t inputState) {
  // "･" is the half-width middle dot; the last text opens with a space and
  // a full-width bracket and closes with an ASCII one.
  switch (inputState) {
    case 0x000:
      return "IPアドレス･ポート番号･ファイル名を設定してください";
    case 0x001:
      return "ポート番号･ファイル名を設定してください";
    case 0x010:
      return "IPアドレス･ファイル名を設定してください";
    case 0x100:
      return "IPアドレス･ポート番号を設定してください";
    case 0x011:
      return "ファイル名を設定してください";
    case 0x101:
      return "ポート番号を設定してください";
    case 0x110:
      return "IPアドレスを設定してください";
    case 0x111:
      return " ［バージョンアップ]ボタンをクリックしてください";
    default:
      return nullptr;
  }
}

void CUpdateDlg::RefreshGuidance() {
  if (const char* text = GuidanceText(state_.inputState)) ShowMessage(BLANK_LONG, Cp932(text));
  UpdateWindow();
}
