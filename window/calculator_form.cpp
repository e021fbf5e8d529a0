#include "window/calculator_form.h"

#include <stdexcept>

#include "window/fields.h"

namespace kelmora {
namespace {

std::invalid_argument UnknownField(std::string_view field) {
  return std::invalid_argument("no field named " + std::string(field));
}

}  // namespace

MemoryForm::MemoryForm() {
  for (const Field& field : kFields)
    texts_.emplace(field.name, field.default_text);
}

std::string MemoryForm::text(std::string_view field) const {
  const auto it = texts_.find(field);
  if (it == texts_.end())
    throw UnknownField(field);
  return it->second;
}

void MemoryForm::setText(std::string_view field, std::string text) {
  const auto it = texts_.find(field);
  if (it == texts_.end())
    throw UnknownField(field);
  it->second = std::move(text);
}

}  // namespace kelmora
