#include <cstring>
#include <string>

#include "app/show_message.h"
#include "app/texts.h"
#include "app/update_dlg.h"
#include "platform/clock/clock.h"
#include "settings/input_state.h"
#include "settings/probe_image_file.h"
#include "settings/settings_keys.h"

using namespace platform::window;

namespace {

// A device that keeps asking for a mode switch is given up after this many.
constexpr int kMaxModeSwitches = 3;

void Clear(uint16_t& word, uint16_t flag) {
  word = static_cast<uint16_t>(word & ~flag);
}

}  // namespace

void CUpdateDlg::OnVersionUp() {
  lastUpdateEnd_ = UpdateEnd::BadInput;
  // 1. Address.
  GetDlgItemText(IDC_ADDRESS, state_.host, kHostReadSize);
  if (state_.host[0] == '\0' || !IsUsableAddress()) {
    const char* text = state_.host[0] == '\0' ? "IPアドレスを設定して下さい"
                                              : "アドレス体系が違います。再度入力して下さい";
    MessageBox(Cp932(text), Cp932("IPアドレス設定"), MB_OK | MB_ICONERROR);
    Clear(state_.inputState, ADDRESS_SET);
    RefreshGuidance();
    return;
  }
  WriteSetting(kKeyHost, state_.host);
  state_.inputState |= ADDRESS_SET;

  // 2. Port.
  GetDlgItemText(IDC_PORT, state_.port, kPortReadSize);
  if (state_.port[0] == '\0') {
    MessageBox(Cp932("ポート番号を設定して下さい"), Cp932("ポート番号設定"), MB_OK | MB_ICONERROR);
    Clear(state_.inputState, PORT_SET);
    RefreshGuidance();
    return;
  }
  WriteSetting(kKeyPort, state_.port);
  state_.inputState |= PORT_SET;

  // 3, 4. Image path and probe.
  {
    CString whole;
    GetDlgItem(IDC_FILENAME)->GetWindowText(whole);
    std::memset(state_.filePath, 0, sizeof state_.filePath);
    std::memcpy(state_.filePath, whole.data(), std::min(whole.size(), sizeof state_.filePath - 1));
  }
  if (!ProbeImageFile(state_.filePath)) {
    Clear(state_.inputState, FILE_SET);
    RefreshGuidance();
    return;
  }
  WriteSetting(kKeyFile, state_.filePath);
  state_.inputState |= FILE_SET;
  RefreshGuidance();

  // 5. Confirmation.
  if (MessageBox(Cp932("バージョンアップを開始しますか。"), Cp932("バージョンアップ"),
                 MB_YESNO | MB_ICONQUESTION) == IDNO) {
    lastUpdateEnd_ = UpdateEnd::Declined;
    return;
  }
  lastUpdateEnd_ = UpdateEnd::NoConnection;

  auto connectFailed = [this] {
    ShowMessage(BLANK_LONG, Cp932("接続エラー"));
    UpdateWindow();
    MessageBox(Cp932("接続先から応答ありません"), Cp932("接続失敗"), MB_OK | MB_ICONERROR);
    RefreshGuidance();
  };

  // 6. Connect.
  ShowMessage(BLANK_LONG, Cp932("接続中..."));
  UpdateWindow();
  Sleep(200);
  if (ConnectDevice() < 0) {
    connectFailed();
    return;
  }

  // 7. Handshake, connecting again after each mode switch.
  Sleep(100);
  for (int switches = 0;;) {
    int r = NegotiateMode();
    if (r > 0) {
      if (++switches > kMaxModeSwitches) {
        // The link is closed already; the device never settles.
        MessageBox(Cp932("モード切り替えが完了しませんでした"), Cp932("接続失敗"),
                   MB_OK | MB_ICONERROR);
        RefreshGuidance();
        return;
      }
      ShowMessage(BLANK_LONG, Cp932("モード切り替え中..."));
      UpdateWindow();
      Sleep(500);
      if (ConnectDevice() < 0) {
        connectFailed();
        return;
      }
      Sleep(200);
      continue;
    }
    if (r < 0) {
      ShowMessage(BLANK_LONG, Cp932("接続拒否エラー"));
      UpdateWindow();
      MessageBox(Cp932("接続拒否されました"), Cp932("接続失敗"), MB_OK | MB_ICONERROR);
      RefreshGuidance();
      return;
    }
    break;
  }
  ShowMessage(BLANK_LONG, Cp932("ダウンロード中..."));
  UpdateWindow();

  // 8. Transfer.
  switch (TransferImage()) {
    case TransferResult::Finished:
      break;
    case TransferResult::Failed:
    case TransferResult::NotOpened:
      lastUpdateEnd_ = UpdateEnd::TransferFailed;
      RefreshGuidance();
      return;
    case TransferResult::Aborted:
      lastUpdateEnd_ = UpdateEnd::Aborted;
      return;
  }

  // 9. Write phase: the device writes its program; nothing is exchanged.
  m_progress.SendMessage(PBM_SETPOS, 0);
  m_progress.SendMessage(PBM_SETSTEP, 1);
  m_progress.SendMessage(PBM_SETRANGE, 0, 0x000A0000);
  m_progress.ShowWindow(SW_SHOW);
  ShowMessage(BLANK_SHORT, Cp932("プログラム書き込み中..."));
  UpdateWindow();
  for (int i = 0; i < 10; ++i) {
    Sleep(1010);
    m_progress.SendMessage(PBM_STEPIT);
  }
  ShowMessage(BLANK_SHORT, Cp932("プログラム書き込み完了"));
  UpdateWindow();
  ShowMessage(BLANK_SHORT, Cp932("バージョンアップ完了"));
  MessageBox(Cp932("バージョンアップ完了しました"), Cp932("バージョンアップ"), MB_OK);
  m_progress.SendMessage(PBM_SETPOS, 0);
  lastUpdateEnd_ = UpdateEnd::Completed;
  RefreshGuidance();
}
