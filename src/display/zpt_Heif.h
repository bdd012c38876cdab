#pragma once
// Phone pictures in HEIC/HEIF through libheif: the primary image, with the file's
// rotation and mirror boxes applied, so it stands upright.
#include "display/zpt_grafik.h"

#include <QByteArray>
#include <QString>

// ".heic"/".heif" in any case.
bool IstHeifName(const QString& pfad);
// A picture of the album: a JPEG (".jpg"/".jpeg") or a HEIC/HEIF file.
bool IstBildName(const QString& pfad);
// Decodes the file's primary image upright. A file libheif cannot decode (truncated, no
// decoder for its compression, no primary image) or one larger than the JPEG size bound,
// also in the grid it is made of, is a failure with its reason, never a crash. With `ziel`,
// the picture comes reduced to the largest of the JPEG scales that still covers it
// (`nenner` says which), the full size never kept.
bool HeifDekodieren(const QString& pfad, DekodiertesBild& ergebnis, QString* fehler = nullptr,
                    const ZielGroesse& ziel = {});
// The same from bytes in memory (for the fuzzer and the tests).
bool HeifDekodieren(const QByteArray& daten, DekodiertesBild& ergebnis, QString* fehler = nullptr,
                    const ZielGroesse& ziel = {});
// The file's EXIF block (the TIFF data, without libheif's offset); empty when none.
QByteArray HeifExif(const QString& pfad);
// A JPEG rendition (browsers other than Safari and photo labs take no HEIC); empty when
// the picture cannot be decoded.
QByteArray HeifAlsJpeg(const QString& pfad, int qualitaet = 90);
