#pragma once

#include <cstdint>
#include <string>

#include "platform/window/dialog_template.h"
#include "platform/window/win_types.h"

// The window layer's interface to its backends: the Qt window, the console
// and the test recorder each implement Window and Backend. Every text here
// is code page 932 unless a comment says otherwise.
namespace platform::window {

using HICON = int;  // an icon resource id; 0 for none

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

struct FileOpenRequest {
  std::string title;
  std::string initialName;
  std::string defaultExtension;
  std::string filterDescription;
  std::string filterPattern;
  uint32_t flags = 0;
  std::string initialDirectory;  // empty: none, the platform's default folder
  size_t maxPathLength = 259;    // longest path the dialog can return
};

struct FileOpenResult {
  bool confirmed = false;
  std::string path;
};

class DialogHost;

// One live dialog window.
class Window {
 public:
  virtual ~Window() = default;

  virtual void SetItemText(int id, const std::string& text) = 0;
  virtual std::string ItemText(int id) const = 0;
  virtual void Update() = 0;
  // caption is never null here: the dialog layer supplies the default.
  virtual int MessageBox(const std::string& text, const std::string& caption, UINT style) = 0;
  virtual LRESULT SendItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  virtual void ShowItem(int id, int command) = 0;
  virtual bool HasSystemMenu() const = 0;
  virtual void AppendSystemMenu(UINT flags, UINT commandId, const std::string& text) = 0;
  virtual void SetIcon(HICON icon, bool big) = 0;
  virtual bool IsIconic() const = 0;
  virtual Rect ClientRect() const = 0;
  virtual void EraseIconBackground() = 0;
  virtual void DrawIcon(int x, int y, HICON icon) = 0;
  virtual FileOpenResult RunFileOpen(const FileOpenRequest& request) = 0;
  virtual void End(int result) = 0;
};

// What a backend calls on the dialog object it runs.
class DialogHost {
 public:
  virtual ~DialogHost() = default;
  // Binds the new window and runs the dialog's initialisation. A true result
  // asks the backend to focus the first control with a tab stop.
  virtual bool InitDialog(Window& window) = 0;
  // Delivers a message. A false result asks for the backend's default
  // processing (for WM_PAINT: paint as usual).
  virtual bool WindowProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) = 0;
  // The window is gone.
  virtual void DetachWindow() = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;
  // Builds the window from the template, runs it modally and returns the
  // value given to End, or -1 when the window could not be made.
  virtual int RunModal(const DialogTemplate& dialog, DialogHost& host) = 0;
  virtual int SystemMetric(int index) const = 0;
};

// The backend that dialogs run on; set by the front end before any dialog.
Backend& CurrentBackend();
void SetCurrentBackend(Backend* backend);

// The executable's file name without directory and extension.
std::string ApplicationName();
std::string ApplicationNameFrom(const std::string& executablePath);

}  // namespace platform::window
