#pragma once
// HEIC files made with libheif's own encoder (x265), for the tests and the benchmarks.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// Writes `bild` as HEIC with the rotation/mirror boxes of this EXIF-style orientation and,
// when given, this EXIF block (TIFF data). `schnell`: x265's fastest preset (large pictures).
bool HeicKodieren(const QString& pfad, const QImage& bild, int qualitaet, int orientierung = 1,
                  const QByteArray& exifTiff = {}, bool schnell = false);

// What a hostile grid file claims instead of the truth (for the tests of the decode bounds).
struct HeicGitterFaelschung {
    QSize leinwand; // the grid's canvas; empty: the picture's size
    int zeilen = 0; // tile rows and columns written; 0: as cut
    int spalten = 0;
    bool aufSichSelbst = false; // the grid names itself as its first tile
};
// Writes `bild` as a phone writes a large picture: cut into `kachel` x `kachel` tiles (the
// last row and column padded), each coded on its own, joined by a grid item.
bool HeicGitterKodieren(const QString& pfad, const QImage& bild, int qualitaet, int kachel,
                        bool schnell = false, const HeicGitterFaelschung& faelschung = {});
