#include "support/HeicMuster.h"

#include <QFile>

#include <QList>

#include <cstring>
#include <initializer_list>
#include <libheif/heif.h>

bool HeicKodieren(const QString& pfad, const QImage& bild, int qualitaet, int orientierung,
                  const QByteArray& exifTiff, bool schnell) {
    const QImage rgb = bild.convertToFormat(QImage::Format_RGB888);
    heif_image* roh = nullptr;
    heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &roh);
    heif_image_add_plane(roh, heif_channel_interleaved, rgb.width(), rgb.height(), 8);
    int schritt = 0;
    uint8_t* ebene = heif_image_get_plane(roh, heif_channel_interleaved, &schritt);
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(ebene + qsizetype(y) * schritt, rgb.constScanLine(y), size_t(rgb.width()) * 3);
    heif_context* kontext = heif_context_alloc();
    heif_encoder* kodierer = nullptr;
    heif_context_get_encoder_for_format(kontext, heif_compression_HEVC, &kodierer);
    heif_encoder_set_lossy_quality(kodierer, qualitaet);
    if (schnell) heif_encoder_set_parameter_string(kodierer, "preset", "ultrafast");
    heif_encoding_options* optionen = heif_encoding_options_alloc();
    // The rotation and mirror boxes a phone writes for how it was held.
    optionen->image_orientation = heif_orientation(orientierung);
    heif_image_handle* handle = nullptr;
    heif_error e = heif_context_encode_image(kontext, roh, kodierer, optionen, &handle);
    if (e.code == heif_error_Ok && !exifTiff.isEmpty())
        heif_context_add_exif_metadata(kontext, handle, exifTiff.constData(), int(exifTiff.size()));
    if (e.code == heif_error_Ok) e = heif_context_write_to_file(kontext, QFile::encodeName(pfad).constData());
    heif_image_handle_release(handle);
    heif_encoding_options_free(optionen);
    heif_encoder_release(kodierer);
    heif_context_free(kontext);
    heif_image_release(roh);
    return e.code == heif_error_Ok;
}

namespace {
heif_error InSpeicher(heif_context*, const void* daten, size_t groesse, void* ziel) {
    static_cast<QByteArray*>(ziel)->append(static_cast<const char*>(daten), qsizetype(groesse));
    return {heif_error_Ok, heif_suberror_Unspecified, "ok"};
}

// One tile as libheif's encoder makes it, as a file in memory.
QByteArray KachelKodieren(const QImage& kachel, int qualitaet, bool schnell) {
    const QImage rgb = kachel.convertToFormat(QImage::Format_RGB888);
    heif_image* roh = nullptr;
    heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &roh);
    heif_image_add_plane(roh, heif_channel_interleaved, rgb.width(), rgb.height(), 8);
    int schritt = 0;
    uint8_t* ebene = heif_image_get_plane(roh, heif_channel_interleaved, &schritt);
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(ebene + qsizetype(y) * schritt, rgb.constScanLine(y), size_t(rgb.width()) * 3);
    heif_context* kontext = heif_context_alloc();
    heif_encoder* kodierer = nullptr;
    heif_context_get_encoder_for_format(kontext, heif_compression_HEVC, &kodierer);
    heif_encoder_set_lossy_quality(kodierer, qualitaet);
    if (schnell) heif_encoder_set_parameter_string(kodierer, "preset", "ultrafast");
    QByteArray datei;
    heif_error e = heif_context_encode_image(kontext, roh, kodierer, nullptr, nullptr);
    heif_writer schreiber{1, InSpeicher};
    if (e.code == heif_error_Ok) e = heif_context_write(kontext, &schreiber, &datei);
    heif_encoder_release(kodierer);
    heif_context_free(kontext);
    heif_image_release(roh);
    return e.code == heif_error_Ok ? datei : QByteArray();
}

