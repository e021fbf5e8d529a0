// What a failed step of the range calculation means to a player: the box to
// fix, and the words that say what went wrong in terms of their own inputs.
#pragma once

#include <optional>
#include <string>

#include "calc/checked.h"
#include "window/fields.h"

namespace kelmora {

// The inputs of the stat whose range failed, as the player typed them.
struct StatFacts {
  Int16 StatVal;
  Int16 StatC;
  Float32 percent;  // the multiplier in percent, before the division by 100
  Int16 Level;
  Int32 count = 0;  // the stat points being shown, for ShownValue's failures
};

// The input box a player should fix after a failure at `step` of kind `kind`;
// none for Step::None.
std::optional<FieldRole> RoleToFix(Step step, ErrorKind kind);

// The failure in the player's words, e.g. "the multiplier is 0 %" or
// "C-value 32000 plus level 999 is outside -32768…32767"; none for Step::None.
std::optional<std::string> PlayersWords(Step step, ErrorKind kind, const StatFacts& facts);

}  // namespace kelmora
