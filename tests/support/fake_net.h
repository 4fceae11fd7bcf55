#pragma once

#include <cstdio>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "platform/file/file.h"
#include "platform/journal/journal.h"
#include "platform/net/net.h"

// A scripted device behind the socket calls: what the tool sends is kept
// and journalled, what it receives comes from a list of replies.
class FakeNet final : public platform::net::Net {
 public:
  struct Reply {
    enum Kind { Data, Closed, Error, Timeout } kind;
    std::vector<uint8_t> bytes;
  };
  static Reply Status(uint8_t status, uint8_t b2 = 0, uint8_t b3 = 0) {
    return Reply{Reply::Data, {0, status, b2, b3, 0, 0, 0, 0}};
  }
  static Reply SwitchRequest() { return Status(5, 0x00, 0x01); }
  static Reply Bytes(std::vector<uint8_t> b) { return Reply{Reply::Data, std::move(b)}; }
  static Reply Closed() { return Reply{Reply::Closed, {}}; }
  static Reply Error() { return Reply{Reply::Error, {}}; }
  static Reply Timeout() { return Reply{Reply::Timeout, {}}; }

  explicit FakeNet(platform::Journal& journal) : journal_(journal) {}

  static std::string Hex(const void* data, size_t n) {
    std::string out;
    char buf[4];
    for (size_t i = 0; i < n; ++i) {
      std::snprintf(buf, sizeof buf, i ? " %02X" : "%02X", static_cast<const uint8_t*>(data)[i]);
      out += buf;
    }
    return out;
  }

  platform::net::Socket Open() override {
    journal_.Add("socket");
    return failOpen ? platform::net::kInvalidSocket : 100 + opened++;
  }
  int Connect(platform::net::Socket, uint32_t address, uint16_t port, int) override {
    const auto* a = reinterpret_cast<const uint8_t*>(&address);
    char buf[64];
    std::snprintf(buf, sizeof buf, "connect %u.%u.%u.%u:%u", a[0], a[1], a[2], a[3], port);
    journal_.Add(buf);
    if (connectResults.empty()) return 0;
    int r = connectResults.front();
    connectResults.pop_front();
    return r;
  }
  long Send(platform::net::Socket, const void* data, size_t count, int) override {
    ++sends;
    journal_.Add(count == 8 ? "send " + Hex(data, count)
                            : "send " + std::to_string(count) + " bytes");
    if (sends == failSendAt) return -1;
    const auto* p = static_cast<const uint8_t*>(data);
    wire.insert(wire.end(), p, p + count);
    return static_cast<long>(count);
  }
  long Receive(platform::net::Socket, void* buffer, size_t count, int timeoutMs) override {
    std::string line = timeoutMs < 1000 ? "recv(grace) -> " : "recv -> ";
    if (replies.empty()) {
      journal_.Add(line + "timeout");
      return platform::net::kTimedOut;
    }
    Reply r = replies.front();
    replies.pop_front();
    switch (r.kind) {
      case Reply::Closed:
        journal_.Add(line + "closed");
        return platform::net::kClosed;
      case Reply::Error:
        journal_.Add(line + "error");
        return platform::net::kFailed;
      case Reply::Timeout:
        journal_.Add(line + "timeout");
        return platform::net::kTimedOut;
      case Reply::Data:
        break;
    }
    size_t n = std::min(count, r.bytes.size());
    std::memcpy(buffer, r.bytes.data(), n);
    if (n < r.bytes.size()) {  // the rest comes with the next read
      replies.push_front(
          Bytes(std::vector<uint8_t>(r.bytes.begin() + static_cast<long>(n), r.bytes.end())));
    }
    journal_.Add(line + Hex(buffer, n));
    return static_cast<long>(n);
  }
  void Close(platform::net::Socket) override {
    ++closes;
    journal_.Add("close");
  }

  bool failOpen = false;
  std::deque<int> connectResults;
  std::deque<Reply> replies;
  int failSendAt = -1;  // the n-th send (1-based) fails
  std::vector<uint8_t> wire;
  int opened = 0, sends = 0, closes = 0;

 private:
  platform::Journal& journal_;
};

// The real files, except that the n-th open or read can be made to fail.
class FlakyFiles final : public platform::file::Files {
 public:
  platform::file::Handle OpenReadBinary(const char* path) override {
    ++opens;
    if (opens == failOpenAt) return -1;
    return real_.OpenReadBinary(path);
  }
  long Read(platform::file::Handle h, void* b, unsigned n) override {
    ++reads;
    if (reads == failReadAt) return -1;
    return real_.Read(h, b, n);
  }
  int64_t Length(platform::file::Handle h) override { return real_.Length(h); }
  void Close(platform::file::Handle h) override {
    ++closes;
    real_.Close(h);
  }
  int opens = 0, reads = 0, closes = 0;
  int failOpenAt = -1, failReadAt = -1;

 private:
  platform::file::Files& real_ = platform::file::Current();
};

// Collapses runs of a repeated block of one to three lines into
// "N x [a | b]", so long transfers can be compared exactly.
inline std::vector<std::string> Compress(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < lines.size()) {
    size_t bestK = 0, bestCount = 1;
    for (size_t k = 1; k <= 3; ++k) {
      size_t count = 1;
      while (i + (count + 1) * k <= lines.size() &&
             std::equal(lines.begin() + static_cast<long>(i),
                        lines.begin() + static_cast<long>(i + k),
                        lines.begin() + static_cast<long>(i + count * k))) {
        ++count;
      }
      if (count >= 3 && count * k > bestCount * bestK) bestK = k, bestCount = count;
    }
    if (bestK == 0) {
      out.push_back(lines[i++]);
      continue;
    }
    std::string block = std::to_string(bestCount) + " x [";
    for (size_t j = 0; j < bestK; ++j) block += (j ? " | " : "") + lines[i + j];
    out.push_back(block + "]");
    i += bestK * bestCount;
  }
  return out;
}
