// Running one step of a command for a named place (a box, or a result being
// computed): its errors carry that place, and a failed range step is said
// again in the player's terms.
#pragma once

#include <string>
#include <string_view>

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

// Runs `step` of a range calculation or its inverse for `place`. An error gets
// that place, and its detail is said again in the terms of `facts` where the
// failing step is known.
template <typename Step>
auto SaidAt(std::string_view place, const StatFacts& facts, Step&& step) {
  try {
    return step();
  } catch (const RunTimeError& error) {
    RunTimeError said(error.kind(),
                      PlayersWords(error.step(), error.kind(), facts).value_or(error.detail()));
    said.setStep(error.step());
    said.setPlace(std::string(place));
    throw said;
  }
}

}  // namespace kelmora
