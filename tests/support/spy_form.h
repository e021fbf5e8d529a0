// Test support: a form that records every access to its fields, in order,
// over an in-memory form that starts with the default texts.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "window/calculator_form.h"

namespace kelmora {

class SpyForm : public CalculatorForm {
 public:
  struct Access {
    bool write;
    std::string field;
    bool operator==(const Access&) const = default;
  };

  std::string text(std::string_view field) const override {
    accesses.push_back({false, std::string(field)});
    return inner.text(field);
  }
  void setText(std::string_view field, std::string text) override {
    accesses.push_back({true, std::string(field)});
    inner.setText(field, std::move(text));
  }

  MemoryForm inner;
  mutable std::vector<Access> accesses;
};

}  // namespace kelmora
