#pragma once
// Encodes pictures as baseline JPEG through libjpeg.
#include <QByteArray>
#include <QImage>
#include <QString>

// Empty on failure (an empty picture, say).
QByteArray JpegKodieren(const QImage& bild, int qualitaet = 90);
// Writes the picture atomically; false when it cannot be encoded or written.
bool JpegSchreiben(const QImage& bild, const QString& pfad, int qualitaet = 90);
