#include "window/fields.h"

#include <algorithm>
#include <stdexcept>

namespace kelmora {

const Field* FindField(std::string_view name) {
  const auto it = std::find_if(kFields.begin(), kFields.end(),
                               [&](const Field& field) { return field.name == name; });
  return it == kFields.end() ? nullptr : &*it;
}

std::string_view FieldName(StatKind stat, FieldRole role) {
  const auto it = std::find_if(kFields.begin(), kFields.end(), [&](const Field& field) {
    return field.stat == stat && field.role == role;
  });
  if (it == kFields.end())
    throw std::invalid_argument("no such stat field");
  return it->name;
}

}  // namespace kelmora
