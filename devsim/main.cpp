#include <csignal>

#include "devsim/emulator.h"
#include "devsim/options.h"

int main(int argc, char** argv) {
  // A tool that goes away mid-answer must not end the emulator.
  std::signal(SIGPIPE, SIG_IGN);
  int exitCode = 0;
  auto options = devsim::ParseOptions(argc, argv, exitCode);
  if (!options) return exitCode;
  devsim::Emulator emulator(*options);
  return emulator.Run();
}
