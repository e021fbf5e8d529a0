// The answers of the page and of kelmora-core.mjs, as JSON: the design with
// the page's wording, and each command's outcome. Texts in, texts out: every
// number a script or the page shows is written here.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "window/calculator_form.h"
#include "window/levels.h"

namespace kelmora {

// The window's caption, size and controls, and the page's own words.
std::string DesignJson();

// The Calculate command on `form`: {"results": [8 texts]} in the order
// txt_hplo, txt_hphi, … txt_mahi, or {"error": {kind, place, message, fieldToFix}}.
std::string CalculateJson(CalculatorForm& form);

// {"ranges": [8 texts], "levels": [{"level", "shown": [[min, max] × 4],
// "display": [4 texts]}]}, or the first error.
std::string ProjectJson(const CalculatorForm& form, std::span<const std::string> levels);

// The Levels table: {"caption", "ranges": [8 texts], "rows": [{"level",
// "own", "extra", "shown": [[min, max] × 4], "display": [4 texts]} or with
// "error" instead of shown and display]}, or the first error.
std::string LevelTableJson(const CalculatorForm& form, std::span<const std::string> extra);

// {"ranges": [8 texts], "sightings": [{"level", "values": [4 texts],
// "ranges": [[min, max] × 4], "display": [4 texts]}], "narrowed": [{"range":
// [min, max], "display"} or {"conflict": [first, second], "message"} × 4]},
// or the first error.
std::string NarrowJson(const CalculatorForm& form, std::span<const Sighting> sightings);

// A level typed to add to the Levels table: {"level": text}, or the error.
std::string ReadLevelJson(std::string_view text);

}  // namespace kelmora
