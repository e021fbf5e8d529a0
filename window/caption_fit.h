// Keeping every caption whole in its fixed-size box, whatever fonts the
// machine has: the design's face is often missing and a wider one stands in.
#pragma once

#include <QFont>
#include <QSize>
#include <QString>

namespace kelmora {

// Whether `text` drawn with `font` from the top-left of a `box`-sized area,
// wrapping at word boundaries when `wraps`, stays inside it.
bool CaptionFits(const QFont& font, QSize box, const QString& text, bool wraps);

// `font` itself when `fits(font)`; else the largest size below it, in quarter
// points down to 6 pt, at which `fits` holds (6 pt if none does).
template <typename Fits>
QFont LargestFittingFont(QFont font, Fits&& fits) {
  constexpr double kStep = 0.25;
  constexpr double kSmallest = 6.0;
  while (!fits(font) && font.pointSizeF() - kStep >= kSmallest) {
    font.setPointSizeF(font.pointSizeF() - kStep);
  }
  return font;
}

}  // namespace kelmora
