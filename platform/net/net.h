#pragma once

#include <cstddef>
#include <cstdint>

// TCP calls for the device link, with time limits, behind an interface that
// tests replace with a scripted peer.
namespace platform::net {

using Socket = int;
inline constexpr Socket kInvalidSocket = -1;
inline constexpr uint32_t kInaddrNone = 0xFFFFFFFFu;

// Results of Receive besides a byte count.
inline constexpr long kClosed = 0;
inline constexpr long kFailed = -1;
inline constexpr long kTimedOut = -2;

class Net {
 public:
  virtual ~Net() = default;
  // A blocking IPv4 stream socket, or kInvalidSocket.
  virtual Socket Open() = 0;
  // 0 when connected; -1 when refused, unreachable or not done in time.
  virtual int Connect(Socket s, uint32_t addressNetworkOrder, uint16_t port, int timeoutMs) = 0;
  // The count sent, or -1. Never raises a signal on a closed connection.
  virtual long Send(Socket s, const void* data, size_t count, int timeoutMs) = 0;
  // The count received (at least 1), kClosed, kFailed or kTimedOut.
  virtual long Receive(Socket s, void* buffer, size_t count, int timeoutMs) = 0;
  virtual void Close(Socket s) = 0;
};

// The sockets in use: the system's unless a test installed another.
Net& Current();

class ScopedNet {
 public:
  explicit ScopedNet(Net& net);
  ~ScopedNet();
  ScopedNet(const ScopedNet&) = delete;
  ScopedNet& operator=(const ScopedNet&) = delete;

 private:
  Net* previous_;
};

// The dotted-address parser with its shortened, octal and hexadecimal forms.
// Returns the address in network byte order, kInaddrNone for a text it
// rejects (and for 255.255.255.255).
uint32_t InetAddr(const char* text);

uint16_t HostToNetwork16(uint16_t value);

}  // namespace platform::net
