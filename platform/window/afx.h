#pragma once

#include <span>
#include <string>

#include "platform/window/dialog_template.h"
#include "platform/window/window.h"

// The small dialog class library that the tool's window classes derive from:
// an application object, dialogs run modally from template data, controls
// bound by data exchange, a message map per class.
namespace platform::window {

using BOOL = int;
inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;
using CString = std::string;

// Where a dialog class finds its template, strings and icons.
struct ResourceModule {
  const DialogTemplate* (*findDialog)(int id);
  std::string (*loadString)(int id);  // code page 932; empty when missing
  // The icon's picture of the given size in XPM form; null when missing.
  const char* const* (*iconPicture)(int id, int size);
};

// A control of a dialog, or nothing until bound.
class CWnd {
 public:
  void Attach(Window* window, int id) { window_ = window, id_ = id; }
  void Detach() { window_ = nullptr; }
  Window* window() const { return window_; }
  int id() const { return id_; }
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL ShowWindow(int command);
  void GetWindowText(CString& text) const;

 private:
  Window* window_ = nullptr;
  int id_ = 0;
};

class CEdit : public CWnd {};
class CProgressCtrl : public CWnd {};

class CMenu {
 public:
  explicit CMenu(Window* window) : window_(window) {}
  BOOL AppendMenu(UINT flags, UINT commandId = 0, const char* text = nullptr);

 private:
  Window* window_;
};

class CDataExchange {
 public:
  explicit CDataExchange(Window* window) : window_(window) {}
  Window* window() const { return window_; }

 private:
  Window* window_;
};

void DDX_Control(CDataExchange* dx, int id, CWnd& control);

class CDialog : public DialogHost {
 public:
  CDialog(int templateId, const ResourceModule& resources, CWnd* parent = nullptr);
  ~CDialog() override = default;

  int DoModal();
  void EndDialog(int result);

  // Window operations for the dialog's own code.
  void SetDlgItemText(int id, const char* text);
  int GetDlgItemText(int id, char* buffer, int maxCount) const;
  CWnd* GetDlgItem(int id);
  void UpdateWindow();
  int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);
  CMenu* GetSystemMenu(BOOL revert);
  void SetIcon(HICON icon, BOOL big);
  BOOL IsIconic() const;
  void GetClientRect(Rect* rect) const;
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  int GetSystemMetrics(int index) const;
  const ResourceModule& resources() const { return resources_; }
  Window* window() const { return window_; }

  // DialogHost
  bool InitDialog(Window& window) override;
  bool WindowProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void DetachWindow() override;

 protected:
  virtual BOOL OnInitDialog();
  virtual void DoDataExchange(CDataExchange* dx);
  virtual void OnOK();
  virtual void OnCancel();
  // A class's own message map; false when no entry matched.
  virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // The default processing of the message being handled.
  void Default();
  void OnSysCommand(UINT id, LPARAM lParam);
  void OnPaint();

 private:
  bool BaseDialogMap(UINT message, WPARAM wParam);
  bool DefWindowProc(UINT message, WPARAM wParam);

  int templateId_;
  const ResourceModule& resources_;
  Window* window_ = nullptr;
  CWnd item_;
  CMenu systemMenu_{nullptr};
  bool defaultRequested_ = false;
};

// The paint context of a dialog; WM_PAINT handlers open one.
class CPaintDC {
 public:
  explicit CPaintDC(CDialog* dialog) : dialog_(dialog) {}
  void DrawIcon(int x, int y, HICON icon) { dialog_->window()->DrawIcon(x, y, icon); }
  uintptr_t handle() const { return reinterpret_cast<uintptr_t>(this); }

 private:
  CDialog* dialog_;
};

// The application object: the front end calls Run once.
class CWinApp {
 public:
  virtual ~CWinApp() = default;
  virtual BOOL InitInstance() = 0;
  virtual int ExitInstance() { return 0; }
  int Run();  // InitInstance; when it returns FALSE, ExitInstance and end
  CDialog* m_pMainWnd = nullptr;
};

// Message maps: a static table per class, tried before the base dialog's.
template <class T>
struct MessageMapEntry {
  UINT message;
  UINT code;  // notification code for WM_COMMAND
  int id;     // control id for WM_COMMAND
  LRESULT (*call)(T& self, WPARAM wParam, LPARAM lParam);
};

template <class T>
bool DispatchMessageMap(T& self, std::span<const MessageMapEntry<T>> map, UINT message,
                        WPARAM wParam, LPARAM lParam, LRESULT* result) {
  for (const auto& entry : map) {
    if (entry.message != message) continue;
    if (message == WM_COMMAND) {
      UINT code = static_cast<UINT>((wParam >> 16) & 0xFFFF);
      int id = static_cast<int>(wParam & 0xFFFF);
      if (entry.code != code || (entry.id & 0xFFFF) != id) continue;
    }
    *result = entry.call(self, wParam, lParam);
    return true;
  }
  return false;
}

template <class T, void (T::*F)()>
LRESULT OnMessage(T& self, WPARAM, LPARAM) {
  (self.*F)();
  return 0;
}

template <class T, void (T::*F)(UINT, LPARAM)>
LRESULT OnSysCommandMessage(T& self, WPARAM wParam, LPARAM lParam) {
  (self.*F)(static_cast<UINT>(wParam), lParam);
  return 0;
}

template <class T, HICON (T::*F)()>
LRESULT OnIconQuery(T& self, WPARAM, LPARAM) {
  return static_cast<LRESULT>((self.*F)());
}

}  // namespace platform::window
