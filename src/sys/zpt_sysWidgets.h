#pragma once
// Small layout and drawing helpers for windows.
#include <QString>

class QWidget;
class QPainter;
class QRect;

// Places the window in the middle of the screen.
void Zentrieren(QWidget* fenster);
// Stretches the control to its parent's right edge, less the margin.
void BisRechtsDehnen(QWidget* control, int rand);
// Draws the text clipped to the rectangle, 2 pixels below its top, centred by the
// width of the text without surrounding blanks.
void TextMittigZeichnen(QPainter& painter, const QRect& rechteck, const QString& text);
