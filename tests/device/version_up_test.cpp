#include <gtest/gtest.h>

#include "settings/input_state.h"
#include "support/dialog_fixture.h"
#include "support/fake_net.h"

using Lines = std::vector<std::string>;

namespace {

Lines Cat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

Lines Guidance(const std::string& text) {
  return {"text 1013 <62 spaces>", "text 1013 \"" + text + "\"", "update"};
}
const Lines kReady = Guidance(" ［バージョンアップ]ボタンをクリックしてください");
const char kConfirm[] = "box \"バージョンアップを開始しますか。\" \"バージョンアップ\" 0x24 -> 6";
const Lines kConnecting = {
    "text 1013 <62 spaces>",  "text 1013 \"接続中...\"", "update", "sleep 200", "socket",
    "connect 192.0.2.10:4000"};
const Lines kConnectError = {"text 1013 <62 spaces>", "text 1013 \"接続エラー\"", "update",
                             "box \"接続先から応答ありません\" \"接続失敗\" 0x10 -> 1"};
const Lines kHandshakeStart = {"text 1013 \"モード確認中...\"", "update", "sleep 100",
                               "send 51 21 00 00 00 00 00 00", "sleep 200"};

class VersionUpTest : public DialogFixture {
 protected:
  VersionUpTest() : net_(journal_), netScope_(net_), filesScope_(files_) {
    images_.Write("fw.bin", std::string(10, 'x'));
  }
  // The three fields as a user leaves them, then the button.
  Lines Press(const std::string& host = "192.0.2.10", const std::string& port = "4000",
              const std::string& file = "") {
    RecordingWindow& w = *window_;
    w.Type(IDC_ADDRESS, host);
    w.Type(IDC_PORT, port);
    w.Type(IDC_FILENAME, file.empty() ? images_.File("fw.bin") : file);
    journal_.Clear();
    w.Click(IDC_UPDATE);
    return Take();
  }
  std::string Settings() { return config_.Read("RIVURER.INI"); }
  // After start-up: the file holds the default port only.
  void SetUp() override {
    Open();
    state_.inputState = 0;
  }

