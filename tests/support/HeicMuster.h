#pragma once
// HEIC files made with libheif's own encoder (x265), for the tests and the benchmarks.
#include <QByteArray>
#include <QImage>
#include <QString>

// Writes `bild` as HEIC with the rotation/mirror boxes of this EXIF-style orientation and,
// when given, this EXIF block (TIFF data). `schnell`: x265's fastest preset (large pictures).
bool HeicKodieren(const QString& pfad, const QImage& bild, int qualitaet, int orientierung = 1,
                  const QByteArray& exifTiff = {}, bool schnell = false);
