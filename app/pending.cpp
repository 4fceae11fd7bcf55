// Temporary: members of later steps.
#include "app/update_dlg.h"
int CUpdateDlg::ConnectDevice() {
  return -1;
}
int CUpdateDlg::ResolveAddress(const char*) {
  return 0xffff;
}
int CUpdateDlg::SendFrame(const void*, int, int) {
  return -1;
}
int CUpdateDlg::ReceiveFrame(void*, int, int) {
  return -1;
}
int CUpdateDlg::NegotiateMode() {
  return -1;
}
TransferResult CUpdateDlg::TransferImage() {
  return TransferResult::NotOpened;
}
void CUpdateDlg::OnVersionUp() {}
