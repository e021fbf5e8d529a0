#include "window/kelmora.h"

#include <QEvent>
#include <QFont>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstddef>
#include <vector>

#include "window/calculate.h"
#include "window/caption_fit.h"
#include "window/control_layout.h"
#include "window/credits.h"
#include "window/fields.h"
#include "window/qt_text.h"
#include "window/widget_form.h"

namespace kelmora {

extern const unsigned char kWindowIconRgba[];
extern const std::size_t kWindowIconRgba_size;

namespace {

QIcon WindowIcon() {
  constexpr int kSide = 48;
  if (kWindowIconRgba_size != std::size_t{kSide} * kSide * 4)
    return {};
  const QImage image(kWindowIconRgba, kSide, kSide, QImage::Format_RGBA8888);
  return QIcon(QPixmap::fromImage(image));  // fromImage copies the pixels
}

// Tahoma is the design's face; where it is missing, font substitution picks
// the platform's sans serif at the same size.
QFont DesignFont(bool bold) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPointSizeF(8.25);
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  return font;
}

QString Caption(const Control& control) {
  return control.name == "Label9"
             ? QString::fromStdString(CreditsNotice(KELMORA_VERSION, "Qt " QT_VERSION_STR))
             : ToQString(control.text);
}

QSize PixelSize(const Control& control) {
  return {TwipsToPixels(control.width), TwipsToPixels(control.height)};
}

// The window's font: the design's, made smaller only where a stand-in face is
// too wide for some caption drawn in it (the bold ones keep their size).
QFont WindowFont() {
  return LargestFittingFont(DesignFont(false), [](const QFont& font) {
    return std::ranges::all_of(kControls, [&](const Control& control) {
      const bool captioned = control.kind == ControlKind::Label ||
                             control.kind == ControlKind::GroupBox ||
                             control.kind == ControlKind::Button;
      return !captioned || control.bold ||
             CaptionFits(font, PixelSize(control), Caption(control), control.wraps);
    });
  });
}

QWidget* CreateControl(const Control& control, QWidget* parent) {
  const QString caption = Caption(control);
  switch (control.kind) {
    case ControlKind::GroupBox:
      return new QGroupBox(caption, parent);
    case ControlKind::Label: {
      auto* label = new QLabel(caption, parent);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setWordWrap(control.wraps);
      return label;
    }
    case ControlKind::InputBox:
    case ControlKind::ResultBox: {
      const Field* field = FindField(control.name);
      auto* box = new QLineEdit(ToQString(field->default_text), parent);
      box->setAccessibleName(ToQString(field->label));
      box->setReadOnly(control.kind == ControlKind::ResultBox);
      if (control.max_length != kNoLengthLimit)
        box->setMaxLength(control.max_length);
      return box;
    }
    case ControlKind::Button: {
      auto* button = new QPushButton(caption, parent);
      // Enter and Return press the button while it has focus, as Space does.
      button->setAutoDefault(true);
      return button;
    }
  }
  return nullptr;
}

}  // namespace

Kelmora::Kelmora(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Kelmora"));
  setWindowTitle(ToQString(kWindowCaption));
  setWindowIcon(WindowIcon());
  setFont(WindowFont());
  setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));

  setTabOrder(createControls());
  connect(btn_calc_, &QPushButton::clicked, this, &Kelmora::calculate);
  form_->box("txt_hpval")->setFocus();
}

Kelmora::~Kelmora() = default;

std::vector<Kelmora::FocusStop> Kelmora::createControls() {
  QList<QLineEdit*> boxes;
  std::vector<FocusStop> stops;
  // In table order, so that the group box lies beneath the controls drawn over it.
  for (const Control& control : kControls) {
    QWidget* widget = CreateControl(control, this);
    widget->setObjectName(ToQString(control.name));
    widget->setGeometry(TwipsToPixels(control.left), TwipsToPixels(control.top),
                        TwipsToPixels(control.width), TwipsToPixels(control.height));
    if (control.bold)
      widget->setFont(DesignFont(true));
    if (auto* box = qobject_cast<QLineEdit*>(widget))
      boxes.append(box);
    if (auto* button = qobject_cast<QPushButton*>(widget))
      btn_calc_ = button;
    if (control.focus != kNoFocus)
      stops.push_back({control.focus, widget});
  }
  form_ = std::make_unique<WidgetForm>(boxes);
  return stops;
}

void Kelmora::setTabOrder(std::vector<FocusStop> stops) {
  std::ranges::sort(stops, {}, &FocusStop::position);
  for (std::size_t i = 1; i < stops.size(); ++i)
    QWidget::setTabOrder(stops[i - 1].widget, stops[i].widget);
}

void Kelmora::calculate() {
  try {
    btn_calc_Click(*form_);
  } catch (const RunTimeError& error) {
    showError(QString::fromStdString(DescribeError(error)), FieldToFix(error));
  } catch (const std::exception& error) {
    // Nothing else is expected (short of running out of memory), but Qt
    // must never see an exception.
    showError(QStringLiteral("Unexpected error: %1").arg(QString::fromUtf8(error.what())), {});
  }
}

void Kelmora::showError(const QString& message, std::string_view field_to_fix) {
  auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(), message, QMessageBox::Ok, this);
  box->setObjectName(QStringLiteral("errorMessage"));
  box->setAttribute(Qt::WA_DeleteOnClose);
  // Once the message is read, the box to fix has the focus, its text selected.
  const QPointer<QLineEdit> target = field_to_fix.empty() ? nullptr : form_->box(field_to_fix);
  connect(box, &QMessageBox::finished, this, [target] {
    if (target) {
      target->activateWindow();  // not every window system hands it back by itself
      target->setFocus(Qt::OtherFocusReason);
      target->selectAll();
    }
  });
  error_box_ = box;
  box->open();  // window-modal, without a nested event loop
}

bool Kelmora::event(QEvent* event) {
  // A click on the blocked window (to look at the inputs) would take the
  // keyboard away from the open message, leaving Return and Escape dead.
  // Hand it straight back, once the activation is through.
  if (event->type() == QEvent::WindowActivate && error_box_ && error_box_->isVisible()) {
    QTimer::singleShot(0, error_box_, [box = error_box_] {
      if (box && box->isVisible()) {
        box->raise();
        box->activateWindow();
      }
    });
  }
  return QWidget::event(event);
}

}  // namespace kelmora
