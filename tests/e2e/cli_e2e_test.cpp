// kdxupdt-cli against the emulator on 192.0.2.10, inside a private network
// namespace (see in_netns.sh), with its real pauses.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <random>
#include <sstream>

#include "support/devsim_process.h"
#include "support/temp_dir.h"

namespace {

struct CliRun {
  int status;
  std::vector<std::string> out;
  std::vector<std::string> err;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class CliEndToEnd : public ::testing::Test {
 protected:
  CliEndToEnd() {
    std::mt19937 random(7);
    image_.resize(70'000);
    for (char& c : image_) c = static_cast<char>(random());
    files_.Write("fw.bin", image_);
  }
  CliRun Cli(const std::string& args) {
    std::string command = std::string(KDX_CLI_PATH) + " " + args + " <&- </dev/null >" +
                          files_.File("out") + " 2>" + files_.File("err");
    int rc = std::system(command.c_str());
    return CliRun{WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, Lines(files_.Read("out")),
                  Lines(files_.Read("err"))};
  }
  std::string Image() const { return files_.File("fw.bin"); }

  TempDir config_{true};
  TempDir files_;
  std::string image_;
};

const char kGuidance[] = "［バージョンアップ]ボタンをクリックしてください";
const char kConfirmYes[] = "[バージョンアップ] バージョンアップを開始しますか。 -> はい (--yes)";

TEST_F(CliEndToEnd, CompletedUpdatePrintsEachStepAndExitsZero) {
  DevsimProcess device({}, "192.0.2.10");
  CliRun r = Cli("--yes 192.0.2.10 " + std::to_string(device.port()) + " " + Image());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            (std::vector<std::string>{
                kGuidance, kConfirmYes, "接続中...", "モード確認中...", "モード切り替え中...",
                "モード確認中...", "ダウンロード中...", "ダウンロード完了",
                "プログラム書き込み中...", "プログラム書き込み完了", "バージョンアップ完了",
                "[バージョンアップ] バージョンアップ完了しました", kGuidance}));
  EXPECT_TRUE(r.err.empty());
  EXPECT_EQ(device.Image(1), image_);
  EXPECT_EQ(config_.Read("RIVURER.INI"), "[CONFIG]\nPort=" + std::to_string(device.port()) +
                                             "\nHost=192.0.2.10\nFile=" + Image() + "\n");
}

TEST_F(CliEndToEnd, EachEndHasItsOwnExitStatus) {
  DevsimProcess device({"--switch-requests", "0", "--periodic-at", "1=6"}, "192.0.2.10");
  const std::string port = std::to_string(device.port());
  struct Case {
    const char* name;
    std::string args;
    int status;
    std::vector<std::string> out;
    std::vector<std::string> err;
  };
  const Case cases[] = {
      {"no terminal and no --yes answers No",
       "192.0.2.10 " + port + " " + Image(),
       6,
       {kGuidance,
        "[バージョンアップ] バージョンアップを開始しますか。 -> いいえ (no terminal to ask; use "
        "--yes)"},
       {}},
      {"refused address",
       "--yes 127.0.0.1 " + port + " " + Image(),
       2,
       {"IPアドレスを設定してください"},  // port and image remembered from the run before
       {"[IPアドレス設定] アドレス体系が違います。再度入力して下さい"}},
      {"missing image",
       "--yes 192.0.2.10 " + port + " " + files_.File("none.bin"),
       2,
       {"ファイル名を設定してください"},
       {}},
      {"nothing listening",
       "--yes 192.0.2.10 1 " + Image(),
       3,
       {kGuidance, kConfirmYes, "接続中...", "接続エラー", kGuidance},
       {"[接続失敗] 接続先から応答ありません"}},
      {"device aborts the transfer",
       "--yes 192.0.2.10 " + port + " " + Image(),
       5,
       {kGuidance, kConfirmYes, "接続中...", "モード確認中...", "ダウンロード中..."},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CliRun r = Cli(c.args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
  }
}

TEST_F(CliEndToEnd, WrongCommandLineIsAUsageError) {
  CliRun r = Cli("192.0.2.10 4000");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            (std::vector<std::string>{"kdxupdt-cli: expected ADDRESS PORT IMAGE", "Try --help."}));
  EXPECT_EQ(Cli("--help").status, 0);
}

}  // namespace
