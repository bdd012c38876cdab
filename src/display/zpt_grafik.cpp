#include "display/zpt_grafik.h"

#include "display/zpt_Heif.h"

#include "display/zpt_Exif.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSysInfo>
#include <QTransform>

#include <csetjmp>
#include <cstdio>

#include <jerror.h>
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

// libjpeg reads straight from the file, a block at a time: a huge file is never
// held in memory whole.
struct DateiQuelle {
    jpeg_source_mgr mgr{};
    QFile* datei = nullptr;
    QByteArray puffer;
};

void QuelleStart(j_decompress_ptr) {}
void QuelleEnde(j_decompress_ptr) {}

boolean QuelleFuellen(j_decompress_ptr c) {
    auto* q = reinterpret_cast<DateiQuelle*>(c->src);
    const qint64 n = q->datei->read(q->puffer.data(), q->puffer.size());
    if (n <= 0) {
        // The end of the file (or a read error) in mid-picture: an end marker, so a
        // truncated picture shows what decoded.
        static const JOCTET ende[2] = {0xFF, JPEG_EOI};
        q->mgr.next_input_byte = ende;
        q->mgr.bytes_in_buffer = 2;
        WARNMS(c, JWRN_JPEG_EOF);
        return TRUE;
    }
    q->mgr.next_input_byte = reinterpret_cast<const JOCTET*>(q->puffer.constData());
    q->mgr.bytes_in_buffer = size_t(n);
    return TRUE;
}

void QuelleUeberspringen(j_decompress_ptr c, long anzahl) {
    auto* q = reinterpret_cast<DateiQuelle*>(c->src);
    if (anzahl <= 0) return;
    if (size_t(anzahl) <= q->mgr.bytes_in_buffer) {
        q->mgr.next_input_byte += anzahl;
        q->mgr.bytes_in_buffer -= size_t(anzahl);
        return;
    }
    q->datei->seek(q->datei->pos() + (anzahl - qint64(q->mgr.bytes_in_buffer)));
    q->mgr.bytes_in_buffer = 0;
}

// A crafted progressive file can ask for thousands of scans over the whole picture;
// real encoders use a dozen or two.
constexpr int kMaxScans = 100;

void ScansBegrenzen(j_common_ptr info) {
    auto* c = reinterpret_cast<j_decompress_ptr>(info);
    if (c->input_scan_number <= kMaxScans) return;
    auto* ziel = reinterpret_cast<Fehlerziel*>(info->err);
    std::snprintf(ziel->text, sizeof ziel->text, "zu viele Scans (%d)", c->input_scan_number);
    std::longjmp(ziel->sprung, 1);
}

