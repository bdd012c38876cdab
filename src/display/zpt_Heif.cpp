#include "display/zpt_Heif.h"

#include "display/zpt_HeifGrenzen.h"
#include "display/zpt_JpegSchreiben.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <libheif/heif.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {
struct KontextWeg {
    void operator()(heif_context* k) const { heif_context_free(k); }
};
struct HandleWeg {
    void operator()(heif_image_handle* h) const { heif_image_handle_release(h); }
};
struct BildWeg {
    void operator()(heif_image* b) const { heif_image_release(b); }
};

// RGBA reduced by `nenner` (2, 4, 8) to RGB32: each pixel the mean of the block it covers
// (the blocks of the last row and column may be smaller); alpha is dropped, as in the full size.
QImage Verkleinert(const uint8_t* pixel, int w, int h, int schritt, int nenner) {
    QImage klein((w + nenner - 1) / nenner, (h + nenner - 1) / nenner, QImage::Format_RGB32);
    if (klein.isNull()) return klein;
    std::vector<quint32> summe(size_t(klein.width()) * 3);
    for (int ky = 0; ky < klein.height(); ++ky) {
        std::fill(summe.begin(), summe.end(), 0u);
        const int y0 = ky * nenner, y1 = qMin(h, y0 + nenner);
        for (int y = y0; y < y1; ++y) {
            const uint8_t* zeile = pixel + qsizetype(y) * schritt;
            for (int x = 0; x < w; ++x) {
                quint32* s = &summe[size_t(x / nenner) * 3];
                s[0] += zeile[4 * x];
                s[1] += zeile[4 * x + 1];
                s[2] += zeile[4 * x + 2];
            }
        }
        auto* ziel = reinterpret_cast<QRgb*>(klein.scanLine(ky));
        for (int kx = 0; kx < klein.width(); ++kx) {
            const quint32 n = quint32((qMin(w, (kx + 1) * nenner) - kx * nenner) * (y1 - y0));
            const quint32* s = &summe[size_t(kx) * 3];
            ziel[kx] = qRgb(int((s[0] + n / 2) / n), int((s[1] + n / 2) / n), int((s[2] + n / 2) / n));
        }
    }
    return klein;
}

bool Fehler(QString* fehler, const heif_error& e) {
    if (fehler) *fehler = QString::fromUtf8(e.message ? e.message : "HEIF-Fehler");
    return false;
}
} // namespace

bool IstHeifName(const QString& pfad) {
    const QString endung = QFileInfo(pfad).suffix().toLower();
    return endung == u"heic" || endung == u"heif";
}

bool IstBildName(const QString& pfad) {
    return IstJpegName(pfad) || IstHeifName(pfad);
}

