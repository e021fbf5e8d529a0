// The calculator's one window.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <string_view>
#include <vector>

class QMessageBox;
class QPushButton;

namespace kelmora {

class WidgetForm;

class Kelmora : public QWidget {
  Q_OBJECT

 public:
  explicit Kelmora(QWidget* parent = nullptr);
  ~Kelmora() override;

 protected:
  bool event(QEvent* event) override;

 private:
  // btn_calc's activation: runs the Calculate command; a failure is shown,
  // never passed on to Qt.
  void calculate();
  void showError(const QString& message, std::string_view field_to_fix);

  struct FocusStop {
    int position;  // 1-based place in the tab order
    QWidget* widget;
  };
  // Builds every control of the design; returns those that take focus.
  std::vector<FocusStop> createControls();
  void setTabOrder(std::vector<FocusStop> stops);

  std::unique_ptr<WidgetForm> form_;
  QPushButton* btn_calc_ = nullptr;
  QPointer<QMessageBox> error_box_;  // the open error message, if any
};

}  // namespace kelmora
