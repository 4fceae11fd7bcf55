#include "app/update_dlg.h"

#include <gtest/gtest.h>

#include "app/resources/resources.h"
#include "app/show_message.h"
#include "support/dialog_fixture.h"

using namespace platform::window;
using Lines = std::vector<std::string>;

namespace {

class MainWindowTest : public DialogFixture {};

TEST_F(MainWindowTest, InitialisationAddsAboutEntryAndIconsThenFocusesAddress) {
  RecordingWindow& w = backend_.Open(app::resources::UpdateDialogTemplate(), dlg_);
  Lines lines = Take();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + 4),
            (Lines{"menu separator", "menu 0x0010 \"ﾊﾞｰｼﾞｮﾝ情報(kdxupdt) (&A)...\"", "icon big 128",
                   "icon small 128"}));
  EXPECT_EQ(w.focus(), IDC_ADDRESS);
  // Start-up sets nothing on the progress bar.
  EXPECT_EQ(w.progress().maximum(), 100);
  EXPECT_EQ(w.progress().step(), 10);
}

TEST_F(MainWindowTest, NoSystemMenuMeansNoEntry) {
  ToolState state;
  CUpdateDlg dlg(state);
  // The window is built without a system menu before initialisation.
  struct NoMenuHost : DialogHost {
    CUpdateDlg& dlg;
    explicit NoMenuHost(CUpdateDlg& d) : dlg(d) {}
    bool InitDialog(Window& w) override {
      static_cast<RecordingWindow&>(w).SetHasSystemMenu(false);
      return dlg.InitDialog(w);
    }
    bool WindowProc(UINT m, WPARAM wp, LPARAM lp, LRESULT* r) override {
      return dlg.WindowProc(m, wp, lp, r);
    }
    void DetachWindow() override { dlg.DetachWindow(); }
  } host(dlg);
  RecordingWindow& w = backend_.Open(app::resources::UpdateDialogTemplate(), host);
  EXPECT_TRUE(w.systemMenu().empty());
  EXPECT_EQ(Take().front(), "icon big 128");
}

TEST_F(MainWindowTest, ExitEndsTheDialogWithoutTouchingAnySocket) {
  RecordingWindow& w = Open();
  ASSERT_EQ(state_.sock, platform::net::kInvalidSocket);
  w.Click(IDCANCEL);
  EXPECT_EQ(Take(), Lines{"end 2"});
  EXPECT_EQ(state_.sock, platform::net::kInvalidSocket);
}

TEST_F(MainWindowTest, CloseCommandReachesCancel) {
  RecordingWindow& w = Open();
  w.SysCommand(SC_CLOSE);
  EXPECT_EQ(Take(), Lines{"end 2"});
}

TEST_F(MainWindowTest, VersionButtonAndAboutEntryOpenTheAboutBox) {
  RecordingWindow& w = Open();
  int run = 0;
  // OK, Esc (the cancel button) and the close box each end it.
  backend_.script = [&](RecordingWindow& about) {
    if (run == 0) about.Click(IDOK);
    if (run == 1) about.Click(IDCANCEL);
    if (run == 2) about.SysCommand(SC_CLOSE);
    ++run;
  };
  w.Click(IDC_VERSION);
  w.Click(IDC_VERSION);
  w.SysCommand(IDM_ABOUTBOX | 0x3);  // the low four bits are the system's
  EXPECT_EQ(Take(), (Lines{"modal 100", "end 1", "modal 100", "end 2", "modal 100", "end 2"}));
  EXPECT_FALSE(w.ended());
}

TEST_F(MainWindowTest, OtherSystemCommandsGoToDefaultProcessing) {
  RecordingWindow& w = Open();
  w.SysCommand(0xF010);  // move
  EXPECT_TRUE(Take().empty());
  EXPECT_FALSE(w.ended());
}

TEST_F(MainWindowTest, MinimisedWindowDrawsTheIconCentred) {
  struct Case {
    Rect client;
    int x, y;
  };
  // Signed arithmetic, division truncating toward zero.
  const Case cases[] = {{{0, 0, 334, 268}, 151, 118}, {{0, 0, 20, 21}, -5, -5}};
  RecordingWindow& w = Open();
  for (const Case& c : cases) {
    w.SetIconic(true);
    w.SetClientRect(c.client);
    w.Paint();
    EXPECT_EQ(Take(), (Lines{"erase-icon-background", "draw-icon " + std::to_string(c.x) + " " +
                                                          std::to_string(c.y) + " 128"}));
  }
  w.SetIconic(false);
  w.Paint();
  EXPECT_EQ(Take(), Lines{"default-paint"});
  EXPECT_EQ(w.QueryDragIcon(), IDR_MAINFRAME);
}

TEST_F(MainWindowTest, ShowMessageBlanksOutFirstAndDoesNotRepaint) {
  Open();
  dlg_.ShowMessage(BLANK_SHORT, Cp("接続中..."));
  EXPECT_EQ(Take(), (Lines{"text 1013 <34 spaces>", "text 1013 \"接続中...\""}));
}

TEST_F(MainWindowTest, BoxWithoutCaptionCarriesTheApplicationName) {
  Open();
  dlg_.MessageBox(Cp("ＩＰアドレス取得失敗").c_str());
  EXPECT_EQ(Take(), Lines{"box \"ＩＰアドレス取得失敗\" \"" + ApplicationName() + "\" 0x00 -> 1"});
}

TEST(ApplicationName, IsTheExecutableNameWithoutFolderOrExtension) {
  EXPECT_EQ(ApplicationNameFrom("/usr/bin/kdxupdt"), "kdxupdt");
  EXPECT_EQ(ApplicationNameFrom("C:/tools/kdxupdt.exe"), "kdxupdt");
  EXPECT_EQ(ApplicationNameFrom("kdxupdt"), "kdxupdt");
  EXPECT_EQ(ApplicationNameFrom("./build/.hidden"), ".hidden");
}

TEST(Templates, MainWindowHasNineteenControlsInTabOrder) {
  const DialogTemplate& d = app::resources::UpdateDialogTemplate();
  ASSERT_EQ(d.controls.size(), 19u);
  std::vector<int> tabStops;
  for (const ControlTemplate& c : d.controls) {
    EXPECT_EQ(c.style & 0x50000000u, 0x50000000u) << c.id;
    if (c.style & WS_TABSTOP) tabStops.push_back(c.id);
  }
  EXPECT_EQ(tabStops, (std::vector<int>{IDC_ADDRESS, IDC_BROWSE, IDC_FILENAME, IDC_UPDATE, IDCANCEL,
                                        IDC_VERSION}));
  EXPECT_EQ(app::resources::AboutDialogTemplate().controls.size(), 5u);
}

}  // namespace
