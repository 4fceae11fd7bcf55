#pragma once

#include <cstdio>
#include <functional>
#include <map>
#include <string>

#include "platform/window/progress_model.h"
#include "platform/window/window.h"

// The window layer on a terminal: the message field's texts and the message
// boxes become lines of UTF-8, the progress bar a bar on a terminal.
namespace platform::window {

struct ConsoleOptions {
  bool assumeYes = false;      // answer questions Yes without asking
  bool askOnTerminal = false;  // ask questions on the terminal (y/N)
  bool drawProgress = false;   // draw the bar (only on a terminal)
  FILE* out = stdout;
  FILE* err = stderr;
  FILE* in = stdin;
};

class ConsoleWindow final : public Window {
 public:
  ConsoleWindow(const DialogTemplate& dialog, DialogHost& host, const ConsoleOptions& options);

  void SetItemText(int id, const std::string& text) override;
  std::string ItemText(int id) const override;
  void Update() override;
  int MessageBox(const std::string& text, const std::string& caption, UINT style) override;
  LRESULT SendItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) override;
  void ShowItem(int, int) override {}
  bool HasSystemMenu() const override { return false; }
  void AppendSystemMenu(UINT, UINT, const std::string&) override {}
  void SetIcon(HICON, bool) override {}
  bool IsIconic() const override { return false; }
  Rect ClientRect() const override { return {}; }
  void EraseIconBackground() override {}
  void DrawIcon(int, int, HICON) override {}
  FileOpenResult RunFileOpen(const FileOpenRequest&) override { return {}; }
  void End(int result) override;

  // What the front end does: fill a field (UTF-8) and press a button.
  void Fill(int id, const std::string& utf8);
  void Click(int id);
  // Texts are printed once the window is running, not during its start-up.
  void StartPrinting() { printing_ = true; }

 private:
  void PrintLine(FILE* stream, const std::string& utf8);
  void DrawBar();
  void ClearBar();

  DialogHost& host_;
  ConsoleOptions options_;
  std::map<int, std::string> texts_;
  int messageField_ = 0;  // the read-only multi-line edit
  ProgressModel progress_;
  bool barShown_ = false;
  bool printing_ = false;
};

class ConsoleBackend final : public Backend {
 public:
  explicit ConsoleBackend(ConsoleOptions options) : options_(options) {}
  // Runs with the window once it is built and initialised.
  std::function<void(ConsoleWindow&)> script;
  int RunModal(const DialogTemplate& dialog, DialogHost& host) override;
  int SystemMetric(int) const override { return 32; }

 private:
  ConsoleOptions options_;
};

}  // namespace platform::window
