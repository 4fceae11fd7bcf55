#include "app/resources/resource.h"
#include "app/resources/resources.h"

namespace app::resources {

using namespace platform::window;

// The main window: 19 controls, in tab order and z-order.
const DialogTemplate& UpdateDialogTemplate() {
  static const DialogTemplate dialog{
      IDD_UPDATE_DIALOG,
      true,
      0x90C800C0,
      0x00040000,
      0,
      0,
      223,
      165,
      "KDXアップデートツール",
      9,
      "ＭＳ Ｐゴシック",
      {
          {"EDIT", IDC_ADDRESS, "", 70, 55, 75, 12, 0x50810080, 0x00002000},
          {"BUTTON", IDC_BROWSE, "ファイル名選択", 160, 87, 56, 15, 0x50010000},
          {"EDIT", IDC_FILENAME, "", 70, 89, 75, 12, 0x50830080},
          {"BUTTON", IDC_UPDATE, "バージョンアップ", 160, 115, 56, 15, 0x50010001},
          {"BUTTON", IDCANCEL, "終了", 160, 145, 56, 15, 0x50010000},
          {"BUTTON", IDC_VERSION, "バージョン情報", 160, 0, 56, 15, 0x50010000},
          {"BUTTON", kNoId, "接続情報", 10, 45, 145, 60, 0x50000007},
          {"msctls_progress32", IDC_PROGRESS, "Progress1", 10, 145, 145, 16, 0x50800000},
          {"STATIC", kNoId, "IPアドレス：", 20, 57, 45, 11, 0x50020000},
          {"STATIC", kNoId,
           "注）製品によっては、あらかじめディップスイッチの変更が必要になる場合があります。", 5,
           20, 145, 20, 0x50020000},
          {"STATIC", kNoId, "ポート番号：", 20, 74, 40, 11, 0x50020000},
          {"STATIC", kNoId, "ファイル名：", 21, 91, 39, 11, 0x50020000},
          {"STATIC", kNoId, "0", 10, 137, 8, 8, 0x50020000},
          {"STATIC", kNoId, "100", 145, 137, 12, 8, 0x50020000},
          {"STATIC", kNoId, "50", 75, 137, 12, 8, 0x50020000},
          {"STATIC", kNoId, "メッセージ：", 10, 115, 40, 10, 0x50020000},
          {"EDIT", IDC_MESSAGE, "", 55, 115, 100, 20, 0x50801804},
          {"EDIT", IDC_PORT, "", 70, 72, 75, 12, 0x50800080},
          {"STATIC", kNoId, "製品のバージョンアップを行います。　", 4, 4, 105, 10, 0x50020000},
      }};
  return dialog;
}

// The About box. Its two naming lines are the tool's own.
const DialogTemplate& AboutDialogTemplate() {
  static const DialogTemplate dialog{
      IDD_ABOUTBOX,
      false,
      0x80C800C0,
      0,
      0,
      0,
      227,
      49,
      "ﾊﾞｰｼﾞｮﾝ情報",
      9,
      "ＭＳ ゴシック",
      {
          {"STATIC", kNoId, "", 10, 10, 20, 20, 0x50000003, 0, IDI_ABOUT},
          {"STATIC", kNoId, "KDXアップデートツール  Version 1.04", 39, 9, 151, 8, 0x50020080},
          {"STATIC", kNoId, "Copyright (C) 2026 KDX Team", 35, 20, 119, 8, 0x50020000},
          {"BUTTON", IDOK, "OK", 185, 25, 38, 14, 0x50030001},
          {"STATIC", kNoId, "KDXアップデートツール開発チーム", 35, 30, 140, 10, 0x50020000},
      }};
  return dialog;
}

}  // namespace app::resources
