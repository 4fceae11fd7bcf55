// The whole update, as the button runs it, against the emulator on
// 192.0.2.10 inside a private network namespace (see in_netns.sh).
#include <gtest/gtest.h>

#include <random>

#include "support/devsim_process.h"
#include "support/dialog_fixture.h"

using Lines = std::vector<std::string>;

namespace {

class UpdateEndToEnd : public DialogFixture {
 protected:
  void SetUp() override {
    std::mt19937 random(42);
    image_.resize(200'000);
    for (char& c : image_) c = static_cast<char>(random());
    images_.Write("fw.bin", image_);
  }
  Lines Press(int port) {
    RecordingWindow& w = Open();
    w.Type(IDC_ADDRESS, "192.0.2.10");
    w.Type(IDC_PORT, std::to_string(port));
    w.Type(IDC_FILENAME, images_.File("fw.bin"));
    w.Click(IDC_UPDATE);
    return Take();
  }
  static bool Has(const Lines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  using RecordingWindow = platform::window::RecordingWindow;
  TempDir images_;
  std::string image_;
};

const char kDone[] = "box \"バージョンアップ完了しました\" \"バージョンアップ\" 0x00 -> 1";

TEST_F(UpdateEndToEnd, ImageArrivesByteForByte) {
  DevsimProcess device({"--switch-requests", "0"}, "192.0.2.10");
  ASSERT_NE(device.port(), 0) << "no emulator: is this running inside in_netns.sh?";
  Lines lines = Press(device.port());
  EXPECT_TRUE(Has(lines, kDone));
  EXPECT_FALSE(Has(lines, "text 1013 \"モード切り替え中...\""));
  ASSERT_TRUE(device.HasImage(1)) << device.Log();
  EXPECT_EQ(device.Image(1), image_);
  EXPECT_EQ(device.Log().find("check:"), std::string::npos) << device.Log();
}

TEST_F(UpdateEndToEnd, ModeSwitchThenTheImage) {
  DevsimProcess device({}, "192.0.2.10");  // asks for a switch on the first connection
  Lines lines = Press(device.port());
  EXPECT_TRUE(Has(lines, "text 1013 \"モード切り替え中...\""));
  EXPECT_TRUE(Has(lines, kDone));
  EXPECT_EQ(device.Image(1), image_);
  EXPECT_NE(device.Log().find("conn 1: mode switched, closing"), std::string::npos);
  EXPECT_NE(device.Log().find("conn 2: recv 51 22 00 03 0D 40 00 00 CMD_IMAGE_SIZE 200000"),
            std::string::npos)
      << device.Log();
}

TEST_F(UpdateEndToEnd, PeriodicErrorAbortsWithoutReportingSuccess) {
  DevsimProcess device({"--switch-requests", "0", "--periodic-at", "2=6"}, "192.0.2.10");
  Lines lines = Press(device.port());
  EXPECT_FALSE(Has(lines, kDone));
  EXPECT_EQ(lines.back(), "sleep 100");  // the periodic read, then nothing more shown
  EXPECT_EQ(state_.sock, platform::net::kInvalidSocket);
  EXPECT_EQ(window_->ItemText(IDC_MESSAGE), Cp("ダウンロード中..."));
  EXPECT_FALSE(device.HasImage(1));
  EXPECT_NE(device.Log().find("send 00 06 00 00 00 00 00 00 STATUS_ERROR"), std::string::npos);
}

TEST_F(UpdateEndToEnd, FinalErrorIsAFailure) {
  DevsimProcess device({"--switch-requests", "0", "--final-status", "6"}, "192.0.2.10");
  Lines lines = Press(device.port());
  EXPECT_FALSE(Has(lines, kDone));
  EXPECT_TRUE(
      Has(lines, "box \"ダウンロードエラーが発生しました\" \"バージョンアップ失敗\" 0x00 -> 1"));
}

}  // namespace
