// kdxupdt-cli: the update of the window, run from a terminal or a script.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/update_dlg.h"
#include "cli/exit_status.h"
#include "platform/window/console/console_backend.h"

using namespace platform::window;

namespace {

const char kHelp[] =
    "usage: kdxupdt-cli [--yes] ADDRESS PORT IMAGE\n"
    "\n"
    "Replaces the firmware of the device at ADDRESS:PORT with IMAGE, exactly as\n"
    "the window's update button does: the same checks, texts, pauses and the\n"
    "10.1 s write phase. The inputs are remembered in the same settings file.\n"
    "\n"
    "  --yes    answer the confirmation Yes (without it the question is asked on\n"
    "           the terminal; with no terminal the answer is No)\n"
    "  --help   this text\n"
    "\n"
    "Exit status:\n"
    "  0  the update completed\n"
    "  1  wrong command line\n"
    "  2  bad input: address, port or image refused\n"
    "  3  no connection: refused, no answer, or the device's mode never settled\n"
    "  4  the transfer failed\n"
    "  5  the device aborted the transfer\n"
    "  6  the confirmation was answered No\n";

}  // namespace

int main(int argc, char** argv) {
  ConsoleOptions options;
  std::vector<std::string> inputs;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
      std::fputs(kHelp, stdout);
      return kCompleted;
    }
    if (!std::strcmp(argv[i], "--yes") || !std::strcmp(argv[i], "-y")) {
      options.assumeYes = true;
    } else if (!std::strcmp(argv[i], "--")) {
      for (++i; i < argc; ++i) inputs.push_back(argv[i]);
    } else if (argv[i][0] == '-' && argv[i][1] != '\0' && inputs.empty()) {
      std::fprintf(stderr, "kdxupdt-cli: unknown option %s\nTry --help.\n", argv[i]);
      return kUsage;
    } else {
      inputs.push_back(argv[i]);
    }
  }
  if (inputs.size() != 3) {
    std::fprintf(stderr, "kdxupdt-cli: expected ADDRESS PORT IMAGE\nTry --help.\n");
    return kUsage;
  }
  options.askOnTerminal = isatty(STDIN_FILENO) != 0;
  options.drawProgress = isatty(STDOUT_FILENO) != 0;

  ConsoleBackend backend(options);
  SetCurrentBackend(&backend);
  CUpdateDlg dlg;
  backend.script = [&](ConsoleWindow& window) {
    window.Fill(IDC_ADDRESS, inputs[0]);
    window.Fill(IDC_PORT, inputs[1]);
    window.Fill(IDC_FILENAME, inputs[2]);
    window.Click(IDC_UPDATE);
    window.Click(IDCANCEL);  // the exit: closes whatever is still open
  };
  dlg.DoModal();
  SetCurrentBackend(nullptr);
  return ExitFor(dlg.lastUpdateEnd());
}
