#include <gtest/gtest.h>

#include "support/dialog_fixture.h"
#include "support/temp_dir.h"

using Lines = std::vector<std::string>;

namespace {

class LoadSettingsTest : public DialogFixture {
 protected:
  // Opens the window; returns what start-up did after the menu and icons.
  Lines Start() {
    backend_.Open(*dlg_.resources().findDialog(IDD_UPDATE_DIALOG), dlg_);
    Lines lines = Take();
    return Lines(lines.begin() + 4, lines.end());
  }
  static Lines Fields(const std::string& host, const std::string& file, const std::string& port,
                      const std::string& guidance) {
    return {"text 1006 \"" + host + "\"",     "text 1009 \"" + file + "\"",
            "text 1008 \"" + port + "\"",     "text 1013 <62 spaces>",
            "text 1013 \"" + guidance + "\"", "update"};
  }
  TempDir images_;
};

TEST_F(LoadSettingsTest, NoFileGivesDefaultPortAndWritesOnlyIt) {
  EXPECT_EQ(Start(), Fields("", "", "55550", "IPアドレス･ファイル名を設定してください"));
  EXPECT_EQ(state_.inputState, 0x010);
  EXPECT_EQ(config_.Read("RIVURER.INI"), "[CONFIG]\nPort=55550\n");
}

TEST_F(LoadSettingsTest, StoredValuesAreCheckedCutAndWrittenBack) {
  images_.Write("fw.bin", "abc");
  const std::string image = images_.File("fw.bin");
  struct Case {
    const char* name;
    std::string file;  // the settings file before start-up
    Lines lines;       // what start-up shows
    uint16_t inputState;
    std::string after;  // the settings file afterwards
  };
  const Case cases[] = {
      {"refused address dropped from the field, kept in the file",
       "[CONFIG]\nHost=127.0.0.1\nPort=1\n",
       Fields("", "", "1", "IPアドレス･ファイル名を設定してください"), 0x010,
       "[CONFIG]\nHost=127.0.0.1\nPort=1\n"},
      {"six-digit port cut to five and written back", "[CONFIG]\nPort=123456\n",
       Fields("", "", "12345", "IPアドレス･ファイル名を設定してください"), 0x010,
       "[CONFIG]\nPort=12345\n"},
      {"port of letters kept", "[CONFIG]\nport=abc\n",
       Fields("", "", "abc", "IPアドレス･ファイル名を設定してください"), 0x010,
       "[CONFIG]\nPort=abc\n"},
      {"address longer than 15 is cut before the check", "[CONFIG]\nHost=192.168.100.1001\n",
       Fields("192.168.100.100", "", "55550", "ファイル名を設定してください"), 0x011,
       "[CONFIG]\nHost=192.168.100.1001\nPort=55550\n"},
      {"path of a missing file dropped, kept in the file",
       "[CONFIG]\nFile=" + images_.File("gone.bin") + "\n",
       Fields("", "", "55550", "IPアドレス･ファイル名を設定してください"), 0x010,
       "[CONFIG]\nFile=" + images_.File("gone.bin") + "\nPort=55550\n"},
      {"a folder is no image", "[CONFIG]\nFile=" + images_.path() + "\n",
       Fields("", "", "55550", "IPアドレス･ファイル名を設定してください"), 0x010,
       "[CONFIG]\nFile=" + images_.path() + "\nPort=55550\n"},
      {"all three usable", "[CONFIG]\nHost=192.168.1.10\nFile=" + image + "\nPort=4000\n",
       Fields("192.168.1.10", image, "4000", " ［バージョンアップ]ボタンをクリックしてください"),
       0x111, "[CONFIG]\nHost=192.168.1.10\nFile=" + image + "\nPort=4000\n"},
      {"usable address and file, no port", "[CONFIG]\nHost=10.0.0.1\nFile=" + image + "\n",
       Fields("10.0.0.1", image, "55550", " ［バージョンアップ]ボタンをクリックしてください"),
       0x111, "[CONFIG]\nHost=10.0.0.1\nFile=" + image + "\nPort=55550\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    config_.Write("RIVURER.INI", c.file);
    ToolState fresh;
    state_ = fresh;
    EXPECT_EQ(Start(), c.lines);
    EXPECT_EQ(state_.inputState, c.inputState);
    EXPECT_EQ(config_.Read("RIVURER.INI"), c.after);
  }
}

TEST_F(LoadSettingsTest, NoBoxIsShownWhateverTheFileHolds) {
  const char garbage[] = "\x00\xFF[CONFIG]\nHost=\x82\n[";
  config_.Write("RIVURER.INI", std::string(garbage, sizeof garbage - 1));
  for (const std::string& line : Start()) EXPECT_NE(line.rfind("box", 0), 0u) << line;
}

}  // namespace
