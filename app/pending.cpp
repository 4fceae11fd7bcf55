// Temporary: members of later steps.
#include "app/update_dlg.h"
void CUpdateDlg::LoadSettings() {}
void CUpdateDlg::RefreshGuidance() {}
int CUpdateDlg::IsUsableAddress() { return 0; }
int CUpdateDlg::ConnectDevice() { return -1; }
int CUpdateDlg::ResolveAddress(const char*) { return 0xffff; }
int CUpdateDlg::SendFrame(const void*, int, int) { return -1; }
int CUpdateDlg::ReceiveFrame(void*, int, int) { return -1; }
int CUpdateDlg::NegotiateMode() { return -1; }
TransferResult CUpdateDlg::TransferImage() { return TransferResult::NotOpened; }
void CUpdateDlg::OnVersionUp() {}
void CUpdateDlg::OnSelectFile() {}
void CUpdateDlg::OnKillFocusFileName() {}
void CUpdateDlg::OnKillFocusAddress() {}
void CUpdateDlg::OnKillFocusPort() {}