// All state that must survive the jump lives outside the function that calls setjmp.
struct Dekoder {
    jpeg_decompress_struct cinfo{};
    Fehlerziel fehler{};
    jpeg_progress_mgr fortschritt{};
    DateiQuelle quelle;
    QImage bild;
    int orientierung = 1;
    ZielGroesse ziel;
    QSize ausschnitt;         // only this top-left part of the upright picture, at full size
    QPoint ausschnittVersatz; // where the decoded part starts in the upright picture
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
    d.fortschritt.progress_monitor = ScansBegrenzen;
    d.cinfo.progress = &d.fortschritt;
    d.quelle.mgr.init_source = QuelleStart;
    d.quelle.mgr.fill_input_buffer = QuelleFuellen;
    d.quelle.mgr.skip_input_data = QuelleUeberspringen;
    d.quelle.mgr.resync_to_restart = jpeg_resync_to_restart;
    d.quelle.mgr.term_source = QuelleEnde;
    d.cinfo.src = &d.quelle.mgr;
    jpeg_save_markers(&d.cinfo, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&d.cinfo, TRUE);
    for (jpeg_saved_marker_ptr m = d.cinfo.marker_list; m; m = m->next)
        if (m->marker == JPEG_APP0 + 1) {
            const int o = ExifOrientierung(
                QByteArray::fromRawData(reinterpret_cast<const char*>(m->data), int(m->data_length)));
            if (o != 1) {
                d.orientierung = o;
                break;
            }
        }
    // 24-bit colour, delivered straight in the layout Qt paints and scales fastest. Print
    // files in CMYK come out as CMYK and are converted line by line.
    const bool cmyk = d.cinfo.jpeg_color_space == JCS_CMYK || d.cinfo.jpeg_color_space == JCS_YCCK;
    d.cinfo.out_color_space =
        cmyk ? JCS_CMYK : (QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRX : JCS_EXT_XRGB);
    d.cinfo.dct_method = JDCT_ISLOW;
    d.cinfo.do_fancy_upsampling = TRUE;
    ergebnis.originalGroesse = QSize(int(d.cinfo.image_width), int(d.cinfo.image_height));
    const qint64 pixel = qint64(d.cinfo.image_width) * d.cinfo.image_height;
    if (pixel / 64 > kMaxDekodierPixel) {
        std::snprintf(d.fehler.text, sizeof d.fehler.text, "Bild zu groß (%ux%u)", d.cinfo.image_width,
                      d.cinfo.image_height);
        return false;
    }
    // As small as the display needs, as large as the pixel bound allows.
    QSize gezeigt = ergebnis.originalGroesse;
    if (AufrechtLage(d.orientierung).quer()) gezeigt.transpose();
    const int nenner = BenoetigterNenner(gezeigt, d.ziel ? d.ziel(gezeigt) : QSize());
    ergebnis.nenner = nenner;
    d.cinfo.scale_num = 1;
    d.cinfo.scale_denom = unsigned(nenner);
    jpeg_start_decompress(&d.cinfo);
    if (d.cinfo.output_components != 4) return false;
    // A part only: the stored rectangle under the wanted upright one, its columns cropped
    // and the rows above skipped by libjpeg, the rows below never decoded.
    int ersteZeile = 0, zeilen = int(d.cinfo.output_height);
    if (d.ausschnitt.isValid()) {
        const QSize gespeichert(int(d.cinfo.output_width), int(d.cinfo.output_height));
        const QTransform lage = LageMatrix(AufrechtLage(d.orientierung), gespeichert);
        const QSize gewollt = d.ausschnitt.boundedTo(lage.mapRect(QRect(QPoint(), gespeichert)).size());
        const QRect teil = lage.inverted().mapRect(QRectF(QPointF(), QSizeF(gewollt))).toRect() &
                           QRect(QPoint(), gespeichert);
        JDIMENSION x = JDIMENSION(teil.x()), breite = JDIMENSION(teil.width());
        jpeg_crop_scanline(&d.cinfo, &x, &breite);
        ersteZeile = teil.y();
        zeilen = teil.height();
        if (ersteZeile > 0 && jpeg_skip_scanlines(&d.cinfo, JDIMENSION(ersteZeile)) != JDIMENSION(ersteZeile))
            return false;
        const QRect dekodiert(int(x), ersteZeile, int(breite), zeilen);
        d.ausschnittVersatz = -lage.mapRect(QRectF(dekodiert)).toRect().topLeft();
    }
    d.bild = QImage(int(d.cinfo.output_width), zeilen, QImage::Format_RGB32);
    if (d.bild.isNull()) {
        std::snprintf(d.fehler.text, sizeof d.fehler.text, "zu wenig Speicher");
        return false;
    }
    // Adobe's CMYK files store the inks inverted.
    const bool invertiert = d.cinfo.saw_Adobe_marker;
    while (int(d.cinfo.output_scanline) < ersteZeile + zeilen) {
        const int y = int(d.cinfo.output_scanline) - ersteZeile;
        JSAMPROW zeile = d.bild.scanLine(y);
        if (jpeg_read_scanlines(&d.cinfo, &zeile, 1) != 1) break; // truncated: keep what decoded
        if (cmyk) CmykNachRgb(d.bild.scanLine(y), d.bild.width(), invertiert);
    }
    if (d.cinfo.output_scanline < d.cinfo.output_height)
        jpeg_abort_decompress(&d.cinfo); // the rows below the part are not wanted
    else
        jpeg_finish_decompress(&d.cinfo);
    return true;
}

} // namespace

bool IstJpegName(const QString& pfad) {
    const QString endung = QFileInfo(pfad).suffix().toLower();
    return endung == u"jpg" || endung == u"jpeg";
}

QImage LageAnwenden(const QImage& bild, Lage lage) {
    if (bild.isNull() || lage == Lage{}) return bild;
    QImage ergebnis = lage.spiegeln ? bild.mirrored(true, false) : bild;
    if (lage.viertel % 4 != 0)
        ergebnis = ergebnis.transformed(QTransform().rotate(90.0 * (lage.viertel % 4)));
    return ergebnis;
}

