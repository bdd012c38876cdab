#include "display/zpt_Exif.h"

#include <array>
#include <cstring>

#include <libexif/exif-data.h>

namespace {

using Matrix = std::array<int, 4>; // row by row, acting on (x, y) with y downwards

Matrix Mal(const Matrix& a, const Matrix& b) {
    return {a[0] * b[0] + a[1] * b[2], a[0] * b[1] + a[1] * b[3], a[2] * b[0] + a[3] * b[2],
            a[2] * b[1] + a[3] * b[3]};
}

Matrix MatrixVon(Lage l) {
    Matrix m = l.spiegeln ? Matrix{-1, 0, 0, 1} : Matrix{1, 0, 0, 1};
    const Matrix viertel = {0, -1, 1, 0}; // a quarter turn clockwise on the screen
    for (int i = 0; i < ((l.viertel % 4) + 4) % 4; ++i)
        m = Mal(viertel, m);
    return m;
}

quint16 Be16(const uchar* p) {
    return quint16(p[0] << 8 | p[1]);
}

const char kExifKopf[6] = {'E', 'x', 'i', 'f', 0, 0};

// Offset and length of the first EXIF APP1 payload of a JPEG; -1 when it has none.
// Only the segments before the first scan are looked at.
qsizetype ExifSegment(const QByteArray& jpeg, qsizetype& laenge) {
    const auto* d = reinterpret_cast<const uchar*>(jpeg.constData());
    const qsizetype n = jpeg.size();
    if (n < 4 || d[0] != 0xFF || d[1] != 0xD8) return -1;
    qsizetype i = 2;
    while (i + 4 <= n) {
        if (d[i] != 0xFF) return -1;
        const uchar marker = d[i + 1];
        if (marker == 0xFF) { // fill byte
            ++i;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) return -1;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // no length
            i += 2;
            continue;
        }
        const qsizetype segment = Be16(d + i + 2);
        if (segment < 2 || i + 2 + segment > n) return -1;
        if (marker == 0xE1 && segment - 2 >= 6 && std::memcmp(d + i + 4, kExifKopf, 6) == 0) {
            laenge = segment - 2;
            return i + 4;
        }
        i += 2 + segment;
    }
    return -1;
}

// Offset within the TIFF block of IFD0's Orientation value; -1 when there is none
// that is one SHORT (the form the standard gives it).
qsizetype OrientierungsStelle(const uchar* tiff, qsizetype n, bool& intel) {
    if (n < 8) return -1;
    if (tiff[0] == 'I' && tiff[1] == 'I')
        intel = true;
    else if (tiff[0] == 'M' && tiff[1] == 'M')
        intel = false;
    else
        return -1;
    auto u16 = [&](qsizetype o) { return intel ? quint16(tiff[o] | tiff[o + 1] << 8) : Be16(tiff + o); };
    auto u32 = [&](qsizetype o) {
        return intel ? quint32(u16(o)) | quint32(u16(o + 2)) << 16
                     : quint32(u16(o)) << 16 | quint32(u16(o + 2));
    };
    if (u16(2) != 42) return -1;
    const qsizetype ifd = qsizetype(u32(4));
    if (ifd < 8 || ifd + 2 > n) return -1;
    const int anzahl = u16(ifd);
    for (int k = 0; k < anzahl; ++k) {
        const qsizetype eintrag = ifd + 2 + 12 * qsizetype(k);
        if (eintrag + 12 > n) return -1;
        if (u16(eintrag) != 0x0112) continue;
        return u16(eintrag + 2) == 3 && u32(eintrag + 4) == 1 ? eintrag + 8 : -1;
    }
    return -1;
}

} // namespace

Lage AufrechtLage(int orientierung) {
    switch (orientierung) {
    case 2:
        return {0, true};
    case 3:
        return {2, false};
    case 4:
        return {2, true};
    case 5:
        return {3, true};
    case 6:
        return {1, false};
    case 7:
        return {1, true};
    case 8:
        return {3, false};
    default:
        return {};
    }
}

Lage Verketten(Lage erst, Lage dann) {
    const Matrix ziel = Mal(MatrixVon(dann), MatrixVon(erst));
    for (int viertel = 0; viertel < 4; ++viertel)
        for (bool spiegeln : {false, true})
            if (MatrixVon({viertel, spiegeln}) == ziel) return {viertel, spiegeln};
    return {};
}

int ExifOrientierung(const QByteArray& app1) {
    if (app1.size() < 6 || std::memcmp(app1.constData(), kExifKopf, 6) != 0) return 1;
    ExifData* daten = exif_data_new();
    if (!daten) return 1;
    exif_data_load_data(daten, reinterpret_cast<const unsigned char*>(app1.constData()),
                        static_cast<unsigned int>(qMin<qsizetype>(app1.size(), 0xFFFF)));
    int wert = 1;
    ExifEntry* e = exif_content_get_entry(daten->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
    if (e && e->format == EXIF_FORMAT_SHORT && e->components >= 1 && e->data && e->size >= 2)
        wert = exif_get_short(e->data, exif_data_get_byte_order(daten));
    exif_data_unref(daten);
    return wert >= 1 && wert <= 8 ? wert : 1;
}

int JpegOrientierung(const QByteArray& jpeg) {
    qsizetype laenge = 0;
    const qsizetype start = ExifSegment(jpeg, laenge);
    return start < 0 ? 1 : ExifOrientierung(jpeg.mid(start, laenge));
}

bool JpegOrientierungSetzen(QByteArray& jpeg, int wert) {
    qsizetype laenge = 0;
    const qsizetype start = ExifSegment(jpeg, laenge);
    if (start < 0) return false;
    bool intel = false;
    auto* tiff = reinterpret_cast<uchar*>(jpeg.data()) + start + 6;
    const qsizetype stelle = OrientierungsStelle(tiff, laenge - 6, intel);
    if (stelle < 0) return false;
    tiff[stelle + (intel ? 0 : 1)] = uchar(wert & 0xFF);
    tiff[stelle + (intel ? 1 : 0)] = uchar(wert >> 8);
    return true;
}
