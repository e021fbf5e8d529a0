// The calculator's one window.
#pragma once

#include <QWidget>
#include <memory>
#include <string_view>

class QPushButton;

namespace kelmora {

class WidgetForm;

class Kelmora : public QWidget {
  Q_OBJECT

 public:
  explicit Kelmora(QWidget* parent = nullptr);
  ~Kelmora() override;

 private:
  // btn_calc's activation: runs the Calculate command; a failure is shown,
  // never passed on to Qt.
  void calculate();
  void showError(const QString& message, std::string_view field_to_fix);

  void createControls();
  void setTabOrder();

  std::unique_ptr<WidgetForm> form_;
  QPushButton* btn_calc_ = nullptr;
};

}  // namespace kelmora
