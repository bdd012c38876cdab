#include "support/Testbilder.h"

#include "display/zpt_JpegSchreiben.h"
#include "support/HeicMuster.h"

#include <QFile>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <vector>

#include <jpeglib.h>

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

QImage Viertelbild() {
    QImage bild(64, 32, QImage::Format_RGB32);
    QPainter p(&bild);
    p.fillRect(0, 0, 32, 16, Qt::red);
    p.fillRect(32, 0, 32, 16, Qt::green);
    p.fillRect(0, 16, 32, 16, Qt::blue);
    p.fillRect(32, 16, 32, 16, Qt::white);
    return bild;
}

QColor Ecke(const QImage& bild, int ecke) {
    const int x = ecke % 2 ? bild.width() - 4 : 3;
    const int y = ecke / 2 ? bild.height() - 4 : 3;
    const QColor c = bild.pixelColor(x, y);
    // Back to the clean colour the quadrant was painted in (JPEG shifts it a little).
    return QColor(c.red() > 128 ? 255 : 0, c.green() > 128 ? 255 : 0, c.blue() > 128 ? 255 : 0);
}

namespace {
// A little-endian TIFF block as EXIF holds it, written field by field.
struct Tiff {
    QByteArray b{"II\x2A\x00\x08\x00\x00\x00", 8};
    void u16(int v) { b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); }
    void u32(int v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
};

// The JPEG with an APP1 "Exif" segment holding `tiff` right after its start, written out.
QString JpegMitTiff(const QString& pfad, QByteArray jpeg, const QByteArray& tiff) {
    const QByteArray nutz = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray app1("\xFF\xE1", 2);
    app1.append(char((nutz.size() + 2) >> 8)).append(char((nutz.size() + 2) & 0xFF)).append(nutz);
    jpeg.insert(2, app1);
    QFile f(pfad);
    if (f.open(QIODevice::WriteOnly)) f.write(jpeg);
    return pfad;
}
} // namespace

QString JpegMitOrientierung(const QString& pfad, const QImage& aufrecht, int orientierung) {
    // Stored as the standard describes each value, pixel by pixel (not by the turns
    // the decoder uses, so the two cannot err alike).
    const int w = aufrecht.width(), h = aufrecht.height();
    const bool quer = orientierung >= 5 && orientierung <= 8;
    QImage gespeichert(quer ? h : w, quer ? w : h, QImage::Format_RGB32);
    for (int y = 0; y < gespeichert.height(); ++y)
        for (int x = 0; x < gespeichert.width(); ++x) {
            QPoint u(x, y);
            switch (orientierung) {
            case 2:
                u = {w - 1 - x, y};
                break;
            case 3:
                u = {w - 1 - x, h - 1 - y};
                break;
            case 4:
                u = {x, h - 1 - y};
                break;
            case 5:
                u = {y, x};
                break;
            case 6:
                u = {w - 1 - y, x};
                break;
            case 7:
                u = {w - 1 - y, h - 1 - x};
                break;
            case 8:
                u = {y, h - 1 - x};
                break;
            default:
                break;
            }
            gespeichert.setPixel(x, y, aufrecht.pixel(u));
        }
    // IFD0 with Make and Orientation.
    Tiff t;
    t.u16(2);
    t.u16(0x010F); // Make: ASCII, 6 bytes at offset 38
    t.u16(2);
    t.u32(6);
    t.u32(38);
    t.u16(0x0112); // Orientation: SHORT, 1
    t.u16(3);
    t.u32(1);
    t.u16(orientierung);
    t.u16(0);
    t.u32(0); // no next IFD
    t.b.append("Kamra", 6);
    return JpegMitTiff(pfad, JpegKodieren(gespeichert, 95), t.b);
}

