#pragma once
// JPEG fixtures of exact sizes, written through the program's own encoder.
#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QString>

#include <functional>

// A JPEG of the given size in one colour; returns its path.
QString JpegEinfarbig(const QString& pfad, int breite, int hoehe, const QColor& farbe = Qt::red);
// A valid small JPEG whose header claims the given size (for oversize tests).
QString JpegMitKopfgroesse(const QString& pfad, int breite, int hoehe);

class QImage;
// Four quadrants in four colours (red, green / blue, white), 64x32: a picture whose
// orientation can be read off its corners.
QImage Viertelbild();
// Colour of the quadrant at a corner (0 top left, 1 top right, 2 bottom left, 3 bottom right).
QColor Ecke(const QImage& bild, int ecke);
// Writes `aufrecht` stored as a camera with this EXIF Orientation (1..8) stores it, with
// an EXIF block holding the tag and a maker name; returns the path.
QString JpegMitOrientierung(const QString& pfad, const QImage& aufrecht, int orientierung);
// A picture whose EXIF block holds this capture time (DateTimeOriginal) and, when given,
// this ImageDescription.
QString JpegMitExif(const QString& pfad, const QDateTime& aufnahme, const QByteArray& beschreibung = {});
// A HEIC picture of `gespeichert` made with libheif's encoder, with the rotation/mirror
// boxes of this EXIF-style orientation and, when given, an EXIF capture time.
QString HeicSchreiben(const QString& pfad, const QImage& gespeichert, int orientierung = 1,
                      const QDateTime& aufnahme = {});
// Encodes straight through libjpeg (`farbraum` a J_COLOR_SPACE): `fuellen(y, zeile)`
// fills each line; more than one scan makes it progressive (odd count, at most 127).
QByteArray JpegRoh(int farbraum, int komponenten, int breite, int hoehe,
                   const std::function<void(int, unsigned char*)>& fuellen, int scans = 0);
// A valid grayscale progressive JPEG of about this many scans (odd, at most 127).
QString JpegMitScans(const QString& pfad, int breite, int hoehe, int scans);
