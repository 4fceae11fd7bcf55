#include <gtest/gtest.h>

#include "settings/input_state.h"
#include "support/dialog_fixture.h"
#include "support/temp_dir.h"

std::string InitialDirectory(const std::string& path);

using Lines = std::vector<std::string>;
using platform::window::FileOpenResult;
using platform::window::RecordingWindow;

namespace {

TEST(InitialDirectory, IsTheFolderOfThePath) {
  struct Case {
    const char* path;
    const char* dir;
  };
  const Case cases[] = {
      {"/home/tech/fw/update.bin", "/home/tech/fw"},
      {"/update.bin", "/"},
      {"update.bin", ""},
      {"", ""},
      {"/home/tech/fw/", "/home/tech/fw"},
      {"rel/dir/x.bin", "rel/dir"},
      // A trail byte of 0x5C is not a separator here; '/' never is a trail byte.
      {"/\x95\x5C/x.bin", "/\x95\x5C"},
  };
  for (const Case& c : cases) EXPECT_EQ(InitialDirectory(c.path), c.dir) << c.path;
}

class SelectFileTest : public DialogFixture {
 protected:
  SelectFileTest() {
    images_.Write("a.bin", "a");
    images_.Write("b.bin", "b");
  }
  TempDir images_;
};

TEST_F(SelectFileTest, ConfirmedUsablePathIsShownSavedAndFlagged) {
  RecordingWindow& w = Open();
  w.Type(IDC_FILENAME, images_.File("a.bin"));
  w.Type(IDC_ADDRESS, "192.168.100.1001234");
  w.Type(IDC_PORT, "1234567");
  w.fileAnswers.push_back(FileOpenResult{true, images_.File("b.bin")});
  w.Click(IDC_BROWSE);
  EXPECT_EQ(Take(), (Lines{"file-dialog dir=\"" + images_.path() + "\" -> \"" +
                               images_.File("b.bin") + "\"",
                           "text 1006 \"192.168.100.100\"", "text 1008 \"12345\"",
                           "text 1009 \"" + images_.File("b.bin") + "\"", "text 1013 <62 spaces>",
                           "text 1013 \"IPアドレスを設定してください\"", "update"}));
  EXPECT_EQ(state_.inputState, PORT_SET | FILE_SET);
  EXPECT_EQ(state_.selectedPath, images_.File("b.bin"));
  EXPECT_EQ(config_.Read("RIVURER.INI"),
            "[CONFIG]\nPort=55550\nFile=" + images_.File("b.bin") + "\n");
  const auto& request = w.fileRequests.back();
  EXPECT_EQ(request.title, Cp("バージョンアップファイル参照"));
  EXPECT_EQ(request.initialName, "*.bin");
  EXPECT_EQ(request.defaultExtension, "*.bin");
  EXPECT_EQ(request.filterDescription, Cp("ﾊﾞｰｼﾞｮﾝｱｯﾌﾟﾌｧｲﾙ(*.BIN)"));
  EXPECT_EQ(request.filterPattern, "*.bin");
  EXPECT_EQ(request.flags, 0x6u);
  EXPECT_EQ(request.maxPathLength, 259u);
}

TEST_F(SelectFileTest, ConfirmedPathThatDoesNotOpenLeavesTheFieldAndFile) {
  RecordingWindow& w = Open();
  state_.inputState = 0x111;
  w.Type(IDC_FILENAME, images_.File("a.bin"));
  w.fileAnswers.push_back(FileOpenResult{true, images_.File("new.bin")});
  w.Click(IDC_BROWSE);
  Lines lines = Take();
  EXPECT_EQ(
      std::vector<std::string>(lines.end() - 3, lines.end()),
      (Lines{"text 1013 <62 spaces>", "text 1013 \"ファイル名を設定してください\"", "update"}));
  EXPECT_EQ(state_.inputState, 0x011);
  EXPECT_EQ(w.ItemText(IDC_FILENAME), images_.File("a.bin"));
  EXPECT_EQ(std::string(state_.filePath), images_.File("new.bin"));
  EXPECT_EQ(config_.Read("RIVURER.INI"), "[CONFIG]\nPort=55550\n");
}

TEST_F(SelectFileTest, EmptyFieldStartsInTheStoredFileFolderAndCancelKeepsIt) {
  config_.Write("RIVURER.INI", "[CONFIG]\nFile=" + images_.File("a.bin") + "\n");
  RecordingWindow& w = Open();
  EXPECT_EQ(state_.inputState, 0x110);
  w.Type(IDC_FILENAME, "");
  w.Click(IDC_BROWSE);  // cancelled
  Lines lines = Take();
  EXPECT_EQ(lines[0], "file-dialog dir=\"" + images_.path() + "\" -> cancel");
  EXPECT_EQ(lines[3], "text 1009 \"" + images_.File("a.bin") + "\"");
  EXPECT_EQ(state_.inputState, 0x110);
  EXPECT_EQ(state_.selectedPath, "");
}

TEST_F(SelectFileTest, NoFolderGivesNoInitialDirectory) {
  for (const char* field : {"update.bin", ""}) {
    RecordingWindow& w = Open();
    w.Type(IDC_FILENAME, field);
    w.Click(IDC_BROWSE);
    EXPECT_EQ(w.fileRequests.back().initialDirectory, "") << field;
    EXPECT_FALSE(state_.inputState & FILE_SET);
  }
}

}  // namespace
