#include "window/application.h"

#include <QApplication>

namespace kelmora {

void SetApplicationIdentity() {
  QApplication::setApplicationName(QStringLiteral("kelmora"));
  QApplication::setApplicationVersion(QStringLiteral(KELMORA_VERSION));
  QApplication::setDesktopFileName(QStringLiteral(KELMORA_APP_ID));
}

}  // namespace kelmora
