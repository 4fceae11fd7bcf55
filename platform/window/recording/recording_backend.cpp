#include "platform/window/recording/recording_backend.h"

#include <cstdio>

#include "platform/text/cp932.h"

namespace platform::window {

std::string JournalText(const std::string& cp932) {
  if (!cp932.empty() && cp932.find_first_not_of(' ') == std::string::npos) {
    return "<" + std::to_string(cp932.size()) + " spaces>";
  }
  return "\"" + text::Cp932ToUtf8(cp932) + "\"";
}

namespace {

std::string Hex(uint64_t value, int width) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "0x%0*llX", width, static_cast<unsigned long long>(value));
  return buf;
}

std::string ProgressName(UINT message) {
  switch (message) {
    case PBM_SETRANGE:
      return "SETRANGE";
    case PBM_SETPOS:
      return "SETPOS";
    case PBM_SETSTEP:
      return "SETSTEP";
    case PBM_STEPIT:
      return "STEPIT";
    default:
      return Hex(message, 4);
  }
}

}  // namespace

RecordingWindow::RecordingWindow(const DialogTemplate& dialog, DialogHost& host, Journal& journal)
    : host_(host), journal_(journal) {
  for (const ControlTemplate& c : dialog.controls) {
    if (c.id == kNoId) continue;
    controls_[c.id] = Control{c.className, text::Utf8ToCp932(c.text)};
  }
}

const RecordingWindow::Control& RecordingWindow::Find(int id) const {
  static const Control none;
  auto it = controls_.find(id);
  return it != controls_.end() ? it->second : none;
}

void RecordingWindow::SetItemText(int id, const std::string& text) {
  journal_.Add("text " + std::to_string(id) + " " + JournalText(text));
  controls_[id].text = text;
}

std::string RecordingWindow::ItemText(int id) const {
  return Find(id).text;
}

void RecordingWindow::Update() {
  journal_.Add("update");
}

int RecordingWindow::MessageBox(const std::string& text, const std::string& caption, UINT style) {
  int answer;
  if (!boxAnswers.empty()) {
    answer = boxAnswers.front();
    boxAnswers.pop_front();
  } else {
    answer = (style & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
  }
  journal_.Add("box " + JournalText(text) + " " + JournalText(caption) + " " + Hex(style, 2) +
               " -> " + std::to_string(answer));
  return answer;
}

LRESULT RecordingWindow::SendItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) {
  std::string line = "pbm " + ProgressName(message);
  if (message == PBM_SETRANGE) {
    line += " " + Hex(static_cast<uint64_t>(lParam), 8);
  } else if (message != PBM_STEPIT) {
    line += " " + std::to_string(wParam);
  }
  if (id != 1002) line += " to " + std::to_string(id);
  journal_.Add(line);
  return progress_.Send(message, wParam, lParam);
}

void RecordingWindow::ShowItem(int id, int command) {
  journal_.Add("show " + std::to_string(id) + " " + std::to_string(command));
}

void RecordingWindow::AppendSystemMenu(UINT flags, UINT commandId, const std::string& text) {
  std::string entry = (flags & MF_SEPARATOR) != 0 ? std::string("separator")
                                                  : Hex(commandId, 4) + " " + JournalText(text);
  systemMenu_.push_back(entry);
  journal_.Add("menu " + entry);
}

void RecordingWindow::SetIcon(HICON icon, bool big) {
  journal_.Add(std::string("icon ") + (big ? "big " : "small ") + std::to_string(icon));
}

void RecordingWindow::EraseIconBackground() {
  journal_.Add("erase-icon-background");
}

void RecordingWindow::DrawIcon(int x, int y, HICON icon) {
  journal_.Add("draw-icon " + std::to_string(x) + " " + std::to_string(y) + " " +
               std::to_string(icon));
}

FileOpenResult RecordingWindow::RunFileOpen(const FileOpenRequest& request) {
  fileRequests.push_back(request);
  FileOpenResult answer;
  if (!fileAnswers.empty()) {
    answer = fileAnswers.front();
    fileAnswers.pop_front();
  }
  journal_.Add("file-dialog dir=" + JournalText(request.initialDirectory) + " -> " +
               (answer.confirmed ? JournalText(answer.path) : std::string("cancel")));
  return answer;
}

void RecordingWindow::End(int result) {
  journal_.Add("end " + std::to_string(result));
  ended_ = true;
  result_ = result;
}

void RecordingWindow::Type(int id, const std::string& utf8) {
  controls_[id].text = text::Utf8ToCp932(utf8);
}

void RecordingWindow::Click(int id) {
  LRESULT r;
  host_.WindowProc(WM_COMMAND, MakeCommand(BN_CLICKED, id), 0, &r);
}

void RecordingWindow::KillFocus(int id) {
  LRESULT r;
  host_.WindowProc(WM_COMMAND, MakeCommand(EN_KILLFOCUS, id), 0, &r);
}

void RecordingWindow::SysCommand(UINT command) {
  LRESULT r;
  host_.WindowProc(WM_SYSCOMMAND, command, 0, &r);
}

void RecordingWindow::Paint() {
  LRESULT r;
  if (!host_.WindowProc(WM_PAINT, 0, 0, &r)) journal_.Add("default-paint");
}

LRESULT RecordingWindow::QueryDragIcon() {
  LRESULT r = 0;
  host_.WindowProc(WM_QUERYDRAGICON, 0, 0, &r);
  return r;
}

RecordingWindow& RecordingBackend::Open(const DialogTemplate& dialog, DialogHost& host) {
  windows_.push_back(std::make_unique<RecordingWindow>(dialog, host, journal_));
  RecordingWindow& window = *windows_.back();
  if (host.InitDialog(window)) {
    for (const ControlTemplate& c : dialog.controls) {
      if ((c.style & WS_TABSTOP) != 0) {
        window.focus_ = c.id;
        break;
      }
    }
  }
  return window;
}

int RecordingBackend::RunModal(const DialogTemplate& dialog, DialogHost& host) {
  journal_.Add("modal " + std::to_string(dialog.id));
  RecordingWindow& window = Open(dialog, host);
  if (script) script(window);
  host.DetachWindow();
  return window.ended() ? window.result() : 0;
}

int RecordingBackend::SystemMetric(int index) const {
  return index == SM_CXICON || index == SM_CYICON ? 32 : 0;
}

}  // namespace platform::window
