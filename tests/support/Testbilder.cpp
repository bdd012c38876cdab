#include "support/Testbilder.h"

#include "display/zpt_JpegSchreiben.h"

#include <QFile>
#include <QImage>

QString JpegEinfarbig(const QString& pfad, int breite, int hoehe, const QColor& farbe) {
    QImage bild(breite, hoehe, QImage::Format_RGB32);
    bild.fill(farbe);
    JpegSchreiben(bild, pfad, 95);
    return pfad;
}

QString JpegMitKopfgroesse(const QString& pfad, int breite, int hoehe) {
    QImage bild(16, 16, QImage::Format_RGB32);
    bild.fill(Qt::blue);
    QByteArray d = JpegKodieren(bild, 90);
    // Patch the frame header (SOF0: FF C0, length, precision, height, width).
    const int sof = d.indexOf("\xFF\xC0");
    if (sof >= 0) {
        d[sof + 5] = char(hoehe >> 8);
        d[sof + 6] = char(hoehe & 0xFF);
        d[sof + 7] = char(breite >> 8);
        d[sof + 8] = char(breite & 0xFF);
    }
    QFile f(pfad);
    if (f.open(QIODevice::WriteOnly)) f.write(d);
    return pfad;
}
