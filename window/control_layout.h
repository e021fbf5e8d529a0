// The window's design: every control with its kind, caption, place, size,
// focus stop and font, in one table. Positions and sizes are in twips
// (1/1440 inch) from the top-left of the client area, as the design was drawn.
#pragma once

#include <array>
#include <string_view>

namespace kelmora {

inline constexpr std::string_view kWindowCaption = "Zelquor Kelmoranth v0.10";
inline constexpr int kTwipsPerPixel = 15;  // at 96 dots per inch
inline constexpr int kClientWidthTwips = 6060;
inline constexpr int kClientHeightTwips = 4860;

// Device-independent pixels; Qt's high-DPI scaling takes it from there.
constexpr int TwipsToPixels(int twips) {
  return twips / kTwipsPerPixel;
}

enum class ControlKind { GroupBox, Label, InputBox, ResultBox, Button };

inline constexpr int kNoFocus = 0;
inline constexpr int kNoLengthLimit = 0;

struct Control {
  std::string_view name;
  ControlKind kind;
  std::string_view text;  // captions only: boxes take their text from the field table
  int left, top, width, height;
  int focus = kNoFocus;  // 1-based position in the tab order
  bool bold = false;     // Tahoma 8.25 pt bold rather than the window's font
  int max_length = kNoLengthLimit;
  bool wraps = false;
};

using K = ControlKind;
inline constexpr std::array<Control, 33> kControls = {{
    {"Frame1", K::GroupBox, "Final Stats", 120, 360, 4815, 2175},
    {"Label4", K::Label, "HP           MP           PA           MA", 1200, 600, 2775, 255},
    {"Label1", K::Label, "Stat value:", 360, 960, 855, 375},
    {"Label2", K::Label, "C-value:", 360, 1320, 855, 255},
    {"Label3", K::Label, "Multiplier:", 360, 1680, 855, 255},
    {"Label8", K::Label, "Level:", 360, 2040, 735, 255},
    {"txt_hpval", K::InputBox, "", 1200, 960, 615, 285, 1, true, 3},
    {"txt_hpc", K::InputBox, "", 1200, 1320, 615, 285, 2, false, 3},
    {"txt_hpm", K::InputBox, "", 1200, 1680, 615, 285, 3, false, 3},
    {"txt_mpval", K::InputBox, "", 1920, 960, 615, 285, 4, true, 3},
    {"txt_mpc", K::InputBox, "", 1920, 1320, 615, 285, 5, false, 3},
    {"txt_mpm", K::InputBox, "", 1920, 1680, 615, 285, 6, false, 3},
    {"txt_paval", K::InputBox, "", 2640, 960, 615, 285, 7, true, 3},
    {"txt_pac", K::InputBox, "", 2640, 1320, 615, 285, 8, false, 3},
    {"txt_pam", K::InputBox, "", 2640, 1680, 615, 285, 9, false, 3},
    {"txt_maval", K::InputBox, "", 3360, 960, 615, 285, 10, true, kNoLengthLimit},
    {"txt_mac", K::InputBox, "", 3360, 1320, 615, 285, 11, false, kNoLengthLimit},
    {"txt_mam", K::InputBox, "", 3360, 1680, 615, 285, 12, false, 3},
    {"txt_level", K::InputBox, "", 1200, 2040, 615, 285, 21, false, 3},
    {"Label5", K::Label, "HP                   MP                   PA                   MA", 1800,
     2880, 4095, 255},
    {"Label10", K::Label, "Range of initial values:", 120, 3120, 1095, 615, kNoFocus, true,
     kNoLengthLimit, true},
    {"Label6", K::Label, "Min.", 1320, 3120, 495, 255},
    {"Label7", K::Label, "Max.", 1320, 3480, 375, 255},
    {"txt_hplo", K::ResultBox, "", 1800, 3120, 855, 285, 13},
    {"txt_hphi", K::ResultBox, "", 1800, 3480, 855, 285, 14},
    {"txt_mplo", K::ResultBox, "", 2880, 3120, 855, 285, 15},
    {"txt_mphi", K::ResultBox, "", 2880, 3480, 855, 285, 16},
    {"txt_malo", K::ResultBox, "", 5040, 3120, 855, 285, 17},
    {"txt_palo", K::ResultBox, "", 3960, 3120, 855, 285, 18},
    {"txt_mahi", K::ResultBox, "", 5040, 3480, 855, 285, 19},
    {"txt_pahi", K::ResultBox, "", 3960, 3480, 855, 285, 20},
    {"Label9", K::Label, "", 120, 3960, 3375, 855, kNoFocus, false, kNoLengthLimit, true},
    {"btn_calc", K::Button, "&Calculate!", 3720, 4080, 2175, 495, 22},
}};

// Every twips value in the design falls on a whole pixel.
static_assert([] {
  for (const Control& c : kControls) {
    for (const int twips : {c.left, c.top, c.width, c.height}) {
      if (twips % kTwipsPerPixel != 0)
        return false;
    }
  }
  return kClientWidthTwips % kTwipsPerPixel == 0 && kClientHeightTwips % kTwipsPerPixel == 0;
}());

}  // namespace kelmora