  using RecordingWindow = platform::window::RecordingWindow;
  TempDir images_;
  FakeNet net_;
  platform::net::ScopedNet netScope_;
  FlakyFiles files_;
  platform::file::ScopedFiles filesScope_;
};

TEST_F(VersionUpTest, InputChecksEndBeforeAnyConnection) {
  struct Case {
    const char* name;
    std::string host, port, file;
    Lines lines;
    uint16_t inputState;
    std::string settings;
  };
  const std::string image = images_.File("fw.bin");
  const Case cases[] = {
      {"empty address: port never read", "", "", "",
       Cat({{"box \"IPアドレスを設定して下さい\" \"IPアドレス設定\" 0x10 -> 1"},
            Guidance("IPアドレス･ポート番号･ファイル名を設定してください")}),
       0x000, "[CONFIG]\nPort=55550\n"},
      {"refused address", "192.168.1.0", "4000", "",
       Cat({{"box \"アドレス体系が違います。再度入力して下さい\" \"IPアドレス設定\" 0x10 -> 1"},
            Guidance("IPアドレス･ポート番号･ファイル名を設定してください")}),
       0x000, "[CONFIG]\nPort=55550\n"},
      {"empty port: Host written first", "192.0.2.10", "", "",
       Cat({{"box \"ポート番号を設定して下さい\" \"ポート番号設定\" 0x10 -> 1"},
            Guidance("ポート番号･ファイル名を設定してください")}),
       0x001, "[CONFIG]\nPort=55550\nHost=192.0.2.10\n"},
      {"image missing: no box, File not written", "192.0.2.10", "4000", images_.File("gone.bin"),
       Guidance("ファイル名を設定してください"), 0x011, "[CONFIG]\nPort=4000\nHost=192.0.2.10\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    config_.Write("RIVURER.INI", "[CONFIG]\nPort=55550\n");
    state_.inputState = 0;
    EXPECT_EQ(Press(c.host, c.port, c.file), c.lines);
    EXPECT_EQ(state_.inputState, c.inputState);
    EXPECT_EQ(Settings(), c.settings);
    EXPECT_EQ(net_.opened, 0);
  }
}

TEST_F(VersionUpTest, AnsweringNoLeavesKeysWrittenAndGuidanceShown) {
  window_->boxAnswers = {7};
  EXPECT_EQ(Press(), Cat({kReady,
                          {"box \"バージョンアップを開始しますか。\" \"バージョンアップ\" "
                           "0x24 -> 7"}}));
  EXPECT_EQ(state_.inputState, 0x111);
  EXPECT_EQ(Settings(),
            "[CONFIG]\nPort=4000\nHost=192.0.2.10\nFile=" + images_.File("fw.bin") + "\n");
  EXPECT_EQ(net_.opened, 0);
}

TEST_F(VersionUpTest, FinishedUpdateRunsTheWritePhaseAndEmptiesTheBar) {
  net_.replies = {FakeNet::Status(0), FakeNet::Status(0), FakeNet::Status(3)};
  Lines lines = Press();
  Lines expected = Cat({
      kReady,
      {kConfirm},
      kConnecting,
      {"sleep 100"},
      kHandshakeStart,
      {"recv -> 00 00 00 00 00 00 00 00", "sleep 100", "send 51 22 00 00 00 0A 00 00", "sleep 200",
       "recv -> 00 00 00 00 00 00 00 00"},
      {"text 1013 <62 spaces>", "text 1013 \"ダウンロード中...\"", "update"},
      {"show 1002 5", "sleep 100", "pbm STEPIT", "sleep 50", "send 10 bytes", "sleep 100",
       "recv -> 00 03 00 00 00 00 00 00", "close", "pbm STEPIT", "text 1013 <34 spaces>",
       "text 1013 \"ダウンロード完了\"", "update"},
      {"pbm SETPOS 0", "pbm SETSTEP 1", "pbm SETRANGE 0x000A0000", "show 1002 5",
       "text 1013 <34 spaces>", "text 1013 \"プログラム書き込み中...\"", "update"},
      {"sleep 1010", "pbm STEPIT", "sleep 1010", "pbm STEPIT", "sleep 1010",
       "pbm STEPIT", "sleep 1010", "pbm STEPIT", "sleep 1010", "pbm STEPIT",
       "sleep 1010", "pbm STEPIT", "sleep 1010", "pbm STEPIT", "sleep 1010",
       "pbm STEPIT", "sleep 1010", "pbm STEPIT", "sleep 1010", "pbm STEPIT"},
      {"text 1013 <34 spaces>", "text 1013 \"プログラム書き込み完了\"", "update",
       "text 1013 <34 spaces>", "text 1013 \"バージョンアップ完了\"",
       "box \"バージョンアップ完了しました\" \"バージョンアップ\" 0x00 -> 1", "pbm SETPOS 0"},
      kReady,
  });
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(std::string(net_.wire.begin() + 16, net_.wire.end()), std::string(10, 'x'));
  EXPECT_EQ(window_->progress().position(), 0);
  EXPECT_EQ(window_->progress().maximum(), 10);
  EXPECT_EQ(window_->progress().step(), 1);
  EXPECT_EQ(state_.sock, platform::net::kInvalidSocket);
}

TEST_F(VersionUpTest, ModeSwitchReconnectsAfterItsPauses) {
  net_.replies = {FakeNet::SwitchRequest(), FakeNet::Status(3), FakeNet::Status(0),
                  FakeNet::Status(0), FakeNet::Status(3)};
  Lines lines = Press();
  Lines expected = Cat({
      kReady,
      {kConfirm},
      kConnecting,
      {"sleep 100"},
      kHandshakeStart,
      {"recv -> 00 05 00 01 00 00 00 00", "sleep 100", "send 51 20 53 57 49 54 43 48", "sleep 200",
       "recv -> 00 03 00 00 00 00 00 00", "close"},
      {"text 1013 <62 spaces>", "text 1013 \"モード切り替え中...\"", "update", "sleep 500",
       "socket", "connect 192.0.2.10:4000", "sleep 200"},
      kHandshakeStart,
  });
  ASSERT_GE(lines.size(), expected.size());
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + static_cast<long>(expected.size())), expected);
  EXPECT_EQ(lines.back(), kReady.back());
  EXPECT_EQ(std::count(lines.begin(), lines.end(),
                       "box \"バージョンアップ完了しました\" \"バージョンアップ\" 0x00 -> 1"),
            1);
}

