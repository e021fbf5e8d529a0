#include "window/widget_form.h"

#include <stdexcept>

#include "window/qt_text.h"

namespace kelmora {

WidgetForm::WidgetForm(const QList<QLineEdit*>& boxes) {
  for (QLineEdit* box : boxes)
    boxes_.insert(box->objectName(), box);
}

QLineEdit* WidgetForm::box(std::string_view field) const {
  return boxes_.value(ToQString(field), nullptr);
}

std::string WidgetForm::text(std::string_view field) const {
  const QLineEdit* bound = box(field);
  if (bound == nullptr)
    throw std::invalid_argument("no box named " + std::string(field));
  return bound->text().toStdString();
}

void WidgetForm::setText(std::string_view field, std::string text) {
  QLineEdit* bound = box(field);
  if (bound == nullptr)
    throw std::invalid_argument("no box named " + std::string(field));
  bound->setText(ToQString(text));
}

}  // namespace kelmora
