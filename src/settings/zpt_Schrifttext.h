#pragma once
// A font as the settings keep it: "name;size in points;style bits;colour", the style
// bits 1 bold, 2 italic, 4 underline, 8 strike-out, the colour as colour reference.
#include <QColor>
#include <QFont>
#include <QString>

QString SchriftText(const QFont& schrift, const QColor& farbe);
// Sets name, size and colour and turns on each style whose bit is set (styles already
// on stay on). Throws EFehler "'%s' ist kein gültiger Integerwert" when the size,
// style or colour field is empty or no whole number.
void SchriftAusText(const QString& text, QFont& schrift, QColor& farbe);
