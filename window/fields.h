// The calculator's 21 named text fields: which stat and role each one has,
// the words a user (or a screen reader) knows it by, and its default text.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace kelmora {

// The four stats, always handled in this order.
enum class StatKind { HP, MP, PA, MA };
inline constexpr std::array<StatKind, 4> kStatKinds = {StatKind::HP, StatKind::MP, StatKind::PA,
                                                       StatKind::MA};

// A stat's place in that order, for arrays of four.
constexpr std::size_t StatIndex(StatKind stat) {
  return static_cast<std::size_t>(stat);
}

// The stat's name as the game shows it: "HP", "MP", "PA", "MA".
constexpr std::string_view StatName(StatKind stat) {
  constexpr std::string_view kNames[] = {"HP", "MP", "PA", "MA"};
  return kNames[StatIndex(stat)];
}

enum class FieldRole { StatValue, CValue, Multiplier, Level, Minimum, Maximum };

struct Field {
  std::string_view name;         // the control name, e.g. "txt_hpc"
  std::optional<StatKind> stat;  // none for the level
  FieldRole role;
  std::string_view label;         // e.g. "HP C-value"
  std::string_view default_text;  // what the box holds at start-up
};

inline constexpr std::array<Field, 21> kFields = {{
    {"txt_hpval", StatKind::HP, FieldRole::StatValue, "HP stat value", "487"},
    {"txt_hpc", StatKind::HP, FieldRole::CValue, "HP C-value", "8"},
    {"txt_hpm", StatKind::HP, FieldRole::Multiplier, "HP multiplier (%)", "108"},
    {"txt_mpval", StatKind::MP, FieldRole::StatValue, "MP stat value", "37"},
    {"txt_mpc", StatKind::MP, FieldRole::CValue, "MP C-value", "30"},
    {"txt_mpm", StatKind::MP, FieldRole::Multiplier, "MP multiplier (%)", "108"},
    {"txt_paval", StatKind::PA, FieldRole::StatValue, "PA stat value", "22"},
    {"txt_pac", StatKind::PA, FieldRole::CValue, "PA C-value", "34"},
    {"txt_pam", StatKind::PA, FieldRole::Multiplier, "PA multiplier (%)", "97"},
    {"txt_maval", StatKind::MA, FieldRole::StatValue, "MA stat value", "74"},
    {"txt_mac", StatKind::MA, FieldRole::CValue, "MA C-value", "7"},
    {"txt_mam", StatKind::MA, FieldRole::Multiplier, "MA multiplier (%)", "94"},
    {"txt_level", std::nullopt, FieldRole::Level, "Level", "99"},
    {"txt_hplo", StatKind::HP, FieldRole::Minimum, "HP minimum", ""},
    {"txt_hphi", StatKind::HP, FieldRole::Maximum, "HP maximum", ""},
    {"txt_mplo", StatKind::MP, FieldRole::Minimum, "MP minimum", ""},
    {"txt_mphi", StatKind::MP, FieldRole::Maximum, "MP maximum", ""},
    {"txt_palo", StatKind::PA, FieldRole::Minimum, "PA minimum", ""},
    {"txt_pahi", StatKind::PA, FieldRole::Maximum, "PA maximum", ""},
    {"txt_malo", StatKind::MA, FieldRole::Minimum, "MA minimum", ""},
    {"txt_mahi", StatKind::MA, FieldRole::Maximum, "MA maximum", ""},
}};

inline constexpr std::string_view kLevelField = "txt_level";

// The field with this control name, or nullptr.
const Field* FindField(std::string_view name);

// The control name of a stat's field in a role other than Level.
std::string_view FieldName(StatKind stat, FieldRole role);

// Whether the user types into the field (the 13 inputs) or reads it (the 8 results).
constexpr bool IsInput(FieldRole role) {
  return role != FieldRole::Minimum && role != FieldRole::Maximum;
}

}  // namespace kelmora
