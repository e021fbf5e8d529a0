// Running one step of a command for a named place (a box, or a result being
// computed): its errors carry that place, and a failed range step is said
// again in the player's terms.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "calc/run_time_error.h"
#include "window/step_wording.h"

namespace kelmora {

// Runs `step`, stamping `place` on any error.
template <typename Step>
auto At(std::string_view place, Step&& step) {
  try {
    return step();
  } catch (RunTimeError& error) {
    error.setPlace(std::string(place));
    throw;
  }
}

// Throws `error` again at `place`, its detail said in the terms of `facts`
// where the failing step is known.
[[noreturn]] inline void ThrowSaid(const RunTimeError& error, std::string place,
                                   const StatFacts& facts) {
  RunTimeError said(error.kind(),
                    PlayersWords(error.step(), error.kind(), facts).value_or(error.detail()));
  said.setStep(error.step());
  said.setPlace(std::move(place));
  throw said;
}

// Runs `step` of a range calculation or its inverse for `place`, failing as ThrowSaid.
template <typename Step>
auto SaidAt(std::string_view place, const StatFacts& facts, Step&& step) {
  try {
    return step();
  } catch (const RunTimeError& error) {
    ThrowSaid(error, std::string(place), facts);
  }
}

}  // namespace kelmora
