// The window as a user meets it: start-up state, layout and fonts, typing
// limits, the focus order, every way to press Calculate, and how an error is
// shown without losing anything.
#include "window/kelmora.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "window/application.h"

using kelmora::Kelmora;

namespace {

const QStringList kInputs = {"txt_hpval", "txt_hpc",   "txt_hpm",  "txt_mpval", "txt_mpc",
                             "txt_mpm",   "txt_paval", "txt_pac",  "txt_pam",   "txt_maval",
                             "txt_mac",   "txt_mam",   "txt_level"};
const QStringList kResults = {"txt_hplo", "txt_hphi", "txt_mplo", "txt_mphi",
                              "txt_palo", "txt_pahi", "txt_malo", "txt_mahi"};
const QStringList kDefaultResults = {"621423", "622700", "134912", "138538",
                                     "97790",  "102234", "97344",  "98663"};

}  // namespace

class KelmoraTest : public QObject {
  Q_OBJECT

 private slots:
  void applicationIsNamedKelmoraVersion100();
  void init();
  void cleanup();

  void startsWithDefaultInputsEmptyResultsAndFocusInHpValue();
  void controlsSitWhereTheDesignPutsThem_data();
  void controlsSitWhereTheDesignPutsThem();
  void everyCaptionFitsItsBox();
  void boxesHaveAccessibleNames_data();
  void boxesHaveAccessibleNames();
  void boxRefusesCharactersPastItsLimit_data();
  void boxRefusesCharactersPastItsLimit();
  void resultBoxesTakeFocusAndCopyButRefuseTypingAndPasting();
  void tabVisitsTheStopsInDesignOrder();
  void everyActivationCalculates_data();
  void everyActivationCalculates();
  void errorIsShownAndChangesNothing_data();
  void errorIsShownAndChangesNothing();
  void typingNeverCalculatesNorClearsResults();

 private:
  QLineEdit* box(const QString& name) const { return window_->findChild<QLineEdit*>(name); }
  QStringList texts(const QStringList& names) const {
    QStringList out;
    for (const QString& name : names)
      out << box(name)->text();
    return out;
  }
  QMessageBox* message() const { return window_->findChild<QMessageBox*>(); }
  void clickCalculate() {
    QTest::mouseClick(window_->findChild<QPushButton*>("btn_calc"), Qt::LeftButton);
  }

  std::unique_ptr<Kelmora> window_;
};

void KelmoraTest::applicationIsNamedKelmoraVersion100() {
  kelmora::SetApplicationIdentity();
  QCOMPARE(QApplication::applicationName(), QString("kelmora"));
  QCOMPARE(QApplication::applicationVersion(), QString("1.00"));
  QCOMPARE(QApplication::desktopFileName(), QString("org.kelmora.Kelmora"));
}