quint32 Zahl32(const QByteArray& d, qsizetype pos) {
    return quint32(uchar(d[pos])) << 24 | quint32(uchar(d[pos + 1])) << 16 | quint32(uchar(d[pos + 2])) << 8 |
           uchar(d[pos + 3]);
}

// The boxes (whole, with their headers) in [anfang, ende) of a file libheif wrote.
QList<QByteArray> Boxen(const QByteArray& d, qsizetype anfang, qsizetype ende) {
    QList<QByteArray> boxen;
    for (qsizetype pos = anfang; pos + 8 <= ende;) {
        const qsizetype groesse = Zahl32(d, pos);
        if (groesse < 8 || pos + groesse > ende) break;
        boxen.append(d.mid(pos, groesse));
        pos += groesse;
    }
    return boxen;
}

QByteArray Box(const char* typ, const QByteArray& inhalt, int version = -1, quint32 flags = 0) {
    QByteArray b;
    const qsizetype groesse = 8 + (version >= 0 ? 4 : 0) + inhalt.size();
    for (int s = 24; s >= 0; s -= 8)
        b.append(char(groesse >> s));
    b.append(typ, 4);
    if (version >= 0) {
        b.append(char(version));
        for (int s = 16; s >= 0; s -= 8)
            b.append(char(flags >> s));
    }
    return b + inhalt;
}

QByteArray Bytes(std::initializer_list<char> b) {
    return QByteArray(b.begin(), qsizetype(b.size()));
}
QByteArray Z16(quint32 v) {
    return Bytes({char(v >> 8), char(v)});
}
QByteArray Z32(quint32 v) {
    return Bytes({char(v >> 24), char(v >> 16), char(v >> 8), char(v)});
}
} // namespace

