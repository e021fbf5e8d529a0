// UTF-8 texts of the command and the tables, as Qt strings.
#pragma once

#include <QString>
#include <string_view>

namespace kelmora {

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace kelmora