void KelmoraTest::init() {
  window_ = std::make_unique<Kelmora>();
  window_->show();
  QApplication::setActiveWindow(window_.get());
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void KelmoraTest::cleanup() {
  // A message nobody expected fails the test rather than lingering.
  if (QMessageBox* box = message(); box != nullptr && box->isVisible()) {
    const QString text = box->text();
    box->close();
    window_.reset();
    QFAIL(qPrintable("unexpected message: " + text));
  }
  window_.reset();
}

void KelmoraTest::startsWithDefaultInputsEmptyResultsAndFocusInHpValue() {
  QCOMPARE(window_->windowTitle(), QString("Zelquor Kelmoranth v0.10"));
  QCOMPARE(texts(kInputs), QStringList({"487", "8", "108", "37", "30", "108", "22", "34", "97",
                                        "74", "7", "94", "99"}));
  QCOMPARE(texts(kResults), QStringList(8, QString()));
  QCOMPARE(QApplication::focusWidget(), box("txt_hpval"));
  QCOMPARE(window_->size(), QSize(404, 324));
  QCOMPARE(window_->minimumSize(), window_->maximumSize());  // fixed size
  QCOMPARE(window_->windowIcon().availableSizes(), QList<QSize>{QSize(48, 48)});
  // The window's raw copy of the icon shows the same pixels as the PNG.
  const QImage png(QStringLiteral(KELMORA_SOURCE_DIR "/packaging/icons/org.kelmora.Kelmora.png"));
  QCOMPARE(window_->windowIcon().pixmap(48, 48).toImage().convertToFormat(QImage::Format_RGBA8888),
           png.convertToFormat(QImage::Format_RGBA8888));
}

void KelmoraTest::controlsSitWhereTheDesignPutsThem_data() {
  // Twips, as designed; the window shows them at 15 twips per pixel.
  QTest::addColumn<int>("left");
  QTest::addColumn<int>("top");
  QTest::addColumn<int>("width");
  QTest::addColumn<int>("height");
  QTest::addColumn<bool>("bold");
  const auto row = [](const char* name, int left, int top, int width, int height, bool bold) {
    QTest::newRow(name) << left << top << width << height << bold;
  };
  row("Frame1", 120, 360, 4815, 2175, false);
  row("Label4", 1200, 600, 2775, 255, false);
  row("Label1", 360, 960, 855, 375, false);
  row("Label2", 360, 1320, 855, 255, false);
  row("Label3", 360, 1680, 855, 255, false);
  row("Label8", 360, 2040, 735, 255, false);
  row("txt_hpval", 1200, 960, 615, 285, true);
  row("txt_hpc", 1200, 1320, 615, 285, false);
  row("txt_hpm", 1200, 1680, 615, 285, false);
  row("txt_mpval", 1920, 960, 615, 285, true);
  row("txt_mpc", 1920, 1320, 615, 285, false);
  row("txt_mpm", 1920, 1680, 615, 285, false);
  row("txt_paval", 2640, 960, 615, 285, true);
  row("txt_pac", 2640, 1320, 615, 285, false);
  row("txt_pam", 2640, 1680, 615, 285, false);
  row("txt_maval", 3360, 960, 615, 285, true);
  row("txt_mac", 3360, 1320, 615, 285, false);
  row("txt_mam", 3360, 1680, 615, 285, false);
  row("txt_level", 1200, 2040, 615, 285, false);
  row("Label5", 1800, 2880, 4095, 255, false);
  row("Label10", 120, 3120, 1095, 615, true);
  row("Label6", 1320, 3120, 495, 255, false);
  row("Label7", 1320, 3480, 375, 255, false);
  row("txt_hplo", 1800, 3120, 855, 285, false);
  row("txt_hphi", 1800, 3480, 855, 285, false);
  row("txt_mplo", 2880, 3120, 855, 285, false);
  row("txt_mphi", 2880, 3480, 855, 285, false);
  row("txt_malo", 5040, 3120, 855, 285, false);
  row("txt_palo", 3960, 3120, 855, 285, false);
  row("txt_mahi", 5040, 3480, 855, 285, false);
  row("txt_pahi", 3960, 3480, 855, 285, false);
  row("Label9", 120, 3960, 3375, 855, false);
  row("btn_calc", 3720, 4080, 2175, 495, false);
}

void KelmoraTest::controlsSitWhereTheDesignPutsThem() {
  QFETCH(int, left);
  QFETCH(int, top);
  QFETCH(int, width);
  QFETCH(int, height);
  QFETCH(bool, bold);
  const QWidget* control = window_->findChild<QWidget*>(QTest::currentDataTag());
  QVERIFY(control != nullptr);
  QCOMPARE(control->parentWidget(), window_.get());
  QCOMPARE(control->geometry(), QRect(left / 15, top / 15, width / 15, height / 15));
  QVERIFY(control->isVisible());
  QCOMPARE(control->font().bold(), bold);
  if (bold) {
    // Tahoma 8.25 pt, or the face that stands in for it at the same size.
    QCOMPARE(control->font().family(), QString("Tahoma"));
    QCOMPARE(control->font().pointSizeF(), 8.25);
    QCOMPARE(control->font().weight(), QFont::Bold);
  }
}

void KelmoraTest::everyCaptionFitsItsBox() {
  // Measured with the fonts this machine has, through Qt's own size hints.
  for (const QLabel* label : window_->findChildren<QLabel*>()) {
    const QString what = label->objectName() + ": " + label->text();
    if (label->wordWrap()) {
      QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(what));
      QVERIFY2(label->minimumSizeHint().width() <= label->width(), qPrintable(what));
    } else {
      QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(what));
      QVERIFY2(label->sizeHint().height() <= label->height(), qPrintable(what));
    }
  }
  const auto* frame = window_->findChild<QGroupBox*>("Frame1");
  QVERIFY(frame->fontMetrics().horizontalAdvance(frame->title()) < frame->width());
  const auto* button = window_->findChild<QPushButton*>("btn_calc");
  QVERIFY(button->sizeHint().width() <= button->width());
  QVERIFY(button->sizeHint().height() <= button->height());
  for (const QLineEdit* edit : window_->findChildren<QLineEdit*>()) {
    // The text line fits the box's height, so nothing is cut off at the top or bottom.
    QVERIFY2(edit->fontMetrics().height() <= edit->height() - 4, qPrintable(edit->objectName()));
  }
}