bool HeicGitterKodieren(const QString& pfad, const QImage& bild, int qualitaet, int kachel, bool schnell,
                        const HeicGitterFaelschung& faelschung) {
    const int spalten = (bild.width() + kachel - 1) / kachel, zeilen = (bild.height() + kachel - 1) / kachel;
    // Every tile coded on its own; they share the first one's decoder setup and colour boxes.
    QList<QByteArray> daten;
    QList<QByteArray> gemeinsam;
    for (int z = 0; z < zeilen; ++z)
        for (int s = 0; s < spalten; ++s) {
            QImage teil(kachel, kachel, QImage::Format_RGB888);
            teil.fill(Qt::black);
            const QImage ausschnitt = bild.copy(s * kachel, z * kachel, kachel, kachel);
            for (int y = 0; y < kachel && s * kachel < bild.width(); ++y)
                for (int x = 0; x < kachel; ++x)
                    if (s * kachel + x < bild.width() && z * kachel + y < bild.height())
                        teil.setPixel(x, y, ausschnitt.pixel(x, y));
            const QByteArray datei = KachelKodieren(teil, qualitaet, schnell);
            if (datei.isEmpty()) return false;
            QByteArray mdat, meta;
            for (const QByteArray& b : Boxen(datei, 0, datei.size())) {
                if (b.mid(4, 4) == "mdat") mdat = b.mid(8);
                if (b.mid(4, 4) == "meta") meta = b;
            }
            daten.append(mdat);
            if (!gemeinsam.isEmpty()) continue;
            for (const QByteArray& b : Boxen(meta, 12, meta.size()))
                if (b.mid(4, 4) == "iprp")
                    for (const QByteArray& ipco : Boxen(b, 8, b.size()))
                        if (ipco.mid(4, 4) == "ipco")
                            for (const QByteArray& p : Boxen(ipco, 8, ipco.size()))
                                if (p.mid(4, 4) != "ispe") gemeinsam.append(p);
        }
    const int kacheln = zeilen * spalten;
    const quint32 gitterId = quint32(kacheln) + 1;
    const QSize leinwand = faelschung.leinwand.isEmpty() ? bild.size() : faelschung.leinwand;
    const bool lang = leinwand.width() > 0xffff || leinwand.height() > 0xffff;
    QByteArray gitter =
        Bytes({0, char(lang ? 1 : 0), char((faelschung.zeilen ? faelschung.zeilen : zeilen) - 1),
               char((faelschung.spalten ? faelschung.spalten : spalten) - 1)});
    gitter += lang ? Z32(quint32(leinwand.width())) + Z32(quint32(leinwand.height()))
                   : Z16(quint32(leinwand.width())) + Z16(quint32(leinwand.height()));

    // Properties: the shared ones (the decoder setup essential), then the tile's and the grid's size.
    QByteArray infe, verweise, zuordnung;
    for (quint32 id = 1; id <= gitterId; ++id) {
        const bool istGitter = id == gitterId;
        infe += Box("infe", Z16(id) + Z16(0) + (istGitter ? "grid" : "hvc1") + QByteArray(1, 0), 2,
                    istGitter ? 0 : 1);
        QByteArray eigen;
        for (int p = 0; p < gemeinsam.size(); ++p) {
            const bool dekoder = gemeinsam[p].mid(4, 4) == "hvcC";
            if (!istGitter || !dekoder) eigen += char((dekoder ? 0x80 : 0) | (p + 1));
        }
        eigen += char(gemeinsam.size() + (istGitter ? 2 : 1));
        zuordnung += Z16(id) + char(eigen.size()) + eigen;
        if (!istGitter) verweise += Z16(faelschung.aufSichSelbst && id == 1 ? gitterId : id);
    }
    QByteArray ipco;
    for (const QByteArray& p : gemeinsam)
        ipco += p;
    ipco += Box("ispe", Z32(quint32(kachel)) + Z32(quint32(kachel)), 0);
    ipco += Box("ispe", Z32(quint32(bild.width())) + Z32(quint32(bild.height())), 0);
    const QByteArray iprp = Box("iprp", Box("ipco", ipco) + Box("ipma", Z32(gitterId) + zuordnung, 0));
    const QByteArray iref = Box("iref", Box("dimg", Z16(gitterId) + Z16(quint32(kacheln)) + verweise), 0);
    const QByteArray kopf = Box("hdlr", Z32(0) + "pict" + QByteArray(13, 0), 0) +
                            Box("pitm", Z16(gitterId), 0) + Box("iinf", Z16(gitterId) + infe, 0);
    // The locations depend on the size of the box that holds them, which does not depend on them.
    const auto ilocBauen = [&](quint32 mdatAnfang) {
        QByteArray inhalt = Bytes({0x44, 0x00}) + Z16(gitterId);
        quint32 versatz = mdatAnfang;
        for (quint32 id = 1; id <= quint32(kacheln); ++id) {
            inhalt += Z16(id) + Z16(0) + Z16(0) + Z16(1) + Z32(versatz) + Z32(quint32(daten[id - 1].size()));
            versatz += quint32(daten[id - 1].size());
        }
        return Box("iloc",
                   inhalt + Z16(gitterId) + Z16(1) + Z16(0) + Z16(1) + Z32(0) + Z32(quint32(gitter.size())),
                   1);
    };
    const QByteArray ftyp = Box("ftyp", QByteArray("heic") + Z32(0) + "mif1heic");
    const auto metaBauen = [&](quint32 mdatAnfang) {
        return Box("meta", kopf + ilocBauen(mdatAnfang) + Box("idat", gitter) + iref + iprp, 0);
    };
    const quint32 mdatAnfang = quint32(ftyp.size() + metaBauen(0).size() + 8);
    QByteArray mdat;
    for (const QByteArray& d : daten)
        mdat += d;
    QFile f(pfad);
    const QByteArray datei = ftyp + metaBauen(mdatAnfang) + Box("mdat", mdat);
    return f.open(QIODevice::WriteOnly) && f.write(datei) == datei.size() && f.flush();
}
