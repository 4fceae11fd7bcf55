#include <algorithm>
#include <cstring>

#include "app/show_message.h"
#include "app/texts.h"
#include "app/update_dlg.h"
#include "device/device_frame.h"
#include "platform/clock/clock.h"
#include "platform/file/file.h"

using namespace platform::window;
namespace file = platform::file;

namespace {

constexpr int kChunkSize = 1024;
constexpr int kSendsPerStatus = 64;
constexpr int kProgressSteps = 10;
// How often a final status other than complete or error is read again
// before the transfer is given up. The image is never sent twice.
constexpr int kFinalStatusRereads = 3;

}  // namespace

TransferResult CUpdateDlg::TransferImage() {
  file::Files& files = file::Current();
  file::Handle image = files.OpenReadBinary(state_.filePath);

  // Ends of the transfer.
  auto fail = [&] {
    ShowMessage(BLANK_SHORT, Cp932("ダウンロード失敗"));
    UpdateWindow();
    CloseLink();
    if (image >= 0) files.Close(image);
    MessageBox(Cp932("ダウンロードエラーが発生しました"), Cp932("バージョンアップ失敗"), MB_OK);
  };
  if (image < 0) {
    // Reported and cleaned up like any failure, so no link is left open.
    fail();
    return TransferResult::NotOpened;
  }

  std::memset(state_.chunk, 0, sizeof state_.chunk);
  int chunksSinceStatus = 0;
  int progressStep = 1;
  int64_t bytesRead = 0;
  m_progress.ShowWindow(SW_SHOW);

  auto advance = [&] {
    ++progressStep;
    Sleep(100);
    m_progress.SendMessage(PBM_STEPIT);
  };

  for (;;) {
    // Never more than was announced, even if the file grew meanwhile.
    int64_t left = std::max<int64_t>(0, state_.announcedLength - bytesRead);
    auto want = static_cast<unsigned>(std::min<int64_t>(kChunkSize, left));
    long n = want > 0 ? files.Read(image, state_.chunk, want) : 0;
    bytesRead += n;
    if (progressStep < kProgressSteps &&
        static_cast<int64_t>(state_.stepBytes) * progressStep < bytesRead) {
      advance();
    }
    if (n < 0) {
      fail();
      return TransferResult::Failed;
    }
    if (chunksSinceStatus > kSendsPerStatus - 1) {
      chunksSinceStatus = 0;
      Sleep(100);
      if (ReceiveFrame(state_.response, kFrameSize, 0) == -1) {
        fail();
        return TransferResult::Failed;
      }
      if (state_.response[1] == STATUS_ERROR) {
        CloseLink();
        files.Close(image);
        return TransferResult::Aborted;
      }
    }
    if (n == kChunkSize) {
      Sleep(20);
      ++chunksSinceStatus;
      if (SendFrame(state_.chunk, kChunkSize, 0) == -1) {
        fail();
        return TransferResult::Failed;
      }
      continue;
    }

    // The file is exhausted: the last, short chunk (or nothing), then the
    // final status.
    Sleep(50);
    if (n > 0) {
      if (SendFrame(state_.chunk, static_cast<int>(n), 0) == -1) {
        fail();
        return TransferResult::Failed;
      }
      ++chunksSinceStatus;
    }
    if (n == 0 && progressStep < kProgressSteps) advance();
    for (int read = 0;; ++read) {
      if (read > 0) Sleep(50);
      Sleep(100);
      // Cleared first, so a short answer never passes off an earlier status
      // as the final one.
      std::memset(state_.response, 0, sizeof state_.response);
      if (ReceiveFrame(state_.response, kFrameSize, 0) == -1) {
        fail();
        return TransferResult::Failed;
      }
      if (state_.response[1] == STATUS_COMPLETE) {
        CloseLink();
        m_progress.SendMessage(PBM_STEPIT);
        files.Close(image);
        ShowMessage(BLANK_SHORT, Cp932("ダウンロード完了"));
        UpdateWindow();
        return TransferResult::Finished;
      }
      if (state_.response[1] == STATUS_ERROR || read == kFinalStatusRereads) {
        fail();
        return TransferResult::Failed;
      }
    }
  }
}
