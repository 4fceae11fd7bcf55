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
  // One command and its answer, paced: 100 ms, the command, 200 ms, the
  // answer. A failed send or read closes the link.
  auto exchange = [this] {
    Sleep(100);
    if (SendFrame(state_.command, kFrameSize, 0) == -1) return false;
    Sleep(200);
    return ReceiveFrame(state_.response, kFrameSize, 0) != -1;
  };
  auto fail = [this](const char* box, const char* caption) {
    if (box != nullptr) MessageBox(Cp932(box), Cp932(caption), MB_ICONERROR);
    CloseLink();
    return -1;
  };

  std::memset(state_.command, 0, sizeof state_.command);
  std::memset(state_.response, 0, sizeof state_.response);
  std::memset(state_.chunk, 0, sizeof state_.chunk);
  MakeQueryFrame(state_.command);
  SetDlgItemText(IDC_MESSAGE, Cp932("モード確認中..."));
  UpdateWindow();
  if (!exchange()) return fail(nullptr, nullptr);

  if (IsSwitchRequest(state_.response)) {
    std::memcpy(state_.command, kSwitchFrame, kFrameSize);
    // The answer is read over the query's: bytes that do not arrive keep
    // the query's answer.
    if (!exchange()) return fail(nullptr, nullptr);
    if (state_.response[1] == STATUS_COMPLETE) {
      CloseLink();
      return 1;
    }
    if (state_.response[1] == STATUS_ERROR) return fail("モード変更エラー", "バージョンアップ");
    // Any other answer: the size frame follows on the same link.
  }

  std::memset(state_.response, 0, sizeof state_.response);
  std::memset(state_.command, 0, sizeof state_.command);
  std::memset(state_.chunk, 0, sizeof state_.chunk);
  platform::file::Files& files = platform::file::Current();
  platform::file::Handle image = files.OpenReadBinary(state_.filePath);
  if (image < 0) return fail("ファイルがオープンできません", "バージョンアップ失敗");
  int64_t length = files.Length(image);
  files.Close(image);
  if (length < 0) return fail("ファイルがオープンできません", "バージョンアップ失敗");
  if (length > kMaxImageLength) {
    return fail("ファイルが大きすぎます（2GB未満のファイルを指定して下さい）",
                "バージョンアップ失敗");
  }
  state_.stepBytes = static_cast<int32_t>(length / 11);
  state_.announcedLength = length;
  MakeSizeFrame(state_.command, static_cast<uint32_t>(length));
  if (!exchange()) return fail(nullptr, nullptr);
  // The answer to the size frame is read but not examined.
  return 0;
}
