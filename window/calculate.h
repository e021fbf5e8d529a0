// The Calculate command: read the 13 inputs, compute the 8 range ends, write them.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "calc/checked.h"
#include "window/calculator_form.h"
#include "window/fields.h"

namespace kelmora {

// One stat's inputs, the multiplier already divided by 100.
struct StatInputs {
  Int16 StatVal;
  Int16 StatC;
  Float32 StatM;
};

struct StatRange {
  Int32 Min;
  Int32 Max;
};

// What the 13 input boxes hold, read and converted.
struct CalculatorInputs {
  std::array<StatInputs, 4> stats;  // HP, MP, PA, MA
  std::array<Float32, 4> percents;  // each multiplier as typed, before the division by 100
  Int16 level;
};

// Phase 1: reads txt_hpval, txt_hpc, txt_hpm, … txt_mam, txt_level in that
// order. The first failure ends it as a RunTimeError whose place() is the
// control name of the field being read.
CalculatorInputs ReadInputs(const CalculatorForm& form);

// One stat's range at `level`: MinStatpoint, then MaxStatpoint, each failure
// placed at min_place or max_place and said in the player's terms.
StatRange StatRangeAt(const StatInputs& in, Float32 percent, Int16 level,
                      std::string_view min_place, std::string_view max_place);

// Phase 2: MinStatpoint and MaxStatpoint for HP, MP, PA, MA in that order. A
// failure's place() is the result field being computed (which names the stat
// and the end of the range), its detail said in the player's terms.
std::array<StatRange, 4> CalculateRanges(const CalculatorInputs& inputs);

// Reads the inputs (phase 1), computes the ranges (phase 2), and only then
// writes txt_hplo, txt_hphi, … txt_mahi. The first failure ends it, and no
// field is written then. Input fields are never written and result fields
// never read.
void btn_calc_Click(CalculatorForm& form);

// How a failed click reads to the user: the kind, the field, and what went
// wrong in the player's terms, e.g. `Type mismatch — HP C-value: "" is not a
// number` or `Division by zero — MP minimum: the multiplier is 0 %`.
std::string DescribeError(const RunTimeError& error);

// The input box the user should fix after `error`: the field that was being
// read, or for a failed range end the stat's box that the failing step calls
// for (the stat value, the C-value or the multiplier; for a level to show or
// a sighting, its own box where the step calls for it). Empty when unknown.
std::string FieldToFix(const RunTimeError& error);

}  // namespace kelmora