namespace {
QByteArray ExifTiff(const QDateTime& aufnahme, const QByteArray& beschreibung) {
    // IFD0 (ImageDescription when given, the Exif IFD's place), the Exif IFD
    // (DateTimeOriginal), then the two strings.
    const QByteArray zeit = aufnahme.toString(QStringLiteral("yyyy:MM:dd HH:mm:ss")).toLatin1() + '\0';
    const QByteArray text = beschreibung + '\0';
    const int n0 = beschreibung.isEmpty() ? 1 : 2;
    const int ifd0 = 8, exifIfd = ifd0 + 2 + 12 * n0 + 4, daten = exifIfd + 2 + 12 + 4;
    Tiff t;
    t.u16(n0);
    if (!beschreibung.isEmpty()) {
        t.u16(0x010E); // ImageDescription: ASCII, in the entry itself when it fits in 4 bytes
        t.u16(2);
        t.u32(int(text.size()));
        if (text.size() <= 4)
            t.b.append(text.leftJustified(4, '\0'));
        else
            t.u32(daten + int(zeit.size()));
    }
    t.u16(0x8769); // the Exif IFD
    t.u16(4);
    t.u32(1);
    t.u32(exifIfd);
    t.u32(0);
    t.u16(1);
    t.u16(0x9003); // DateTimeOriginal: ASCII, 20 bytes
    t.u16(2);
    t.u32(int(zeit.size()));
    t.u32(daten);
    t.u32(0);
    return t.b + zeit + (text.size() <= 4 ? QByteArray() : text);
}
} // namespace

QString JpegMitExif(const QString& pfad, const QDateTime& aufnahme, const QByteArray& beschreibung) {
    return JpegMitTiff(pfad, JpegKodieren(Viertelbild(), 90), ExifTiff(aufnahme, beschreibung));
}

QString HeicSchreiben(const QString& pfad, const QImage& gespeichert, int orientierung,
                      const QDateTime& aufnahme) {
    HeicKodieren(pfad, gespeichert, 95, orientierung,
                 aufnahme.isValid() ? ExifTiff(aufnahme, {}) : QByteArray());
    return pfad;
}

QByteArray JpegRoh(int farbraum, int komponenten, int breite, int hoehe,
                   const std::function<void(int, unsigned char*)>& fuellen, int scans) {
    // Progressive: DC first, then pairs of one coefficient each, a first pass and its refinement.
    std::vector<jpeg_scan_info> skript;
    if (scans > 1) {
        skript.push_back({1, {0, 0, 0, 0}, 0, 0, 0, 0});
        for (int k = 1; int(skript.size()) + 2 <= scans && k <= 63; ++k) {
            skript.push_back({1, {0, 0, 0, 0}, k, k, 0, 1});
            skript.push_back({1, {0, 0, 0, 0}, k, k, 1, 0});
        }
    }
    jpeg_compress_struct c{};
    jpeg_error_mgr fehler{};
    c.err = jpeg_std_error(&fehler);
    jpeg_create_compress(&c);
    unsigned char* daten = nullptr;
    unsigned long groesse = 0;
    jpeg_mem_dest(&c, &daten, &groesse);
    c.image_width = JDIMENSION(breite);
    c.image_height = JDIMENSION(hoehe);
    c.input_components = komponenten;
    c.in_color_space = J_COLOR_SPACE(farbraum);
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 95, TRUE);
    if (!skript.empty()) {
        c.scan_info = skript.data();
        c.num_scans = int(skript.size());
    }
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> zeile(static_cast<size_t>(breite) * size_t(komponenten));
    while (c.next_scanline < c.image_height) {
        fuellen(int(c.next_scanline), zeile.data());
        JSAMPROW z = zeile.data();
        jpeg_write_scanlines(&c, &z, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    QByteArray ergebnis(reinterpret_cast<const char*>(daten), qsizetype(groesse));
    std::free(daten);
    return ergebnis;
}

QString JpegMitScans(const QString& pfad, int breite, int hoehe, int scans) {
    const QByteArray jpeg = JpegRoh(
        JCS_GRAYSCALE, 1, breite, hoehe,
        [breite](int y, unsigned char* zeile) {
            for (int x = 0; x < breite; ++x)
                zeile[x] = JSAMPLE((x * 7 + y * 3) & 0xFF);
        },
        scans);
    QFile f(pfad);
    if (f.open(QIODevice::WriteOnly)) f.write(jpeg);
    return pfad;
}
