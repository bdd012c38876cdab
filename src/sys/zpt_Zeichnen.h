#pragma once
// Drawing helpers that need no window.
#include <QString>

class QPainter;
class QRect;

// Draws the text clipped to the rectangle, 2 pixels below its top, centred by the
// width of the text without surrounding blanks.
void TextMittigZeichnen(QPainter& painter, const QRect& rechteck, const QString& text);
