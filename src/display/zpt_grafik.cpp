#include "display/zpt_grafik.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSysInfo>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

struct Fehlerziel {
    jpeg_error_mgr mgr;
    std::jmp_buf sprung;
    char text[JMSG_LENGTH_MAX];
};

// libjpeg's default handler ends the process: ours jumps back to the decoder.
void FehlerZurueck(j_common_ptr info) {
    auto* ziel = reinterpret_cast<Fehlerziel*>(info->err);
    (*info->err->format_message)(info, ziel->text);
    std::longjmp(ziel->sprung, 1);
}

// Warnings (a truncated file, say) are not printed; decoding goes on.
void StilleMeldung(j_common_ptr) {}

// All state that must survive the jump lives outside the function that calls setjmp.
struct Dekoder {
    jpeg_decompress_struct cinfo{};
    Fehlerziel fehler{};
    QByteArray daten;
    QImage bild;
    bool angelegt = false;
    ~Dekoder() {
        if (angelegt) jpeg_destroy_decompress(&cinfo);
    }
};

// Converts one line of CMYK bytes in place to Qt's RGB32.
void CmykNachRgb(uchar* zeile, int breite, bool invertiert) {
    auto* aus = reinterpret_cast<QRgb*>(zeile);
    for (int x = 0; x < breite; ++x) {
        int c = zeile[4 * x], m = zeile[4 * x + 1], y = zeile[4 * x + 2], k = zeile[4 * x + 3];
        if (!invertiert) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        aus[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
}

bool Dekodieren(Dekoder& d, DekodiertesBild& ergebnis) {
    d.cinfo.err = jpeg_std_error(&d.fehler.mgr);
    d.fehler.mgr.error_exit = FehlerZurueck;
    d.fehler.mgr.output_message = StilleMeldung;
    if (setjmp(d.fehler.sprung)) return false;
    jpeg_create_decompress(&d.cinfo);
    d.angelegt = true;
    d.cinfo.mem->max_memory_to_use = kMaxJpegSpeicher;
    jpeg_mem_src(&d.cinfo, reinterpret_cast<const unsigned char*>(d.daten.constData()),
                 static_cast<unsigned long>(d.daten.size()));
    jpeg_read_header(&d.cinfo, TRUE);
    // 24-bit colour, delivered straight in the layout Qt paints and scales fastest. Print
    // files in CMYK come out as CMYK and are converted line by line.
    const bool cmyk = d.cinfo.jpeg_color_space == JCS_CMYK || d.cinfo.jpeg_color_space == JCS_YCCK;
    d.cinfo.out_color_space =
        cmyk ? JCS_CMYK : (QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRX : JCS_EXT_XRGB);
    d.cinfo.dct_method = JDCT_ISLOW;
    d.cinfo.do_fancy_upsampling = TRUE;
    ergebnis.originalGroesse = QSize(int(d.cinfo.image_width), int(d.cinfo.image_height));
    // Reduce only as far as needed to stay inside the pixel bound.
    const qint64 pixel = qint64(d.cinfo.image_width) * d.cinfo.image_height;
    unsigned nenner = 1;
    while (nenner < 8 && pixel / (qint64(nenner) * nenner) > kMaxDekodierPixel)
        nenner *= 2;
    if (pixel / (qint64(nenner) * nenner) > kMaxDekodierPixel) {
        std::snprintf(d.fehler.text, sizeof d.fehler.text, "Bild zu groß (%ux%u)", d.cinfo.image_width,
                      d.cinfo.image_height);
        return false;
    }
    d.cinfo.scale_num = 1;
    d.cinfo.scale_denom = nenner;
    jpeg_start_decompress(&d.cinfo);
    if (d.cinfo.output_components != 4) return false;
    d.bild = QImage(int(d.cinfo.output_width), int(d.cinfo.output_height), QImage::Format_RGB32);
    if (d.bild.isNull()) {
        std::snprintf(d.fehler.text, sizeof d.fehler.text, "zu wenig Speicher");
        return false;
    }
    // Adobe's CMYK files store the inks inverted.
    const bool invertiert = d.cinfo.saw_Adobe_marker;
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        const int y = int(d.cinfo.output_scanline);
        JSAMPROW zeile = d.bild.scanLine(y);
        if (jpeg_read_scanlines(&d.cinfo, &zeile, 1) != 1) break; // truncated: keep what decoded
        if (cmyk) CmykNachRgb(d.bild.scanLine(y), d.bild.width(), invertiert);
    }
    jpeg_finish_decompress(&d.cinfo);
    return true;
}

} // namespace

bool IstJpegName(const QString& pfad) {
    const QString endung = QFileInfo(pfad).suffix().toLower();
    return endung == u"jpg" || endung == u"jpeg";
}

