#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/journal/journal.h"
#include "platform/window/progress_model.h"
#include "platform/window/window.h"

// A backend for tests: no screen, every operation written to a journal in a
// readable form, message boxes and file dialogs answered from a script.
namespace platform::window {

class RecordingWindow final : public Window {
 public:
  RecordingWindow(const DialogTemplate& dialog, DialogHost& host, Journal& journal);

  // Window
  void SetItemText(int id, const std::string& text) override;
  std::string ItemText(int id) const override;
  void Update() override;
  int MessageBox(const std::string& text, const std::string& caption, UINT style) override;
  LRESULT SendItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) override;
  void ShowItem(int id, int command) override;
  bool HasSystemMenu() const override { return hasSystemMenu_; }
  void AppendSystemMenu(UINT flags, UINT commandId, const std::string& text) override;
  void SetIcon(HICON icon, bool big) override;
  bool IsIconic() const override { return iconic_; }
  Rect ClientRect() const override { return client_; }
  void EraseIconBackground() override;
  void DrawIcon(int x, int y, HICON icon) override;
  FileOpenResult RunFileOpen(const FileOpenRequest& request) override;
  void End(int result) override;

  // What a user does. Typing records nothing; clicks and focus changes are
  // delivered to the dialog as the real window would deliver them.
  void Type(int id, const std::string& utf8);
  void Click(int id);
  void KillFocus(int id);
  void SysCommand(UINT command);
  void Paint();
  LRESULT QueryDragIcon();

  // The script of answers; an empty script answers IDOK, or IDYES to a
  // question, and cancels a file dialog.
  std::deque<int> boxAnswers;
  std::deque<FileOpenResult> fileAnswers;
  std::vector<FileOpenRequest> fileRequests;

  void SetIconic(bool iconic) { iconic_ = iconic; }
  void SetClientRect(Rect r) { client_ = r; }
  void SetHasSystemMenu(bool has) { hasSystemMenu_ = has; }
  bool ended() const { return ended_; }
  int result() const { return result_; }
  int focus() const { return focus_; }
  const ProgressModel& progress() const { return progress_; }
  const std::vector<std::string>& systemMenu() const { return systemMenu_; }

 private:
  struct Control {
    std::string className;
    std::string text;  // code page 932
  };
  const Control& Find(int id) const;

  DialogHost& host_;
  Journal& journal_;
  std::map<int, Control> controls_;
  ProgressModel progress_;
  std::vector<std::string> systemMenu_;
  bool hasSystemMenu_ = true;
  bool iconic_ = false;
  Rect client_{0, 0, 334, 268};
  bool ended_ = false;
  int result_ = 0;
  int focus_ = 0;

  friend class RecordingBackend;
};

class RecordingBackend final : public Backend {
 public:
  explicit RecordingBackend(Journal& journal) : journal_(journal) {}

  // Builds the window and initialises the dialog, without a modal run, so a
  // test can drive it step by step.
  RecordingWindow& Open(const DialogTemplate& dialog, DialogHost& host);

  // RunModal builds the window, then runs this with it (a user's actions)
  // and returns the dialog's end value, or 0 if it never ended.
  std::function<void(RecordingWindow&)> script;

  int RunModal(const DialogTemplate& dialog, DialogHost& host) override;
  int SystemMetric(int index) const override;

 private:
  Journal& journal_;
  std::vector<std::unique_ptr<RecordingWindow>> windows_;
};

// How the journal writes a text: as UTF-8 in quotes, or as "<N spaces>" for a
// blank-out of spaces only.
std::string JournalText(const std::string& cp932);

}  // namespace platform::window
