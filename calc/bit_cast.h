// The bits of one value as another type of the same size. std::bit_cast does
// this, but not every standard library the core is built with has it yet.
#pragma once

#include <cstring>
#include <type_traits>

namespace kelmora {

template <typename To, typename From>
To BitCast(const From& from) noexcept {
  static_assert(sizeof(To) == sizeof(From));
  static_assert(std::is_trivially_copyable_v<To> && std::is_trivially_copyable_v<From>);
  To to;
  std::memcpy(&to, &from, sizeof to);
  return to;
}

}  // namespace kelmora