bool JpegDekodieren(const QString& pfad, DekodiertesBild& ergebnis, QString* fehler) {
    ergebnis = {};
    Dekoder d;
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly)) {
        if (fehler) *fehler = f.errorString();
        return false;
    }
    d.daten = f.readAll();
    if (d.daten.isEmpty()) {
        if (fehler) *fehler = QStringLiteral("leere Datei");
        return false;
    }
    if (!Dekodieren(d, ergebnis)) {
        if (fehler) *fehler = QString::fromLocal8Bit(d.fehler.text);
        ergebnis = {};
        return false;
    }
    ergebnis.bild = std::move(d.bild);
    return true;
}

bool BildLaden(const QString& pfad, DekodiertesBild& ergebnis, QString* fehler) {
    if (IstJpegName(pfad)) return JpegDekodieren(pfad, ergebnis, fehler);
    ergebnis = {};
    QImageReader leser(pfad);
    leser.setDecideFormatFromContent(false);
    const QByteArray endung = QFileInfo(pfad).suffix().toLower().toLatin1();
    if (endung.isEmpty() || !QImageReader::supportedImageFormats().contains(endung)) {
        if (fehler) *fehler = QStringLiteral("unbekanntes Bildformat");
        return false;
    }
    leser.setFormat(endung);
    const QSize groesse = leser.size();
    if (groesse.isValid() && qint64(groesse.width()) * groesse.height() > kMaxDekodierPixel) {
        if (fehler) *fehler = QStringLiteral("Bild zu groß");
        return false;
    }
    QImage bild = leser.read();
    if (bild.isNull()) {
        if (fehler) *fehler = leser.errorString();
        return false;
    }
    ergebnis.originalGroesse = bild.size();
    ergebnis.bild = std::move(bild);
    return true;
}

QImage BildVerkleinern(const QImage& quelle, QSize ziel) {
    if (quelle.isNull() || ziel.width() <= 0 || ziel.height() <= 0) return {};
    if (quelle.size() == ziel) return quelle;
    QImage bild =
        quelle.format() == QImage::Format_RGB32 ? quelle : quelle.convertToFormat(QImage::Format_RGB32);
    // Halve by 2x2 averages while the picture stays at least twice the target; the
    // smooth scaling that follows then works on a quarter of the pixels or fewer.
    while (bild.width() >= 2 * ziel.width() && bild.height() >= 2 * ziel.height()) {
        QImage halb(bild.width() / 2, bild.height() / 2, QImage::Format_RGB32);
        for (int y = 0; y < halb.height(); ++y) {
            const auto* o = reinterpret_cast<const quint32*>(bild.constScanLine(2 * y));
            const auto* u = reinterpret_cast<const quint32*>(bild.constScanLine(2 * y + 1));
            auto* z = reinterpret_cast<quint32*>(halb.scanLine(y));
            for (int x = 0; x < halb.width(); ++x) {
                const quint32 a = o[2 * x], b = o[2 * x + 1], c = u[2 * x], d = u[2 * x + 1];
                const quint32 rb =
                    (a & 0xFF00FF) + (b & 0xFF00FF) + (c & 0xFF00FF) + (d & 0xFF00FF) + 0x20002;
                const quint32 g = (a & 0xFF00) + (b & 0xFF00) + (c & 0xFF00) + (d & 0xFF00) + 0x200;
                z[x] = 0xFF000000 | ((rb >> 2) & 0xFF00FF) | ((g >> 2) & 0xFF00);
            }
        }
        bild = std::move(halb);
    }
    if (bild.size() == ziel) return bild;
    return bild.scaled(ziel, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

bool EinpassenNoetig(bool stretch, bool grossanpassen, QSize bild, QSize client) {
    if (stretch && bild.width() > 0 && bild.height() > 0) return true;
    return grossanpassen && (bild.width() > client.width() || bild.height() > client.height());
}

QRect BildEinpassen(QSize bild, QSize client, int rand) {
    const double h = bild.height();
    const double w = bild.width();
    if (h <= 0 || w <= 0) return {};
    const double m = rand;
    const double availH = client.height() - 2 * m;
    const double availW = client.width() - 2 * m;
    // No usable area: nothing to divide by, nothing to show.
    if (availH <= 0 || availW <= 0) return QRect(rand, rand, 0, 0);
    double newW = 0, newH = 0;
    if (w / h >= availW / availH) {
        newW = availW;
        newH = h / (w / availW);
    } else {
        newH = availH;
        newW = w / (h / availH);
    }
    if (newW > availW) newW = availW;
    if (newH > availH) newH = availH;
    const int top = newH < availH ? int((2 * m + availH - newH) / 2) : rand;
    const int left = newW < availW ? int((2 * m + availW - newW) / 2) : rand;
    return QRect(left, top, int(newW), int(newH));
}
