#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <numeric>

#include "support/dialog_fixture.h"
#include "support/fake_net.h"

using Lines = std::vector<std::string>;

namespace {

const char kFinal[] = "recv -> 00 03 00 00 00 00 00 00";
const Lines kFinish = {"close", "pbm STEPIT", "text 1013 <34 spaces>",
                       "text 1013 \"ダウンロード完了\"", "update"};
const Lines kFail = {"text 1013 <34 spaces>", "text 1013 \"ダウンロード失敗\"", "update", "close",
                     "box \"ダウンロードエラーが発生しました\" \"バージョンアップ失敗\" 0x00 -> 1"};

Lines Cat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

std::string Pairs(int n, int size = 1024) {
  return std::to_string(n) + " x [sleep 20 | send " + std::to_string(size) + " bytes]";
}

class TransferTest : public DialogFixture {
 protected:
  TransferTest() : net_(journal_), netScope_(net_), filesScope_(files_) {}

  // An image of the given size with varied bytes, announced as the
  // handshake does, on an open link.
  void Prepare(int64_t size) {
    image_.resize(static_cast<size_t>(size));
    for (size_t i = 0; i < image_.size(); ++i)
      image_[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    images_.Write("fw.bin", image_);
    Open();
    std::strcpy(state_.filePath, images_.File("fw.bin").c_str());
    state_.stepBytes = static_cast<int32_t>(size / 11);
    state_.announcedLength = size;
    state_.sock = 7;
    net_.wire.clear();
  }
  std::string Wire() const { return std::string(net_.wire.begin(), net_.wire.end()); }

  TempDir images_;
  std::string image_;
  FakeNet net_;
  platform::net::ScopedNet netScope_;
  FlakyFiles files_;
  platform::file::ScopedFiles filesScope_;
};

TEST_F(TransferTest, SmallImagesByteForByteWithPausesAndSteps) {
  struct Case {
    int64_t size;
    Lines lines;
  };
  const Case cases[] = {
      {0,
       Cat({{"show 1002 5", "sleep 50", "sleep 100", "pbm STEPIT", "sleep 100", kFinal}, kFinish})},
      {1, Cat({{"show 1002 5", "sleep 100", "pbm STEPIT", "sleep 50", "send 1 bytes", "sleep 100",
                kFinal},
               kFinish})},
      {1023, Cat({{"show 1002 5", "sleep 100", "pbm STEPIT", "sleep 50", "send 1023 bytes",
                   "sleep 100", kFinal},
                  kFinish})},
      {1024,
       Cat({{"show 1002 5", "sleep 100", "pbm STEPIT", "sleep 20", "send 1024 bytes", "sleep 100",
             "pbm STEPIT", "sleep 50", "sleep 100", "pbm STEPIT", "sleep 100", kFinal},
            kFinish})},
      {2000, Cat({{"show 1002 5", "sleep 100", "pbm STEPIT", "sleep 20", "send 1024 bytes",
                   "sleep 100", "pbm STEPIT", "sleep 50", "send 976 bytes", "sleep 100", kFinal},
                  kFinish})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    Prepare(c.size);
    net_.replies = {FakeNet::Status(3)};
    EXPECT_EQ(dlg_.TransferImage(), TransferResult::Finished);
    EXPECT_EQ(Take(), c.lines);
    EXPECT_EQ(Wire(), image_);
    EXPECT_EQ(state_.sock, platform::net::kInvalidSocket);
    EXPECT_EQ(files_.opens, files_.closes);
  }
}

TEST_F(TransferTest, SixtyFourKibibytesReadsPeriodicThenFinalStatus) {
  Prepare(65536);  // steps due at chunks 6, 12, 18, 24, 30, 35, 41, 47, 53
  net_.replies = {FakeNet::Status(3), FakeNet::Status(3)};  // 3 at the periodic read goes on
  EXPECT_EQ(dlg_.TransferImage(), TransferResult::Finished);
  const Lines step = {"sleep 100", "pbm STEPIT"};
  EXPECT_EQ(Compress(Take()),
            Cat({{"show 1002 5", Pairs(5)},
                 step,
                 {Pairs(6)},
                 step,
                 {Pairs(6)},
                 step,
                 {Pairs(6)},
                 step,
                 {Pairs(6)},
                 step,
                 {Pairs(5)},
                 step,
                 {Pairs(6)},
                 step,
                 {Pairs(6)},
                 step,
                 {Pairs(6)},
                 step,
                 {Pairs(12)},
                 {"sleep 100", "recv -> 00 03 00 00 00 00 00 00", "sleep 50", "sleep 100", kFinal},
                 kFinish}));
  EXPECT_EQ(Wire(), image_);
}

TEST_F(TransferTest, OneByteMoreSendsItAfterThePeriodicStatus) {
  Prepare(65537);
  net_.replies = {FakeNet::Status(0), FakeNet::Status(3)};
  EXPECT_EQ(dlg_.TransferImage(), TransferResult::Finished);
  Lines lines = Compress(Take());
  EXPECT_EQ(Lines(lines.end() - 12, lines.end()),
            Cat({{Pairs(12), "sleep 100", "recv -> 00 00 00 00 00 00 00 00", "sleep 50",
                  "send 1 bytes", "sleep 100", kFinal},
                 kFinish}));
  EXPECT_EQ(Wire(), image_);
}

TEST_F(TransferTest, SeveralRunsKeepTheirPauseBudget) {
  struct Case {
    int64_t size;
    int periodic;
    uint64_t pauses;  // ms
  };
  // Full chunks x 20, periodic reads x 100, nine steps x 100, 50 + 100 at the end.
  const Case cases[] = {{3 * 65536 + 100, 3, 192 * 20 + 3 * 100 + 900 + 150},
                        {1 << 20, 16, 23'130}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    Prepare(c.size);
    net_.replies.assign(static_cast<size_t>(c.periodic), FakeNet::Status(0));
    net_.replies.push_back(FakeNet::Status(3));
    uint64_t before = clock_.total();
    EXPECT_EQ(dlg_.TransferImage(), TransferResult::Finished);
    Lines lines = Take();
    EXPECT_EQ(clock_.total() - before, c.pauses);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "pbm STEPIT"), 10);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.rfind("recv", 0) == 0; }),
              c.periodic + 1);
    EXPECT_EQ(Wire(), image_);
  }
}

