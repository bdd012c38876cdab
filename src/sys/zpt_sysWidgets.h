#pragma once
// Small layout and drawing helpers for windows.
#include "sys/zpt_Zeichnen.h"

#include <QString>

class QWidget;
class QPainter;
class QRect;

// Places the window in the middle of the screen.
void Zentrieren(QWidget* fenster);
// Stretches the control to its parent's right edge, less the margin.
void BisRechtsDehnen(QWidget* control, int rand);
