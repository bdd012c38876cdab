#pragma once
// JPEG fixtures of exact sizes, written through the program's own encoder.
#include <QColor>
#include <QString>

// A JPEG of the given size in one colour; returns its path.
QString JpegEinfarbig(const QString& pfad, int breite, int hoehe, const QColor& farbe = Qt::red);
// A valid small JPEG whose header claims the given size (for oversize tests).
QString JpegMitKopfgroesse(const QString& pfad, int breite, int hoehe);
