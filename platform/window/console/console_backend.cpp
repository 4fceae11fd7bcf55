#include "platform/window/console/console_backend.h"

#include <cstring>

#include "platform/text/cp932.h"

namespace platform::window {

ConsoleWindow::ConsoleWindow(const DialogTemplate& dialog, DialogHost& host,
                             const ConsoleOptions& options)
    : host_(host), options_(options) {
  for (const ControlTemplate& c : dialog.controls) {
    if (c.id == kNoId) continue;
    texts_[c.id] = text::Utf8ToCp932(c.text);
    if (c.className == "EDIT" && (c.style & ES_MULTILINE) && (c.style & ES_READONLY)) {
      messageField_ = c.id;
    }
  }
}

void ConsoleWindow::PrintLine(FILE* stream, const std::string& utf8) {
  ClearBar();
  std::fprintf(stream, "%s\n", utf8.c_str());
  std::fflush(stream);
  DrawBar();
}

void ConsoleWindow::SetItemText(int id, const std::string& text) {
  texts_[id] = text;
  bool blank = text.find_first_not_of(' ') == std::string::npos;
  if (printing_ && id == messageField_ && !blank) {
    // Leading spaces belong to the window's layout, not to the message.
    PrintLine(options_.out, text::Cp932ToUtf8(text.substr(text.find_first_not_of(' '))));
  }
}

std::string ConsoleWindow::ItemText(int id) const {
  auto it = texts_.find(id);
  return it != texts_.end() ? it->second : std::string();
}

void ConsoleWindow::Update() {
  std::fflush(options_.out);
}

int ConsoleWindow::MessageBox(const std::string& text, const std::string& caption, UINT style) {
  std::string line = "[" + text::Cp932ToUtf8(caption) + "] " + text::Cp932ToUtf8(text);
  FILE* stream = (style & MB_ICONMASK) == MB_ICONERROR ? options_.err : options_.out;
  if ((style & MB_TYPEMASK) != MB_YESNO) {
    PrintLine(stream, line);
    return IDOK;
  }
  if (options_.assumeYes) {
    PrintLine(stream, line + " -> はい (--yes)");
    return IDYES;
  }
  if (!options_.askOnTerminal) {
    PrintLine(stream, line + " -> いいえ (no terminal to ask; use --yes)");
    return IDNO;
  }
  ClearBar();
  std::fprintf(stream, "%s (y/N) ", line.c_str());
  std::fflush(stream);
  char answer[16] = {};
  bool yes = std::fgets(answer, sizeof answer, options_.in) != nullptr &&
             (answer[0] == 'y' || answer[0] == 'Y');
  DrawBar();
  return yes ? IDYES : IDNO;
}

LRESULT ConsoleWindow::SendItemMessage(int, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = progress_.Send(message, wParam, lParam);
  barShown_ = true;
  DrawBar();
  return result;
}

void ConsoleWindow::DrawBar() {
  if (!options_.drawProgress || !barShown_) return;
  int span = progress_.maximum() - progress_.minimum();
  int done = span > 0 ? (progress_.position() - progress_.minimum()) * 30 / span : 0;
  std::fprintf(options_.out, "\r[%-30s] %3d%%", std::string(static_cast<size_t>(done), '#').c_str(),
               span > 0 ? (progress_.position() - progress_.minimum()) * 100 / span : 0);
  std::fflush(options_.out);
}

void ConsoleWindow::ClearBar() {
  if (options_.drawProgress && barShown_) std::fputs("\r\033[K", options_.out);
}

void ConsoleWindow::End(int) {
  ClearBar();
  barShown_ = false;
}

void ConsoleWindow::Fill(int id, const std::string& utf8) {
  texts_[id] = text::Utf8ToCp932(utf8);
}

void ConsoleWindow::Click(int id) {
  LRESULT r;
  host_.WindowProc(WM_COMMAND, MakeCommand(BN_CLICKED, id), 0, &r);
}

int ConsoleBackend::RunModal(const DialogTemplate& dialog, DialogHost& host) {
  ConsoleWindow window(dialog, host, options_);
  host.InitDialog(window);
  window.StartPrinting();
  if (script) script(window);
  host.DetachWindow();
  return 0;
}

}  // namespace platform::window
