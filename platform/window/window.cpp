#include "platform/window/window.h"

#include <cerrno>
#include <cstdlib>
#include <string>

namespace platform::window {
namespace {
Backend* current = nullptr;
}

Backend& CurrentBackend() {
  if (current == nullptr) std::abort();  // a front end must install one first
  return *current;
}

void SetCurrentBackend(Backend* backend) {
  current = backend;
}

std::string ApplicationName() {
  return ApplicationNameFrom(program_invocation_name != nullptr ? program_invocation_name : "");
}

std::string ApplicationNameFrom(const std::string& executablePath) {
  std::string name = executablePath;
  if (size_t slash = name.rfind('/'); slash != std::string::npos) name.erase(0, slash + 1);
  if (size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

}  // namespace platform::window
