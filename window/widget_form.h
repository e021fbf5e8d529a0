// The CalculatorForm whose fields are the window's text boxes.
#pragma once

#include <QHash>
#include <QLineEdit>
#include <QString>

#include "window/calculator_form.h"

namespace kelmora {

class WidgetForm : public CalculatorForm {
 public:
  // Binds each field to the box of the same objectName among `boxes`.
  explicit WidgetForm(const QList<QLineEdit*>& boxes);

  std::string text(std::string_view field) const override;
  void setText(std::string_view field, std::string text) override;

  // The box bound to `field`, or nullptr.
  QLineEdit* box(std::string_view field) const;

 private:
  QHash<QString, QLineEdit*> boxes_;
};

}  // namespace kelmora
