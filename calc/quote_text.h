// Shows an untrusted text inside an error message: quoted, clipped, printable.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelmora {

// `text` in double quotes. Control characters and bytes that are not valid
// UTF-8 appear as \xNN; past `max_chars` characters the rest is cut to "…".
std::string QuoteText(std::string_view text, std::size_t max_chars = 24);

}  // namespace kelmora