void KelmoraTest::boxesHaveAccessibleNames_data() {
  QTest::addColumn<QString>("name");
  const auto row = [](const char* box, const char* spoken) { QTest::newRow(box) << spoken; };
  row("txt_hpval", "HP stat value");
  row("txt_mpc", "MP C-value");
  row("txt_pam", "PA multiplier (%)");
  row("txt_level", "Level");
  row("txt_malo", "MA minimum");
  row("txt_hphi", "HP maximum");
}

void KelmoraTest::boxesHaveAccessibleNames() {
  QFETCH(QString, name);
  QAccessibleInterface* accessible =
      QAccessible::queryAccessibleInterface(box(QTest::currentDataTag()));
  QVERIFY(accessible != nullptr);
  QCOMPARE(accessible->text(QAccessible::Name), name);
  // And every one of the 21 boxes has some name.
  for (const QLineEdit* edit : window_->findChildren<QLineEdit*>()) {
    QVERIFY2(!edit->accessibleName().isEmpty(), qPrintable(edit->objectName()));
  }
}

void KelmoraTest::boxRefusesCharactersPastItsLimit_data() {
  QTest::addColumn<QString>("kept");
  for (const QString& name : kInputs) {
    const bool unlimited = name == "txt_maval" || name == "txt_mac";
    QTest::newRow(qPrintable(name)) << QString(unlimited ? "12345678" : "123");
  }
}

void KelmoraTest::boxRefusesCharactersPastItsLimit() {
  QFETCH(QString, kept);
  QLineEdit* edit = box(QTest::currentDataTag());
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, "12345678");
  QCOMPARE(edit->text(), kept);
}

void KelmoraTest::resultBoxesTakeFocusAndCopyButRefuseTypingAndPasting() {
  clickCalculate();
  QApplication::clipboard()->setText("999");
  for (int i = 0; i < kResults.size(); ++i) {
    QLineEdit* edit = box(kResults[i]);
    edit->setFocus();
    QVERIFY(edit->hasFocus());
    QTest::keyClicks(edit, "12");
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text(), kDefaultResults[i]);

    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), kDefaultResults[i]);
    QApplication::clipboard()->setText("999");
  }
}

void KelmoraTest::tabVisitsTheStopsInDesignOrder() {
  const QStringList stops = {"txt_hpval", "txt_hpc",   "txt_hpm",  "txt_mpval", "txt_mpc",
                             "txt_mpm",   "txt_paval", "txt_pac",  "txt_pam",   "txt_maval",
                             "txt_mac",   "txt_mam",   "txt_hplo", "txt_hphi",  "txt_mplo",
                             "txt_mphi",  "txt_malo",  "txt_palo", "txt_mahi",  "txt_pahi",
                             "txt_level", "btn_calc"};
  QStringList visited = {QApplication::focusWidget()->objectName()};
  for (int i = 0; i < stops.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited << QApplication::focusWidget()->objectName();
  }
  QCOMPARE(visited, stops + QStringList{"txt_hpval"});  // and round again
}

