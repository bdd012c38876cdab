#include "support/Testbilder.h"

#include "display/zpt_JpegSchreiben.h"

#include <QFile>

#include <QImage>
#include <QPainter>
#include <cstring>
#include <libheif/heif.h>

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
    QByteArray jpeg = JpegKodieren(gespeichert, 95);
    // APP1: "Exif\0\0", little-endian TIFF header, IFD0 with Make and Orientation.
    QByteArray tiff("II\x2A\x00\x08\x00\x00\x00", 8);
    auto u16 = [&](int v) { tiff.append(char(v & 0xFF)).append(char(v >> 8)); };
    auto u32 = [&](int v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    u16(2);
    u16(0x010F); // Make: ASCII, 6 bytes at offset 38
    u16(2);
    u32(6);
    u32(38);
    u16(0x0112); // Orientation: SHORT, 1
    u16(3);
    u32(1);
    u16(orientierung);
    u16(0);
    u32(0); // no next IFD
    tiff.append("Kamra", 6);
    const QByteArray nutz = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray app1("\xFF\xE1", 2);
    app1.append(char((nutz.size() + 2) >> 8)).append(char((nutz.size() + 2) & 0xFF)).append(nutz);
    jpeg.insert(2, app1);
    QFile f(pfad);
    if (f.open(QIODevice::WriteOnly)) f.write(jpeg);
    return pfad;
}

QString JpegMitExif(const QString& pfad, const QDateTime& aufnahme, const QByteArray& beschreibung) {
    QByteArray jpeg = JpegKodieren(Viertelbild(), 90);
    // Little-endian TIFF: IFD0 (ImageDescription when given, the Exif IFD's place), the Exif
    // IFD (DateTimeOriginal), then the two strings.
    const QByteArray zeit = aufnahme.toString(QStringLiteral("yyyy:MM:dd HH:mm:ss")).toLatin1() + '\0';
    const QByteArray text = beschreibung + '\0';
    const int n0 = beschreibung.isEmpty() ? 1 : 2;
    const int ifd0 = 8, exifIfd = ifd0 + 2 + 12 * n0 + 4, daten = exifIfd + 2 + 12 + 4;
    QByteArray tiff("II\x2A\x00\x08\x00\x00\x00", 8);
    auto u16 = [&](int v) { tiff.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    auto u32 = [&](int v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    u16(n0);
    if (!beschreibung.isEmpty()) {
        u16(0x010E); // ImageDescription: ASCII, in the entry itself when it fits in 4 bytes
        u16(2);
        u32(int(text.size()));
        if (text.size() <= 4)
            tiff.append(text.leftJustified(4, '\0'));
        else
            u32(daten + int(zeit.size()));
    }
    u16(0x8769); // the Exif IFD
    u16(4);
    u32(1);
    u32(exifIfd);
    u32(0);
    u16(1);
    u16(0x9003); // DateTimeOriginal: ASCII, 20 bytes
    u16(2);
    u32(int(zeit.size()));
    u32(daten);
    u32(0);
    tiff += zeit + (text.size() <= 4 ? QByteArray() : text);
    const QByteArray nutz = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray app1("\xFF\xE1", 2);
    app1.append(char((nutz.size() + 2) >> 8)).append(char((nutz.size() + 2) & 0xFF)).append(nutz);
    jpeg.insert(2, app1);
    QFile f(pfad);
    if (f.open(QIODevice::WriteOnly)) f.write(jpeg);
    return pfad;
}

QString HeicSchreiben(const QString& pfad, const QImage& gespeichert, int orientierung,
                      const QDateTime& aufnahme) {
    const QImage rgb = gespeichert.convertToFormat(QImage::Format_RGB888);
    heif_image* bild = nullptr;
    heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &bild);
    heif_image_add_plane(bild, heif_channel_interleaved, rgb.width(), rgb.height(), 8);
    int schritt = 0;
    uint8_t* ebene = heif_image_get_plane(bild, heif_channel_interleaved, &schritt);
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(ebene + qsizetype(y) * schritt, rgb.constScanLine(y), size_t(rgb.width()) * 3);
    heif_context* kontext = heif_context_alloc();
    heif_encoder* kodierer = nullptr;
    heif_context_get_encoder_for_format(kontext, heif_compression_HEVC, &kodierer);
    heif_encoder_set_lossy_quality(kodierer, 95);
    heif_encoding_options* optionen = heif_encoding_options_alloc();
    // The rotation and mirror boxes a phone writes for how it was held.
    optionen->image_orientation = heif_orientation(orientierung);
    heif_image_handle* handle = nullptr;
    heif_context_encode_image(kontext, bild, kodierer, optionen, &handle);
    if (aufnahme.isValid()) {
        // The EXIF block with DateTimeOriginal, as JpegMitExif makes it.
        const QString jpeg = JpegMitExif(pfad + ".exif.jpg", aufnahme);
        QFile f(jpeg);
        f.open(QIODevice::ReadOnly);
        const QByteArray daten = f.readAll();
        const int laenge = (uchar(daten[4]) << 8 | uchar(daten[5])) - 2;
        const QByteArray tiff = daten.mid(6 + 6, laenge - 6); // after "Exif\0\0"
        heif_context_add_exif_metadata(kontext, handle, tiff.constData(), int(tiff.size()));
        f.close();
        QFile::remove(jpeg);
    }
    heif_context_write_to_file(kontext, QFile::encodeName(pfad).constData());
    heif_image_handle_release(handle);
    heif_encoding_options_free(optionen);
    heif_encoder_release(kodierer);
    heif_context_free(kontext);
    heif_image_release(bild);
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
