// The Calculate command: read the 13 inputs, compute the 8 range ends, write them.
#pragma once

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

// Reads txt_hpval, txt_hpc, txt_hpm, … txt_mam, txt_level in that order;
// computes MinStatpoint and MaxStatpoint for HP, MP, PA, MA in that order; only
// then writes txt_hplo, txt_hphi, … txt_mahi. The first failure ends it as a
// RunTimeError whose place() is the control name of the field being read, or
// of the result field being computed (which names the stat and the end of the
// range); no field is written then. Input fields are never written and
// result fields never read.
void btn_calc_Click(CalculatorForm& form);

// How a failed click reads to the user: the kind, the field, and what went
// wrong in the player's terms, e.g. `Type mismatch — HP C-value: "" is not a
// number` or `Division by zero — MP minimum: the multiplier is 0 %`.
std::string DescribeError(const RunTimeError& error);

// The input box the user should fix after `error`: the field that was being
// read, or for a failed range end the stat's box that the failing step calls
// for (the stat value, the C-value or the multiplier). Empty when unknown.
std::string_view FieldToFix(const RunTimeError& error);

}  // namespace kelmora
