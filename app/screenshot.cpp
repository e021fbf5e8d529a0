// Renders the window after one Calculate with the default inputs, for the
// README:  kelmora_screenshot OUTPUT.png   (runs on the offscreen platform).
#include <QApplication>
#include <QPushButton>
#include <QTextStream>

#include "window/kelmora.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc != 2) {
    QTextStream(stderr) << "usage: kelmora_screenshot OUTPUT.png\n";
    return 2;
  }
  kelmora::Kelmora window;
  window.show();
  window.findChild<QPushButton*>(QStringLiteral("btn_calc"))->click();
  return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