TEST_F(VersionUpTest, EachFailureEndReportsAndRefreshesAsTabled) {
  struct Case {
    const char* name;
    std::vector<FakeNet::Reply> replies;
    std::deque<int> connects;
    int failOpenAt;
    Lines tail;  // how the procedure ends, before the guidance
  };
  const Lines refused = {"text 1013 <62 spaces>", "text 1013 \"接続拒否エラー\"", "update",
                         "box \"接続拒否されました\" \"接続失敗\" 0x10 -> 1"};
  const Lines downloadFailed = {
      "text 1013 <34 spaces>", "text 1013 \"ダウンロード失敗\"", "update", "close",
      "box \"ダウンロードエラーが発生しました\" \"バージョンアップ失敗\" 0x00 -> 1"};
  const Case cases[] = {
      {"first connect fails",
       {},
       {-1},
       -1,
       Cat({{"connect 192.0.2.10:4000", "close"}, kConnectError})},
      {"reconnect after a switch fails",
       {FakeNet::SwitchRequest(), FakeNet::Status(3)},
       {0, -1},
       -1,
       Cat({{"sleep 500", "socket", "connect 192.0.2.10:4000", "close"}, kConnectError})},
      {"handshake fails", {FakeNet::Closed()}, {}, -1, Cat({{"recv -> closed", "close"}, refused})},
      {"transfer fails",
       {FakeNet::Status(0), FakeNet::Status(0), FakeNet::Status(6)},
       {},
       -1,
       Cat({{"recv -> 00 06 00 00 00 00 00 00"}, downloadFailed})},
      {"image gone at the transfer",
       {FakeNet::Status(0), FakeNet::Status(0)},
       {},
       3,
       Cat({{"text 1013 \"ダウンロード中...\"", "update"}, downloadFailed})},
      {"device keeps asking for a switch",
       {FakeNet::SwitchRequest(), FakeNet::Status(3), FakeNet::SwitchRequest(), FakeNet::Status(3),
        FakeNet::SwitchRequest(), FakeNet::Status(3), FakeNet::SwitchRequest(), FakeNet::Status(3)},
       {},
       -1,
       {"recv -> 00 03 00 00 00 00 00 00", "close",
        "box \"モード切り替えが完了しませんでした\" \"接続失敗\" 0x10 -> 1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    net_.replies.assign(c.replies.begin(), c.replies.end());
    net_.connectResults = c.connects;
    files_.opens = 0;
    files_.failOpenAt = c.failOpenAt;
    Lines lines = Press();
    Lines expected = Cat({c.tail, kReady});
    ASSERT_GE(lines.size(), expected.size());
    EXPECT_EQ(Lines(lines.end() - static_cast<long>(expected.size()), lines.end()), expected);
    EXPECT_EQ(state_.sock, platform::net::kInvalidSocket);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "socket"),
              std::count(lines.begin(), lines.end(), "close"));
  }
}

TEST_F(VersionUpTest, LinkBoxesComeBeforeTheConnectionError) {
  struct Case {
    const char* host;
    bool failOpen;
    const char* box;
  };
  const std::string app = platform::window::ApplicationName();
  const Case cases[] = {{"device", false, "ＩＰアドレス取得失敗"},
                        {"255.255.255.255", false, "ＩＰアドレス取得失敗"},
                        {"192.0.2.10", true, "ソケット初期化失敗"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.host);
    net_.failOpen = c.failOpen;
    Lines lines = Press(c.host);
    Lines expected = Cat(
        {{"box \"" + std::string(c.box) + "\" \"" + app + "\" 0x00 -> 1"}, kConnectError, kReady});
    EXPECT_EQ(Lines(lines.end() - static_cast<long>(expected.size()), lines.end()), expected);
    EXPECT_EQ(net_.opened, 0);
  }
}

TEST_F(VersionUpTest, PortTextIsConvertedAsAtoiDoes) {
  struct Case {
    const char* port;
    const char* connect;
  };
  const Case cases[] = {{"99999", "connect 192.0.2.10:34463"},
                        {"70000", "connect 192.0.2.10:4464"},
                        {"abc", "connect 192.0.2.10:0"},
                        {" +80x", "connect 192.0.2.10:80"},
                        {"-1", "connect 192.0.2.10:65535"}};
  for (const Case& c : cases) {
    net_.connectResults = {-1};
    Lines lines = Press("192.0.2.10", c.port);
    EXPECT_NE(std::find(lines.begin(), lines.end(), c.connect), lines.end()) << c.port;
  }
}

TEST_F(VersionUpTest, AbortedTransferKeepsDownloadingTextAndRefreshesNothing) {
  images_.Write("fw.bin", std::string(70000, 'y'));
  net_.replies = {FakeNet::Status(0), FakeNet::Status(0), FakeNet::Status(6)};
  Lines lines = Press();
  EXPECT_EQ(Lines(lines.end() - 3, lines.end()),
            (Lines{"sleep 100", "recv -> 00 06 00 00 00 00 00 00", "close"}));
  EXPECT_EQ(window_->ItemText(IDC_MESSAGE), Cp("ダウンロード中..."));
  // The bar keeps its position; the next press starts from the beginning.
  EXPECT_EQ(window_->progress().position(), 90);
  net_.replies = {FakeNet::Status(0), FakeNet::Status(0), FakeNet::Status(0), FakeNet::Status(3)};
  lines = Press();
  EXPECT_EQ(lines.back(), kReady.back());
}

TEST_F(VersionUpTest, LongFileFieldIsCutTo767) {
  std::string longName(800, 'n');
  Press("192.0.2.10", "4000", "/" + longName);
  EXPECT_EQ(std::string(state_.filePath), ("/" + longName).substr(0, 767));
}

TEST_F(VersionUpTest, ExitAfterAnUpdateClosesNothingTwice) {
  net_.replies = {FakeNet::Closed()};
  Press();
  int closes = net_.closes;
  window_->Click(platform::window::IDCANCEL);
  EXPECT_EQ(net_.closes, closes);
  EXPECT_TRUE(window_->ended());
}

}  // namespace
