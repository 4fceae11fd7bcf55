#include "app/texts.h"
#include "app/update_dlg.h"
#include "device/link_limits.h"
#include "platform/net/net.h"

using namespace platform::window;
namespace net = platform::net;

namespace {

// The port text as atoi reads it: white space, a sign, then digits up to the
// first other character; 0 when there are none.
long PortNumber(const char* text) {
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  long value = 0;
  // The text has at most five characters, but stay safe for any length.
  for (; *p >= '0' && *p <= '9' && value < 100'000'000; ++p) value = value * 10 + (*p - '0');
  return negative ? -value : value;
}

}  // namespace

int CUpdateDlg::ResolveAddress(const char* address) {
  // Dotted forms only; no name lookup is ever made.
  uint32_t value = net::InetAddr(address);
  if (value == net::kInaddrNone) return 0xffff;
  resolvedAddress_ = value;
  return 0;
}

int CUpdateDlg::ConnectDevice() {
  // No socket library to start on this platform.
  if (ResolveAddress(state_.host) != 0) {
    MessageBox(Cp932("ＩＰアドレス取得失敗"), nullptr, MB_OK);
    return -1;
  }
  uint16_t port = static_cast<uint16_t>(static_cast<unsigned long>(PortNumber(state_.port)));
  net::Net& sockets = net::Current();
  state_.sock = sockets.Open();
  if (state_.sock == net::kInvalidSocket) {
    MessageBox(Cp932("ソケット初期化失敗"), nullptr, MB_OK);
    return -1;
  }
  if (sockets.Connect(state_.sock, resolvedAddress_, port, limits_.connectMs) != 0) {
    CloseLink();
    return -1;
  }
  return 0;
}

int CUpdateDlg::SendFrame(const void* data, int count, int /*flags*/) {
  if (state_.sock == net::kInvalidSocket || count < 0) return -1;
  long sent = net::Current().Send(state_.sock, data, static_cast<size_t>(count), limits_.sendMs);
  return sent < 0 ? -1 : 0;
}

int CUpdateDlg::ReceiveFrame(void* buffer, int count, int /*flags*/) {
  if (state_.sock == net::kInvalidSocket || count <= 0) return -1;
  net::Net& sockets = net::Current();
  auto* bytes = static_cast<uint8_t*>(buffer);
  long got = sockets.Receive(state_.sock, bytes, static_cast<size_t>(count), limits_.frameReadMs);
  // A closed connection is a failed read: it brought no status at all.
  if (got <= 0) return -1;
  // The network may split a frame; wait briefly for the rest, then take
  // what came. Bytes that never arrive keep their earlier contents.
  while (got < count) {
    long more = sockets.Receive(state_.sock, bytes + got, static_cast<size_t>(count - got),
                                limits_.splitFrameGraceMs);
    if (more <= 0) break;
    got += more;
  }
  return 0;
}
