#include "devsim/emulator.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <ctime>
#include <vector>

#include "device/device_frame.h"

namespace devsim {
namespace {

std::string Hex(const uint8_t* bytes, size_t n) {
  std::string out;
  char buf[4];
  for (size_t i = 0; i < n; ++i) {
    std::snprintf(buf, sizeof buf, i ? " %02X" : "%02X", bytes[i]);
    out += buf;
  }
  return out;
}

bool SendAll(int fd, const void* data, size_t n) {
  const char* p = static_cast<const char*>(data);
  while (n > 0) {
    ssize_t k = send(fd, p, n, MSG_NOSIGNAL);
    if (k < 0 && errno == EINTR) continue;
    if (k <= 0) return false;
    p += k;
    n -= static_cast<size_t>(k);
  }
  return true;
}

void Status(uint8_t* frame, uint8_t status) {
  std::memset(frame, 0, kFrameSize);
  frame[1] = status;
}

}  // namespace

Emulator::Emulator(const Options& options) : o_(options) {
  log_ = o_.logFile.empty() ? stderr : std::fopen(o_.logFile.c_str(), "a");
  if (log_ == nullptr) log_ = stderr;
}

Emulator::~Emulator() {
  if (listener_ >= 0) close(listener_);
  if (log_ != stderr) std::fclose(log_);
}

void Emulator::Log(const char* format, ...) {
  std::fprintf(log_, "conn %d: ", connection_);
  va_list args;
  va_start(args, format);
  std::vfprintf(log_, format, args);
  va_end(args);
  std::fputc('\n', log_);
  std::fflush(log_);
}

int Emulator::Run() {
  listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  int one = 1;
  setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in at{};
  at.sin_family = AF_INET;
  at.sin_port = htons(o_.port);
  if (inet_pton(AF_INET, o_.address.c_str(), &at.sin_addr) != 1) {
    std::fprintf(stderr, "kdxupdt-devsim: not an IPv4 address: %s\n", o_.address.c_str());
    return 2;
  }
  if (bind(listener_, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 ||
      listen(listener_, 4) != 0) {
    std::fprintf(stderr, "kdxupdt-devsim: cannot listen on %s:%u: %s\n", o_.address.c_str(),
                 o_.port, std::strerror(errno));
    return 1;
  }
  socklen_t len = sizeof at;
  getsockname(listener_, reinterpret_cast<sockaddr*>(&at), &len);
  std::printf("listening %s:%u\n", o_.address.c_str(), ntohs(at.sin_port));
  std::fflush(stdout);

  while (o_.connections == 0 || connection_ < o_.connections) {
    int fd = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EINTR) continue;
      return 1;
    }
    ++connection_;
    Serve(fd, connection_);
    if (o_.exitAfterImage && imageDone_) break;
  }
  return 0;
}

void Emulator::Serve(int fd, int /*connection*/) {
  Log("connected");
  uint8_t none[kFrameSize] = {};
  if (Answer(fd, Step::Connect, none) == Outcome::End) return;
  for (;;) {
    uint8_t frame[kFrameSize];
    size_t got = 0;
    if (!ReadExactly(fd, frame, kFrameSize, got)) {
      if (got > 0) Log("partial frame %s", Hex(frame, got).c_str());
      Log("closed by the tool");
      close(fd);
      return;
    }
    uint8_t answer[kFrameSize];
    if (frame[0] == kCommandLead && frame[1] == CMD_QUERY_MODE) {
      Log("recv %s %s", Hex(frame, kFrameSize).c_str(), CommandName(frame[1]).c_str());
      if (o_.queryAnswer) {
        std::memcpy(answer, o_.queryAnswer->data(), kFrameSize);
      } else if (switchesTaken_ < o_.switchRequests) {
        Status(answer, STATUS_MODE);
        answer[3] = 0x01;  // the switch request: status 5, then 00 01
      } else {
        Status(answer, 0);
      }
      if (Answer(fd, Step::Query, answer) == Outcome::End) return;
    } else if (std::memcmp(frame, kSwitchFrame, kFrameSize) == 0) {
      Log("recv %s Q SWITCH", Hex(frame, kFrameSize).c_str());
      ++switchesTaken_;
      Status(answer, o_.switchAnswer);
      if (Answer(fd, Step::Switch, answer) == Outcome::End) return;
      if (o_.switchAnswer == STATUS_COMPLETE) {
        // The device restarts in its other mode.
        Log("mode switched, closing");
        close(fd);
        return;
      }
    } else if (frame[0] == kCommandLead && frame[1] == CMD_IMAGE_SIZE) {
      uint32_t length = (uint32_t{frame[2]} << 24) | (uint32_t{frame[3]} << 16) |
                        (uint32_t{frame[4]} << 8) | frame[5];
      Log("recv %s %s %u", Hex(frame, kFrameSize).c_str(), CommandName(frame[1]).c_str(), length);
      if (frame[6] != 0 || frame[7] != 0) Log("check: size frame bytes 6-7 not zero");
      Status(answer, o_.sizeAnswer);
      if (Answer(fd, Step::Size, answer) == Outcome::End) return;
      ReceiveImage(fd, length);
      return;
    } else {
      Log("check: unknown frame %s, closing", Hex(frame, kFrameSize).c_str());
      close(fd);
      return;
    }
  }
}

