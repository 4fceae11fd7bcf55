#include "platform/window/afx.h"

#include <cstring>

namespace platform::window {

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return window_ != nullptr ? window_->SendItemMessage(id_, message, wParam, lParam) : 0;
}

BOOL CWnd::ShowWindow(int command) {
  if (window_ != nullptr) window_->ShowItem(id_, command);
  return TRUE;
}

void CWnd::GetWindowText(CString& text) const {
  text = window_ != nullptr ? window_->ItemText(id_) : CString();
}

BOOL CMenu::AppendMenu(UINT flags, UINT commandId, const char* text) {
  if (window_ == nullptr) return FALSE;
  window_->AppendSystemMenu(flags, commandId, text != nullptr ? text : "");
  return TRUE;
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  control.Attach(dx->window(), id);
}

CDialog::CDialog(int templateId, const ResourceModule& resources, CWnd* /*parent*/)
    : templateId_(templateId), resources_(resources) {}

int CDialog::DoModal() {
  const DialogTemplate* dialog = resources_.findDialog(templateId_);
  if (dialog == nullptr) return -1;
  return CurrentBackend().RunModal(*dialog, *this);
}

void CDialog::EndDialog(int result) {
  if (window_ != nullptr) window_->End(result);
}

void CDialog::SetDlgItemText(int id, const char* text) {
  if (window_ != nullptr) window_->SetItemText(id, text != nullptr ? text : "");
}

int CDialog::GetDlgItemText(int id, char* buffer, int maxCount) const {
  if (buffer == nullptr || maxCount <= 0) return 0;
  std::string text = window_ != nullptr ? window_->ItemText(id) : std::string();
  size_t n = std::min(text.size(), static_cast<size_t>(maxCount - 1));
  // A text that holds a NUL ends there, as a C string would.
  n = std::min(n, std::strlen(text.c_str()));
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

CWnd* CDialog::GetDlgItem(int id) {
  if (window_ == nullptr) return nullptr;
  item_.Attach(window_, id);
  return &item_;
}

void CDialog::UpdateWindow() {
  if (window_ != nullptr) window_->Update();
}

int CDialog::MessageBox(const char* text, const char* caption, UINT type) {
  if (window_ == nullptr) return 0;
  std::string title = caption != nullptr ? std::string(caption) : ApplicationName();
  return window_->MessageBox(text != nullptr ? text : "", title, type);
}

CMenu* CDialog::GetSystemMenu(BOOL /*revert*/) {
  if (window_ == nullptr || !window_->HasSystemMenu()) return nullptr;
  systemMenu_ = CMenu(window_);
  return &systemMenu_;
}

void CDialog::SetIcon(HICON icon, BOOL big) {
  if (window_ != nullptr) window_->SetIcon(icon, big != FALSE);
}

BOOL CDialog::IsIconic() const {
  return window_ != nullptr && window_->IsIconic() ? TRUE : FALSE;
}

void CDialog::GetClientRect(Rect* rect) const {
  *rect = window_ != nullptr ? window_->ClientRect() : Rect{};
}

LRESULT CDialog::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ICONERASEBKGND) {
    if (window_ != nullptr) window_->EraseIconBackground();
    return 1;
  }
  LRESULT result = 0;
  WindowProc(message, wParam, lParam, &result);
  return result;
}

int CDialog::GetSystemMetrics(int index) const {
  return CurrentBackend().SystemMetric(index);
}

bool CDialog::InitDialog(Window& window) {
  window_ = &window;
  return OnInitDialog() != FALSE;
}

void CDialog::DetachWindow() {
  window_ = nullptr;
}

bool CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  bool savedDefault = defaultRequested_;
  defaultRequested_ = false;
  *result = 0;
  bool handled = OnWndMsg(message, wParam, lParam, result) || BaseDialogMap(message, wParam);
  if (!handled || defaultRequested_) handled = DefWindowProc(message, wParam);
  defaultRequested_ = savedDefault;
  return handled;
}

BOOL CDialog::OnInitDialog() {
  CDataExchange dx(window_);
  DoDataExchange(&dx);
  return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK() {
  EndDialog(IDOK);
}

void CDialog::OnCancel() {
  EndDialog(IDCANCEL);
}

bool CDialog::OnWndMsg(UINT, WPARAM, LPARAM, LRESULT*) {
  return false;
}

bool CDialog::BaseDialogMap(UINT message, WPARAM wParam) {
  if (message != WM_COMMAND || ((wParam >> 16) & 0xFFFF) != BN_CLICKED) return false;
  switch (static_cast<int>(wParam & 0xFFFF)) {
    case IDOK:
      OnOK();
      return true;
    case IDCANCEL:
      OnCancel();
      return true;
    default:
      return false;
  }
}

void CDialog::Default() {
  defaultRequested_ = true;
}

bool CDialog::DefWindowProc(UINT message, WPARAM wParam) {
  // The close command comes back to the dialog as its cancel button, as the
  // dialog manager does; everything else is the backend's to do.
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) {
    return BaseDialogMap(WM_COMMAND, MakeCommand(BN_CLICKED, IDCANCEL));
  }
  return false;
}

void CDialog::OnSysCommand(UINT, LPARAM) {
  Default();
}

void CDialog::OnPaint() {
  Default();
}

int CWinApp::Run() {
  if (InitInstance() != FALSE) return 0;
  return ExitInstance();
}

}  // namespace platform::window
