#include "platform/net/net.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform::net {
namespace {

// Waits for the socket to become ready; false on time-out or error.
bool WaitFor(Socket s, short events, int timeoutMs) {
  pollfd p{s, events, 0};
  for (;;) {
    int rc = poll(&p, 1, timeoutMs);
    if (rc > 0) return true;
    if (rc == 0) return false;
    if (errno != EINTR) return false;
  }
}

class PosixNet final : public Net {
 public:
  Socket Open() override {
    int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0) return kInvalidSocket;
    // Every send is a whole frame or chunk that the device waits for; do
    // not hold it back to coalesce it with the next one.
    int one = 1;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return s;
  }

  int Connect(Socket s, uint32_t address, uint16_t port, int timeoutMs) override {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = address;
    // Connect without blocking so the attempt can be given up in time, then
    // go back to blocking mode for the frames.
    int flags = fcntl(s, F_GETFL);
    if (flags < 0 || fcntl(s, F_SETFL, flags | O_NONBLOCK) < 0) return -1;
    int rc = connect(s, reinterpret_cast<sockaddr*>(&to), sizeof to);
    if (rc != 0 && errno == EISCONN) rc = 0;
    if (rc != 0 && (errno == EINPROGRESS || errno == EINTR)) {
      if (!WaitFor(s, POLLOUT, timeoutMs)) return -1;
      int error = 0;
      socklen_t len = sizeof error;
      if (getsockopt(s, SOL_SOCKET, SO_ERROR, &error, &len) != 0 || error != 0) return -1;
      rc = 0;
    }
    fcntl(s, F_SETFL, flags);
    return rc == 0 ? 0 : -1;
  }

  long Send(Socket s, const void* data, size_t count, int timeoutMs) override {
    const char* p = static_cast<const char*>(data);
    size_t sent = 0;
    // A blocking send hands over everything; so does this loop, but a wait
    // for room in the socket's buffer is bounded. Most sends find room at
    // once and need no wait.
    do {
      ssize_t n = send(s, p + sent, count - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
      if (n >= 0) {
        sent += static_cast<size_t>(n);
        continue;
      }
      if (errno == EINTR) continue;
      if (errno != EAGAIN && errno != EWOULDBLOCK) return -1;
      if (!WaitFor(s, POLLOUT, timeoutMs)) return -1;
    } while (sent < count);
    return static_cast<long>(sent);
  }

  long Receive(Socket s, void* buffer, size_t count, int timeoutMs) override {
    for (;;) {
      if (!WaitFor(s, POLLIN, timeoutMs)) return kTimedOut;
      ssize_t n = recv(s, buffer, count, MSG_DONTWAIT);
      if (n > 0) return static_cast<long>(n);
      if (n == 0) return kClosed;
      if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) continue;
      return kFailed;
    }
  }

  void Close(Socket s) override {
    if (s >= 0) close(s);
  }
};

PosixNet posixNet;
Net* current = &posixNet;

}  // namespace

Net& Current() {
  return *current;
}
ScopedNet::ScopedNet(Net& net) : previous_(current) {
  current = &net;
}
ScopedNet::~ScopedNet() {
  current = previous_;
}

uint32_t InetAddr(const char* text) {
  return inet_addr(text);
}

uint16_t HostToNetwork16(uint16_t value) {
  return htons(value);
}

}  // namespace platform::net