Emulator::Outcome Emulator::Answer(int fd, Step step, const uint8_t* frame) {
  int n = ++seen_[step];
  for (const FaultRule& rule : o_.faults) {
    if (rule.step != step || (rule.occurrence != 0 && rule.occurrence != n)) continue;
    switch (rule.fault) {
      case Fault::Close:
        Log("fault at %s: close", StepName(step));
        close(fd);
        return Outcome::End;
      case Fault::Reset: {
        Log("fault at %s: reset", StepName(step));
        linger hard{1, 0};
        setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
        close(fd);
        return Outcome::End;
      }
      case Fault::Partial:
        Log("fault at %s: partial %s", StepName(step), Hex(frame, 3).c_str());
        SendAll(fd, frame, 3);
        return Outcome::Go;
      case Fault::Stall: {
        Log("fault at %s: stall %d s", StepName(step), o_.stallSeconds);
        // Stay silent, but notice when the tool gives up and closes.
        time_t until = time(nullptr) + o_.stallSeconds;
        while (time(nullptr) < until) {
          pollfd p{fd, POLLIN, 0};
          if (poll(&p, 1, 200) > 0) {
            char sink[4096];
            if (recv(fd, sink, sizeof sink, 0) <= 0) break;
          }
        }
        close(fd);
        return Outcome::End;
      }
      case Fault::Garbage: {
        const uint8_t garbage[kFrameSize] = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
        Log("fault at %s: garbage %s", StepName(step), Hex(garbage, kFrameSize).c_str());
        SendAll(fd, garbage, kFrameSize);
        return Outcome::Go;
      }
      case Fault::Refuse:
        Log("fault at %s: refuse further connections", StepName(step));
        close(listener_);
        listener_ = -1;
        close(fd);
        return Outcome::End;
    }
  }
  if (step == Step::Connect) return Outcome::Go;
  Log("send %s %s", Hex(frame, kFrameSize).c_str(), StatusName(frame[1]).c_str());
  if (!SendAll(fd, frame, kFrameSize)) {
    Log("send failed: %s", std::strerror(errno));
    close(fd);
    return Outcome::End;
  }
  return Outcome::Go;
}

bool Emulator::ReadExactly(int fd, uint8_t* buffer, size_t count, size_t& got) {
  got = 0;
  while (got < count) {
    pollfd p{fd, POLLIN, 0};
    int rc = poll(&p, 1, o_.idleSeconds * 1000);
    if (rc == 0) {
      Log("idle for %d s, dropping the connection", o_.idleSeconds);
      return false;
    }
    if (rc < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    ssize_t n = recv(fd, buffer + got, count - got, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    got += static_cast<size_t>(n);
  }
  return true;
}

void Emulator::ReceiveImage(int fd, uint32_t length) {
  int index = ++imagesStored_;
  std::string partial = o_.storeDir + "/image-" + std::to_string(index) + ".partial";
  std::string done = o_.storeDir + "/image-" + std::to_string(index) + ".bin";
  FILE* out = o_.discard ? nullptr : std::fopen(partial.c_str(), "wb");
  if (out == nullptr && !o_.discard) Log("check: cannot write %s", partial.c_str());
  std::vector<uint8_t> buffer(65536);
  uint32_t received = 0;
  while (received < length) {
    // Up to the next 64 KiB boundary, where a periodic status is due.
    uint32_t block = std::min<uint32_t>(65536 - received % 65536, length - received);
    size_t got = 0;
    bool whole = ReadExactly(fd, buffer.data(), block, got);
    if (out && got) std::fwrite(buffer.data(), 1, got, out);
    received += static_cast<uint32_t>(got);
    if (!whole) {
      Log("check: image short, %u of %u bytes, then closed", received, length);
      if (out) std::fclose(out);
      close(fd);
      return;
    }
    if (received % 65536 == 0) {
      int n = seen_[Step::Periodic] + 1;
      uint8_t status[kFrameSize];
      auto at = o_.periodicAt.find(n);
      Status(status, at != o_.periodicAt.end() ? at->second : o_.periodicStatus);
      Log("image %u of %u bytes", received, length);
      if (Answer(fd, Step::Periodic, status) == Outcome::End) {
        if (out) std::fclose(out);
        return;
      }
      if (status[1] == STATUS_ERROR) {
        Log("periodic error sent, waiting for the tool to close");
      }
    }
  }
  if (out) {
    std::fclose(out);
    std::rename(partial.c_str(), done.c_str());
  }
  Log("image complete, %u bytes, %s %s", length, o_.discard ? "discarded" : "stored as",
      o_.discard ? "" : done.c_str());
  imageDone_ = true;
  for (uint8_t s : o_.finalStatuses) {
    uint8_t status[kFrameSize];
    Status(status, s);
    if (Answer(fd, Step::Final, status) == Outcome::End) return;
  }
  // Anything more is an overrun; the tool's close ends the connection.
  uint8_t extra[1024];
  size_t got = 0;
  while (ReadExactly(fd, extra, sizeof extra, got) || got > 0) {
    Log("check: %zu bytes beyond the announced length", got);
    if (got < sizeof extra) break;
  }
  Log("closed by the tool");
  close(fd);
}

}  // namespace devsim
