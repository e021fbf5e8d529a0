// Test support: the outcome of a call that may throw RunTimeError, as a value
// that tables can hold and GoogleTest can compare and print.
#pragma once

#include <ostream>
#include <variant>

#include "calc/run_time_error.h"

namespace kelmora {

inline void PrintTo(ErrorKind kind, std::ostream* os) {
  *os << KindWording(kind);
}

template <typename T>
using Outcome = std::variant<T, ErrorKind>;

// Runs `call`, turning a RunTimeError into its kind.
template <typename Call>
auto OutcomeOf(Call&& call) -> Outcome<decltype(call())> {
  try {
    return call();
  } catch (const RunTimeError& error) {
    return error.kind();
  }
}

}  // namespace kelmora