QTransform LageMatrix(Lage lage, QSize gespeichert) {
    QTransform t;
    if (lage.spiegeln) t = QTransform(-1, 0, 0, 1, 0, 0);
    t *= QTransform().rotate(90.0 * (lage.viertel % 4));
    return QImage::trueMatrix(t, gespeichert.width(), gespeichert.height());
}

int BenoetigterNenner(QSize gezeigt, QSize benoetigt) {
    const qint64 pixel = qint64(gezeigt.width()) * gezeigt.height();
    int nenner = 1;
    while (nenner < 8 && pixel / (qint64(nenner) * nenner) > kMaxDekodierPixel)
        nenner *= 2;
    if (benoetigt.isEmpty()) return nenner;
    // libjpeg rounds a scaled size up.
    auto deckt = [&](int n) {
        return (gezeigt.width() + n - 1) / n >= benoetigt.width() &&
               (gezeigt.height() + n - 1) / n >= benoetigt.height();
    };
    int passend = 1;
    for (int n = 2; n <= 8 && deckt(n); n *= 2)
        passend = n;
    return qMax(nenner, passend);
}

bool JpegDekodieren(const QString& pfad, DekodiertesBild& ergebnis, QString* fehler,
                    const ZielGroesse& ziel) {
    return JpegTeilDekodieren(pfad, ergebnis, fehler, ziel, {});
}

bool JpegTeilDekodieren(const QString& pfad, DekodiertesBild& ergebnis, QString* fehler,
                        const ZielGroesse& ziel, QSize ausschnitt) {
    ergebnis = {};
    Dekoder d;
    d.ziel = ziel;
    d.ausschnitt = ausschnitt;
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly)) {
        if (fehler) *fehler = f.errorString();
        return false;
    }
    if (f.size() == 0) {
        if (fehler) *fehler = QStringLiteral("leere Datei");
        return false;
    }
    // No JPEG within the pixel bound comes anywhere near this size.
    if (f.size() > kMaxJpegDatei) {
        if (fehler) *fehler = QStringLiteral("Datei zu groß");
        return false;
    }
    d.quelle.datei = &f;
    d.quelle.puffer.resize(1 << 16);
    if (!Dekodieren(d, ergebnis)) {
        if (fehler) *fehler = QString::fromLocal8Bit(d.fehler.text);
        ergebnis = {};
        return false;
    }
    // Shown as the camera's orientation tag says, and sized as shown.
    const Lage lage = AufrechtLage(d.orientierung);
    ergebnis.bild = LageAnwenden(d.bild, lage);
    if (ausschnitt.isValid() && !ergebnis.bild.isNull())
        ergebnis.bild = ergebnis.bild.copy(QRect(-d.ausschnittVersatz, ausschnitt) &
                                           QRect(QPoint(), ergebnis.bild.size()));
    if (ergebnis.bild.isNull()) {
        if (fehler) *fehler = QStringLiteral("zu wenig Speicher");
        ergebnis = {};
        return false;
    }
    if (lage.quer()) ergebnis.originalGroesse.transpose();
    return true;
}

bool BildTeilLaden(const QString& pfad, QSize ausschnitt, DekodiertesBild& ergebnis) {
    if (IstJpegName(pfad)) return JpegTeilDekodieren(pfad, ergebnis, nullptr, {}, ausschnitt);
    if (!BildLaden(pfad, ergebnis)) return false;
    ergebnis.bild = ergebnis.bild.copy(QRect(QPoint(), ausschnitt) & ergebnis.bild.rect());
    return true;
}

bool BildLaden(const QString& pfad, DekodiertesBild& ergebnis, QString* fehler, const ZielGroesse& ziel) {
    if (IstJpegName(pfad)) return JpegDekodieren(pfad, ergebnis, fehler, ziel);
    if (IstHeifName(pfad)) return HeifDekodieren(pfad, ergebnis, fehler, ziel);
    ergebnis = {};
    QImageReader leser(pfad);
    leser.setDecideFormatFromContent(false);
    const QByteArray endung = QFileInfo(pfad).suffix().toLower().toLatin1();
    if (endung.isEmpty() || !QImageReader::supportedImageFormats().contains(endung)) {
        if (fehler) *fehler = QStringLiteral("unbekanntes Bildformat");
        return false;
    }
    leser.setFormat(endung);
    leser.setAutoTransform(true);
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
