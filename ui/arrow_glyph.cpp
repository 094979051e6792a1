#include "arrow_glyph.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kerbwise::ui {

QIcon LongDownArrow(const QColor& colour) {
  constexpr qreal kShaft = 4;
  constexpr qreal kHead = 12;  // height of the head
  // Drawn at the screen's scale so that it stays sharp on scaled screens.
  const qreal scale = qGuiApp->devicePixelRatio();
  QPixmap pixmap(QSize(kArrowGlyphWidth, kArrowGlyphHeight) * scale);
  pixmap.setDevicePixelRatio(scale);
  pixmap.fill(Qt::transparent);

  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  const qreal middle = kArrowGlyphWidth / 2.0;
  const qreal headTop = kArrowGlyphHeight - kHead;
  painter.drawRect(QRectF(middle - kShaft / 2, 0, kShaft, headTop + 1));
  QPainterPath head;
  head.moveTo(0, headTop);
  head.lineTo(kArrowGlyphWidth, headTop);
  head.lineTo(middle, kArrowGlyphHeight);
  head.closeSubpath();
  painter.drawPath(head);
  painter.end();
  return QIcon(pixmap);
}

}  // namespace kerbwise::ui