void KelmoraTest::everyActivationCalculates_data() {
  QTest::addColumn<QString>("how");
  for (const char* how : {"click", "space", "enter", "return", "alt+c"})
    QTest::newRow(how) << how;
}

void KelmoraTest::everyActivationCalculates() {
  QFETCH(QString, how);
  auto* button = window_->findChild<QPushButton*>("btn_calc");
  if (how == "click") {
    clickCalculate();
  } else if (how == "alt+c") {
    // From anywhere in the window; the button shows itself pressed, then clicks.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(texts(kResults), kDefaultResults);
  } else {
    button->setFocus();
    const auto key = how == "space"   ? Qt::Key_Space
                     : how == "enter" ? Qt::Key_Enter
                                      : Qt::Key_Return;
    QTest::keyClick(button, key);
  }
  QCOMPARE(texts(kResults), kDefaultResults);
}

void KelmoraTest::errorIsShownAndChangesNothing_data() {
  QTest::addColumn<bool>("after_success");
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("expected_message");
  QTest::addColumn<QString>("focus");
  const QString dash = QString::fromUtf8("\xE2\x80\x94");
  const QString ellipsis = QString::fromUtf8("\xE2\x80\xA6");
  for (const bool after_success : {false, true}) {
    const QString tag = after_success ? "/after a success" : "/from blank";
    QTest::newRow(qPrintable("overflow" + tag))
        << after_success << "txt_maval"
        << "40000"
        << "Overflow " + dash + " MA stat value: \"40000\" is outside -32768" + ellipsis + "32767"
        << "txt_maval";
    QTest::newRow(qPrintable("empty" + tag))
        << after_success << "txt_hpc"
        << ""
        << "Type mismatch " + dash + " HP C-value: \"\" is not a number"
        << "txt_hpc";
    QTest::newRow(qPrintable("calculation" + tag))
        << after_success << "txt_pam"
        << "0"
        << "Division by zero " + dash + " PA minimum: the multiplier is 0 %"
        << "txt_pam";
  }
}

void KelmoraTest::errorIsShownAndChangesNothing() {
  QFETCH(bool, after_success);
  QFETCH(QString, field);
  QFETCH(QString, text);
  QFETCH(QString, expected_message);
  QFETCH(QString, focus);
  if (after_success)
    clickCalculate();
  box(field)->setText(text);
  const QStringList inputs_before = texts(kInputs);
  const QStringList results_before = texts(kResults);

  clickCalculate();
  QMessageBox* box_shown = message();
  QVERIFY(box_shown != nullptr);
  QVERIFY(box_shown->isVisible());
  QCOMPARE(box_shown->text(), expected_message);
  QCOMPARE(texts(kInputs), inputs_before);
  QCOMPARE(texts(kResults), results_before);

  QTest::keyClick(box_shown, Qt::Key_Return);  // the user dismisses it
  QTRY_VERIFY(message() == nullptr);           // closed and deleted
  QTRY_COMPARE(QApplication::focusWidget(), box(focus));
  QCOMPARE(box(focus)->selectedText(), box(focus)->text());

  // Still running: fixing the box and pressing Calculate works.
  box(field)->setText(field == "txt_maval" ? "74" : field == "txt_hpc" ? "8" : "97");
  clickCalculate();
  QCOMPARE(texts(kResults), kDefaultResults);
}

void KelmoraTest::typingNeverCalculatesNorClearsResults() {
  QTest::keyClicks(box("txt_hpval"), "9");
  QCOMPARE(texts(kResults), QStringList(8, QString()));
  clickCalculate();
  QLineEdit* edit = box("txt_mpval");
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClick(edit, Qt::Key_Return);
  QCOMPARE(texts(kResults), kDefaultResults);
}

QTEST_MAIN(KelmoraTest)
#include "kelmora_test.moc"
