#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/resources/resources.h"
#include "app/update_app.h"
#include "platform/window/qt/qt_backend.h"

namespace {

// The one application object.
CUpdateApp theApp;

bool HasDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform != nullptr && *platform != '\0') return true;
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "kdxupdt: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                 "Run it in a desktop session, or use kdxupdt-cli for a terminal.\n");
    return 2;
  }
  QApplication application(argc, argv);
  // On Wayland the window's icon comes from the desktop entry.
  QGuiApplication::setDesktopFileName("kdxupdt");
  platform::window::QtBackend backend(app::resources::Module());
  platform::window::SetCurrentBackend(&backend);
  theApp.Run();
  platform::window::SetCurrentBackend(nullptr);
  return 0;
}
