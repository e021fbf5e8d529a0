// The program's entry: the one window, then the event loop until it closes.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "window/application.h"
#include "window/kelmora.h"

namespace {

// Without a display Qt's xcb plugin aborts with a long diagnostic; one line
// saying what is wrong serves better. An explicit platform choice is respected.
bool CanReachADisplay() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
#else
  return true;
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
  if (!CanReachADisplay()) {
    std::fputs(
        "kelmora: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are unset)\n",
        stderr);
    return EXIT_FAILURE;
  }
  QApplication app(argc, argv);
  kelmora::SetApplicationIdentity();

  kelmora::Kelmora window;
  window.show();
  return app.exec();
}
