#pragma once
// Decoding picture files and the arithmetic of placing a picture in its area.
#include "display/zpt_Exif.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTransform>

#include <functional>

// A picture as decoded for display. `originalGroesse` is the picture's true size;
// `bild` may be smaller when the picture is too large to decode whole (see below).
struct DekodiertesBild {
    QImage bild;
    QSize originalGroesse;
    int nenner = 1; // decoded at 1/nenner of the true size
    // Scaled to the exact pixels the display asked for, when they differ from `bild`
    // (made by the loader's workers, so the window thread need not scale).
    QImage angepasst;
    bool verkleinert() const { return !bild.isNull() && bild.size() != originalGroesse; }
};

// The pixels a picture of this (shown) size is needed with; an empty size means the
// full picture. The decoder then takes the smallest scale that still covers them.
using ZielGroesse = std::function<QSize(QSize gezeigt)>;
// The largest of libjpeg's fast scales (1, 2, 4, 8) whose result still covers `benoetigt`
// (every scale when it is empty: 1), and at least what keeps the picture inside the
// pixel bound.
int BenoetigterNenner(QSize gezeigt, QSize benoetigt);

// Pictures above this many pixels are decoded at libjpeg's reduced scale (1/2, 1/4,
// 1/8) so that they fit; one that does not fit even at 1/8 is a load failure.
inline constexpr qint64 kMaxDekodierPixel = 60'000'000;
// Memory libjpeg may use for its own buffers (progressive pictures, say).
inline constexpr long kMaxJpegSpeicher = 1L << 30;
// Larger files are refused unread: no JPEG within the pixel bound is that large.
inline constexpr qint64 kMaxJpegDatei = qint64(1) << 30;

// JPEG through libjpeg: full size, 24-bit colour, accurate DCT, fancy upsampling,
// turned upright as its EXIF Orientation says (the size then is the size as shown).
// A corrupt file is a failure (never an exit); a truncated one gives what decodes.
bool JpegDekodieren(const QString& pfad, DekodiertesBild& ergebnis, QString* fehler = nullptr,
                    const ZielGroesse& ziel = {});
// Only the top-left `ausschnitt` of the upright picture, at full size: libjpeg crops the
// columns and skips the rows outside it, so a view that shows a screenful of a huge
// picture never holds the whole. `originalGroesse` is the whole picture's, as shown.
bool JpegTeilDekodieren(const QString& pfad, DekodiertesBild& ergebnis, QString* fehler,
                        const ZielGroesse& ziel, QSize ausschnitt);
// As BildLaden, but only the top-left `ausschnitt` of the upright picture (a JPEG is
// never decoded beyond it).
bool BildTeilLaden(const QString& pfad, QSize ausschnitt, DekodiertesBild& ergebnis);
// The matrix that turns a stored picture of this size upright (as LageAnwenden does).
QTransform LageMatrix(Lage lage, QSize gespeichert);
// ".jpg"/".jpeg" (any case) through libjpeg, other extensions through Qt's image
// reader; an unknown extension or a rejected file is a failure.
bool BildLaden(const QString& pfad, DekodiertesBild& ergebnis, QString* fehler = nullptr,
               const ZielGroesse& ziel = {});
bool IstJpegName(const QString& pfad);
// The picture mirrored and turned as `lage` says (a null picture when memory runs out).
QImage LageAnwenden(const QImage& bild, Lage lage);

inline constexpr int kFotoRand = 5;

// The placement decision: true when the picture is fitted, false when it is shown at
// natural size, centred.
bool EinpassenNoetig(bool stretch, bool grossanpassen, QSize bild, QSize client);
// Fits a picture of size `bild` into `client` with margin `rand`, keeping the aspect
// ratio, centred; double precision, every conversion truncates. An area not larger
// than twice the margin gives an empty rectangle.
QRect BildEinpassen(QSize bild, QSize client, int rand);
