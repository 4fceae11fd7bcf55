#include <cstring>

#include "app/texts.h"
#include "app/update_dlg.h"
#include "device/device_frame.h"
#include "platform/clock/clock.h"
#include "platform/file/file.h"

using namespace platform::window;

namespace {

// The size frame carries 32 bits and the progress arithmetic is signed
// 32-bit, so images from 2 GiB up are refused before any byte is sent.
constexpr int64_t kMaxImageLength = INT64_C(0x7FFFFFFF);

}  // namespace

int CUpdateDlg::NegotiateMode() {
  std::memset(state_.command, 0, sizeof state_.command);
  std::memset(state_.response, 0, sizeof state_.response);
  std::memset(state_.chunk, 0, sizeof state_.chunk);
  MakeQueryFrame(state_.command);
  SetDlgItemText(IDC_MESSAGE, Cp932("モード確認中..."));
  UpdateWindow();
  Sleep(100);
  if (SendFrame(state_.command, kFrameSize, 0) == -1) {
    CloseLink();
    return -1;
  }
  Sleep(200);
  if (ReceiveFrame(state_.response, kFrameSize, 0) == -1) {
    CloseLink();
    return -1;
  }

  if (IsSwitchRequest(state_.response)) {
    std::memcpy(state_.command, kSwitchFrame, kFrameSize);
    Sleep(100);
    if (SendFrame(state_.command, kFrameSize, 0) == -1) {
      CloseLink();
      return -1;
    }
    Sleep(200);
    // Not cleared first: bytes that do not arrive keep the query's answer.
    if (ReceiveFrame(state_.response, kFrameSize, 0) == -1) {
      CloseLink();
      return -1;
    }
    if (state_.response[1] == STATUS_COMPLETE) {
      CloseLink();
      return 1;
    }
    if (state_.response[1] == STATUS_ERROR) {
      MessageBox(Cp932("モード変更エラー"), Cp932("バージョンアップ"), MB_ICONERROR);
      CloseLink();
      return -1;
    }
    // Any other answer: the size frame follows on the same link.
  }

  std::memset(state_.response, 0, sizeof state_.response);
  std::memset(state_.command, 0, sizeof state_.command);
  std::memset(state_.chunk, 0, sizeof state_.chunk);
  platform::file::Files& files = platform::file::Current();
  platform::file::Handle image = files.OpenReadBinary(state_.filePath);
  if (image < 0) {
    MessageBox(Cp932("ファイルがオープンできません"), Cp932("バージョンアップ失敗"), MB_ICONERROR);
    CloseLink();
    return -1;
  }
  int64_t length = files.Length(image);
  files.Close(image);
  if (length < 0) {
    MessageBox(Cp932("ファイルがオープンできません"), Cp932("バージョンアップ失敗"), MB_ICONERROR);
    CloseLink();
    return -1;
  }
  if (length > kMaxImageLength) {
    MessageBox(Cp932("ファイルが大きすぎます（2GB未満のファイルを指定して下さい）"),
               Cp932("バージョンアップ失敗"), MB_ICONERROR);
    CloseLink();
    return -1;
  }
  state_.stepBytes = static_cast<int32_t>(length / 11);
  state_.announcedLength = length;
  MakeSizeFrame(state_.command, static_cast<uint32_t>(length));
  Sleep(100);
  if (SendFrame(state_.command, kFrameSize, 0) == -1) {
    CloseLink();
    return -1;
  }
  Sleep(200);
  if (ReceiveFrame(state_.response, kFrameSize, 0) == -1) {
    CloseLink();
    return -1;
  }
  // The answer to the size frame is read but not examined.
  return 0;
}
