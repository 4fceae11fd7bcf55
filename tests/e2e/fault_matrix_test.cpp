// Every protocol step against every fault the emulator can make, through
// the whole update, in a private network namespace (see in_netns.sh).
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "cli/exit_status.h"
#include "support/devsim_process.h"
#include "support/dialog_fixture.h"
#include "support/fake_net.h"

using Lines = std::vector<std::string>;

namespace {

const char kDone[] = "box \"バージョンアップ完了しました\" \"バージョンアップ\" 0x00 -> 1";
const char kRefused[] = "box \"接続拒否されました\" \"接続失敗\" 0x10 -> 1";
const char kDownloadError[] =
    "box \"ダウンロードエラーが発生しました\" \"バージョンアップ失敗\" 0x00 -> 1";
const char kNoSettle[] = "box \"モード切り替えが完了しませんでした\" \"接続失敗\" 0x10 -> 1";

class FaultMatrix : public DialogFixture {
 protected:
  void SetUp() override {
    std::mt19937 random(3);
    image_.resize(150'000);  // two periodic statuses, then the final one
    for (char& c : image_) c = static_cast<char>(random());
    images_.Write("fw.bin", image_);
  }
  // Runs the update against the device; returns the boxes shown.
  Lines Update(const DevsimProcess& device) {
    RecordingWindow& w = Open();
    LinkLimits limits;
    limits.connectMs = 2000;
    limits.sendMs = 2000;
    limits.frameReadMs = 500;  // a stall is noticed quickly
    dlg_.SetLinkLimits(limits);
    w.Type(IDC_ADDRESS, "192.0.2.10");
    w.Type(IDC_PORT, std::to_string(device.port()));
    w.Type(IDC_FILENAME, images_.File("fw.bin"));
    w.Click(IDC_UPDATE);
    Lines boxes;
    for (const std::string& line : Take()) {
      if (line.rfind("box", 0) == 0) boxes.push_back(line);
    }
    return boxes;
  }
  using RecordingWindow = platform::window::RecordingWindow;
  TempDir images_;
  std::string image_;
};

TEST_F(FaultMatrix, EveryStepAgainstEveryFault) {
  struct Row {
    const char* fault;  // STEP:KIND for the emulator
    int exit;           // the command line's exit status for this end
  };
  // A short or garbled answer that the tool can act on safely still lets the
  // device take the whole image; a lost answer never passes for success.
  const Row rows[] = {
      {"connect:close", kNoConnection},    {"connect:refuse", kNoConnection},
      {"query:close", kNoConnection},      {"query:reset", kNoConnection},
      {"query:partial", kCompleted},       {"query:stall", kNoConnection},
      {"query:garbage", kCompleted},       {"switch:close", kNoConnection},
      {"switch:reset", kNoConnection},     {"switch:partial", kCompleted},
      {"switch:stall", kNoConnection},     {"switch:garbage", kNoConnection},
      {"size:close", kNoConnection},       {"size:reset", kNoConnection},
      {"size:partial", kCompleted},        {"size:stall", kNoConnection},
      {"size:garbage", kCompleted},        {"periodic:close", kTransferFailed},
      {"periodic:reset", kTransferFailed}, {"periodic:partial", kCompleted},
      {"periodic:stall", kTransferFailed}, {"periodic:garbage", kCompleted},
      {"final:close", kTransferFailed},    {"final:reset", kTransferFailed},
      {"final:partial", kCompleted},       {"final:stall", kTransferFailed},
      {"final:garbage", kTransferFailed},
  };
  auto start = std::chrono::steady_clock::now();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fault);
    DevsimProcess device({"--fault", row.fault, "--stall-seconds", "5"}, "192.0.2.10");
    ToolState fresh;
    state_ = fresh;
    Lines boxes = Update(device);
    EXPECT_EQ(ExitFor(dlg_.lastUpdateEnd()), row.exit);
    EXPECT_EQ(state_.sock, platform::net::kInvalidSocket);  // the link is closed
    std::string log = device.Log();
    EXPECT_EQ(log.find("beyond the announced length"), std::string::npos) << log;
    if (row.exit == kCompleted) {
      EXPECT_EQ(boxes.back(), kDone);
      EXPECT_EQ(device.Image(1), image_) << log;
    } else {
      EXPECT_EQ(std::count(boxes.begin(), boxes.end(), kDone), 0);
      EXPECT_EQ(boxes.back(), row.exit == kNoConnection ? kRefused : kDownloadError);
    }
  }
  std::printf("fault matrix: %zu rows in %.1f s\n", std::size(rows),
              std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
}

TEST_F(FaultMatrix, DeviceThatKeepsAskingForSwitchesIsGivenUp) {
  DevsimProcess device({"--switch-requests", "100"}, "192.0.2.10");
  Lines boxes = Update(device);
  EXPECT_EQ(boxes.back(), kNoSettle);
  EXPECT_EQ(ExitFor(dlg_.lastUpdateEnd()), kNoConnection);
  // Logged before the emulator answers, so before the tool can go on.
  EXPECT_NE(device.Log().find("conn 4: recv 51 20 53 57 49 54 43 48 Q SWITCH"), std::string::npos);
  EXPECT_EQ(device.Log().find("conn 5:"), std::string::npos);
}

// The image file fails or shrinks while it is being sent.
TEST_F(FaultMatrix, ImageFileFailingOrShrinkingMidTransferIsAFailure) {
  struct Shrinking final : platform::file::Files {
    platform::file::Files& real = platform::file::Current();
    std::string path;
    int reads = 0;
    platform::file::Handle OpenReadBinary(const char* p) override { return real.OpenReadBinary(p); }
    long Read(platform::file::Handle h, void* b, unsigned n) override {
      if (++reads == 20) std::filesystem::resize_file(path, 30'000);
      return real.Read(h, b, n);
    }
    int64_t Length(platform::file::Handle h) override { return real.Length(h); }
    void Close(platform::file::Handle h) override { real.Close(h); }
  } shrinking;
  shrinking.path = images_.File("fw.bin");
  {
    DevsimProcess device({"--switch-requests", "0"}, "192.0.2.10");
    platform::file::ScopedFiles scope(shrinking);
    Lines boxes = Update(device);
    EXPECT_EQ(boxes.back(), kDownloadError);
    EXPECT_EQ(ExitFor(dlg_.lastUpdateEnd()), kTransferFailed);
    EXPECT_FALSE(device.HasImage(1));
  }
  images_.Write("fw.bin", image_);
  {
    FlakyFiles failing;
    failing.failReadAt = 30;
    DevsimProcess device({"--switch-requests", "0"}, "192.0.2.10");
    platform::file::ScopedFiles scope(failing);
    Lines boxes = Update(device);
    EXPECT_EQ(boxes.back(), kDownloadError);
    EXPECT_EQ(failing.opens, failing.closes);
  }
}

}  // namespace
