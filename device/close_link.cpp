#include "app/update_dlg.h"
#include "platform/net/net.h"

// Closes the link if one is open. The handle is forgotten at once, so a
// second close (at exit, after a failure) never reaches another descriptor.
void CUpdateDlg::CloseLink() {
  if (state_.sock == platform::net::kInvalidSocket) return;
  platform::net::Current().Close(state_.sock);
  state_.sock = platform::net::kInvalidSocket;
}
