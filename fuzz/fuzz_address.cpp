// The address check against any text the address field can hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "app/update_dlg.h"
#include "platform/net/net.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static ToolState state;
  static CUpdateDlg dlg(state);
  std::memset(state.host, 0, sizeof state.host);
  std::memcpy(state.host, data, size < 15 ? size : 15);
  int usable = dlg.IsUsableAddress();
  if (usable != 0 && usable != 1) std::abort();
  // A text the parser reads with 0 or 127 as its first number is never
  // usable (a text it rejects passes here and fails when resolved).
  uint32_t address = platform::net::InetAddr(state.host);
  uint8_t first = static_cast<uint8_t>(address & 0xFF);  // network order: first byte in memory
  if (usable && address != platform::net::kInaddrNone && (first == 0 || first == 127)) std::abort();
  return 0;
}