bool HeifDekodieren(const QByteArray& daten, DekodiertesBild& ergebnis, QString* fehler,
                    const ZielGroesse& ziel) {
    ergebnis = {};
    // Grids and overlays are sized by their own data, which libheif believes: checked first.
    if (!HeifLeinwaendeZulaessig(daten, kMaxDekodierPixel, fehler)) return false;
    std::unique_ptr<heif_context, KontextWeg> kontext(heif_context_alloc());
    if (!kontext) return false;
    // Phones write their pictures as grids of small tiles, which libheif decodes side by side.
    heif_context_set_max_decoding_threads(kontext.get(), qMax(2, QThread::idealThreadCount()));
    heif_error e = heif_context_read_from_memory_without_copy(kontext.get(), daten.constData(),
                                                              size_t(daten.size()), nullptr);
    if (e.code != heif_error_Ok) return Fehler(fehler, e);
    heif_image_handle* roh = nullptr;
    e = heif_context_get_primary_image_handle(kontext.get(), &roh);
    if (e.code != heif_error_Ok) return Fehler(fehler, e);
    std::unique_ptr<heif_image_handle, HandleWeg> handle(roh);
    // The size as shown (the boxes applied) and as stored, checked before a single pixel
    // is decoded.
    const int breite = heif_image_handle_get_width(handle.get()),
              hoehe = heif_image_handle_get_height(handle.get());
    const int gespeichertBreite = heif_image_handle_get_ispe_width(handle.get()),
              gespeichertHoehe = heif_image_handle_get_ispe_height(handle.get());
    if (breite <= 0 || hoehe <= 0 || qint64(breite) * hoehe > kMaxDekodierPixel ||
        qint64(gespeichertBreite) * gespeichertHoehe > kMaxDekodierPixel) {
        if (fehler) *fehler = QStringLiteral("Bild zu groß (%1x%2)").arg(breite).arg(hoehe);
        return false;
    }
    // And libheif's own bound, so that no canvas it makes while decoding is wider or higher
    // than the picture the file declares (the grid check above is the exact one).
    heif_context_set_maximum_image_size_limit(
        kontext.get(), qMax(qMax(breite, hoehe), qMax(gespeichertBreite, gespeichertHoehe)) + 1);
    // libheif decodes only at full size; a picture wanted smaller is reduced at once, so that
    // only what the display needs is kept (as libjpeg's scales give it).
    const int nenner = ziel ? BenoetigterNenner({breite, hoehe}, ziel({breite, hoehe})) : 1;
    heif_image* bildRoh = nullptr;
    // Decoded with the file's transformations (rotation, mirror): upright.
    e = heif_decode_image(handle.get(), &bildRoh, heif_colorspace_RGB, heif_chroma_interleaved_RGBA, nullptr);
    if (e.code != heif_error_Ok) return Fehler(fehler, e);
    std::unique_ptr<heif_image, BildWeg> bild(bildRoh);
    int schritt = 0;
    const uint8_t* pixel = heif_image_get_plane_readonly(bild.get(), heif_channel_interleaved, &schritt);
    const int w = heif_image_get_width(bild.get(), heif_channel_interleaved);
    const int h = heif_image_get_height(bild.get(), heif_channel_interleaved);
    if (!pixel || w <= 0 || h <= 0) {
        if (fehler) *fehler = QStringLiteral("kein Bild");
        return false;
    }
    // Copied out of libheif's buffer, in the layout Qt paints fastest.
    ergebnis.bild =
        nenner > 1
            ? Verkleinert(pixel, w, h, schritt, nenner)
            : QImage(pixel, w, h, schritt, QImage::Format_RGBA8888).convertToFormat(QImage::Format_RGB32);
    if (ergebnis.bild.isNull()) {
        if (fehler) *fehler = QStringLiteral("zu wenig Speicher");
        return false;
    }
    ergebnis.nenner = nenner;
    ergebnis.originalGroesse = QSize(w, h);
    return true;
}

bool HeifDekodieren(const QString& pfad, DekodiertesBild& ergebnis, QString* fehler,
                    const ZielGroesse& ziel) {
    ergebnis = {};
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly)) {
        if (fehler) *fehler = f.errorString();
        return false;
    }
    // Refused unread beyond the bound no picture of the allowed size comes near.
    if (f.size() == 0 || f.size() > kMaxJpegDatei) {
        if (fehler) *fehler = f.size() == 0 ? QStringLiteral("leere Datei") : QStringLiteral("Datei zu groß");
        return false;
    }
    return HeifDekodieren(f.readAll(), ergebnis, fehler, ziel);
}

QByteArray HeifExif(const QString& pfad) {
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly) || f.size() == 0 || f.size() > kMaxJpegDatei) return {};
    const QByteArray daten = f.readAll();
    std::unique_ptr<heif_context, KontextWeg> kontext(heif_context_alloc());
    if (!kontext || heif_context_read_from_memory_without_copy(kontext.get(), daten.constData(),
                                                               size_t(daten.size()), nullptr)
                            .code != heif_error_Ok)
        return {};
    heif_image_handle* roh = nullptr;
    if (heif_context_get_primary_image_handle(kontext.get(), &roh).code != heif_error_Ok) return {};
    std::unique_ptr<heif_image_handle, HandleWeg> handle(roh);
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(handle.get(), "Exif", &id, 1) != 1) return {};
    const size_t groesse = heif_image_handle_get_metadata_size(handle.get(), id);
    if (groesse < 4 || groesse > (16u << 20)) return {};
    QByteArray exif(qsizetype(groesse), Qt::Uninitialized);
    if (heif_image_handle_get_metadata(handle.get(), id, exif.data()).code != heif_error_Ok) return {};
    // Four bytes give where the TIFF header starts after them.
    const quint32 versatz = quint32(uchar(exif[0])) << 24 | quint32(uchar(exif[1])) << 16 |
                            quint32(uchar(exif[2])) << 8 | quint32(uchar(exif[3]));
    if (versatz > groesse - 4) return {};
    return exif.mid(4 + qsizetype(versatz));
}

QByteArray HeifAlsJpeg(const QString& pfad, int qualitaet) {
    DekodiertesBild b;
    if (!HeifDekodieren(pfad, b)) return {};
    return JpegKodieren(b.bild, qualitaet);
}
