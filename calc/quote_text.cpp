#include "calc/quote_text.h"

#include <cstdint>

namespace kelmora {
namespace {

// Length of the well-formed UTF-8 sequence starting text[i], or 0.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
  const std::uint8_t lead = byte(i);
  std::size_t length = 0;
  std::uint8_t low = 0x80;
  std::uint8_t high = 0xBF;
  if (lead < 0x80) {
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0)
      low = 0xA0;  // no overlong forms
    if (lead == 0xED)
      high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0)
      low = 0x90;
    if (lead == 0xF4)
      high = 0x8F;  // nothing past U+10FFFF
  } else {
    return 0;
  }
  if (i + length > text.size())
    return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const std::uint8_t b = byte(i + k);
    if (b < (k == 1 ? low : 0x80) || b > (k == 1 ? high : 0xBF))
      return 0;
  }
  return length;
}

void AppendEscaped(std::string& out, std::uint8_t b) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += "\\x";
  out += kHex[b >> 4];
  out += kHex[b & 0xF];
}

}  // namespace

std::string QuoteText(std::string_view text, std::size_t max_chars) {
  std::string out = "\"";
  std::size_t chars = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    if (chars == max_chars) {
      out += "\xE2\x80\xA6";  // …
      break;
    }
    const std::size_t length = Utf8SequenceLength(text, i);
    const auto lead = static_cast<std::uint8_t>(text[i]);
    if (length == 0 || (length == 1 && (lead < 0x20 || lead == 0x7F))) {
      AppendEscaped(out, lead);
      i += 1;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
    ++chars;
  }
  out += '"';
  return out;
}

}  // namespace kelmora
