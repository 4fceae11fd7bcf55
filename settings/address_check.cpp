#include "app/update_dlg.h"
#include "platform/net/net.h"

// Classful check: refuses the reserved networks of classes A to C and the
// all-zeros and all-ones host parts; classes D and E always pass. A text the
// parser rejects reads as 255.255.255.255 and so passes here; the link
// stops it when it resolves the address.
int CUpdateDlg::IsUsableAddress() {
  uint32_t address = platform::net::InetAddr(state_.host);
  const auto* bytes = reinterpret_cast<const uint8_t*>(&address);
  unsigned a = bytes[0], b = bytes[1], c = bytes[2], d = bytes[3];
  if (a <= 127) {
    if (a == 0 || a == 127) return 0;
    if (b == 0 && c == 0 && d == 0) return 0;
    if (b == 255 && c == 255 && d == 255) return 0;
    return 1;
  }
  if (a <= 191) {
    if ((a == 128 && b == 0) || (a == 191 && b == 255)) return 0;
    if ((c == 0 && d == 0) || (c == 255 && d == 255)) return 0;
    return 1;
  }
  if (a <= 223) {
    if ((a == 192 && b == 0 && c == 0) || (a == 223 && b == 255 && c == 255)) return 0;
    if (d == 0 || d == 255) return 0;
    return 1;
  }
  return 1;
}