TEST_F(TransferTest, PeriodicErrorAbortsSilently) {
  Prepare(2 * 65536);
  net_.replies = {FakeNet::Status(6)};
  EXPECT_EQ(dlg_.TransferImage(), TransferResult::Aborted);
  Lines lines = Take();
  EXPECT_EQ(Lines(lines.end() - 3, lines.end()),
            (Lines{"sleep 100", "recv -> 00 06 00 00 00 00 00 00", "close"}));
  EXPECT_EQ(net_.wire.size(), 65536u);
  EXPECT_EQ(files_.opens, files_.closes);
}

TEST_F(TransferTest, FailuresEndWithTextCloseAndBox) {
  struct Case {
    const char* name;
    int64_t size;
    std::vector<FakeNet::Reply> replies;
    int failSend;
    int failRead;
    size_t sent;  // image bytes that reached the wire
    Lines tail;   // the last lines before the failure end
  };
  const Case cases[] = {
      {"send fails", 3000, {}, 2, -1, 1024, {"sleep 20", "send 1024 bytes"}},
      {"file read fails", 3000, {}, -1, 2, 1024, {"sleep 100", "pbm STEPIT"}},
      {"periodic read fails",
       65536 + 10,
       {FakeNet::Error()},
       -1,
       -1,
       65536,
       {"sleep 100", "recv -> error"}},
      {"device closes at the periodic read",
       65536 + 10,
       {FakeNet::Closed()},
       -1,
       -1,
       65536,
       {"sleep 100", "recv -> closed"}},
      {"device closes at the final read",
       10,
       {FakeNet::Closed()},
       -1,
       -1,
       10,
       {"sleep 100", "recv -> closed"}},
      {"final status error",
       10,
       {FakeNet::Status(6)},
       -1,
       -1,
       10,
       {"sleep 100", "recv -> 00 06 00 00 00 00 00 00"}},
      {"final status never complete: read again, image never sent twice",
       10,
       {FakeNet::Status(4), FakeNet::Status(0), FakeNet::Status(4), FakeNet::Status(4)},
       -1,
       -1,
       10,
       {"sleep 100", "recv -> 00 04 00 00 00 00 00 00", "sleep 50", "sleep 100",
        "recv -> 00 00 00 00 00 00 00 00", "sleep 50", "sleep 100",
        "recv -> 00 04 00 00 00 00 00 00", "sleep 50", "sleep 100",
        "recv -> 00 04 00 00 00 00 00 00"}},
      {"one byte of a final answer is no complete",
       10,
       {FakeNet::Bytes({0x00})},
       -1,
       -1,
       10,
       {"recv -> 00", "recv(grace) -> timeout", "sleep 50", "sleep 100", "recv -> timeout"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Prepare(c.size);
    net_.replies.assign(c.replies.begin(), c.replies.end());
    net_.sends = 0;
    net_.failSendAt = c.failSend;
    files_.reads = 0;
    files_.failReadAt = c.failRead;
    EXPECT_EQ(dlg_.TransferImage(), TransferResult::Failed);
    Lines lines = Take();
    Lines expected = Cat({c.tail, kFail});
    ASSERT_GE(lines.size(), expected.size());
    EXPECT_EQ(Lines(lines.end() - static_cast<long>(expected.size()), lines.end()), expected);
    EXPECT_EQ(net_.wire.size(), c.sent);
    EXPECT_EQ(Wire(), image_.substr(0, c.sent));
    EXPECT_EQ(state_.sock, platform::net::kInvalidSocket);
    EXPECT_EQ(files_.opens, files_.closes);
  }
}

TEST_F(TransferTest, ImageThatNoLongerOpensIsReportedAndTheLinkClosed) {
  Prepare(10);
  files_.opens = 0;
  files_.failOpenAt = 1;
  EXPECT_EQ(dlg_.TransferImage(), TransferResult::NotOpened);
  EXPECT_EQ(Take(), kFail);
  EXPECT_EQ(state_.sock, platform::net::kInvalidSocket);
}

TEST_F(TransferTest, FileThatShrinksOrGrowsNeverSendsMoreThanAnnounced) {
  Prepare(5000);
  image_ += std::string(3000, 'z');  // grows after the announcement
  images_.Write("fw.bin", image_);
  net_.replies = {FakeNet::Status(3)};
  EXPECT_EQ(dlg_.TransferImage(), TransferResult::Finished);
  EXPECT_EQ(Wire(), image_.substr(0, 5000));

  Prepare(5000);
  images_.Write("fw.bin", image_.substr(0, 1500));  // shrinks
  net_.replies = {FakeNet::Status(0), FakeNet::Status(0), FakeNet::Status(0), FakeNet::Status(0)};
  EXPECT_EQ(dlg_.TransferImage(), TransferResult::Failed);
  EXPECT_EQ(Wire(), image_.substr(0, 1500));
}

// The transfer holds one 1024-byte chunk, whatever the image's size: the
// buffer it reads into is the state's chunk.
TEST_F(TransferTest, ReadsGoIntoTheOneChunkBuffer) {
  struct Watch final : platform::file::Files {
    platform::file::Files& real = platform::file::Current();
    std::vector<const void*> buffers;
    std::vector<unsigned> counts;
    platform::file::Handle OpenReadBinary(const char* p) override { return real.OpenReadBinary(p); }
    long Read(platform::file::Handle h, void* b, unsigned n) override {
      buffers.push_back(b);
      counts.push_back(n);
      return real.Read(h, b, n);
    }
    int64_t Length(platform::file::Handle h) override { return real.Length(h); }
    void Close(platform::file::Handle h) override { real.Close(h); }
  } watch;
  Prepare(300'000);
  platform::file::ScopedFiles scope(watch);
  net_.replies.assign(4, FakeNet::Status(0));
  net_.replies.push_back(FakeNet::Status(3));
  EXPECT_EQ(dlg_.TransferImage(), TransferResult::Finished);
  for (size_t i = 0; i < watch.buffers.size(); ++i) {
    EXPECT_EQ(watch.buffers[i], state_.chunk);
    EXPECT_LE(watch.counts[i], 1024u);
  }
}

}  // namespace
