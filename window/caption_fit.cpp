#include "window/caption_fit.h"

#include <QFontMetrics>
#include <QRect>

namespace kelmora {

bool CaptionFits(const QFont& font, QSize box, const QString& text, bool wraps) {
  const int flags = Qt::AlignLeft | Qt::AlignTop | (wraps ? Qt::TextWordWrap : 0);
  const QRect needed = QFontMetrics(font).boundingRect(QRect(QPoint(0, 0), box), flags, text);
  return needed.width() <= box.width() && needed.height() <= box.height();
}

}  // namespace kelmora
