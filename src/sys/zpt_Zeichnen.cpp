#include "sys/zpt_Zeichnen.h"

#include <QFontMetrics>
#include <QPainter>

void TextMittigZeichnen(QPainter& painter, const QRect& r, const QString& text) {
    const int breite = painter.fontMetrics().horizontalAdvance(text.trimmed());
    const int x = r.left() + (r.right() - breite) / 2;
    painter.save();
    painter.setClipRect(r);
    painter.drawText(x, r.top() + 2 + painter.fontMetrics().ascent(), text);
    painter.restore();
}
