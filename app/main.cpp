// The program's entry: the one window, then the event loop until it closes.
#include <QApplication>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

#include "window/application.h"
#include "window/kelmora.h"

namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// Without a display Qt's xcb plugin aborts with a long diagnostic; one line
// saying what is wrong serves better. An explicit platform choice is respected.
bool NamesADisplay() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  return IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
#else
  return true;
#endif
}

QString Described(const char* name) {
  return QStringLiteral("%1=%2").arg(
      QString::fromLatin1(name),
      IsSet(name) ? QString::fromLocal8Bit(std::getenv(name)) : QStringLiteral("(unset)"));
}

// While the application connects to the display, Qt's messages are held back.
// If it cannot connect, Qt ends with a fatal message and an abort (a core
// dump); that becomes one line and exit status 1 instead. Otherwise the held
// messages go out as usual once the window system is up.
QStringList* held_messages = nullptr;

void HoldStartupMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    const QString line =
        QStringLiteral("kelmora: cannot reach a display to open the window on (%1, %2)\n")
            .arg(Described("DISPLAY"), Described("WAYLAND_DISPLAY"));
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::_Exit(EXIT_FAILURE);
  }
  if (held_messages != nullptr)
    held_messages->append(qFormatLogMessage(type, context, text));
}

}  // namespace

int main(int argc, char* argv[]) {
  if (!NamesADisplay()) {
    std::fputs(
        "kelmora: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are unset)\n",
        stderr);
    return EXIT_FAILURE;
  }
  QStringList startup_messages;
  held_messages = &startup_messages;
  const QtMessageHandler usual = qInstallMessageHandler(HoldStartupMessage);
  QApplication app(argc, argv);
  qInstallMessageHandler(usual);
  held_messages = nullptr;
  for (const QString& message : startup_messages)
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());

  kelmora::SetApplicationIdentity();
  kelmora::Kelmora window;
  window.show();
  return app.exec();
}
