// The window's 21 named text fields, as the Calculate command sees them.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace kelmora {

// Get and set the whole text of a field named by its control name
// ("txt_hpval", ...). Texts are UTF-8 and untrusted: any bytes, any length.
class CalculatorForm {
 public:
  virtual ~CalculatorForm() = default;
  virtual std::string text(std::string_view field) const = 0;
  virtual void setText(std::string_view field, std::string text) = 0;
};

// A form held in memory, for tests and headless use. Starts with the default
// texts: the inputs filled in, the results empty. Naming a field that does not
// exist throws std::invalid_argument.
class MemoryForm : public CalculatorForm {
 public:
  MemoryForm();
  std::string text(std::string_view field) const override;
  void setText(std::string_view field, std::string text) override;

 private:
  std::map<std::string, std::string, std::less<>> texts_;
};

}  // namespace kelmora
