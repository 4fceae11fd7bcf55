#include <gtest/gtest.h>

#include "settings/input_state.h"
#include "support/dialog_fixture.h"
#include "support/temp_dir.h"

using Lines = std::vector<std::string>;
using platform::window::RecordingWindow;

namespace {

const char kPortBox[] = "box \"ポート番号を設定して下さい\" \"ポート番号設定\" 0x10 -> 1";

Lines Guidance(const std::string& text) {
  return {"text 1013 <62 spaces>", "text 1013 \"" + text + "\"", "update"};
}

Lines With(Lines first, const Lines& rest) {
  first.insert(first.end(), rest.begin(), rest.end());
  return first;
}

class FieldHandlersTest : public DialogFixture {
 protected:
  TempDir images_;
};

TEST_F(FieldHandlersTest, EachHandlerSetsItsFlagSavesAndGuides) {
  images_.Write("fw.bin", "x");
  config_.Write("RIVURER.INI", "[CONFIG]\nHost=10.0.0.1\nFile=/old.bin\nPort=1\n");
  struct Case {
    const char* name;
    int field;
    std::string typed;
    uint16_t before;
    uint16_t after;
    Lines lines;
    std::string file;  // the settings file afterwards
  };
  const std::string kept = "[CONFIG]\nHost=10.0.0.1\nFile=/old.bin\nPort=1\n";
  const Case cases[] = {
      {"usable address saved", IDC_ADDRESS, "192.168.1.10", 0x010, 0x011,
       Guidance("ファイル名を設定してください"),
       "[CONFIG]\nHost=192.168.1.10\nFile=/old.bin\nPort=1\n"},
      {"16 characters: first 15 checked and saved", IDC_ADDRESS, "192.168.100.1001", 0x110, 0x111,
       Guidance(" ［バージョンアップ]ボタンをクリックしてください"),
       "[CONFIG]\nHost=192.168.100.100\nFile=/old.bin\nPort=1\n"},
      {"refused address not saved, no box", IDC_ADDRESS, "192.168.1.0", 0x111, 0x110,
       Guidance("IPアドレスを設定してください"), kept},
      {"empty address not saved, no box", IDC_ADDRESS, "", 0x011, 0x010,
       Guidance("IPアドレス･ファイル名を設定してください"), kept},
      {"port of seven digits: five saved", IDC_PORT, "1234567", 0x101, 0x111,
       Guidance(" ［バージョンアップ]ボタンをクリックしてください"),
       "[CONFIG]\nHost=10.0.0.1\nFile=/old.bin\nPort=12345\n"},
      {"port of letters saved as it is", IDC_PORT, "http", 0x000, 0x010,
       Guidance("IPアドレス･ファイル名を設定してください"),
       "[CONFIG]\nHost=10.0.0.1\nFile=/old.bin\nPort=http\n"},
      {"empty port: box, then flag cleared", IDC_PORT, "", 0x111, 0x101,
       With({kPortBox}, Guidance("ポート番号を設定してください")), kept},
      {"usable file saved", IDC_FILENAME, images_.File("fw.bin"), 0x011, 0x111,
       Guidance(" ［バージョンアップ]ボタンをクリックしてください"),
       "[CONFIG]\nHost=10.0.0.1\nFile=" + images_.File("fw.bin") + "\nPort=1\n"},
      {"missing file not saved, no box", IDC_FILENAME, images_.File("no.bin"), 0x111, 0x011,
       Guidance("ファイル名を設定してください"), kept},
  };
  RecordingWindow& w = Open();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    config_.Write("RIVURER.INI", kept);
    state_.inputState = c.before;
    w.Type(c.field, c.typed);
    w.KillFocus(c.field);
    EXPECT_EQ(Take(), c.lines);
    EXPECT_EQ(state_.inputState, c.after);
    EXPECT_EQ(config_.Read("RIVURER.INI"), c.file);
    // The field keeps the whole text while the state holds the cut one.
    EXPECT_EQ(w.ItemText(c.field), Cp(c.typed));
  }
}

TEST_F(FieldHandlersTest, EmptyPortBoxComesBackOnEveryFocusLoss) {
  RecordingWindow& w = Open();
  w.Type(IDC_PORT, "");
  for (int i = 0; i < 3; ++i) w.KillFocus(IDC_PORT);
  Lines lines = Take();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), kPortBox), 3);
  w.Type(IDC_PORT, "80");
  w.KillFocus(IDC_PORT);
  EXPECT_TRUE(state_.inputState & PORT_SET);
}

TEST_F(FieldHandlersTest, LongPathIsTakenUpTo767Characters) {
  // Folders of 200 characters, then a file name that makes 767 in all.
  std::string name;
  while (images_.path().size() + 1 + name.size() + 201 < 767) {
    name += std::string(200, 'd') + "/";
    std::filesystem::create_directory(images_.File(name));
  }
  name += std::string(767 - images_.path().size() - 1 - name.size(), 'a');
  ASSERT_EQ(images_.File(name).size(), 767u);
  images_.Write(name, "x");
  RecordingWindow& w = Open();
  w.Type(IDC_FILENAME, images_.File(name));
  w.KillFocus(IDC_FILENAME);
  EXPECT_EQ(std::string(state_.filePath), images_.File(name));
  EXPECT_TRUE(state_.inputState & FILE_SET);
  w.Type(IDC_FILENAME, images_.File(name) + "b");  // 768: cut back to the file
  w.KillFocus(IDC_FILENAME);
  EXPECT_TRUE(state_.inputState & FILE_SET);
}

}  // namespace
