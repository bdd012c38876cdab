#include "display/zpt_Heif.h"

#include "display/zpt_JpegSchreiben.h"

#include <QFile>
#include <QFileInfo>

#include <libheif/heif.h>

#include <memory>

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

bool HeifDekodieren(const QByteArray& daten, DekodiertesBild& ergebnis, QString* fehler) {
    ergebnis = {};
    std::unique_ptr<heif_context, KontextWeg> kontext(heif_context_alloc());
    if (!kontext) return false;
    heif_error e = heif_context_read_from_memory_without_copy(kontext.get(), daten.constData(),
                                                              size_t(daten.size()), nullptr);
    if (e.code != heif_error_Ok) return Fehler(fehler, e);
    heif_image_handle* roh = nullptr;
    e = heif_context_get_primary_image_handle(kontext.get(), &roh);
    if (e.code != heif_error_Ok) return Fehler(fehler, e);
    std::unique_ptr<heif_image_handle, HandleWeg> handle(roh);
    // The size as shown (the boxes applied), checked before a single pixel is decoded.
    const int breite = heif_image_handle_get_width(handle.get()),
              hoehe = heif_image_handle_get_height(handle.get());
    if (breite <= 0 || hoehe <= 0 || qint64(breite) * hoehe > kMaxDekodierPixel) {
        if (fehler) *fehler = QStringLiteral("Bild zu groß (%1x%2)").arg(breite).arg(hoehe);
        return false;
    }
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
        QImage(pixel, w, h, schritt, QImage::Format_RGBA8888).convertToFormat(QImage::Format_RGB32);
    if (ergebnis.bild.isNull()) {
        if (fehler) *fehler = QStringLiteral("zu wenig Speicher");
        return false;
    }
    ergebnis.originalGroesse = ergebnis.bild.size();
    return true;
}

bool HeifDekodieren(const QString& pfad, DekodiertesBild& ergebnis, QString* fehler) {
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
    return HeifDekodieren(f.readAll(), ergebnis, fehler);
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
