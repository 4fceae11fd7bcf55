#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>

#include "support/dialog_fixture.h"
#include "support/fake_net.h"

using Lines = std::vector<std::string>;

namespace {

const char kQuery[] = "send 51 21 00 00 00 00 00 00";
const char kSwitch[] = "send 51 20 53 57 49 54 43 48";
const char kSize1M[] = "send 51 22 00 0F 42 40 00 00";  // 1,000,000 bytes

class NegotiateModeTest : public DialogFixture {
 protected:
  NegotiateModeTest() : net_(journal_), netScope_(net_) {
    std::filesystem::resize_file((images_.Write("fw.bin", ""), images_.File("fw.bin")), 1'000'000);
  }
  // A link as ConnectDevice leaves it.
  void Link(const std::string& image) {
    Open();
    std::strcpy(state_.filePath, image.c_str());
    state_.sock = 7;
  }
  TempDir images_;
  FakeNet net_;
  platform::net::ScopedNet netScope_;
};

TEST_F(NegotiateModeTest, EachBranchOfTheExchange) {
  const Lines start = {"text 1013 \"モード確認中...\"", "update", "sleep 100", kQuery, "sleep 200"};
  auto with = [&](Lines rest) {
    Lines all = start;
    all.insert(all.end(), rest.begin(), rest.end());
    return all;
  };
  struct Case {
    const char* name;
    std::vector<FakeNet::Reply> replies;
    int result;
    Lines rest;  // after the query and its pause
  };
  const Case cases[] = {
      {"no switch asked: the size frame is the second frame",
       {FakeNet::Status(0), FakeNet::Status(0)},
       0,
       {"recv -> 00 00 00 00 00 00 00 00", "sleep 100", kSize1M, "sleep 200",
        "recv -> 00 00 00 00 00 00 00 00"}},
      {"switch accepted: link closed, 1",
       {FakeNet::SwitchRequest(), FakeNet::Status(3)},
       1,
       {"recv -> 00 05 00 01 00 00 00 00", "sleep 100", kSwitch, "sleep 200",
        "recv -> 00 03 00 00 00 00 00 00", "close"}},
      {"switch refused with status 6: box, link closed, -1",
       {FakeNet::SwitchRequest(), FakeNet::Status(6)},
       -1,
       {"recv -> 00 05 00 01 00 00 00 00", "sleep 100", kSwitch, "sleep 200",
        "recv -> 00 06 00 00 00 00 00 00",
        "box \"モード変更エラー\" \"バージョンアップ\" 0x10 -> 1", "close"}},
      {"switch answered 4: size frame on the same link",
       {FakeNet::SwitchRequest(), FakeNet::Status(4), FakeNet::Status(0)},
       0,
       {"recv -> 00 05 00 01 00 00 00 00", "sleep 100", kSwitch, "sleep 200",
        "recv -> 00 04 00 00 00 00 00 00", "sleep 100", kSize1M, "sleep 200",
        "recv -> 00 00 00 00 00 00 00 00"}},
      {"status 5 with 00 02 is no switch request",
       {FakeNet::Status(5, 0, 2), FakeNet::Status(0)},
       0,
       {"recv -> 00 05 00 02 00 00 00 00", "sleep 100", kSize1M, "sleep 200",
        "recv -> 00 00 00 00 00 00 00 00"}},
      {"status 5 with 01 01 is no switch request",
       {FakeNet::Status(5, 1, 1), FakeNet::Status(0)},
       0,
       {"recv -> 00 05 01 01 00 00 00 00", "sleep 100", kSize1M, "sleep 200",
        "recv -> 00 00 00 00 00 00 00 00"}},
      {"status 6 to the query is no switch request",
       {FakeNet::Status(6), FakeNet::Status(0)},
       0,
       {"recv -> 00 06 00 00 00 00 00 00", "sleep 100", kSize1M, "sleep 200",
        "recv -> 00 00 00 00 00 00 00 00"}},
      {"device closes instead of answering: a failed read",
       {FakeNet::Closed()},
       -1,
       {"recv -> closed", "close"}},
      {"switch answer of one byte keeps status 5 from the query: size follows",
       {FakeNet::SwitchRequest(), FakeNet::Bytes({0x00}), FakeNet::Timeout(), FakeNet::Status(0)},
       0,
       {"recv -> 00 05 00 01 00 00 00 00", "sleep 100", kSwitch, "sleep 200", "recv -> 00",
        "recv(grace) -> timeout", "sleep 100", kSize1M, "sleep 200",
        "recv -> 00 00 00 00 00 00 00 00"}},
      {"a split answer is read whole within the grace",
       {FakeNet::Bytes({0x00, 0x05, 0x00}), FakeNet::Bytes({0x01, 0, 0, 0, 0}), FakeNet::Status(3)},
       1,
       {"recv -> 00 05 00", "recv(grace) -> 01 00 00 00 00", "sleep 100", kSwitch, "sleep 200",
        "recv -> 00 03 00 00 00 00 00 00", "close"}},
      {"size answered with status 6: still 0",
       {FakeNet::Status(0), FakeNet::Status(6)},
       0,
       {"recv -> 00 00 00 00 00 00 00 00", "sleep 100", kSize1M, "sleep 200",
        "recv -> 00 06 00 00 00 00 00 00"}},
      {"read error on the size answer",
       {FakeNet::Status(0), FakeNet::Error()},
       -1,
       {"recv -> 00 00 00 00 00 00 00 00", "sleep 100", kSize1M, "sleep 200", "recv -> error",
        "close"}},
      {"stalled device: the read gives up", {FakeNet::Timeout()}, -1, {"recv -> timeout", "close"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Link(images_.File("fw.bin"));
    net_.replies.assign(c.replies.begin(), c.replies.end());
    EXPECT_EQ(dlg_.NegotiateMode(), c.result);
    EXPECT_EQ(Take(), with(c.rest));
    EXPECT_EQ(state_.sock == platform::net::kInvalidSocket, c.result != 0);
  }
}

TEST_F(NegotiateModeTest, SizeFrameAndStepBytesFollowTheImageLength) {
  struct Case {
    uint64_t length;
    const char* frame;
    int32_t stepBytes;
  };
  const Case cases[] = {{1'000'000, kSize1M, 90909},
                        {0, "send 51 22 00 00 00 00 00 00", 0},
                        {0x7FFFFFFF, "send 51 22 7F FF FF FF 00 00", 195225786}};
  for (const Case& c : cases) {
    std::filesystem::resize_file(images_.File("fw.bin"), c.length);
    Link(images_.File("fw.bin"));
    net_.replies = {FakeNet::Status(0), FakeNet::Status(0)};
    EXPECT_EQ(dlg_.NegotiateMode(), 0);
    Lines lines = Take();
    EXPECT_EQ(lines[7], c.frame);
    EXPECT_EQ(state_.stepBytes, c.stepBytes);
    EXPECT_EQ(std::vector<uint8_t>(state_.chunk, state_.chunk + 1024),
              std::vector<uint8_t>(1024, 0));
  }
}

TEST_F(NegotiateModeTest, ImageThatCannotBeUsedIsRefusedBeforeTheSizeFrame) {
  struct Case {
    const char* name;
    std::string path;
    const char* box;
  };
  std::filesystem::resize_file(images_.File("fw.bin"), 0x80000000ull);  // sparse, 2 GiB
  const Case cases[] = {
      {"removed", images_.File("gone.bin"),
       "box \"ファイルがオープンできません\" \"バージョンアップ失敗\" 0x10 -> 1"},
      {"2 GiB or more", images_.File("fw.bin"),
       "box \"ファイルが大きすぎます（2GB未満のファイルを指定して下さい）\" "
       "\"バージョンアップ失敗\" 0x10 -> 1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Link(c.path);
    net_.replies = {FakeNet::Status(0)};
    EXPECT_EQ(dlg_.NegotiateMode(), -1);
    Lines lines = Take();
    EXPECT_EQ(Lines(lines.end() - 2, lines.end()), (Lines{c.box, "close"}));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string(kQuery)), 1);
    EXPECT_EQ(net_.wire.size(), 8u);  // the query alone
    net_.wire.clear();
  }
}

TEST_F(NegotiateModeTest, FailedSendClosesTheLink) {
  for (int failing : {1, 2}) {
    Link(images_.File("fw.bin"));
    net_.sends = 0;
    net_.failSendAt = failing;
    net_.replies = {FakeNet::Status(0)};
    EXPECT_EQ(dlg_.NegotiateMode(), -1);
    EXPECT_EQ(Take().back(), "close");
  }
}

}  // namespace
