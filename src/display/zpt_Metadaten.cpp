#include "display/zpt_Metadaten.h"

#include "display/zpt_Heif.h"
#include "sys/zpt_Text.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

#include <exiv2/exiv2.hpp>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <mutex>

namespace {
std::once_flag g_xmpStart;

// exiv2's XMP toolkit wants one initialisation before threads use it.
void XmpStarten() {
    std::call_once(g_xmpStart, [] {
        Exiv2::XmpParser::initialize();
        Exiv2::enableBMFF(true); // HEIC's EXIF, for the capture time
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    });
}

// XMP is UTF-8 by definition.
QString Text(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size())).trimmed();
}

// Exif's ASCII fields and IPTC without a character set: older programs wrote them in
// Latin-1 or Windows-1252, newer ones in UTF-8. UTF-8 when the bytes are valid UTF-8,
// else Windows-1252.
QString Utf8OderCp1252(const std::string& s) {
    const QByteArray bytes = QByteArray::fromStdString(s);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString t = utf8.decode(bytes);
    return utf8.hasError() ? text::Cp1252Dekodieren(bytes) : t;
}

QString AltText(const std::string& s) {
    return Utf8OderCp1252(s).trimmed();
}

bool IptcIstUtf8(const Exiv2::IptcData& iptc) {
    auto z = iptc.findKey(Exiv2::IptcKey("Iptc.Envelope.CharacterSet"));
    return z != iptc.end() && z->toString() == "\x1b%G";
}

// UserComment starts with its character set ("charset=Ascii ..." as exiv2 shows it).
QString OhneZeichensatz(QString s) {
    static const QRegularExpression kopf(QStringLiteral("^charset=\\S+\\s*"));
    return s.remove(kopf).trimmed();
}

// A Unicode UserComment decoded as UTF-16: exiv2 reads it as UCS-2 and gives the raw
// bytes back when it holds a character beyond (an emoji, as a pair of surrogates).
// Null when the comment is no Unicode one.
QString Utf16Kommentar(const Exiv2::Value& wert) {
    const auto* kommentar = dynamic_cast<const Exiv2::CommentValue*>(&wert);
    if (!kommentar || kommentar->charsetId() != Exiv2::CommentValue::unicode) return {};
    std::string roh = kommentar->value_.size() > 8 ? kommentar->value_.substr(8) : std::string();
    // The byte order of the Exif block, or the one a byte order mark names.
    const std::string art = kommentar->detectCharset(roh);
    QString text;
    if (art == "UTF-8") {
        text = QString::fromUtf8(roh.data(), qsizetype(roh.size()));
    } else {
        QStringDecoder utf16(art == "UCS-2BE" ? QStringDecoder::Utf16BE : QStringDecoder::Utf16LE,
                             QStringDecoder::Flag::Stateless);
        text = utf16.decode(QByteArrayView(roh.data(), qsizetype(roh.size())));
    }
    const qsizetype ende = text.indexOf(QChar(u'\0')); // padded by some cameras
    return (ende >= 0 ? text.left(ende) : text).trimmed();
}

// A regular file only: a pipe or a device named like a picture would block or never end.
bool RegulaerOeffnen(const QString& pfad, QFile& f) {
    const int fd = ::open(QFile::encodeName(pfad).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        !f.open(fd, QIODevice::ReadOnly, QFile::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

bool IstJpeg(QFile& f) {
    char soi[3] = {};
    return f.peek(soi, 3) == 3 && uchar(soi[0]) == 0xFF && uchar(soi[1]) == 0xD8 && uchar(soi[2]) == 0xFF;
}

// The segments of a JPEG header that hold what is read here (APP1 with Exif or XMP,
// APP13 with IPTC, the frame header with the size), up to the first scan, as a JPEG
// exiv2 reads to its end. Everything else (phones' depth maps, extended XMP, ICC
// profiles: megabytes) is skipped unread. A header cut off or broken ends where it
// breaks, so what came before it (the Exif block, which comes first) is still read.
QByteArray JpegKopf(QFile& f) {
    constexpr qint64 kMaxGelaufen = qint64(64) << 20; // beyond this no header reaches
    constexpr qsizetype kMaxBehalten = 2 << 20;
    constexpr qint64 kMaxFuellbytes = 4096;
    constexpr int kMaxSegmente = 4096;
    static const QByteArray exif("Exif\0\0", 6), xmp("http://ns.adobe.com/xap/1.0/\0", 29);
    QByteArray kopf("\xFF\xD8", 2);
    qint64 pos = 2;
    char c = 0;
    if (!f.seek(2)) return kopf;
    for (int segmente = 0; segmente < kMaxSegmente && pos < kMaxGelaufen && f.getChar(&c) && uchar(c) == 0xFF;
         ++segmente) {
        ++pos;
        qint64 fuell = 0;
        while (f.getChar(&c) && uchar(c) == 0xFF && ++fuell < kMaxFuellbytes)
            ++pos;
        ++pos;
        const uchar marker = uchar(c);
        if (marker == 0xFF || marker == 0xDA || marker == 0xD9 || marker == 0x00) break;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue; // no length
        char l[2];
        if (f.read(l, 2) != 2) break;
        const int laenge = uchar(l[0]) << 8 | uchar(l[1]);
        if (laenge < 2) break;
        const QByteArray anfang = f.read(qMin(laenge - 2, 29));
        if (anfang.size() != qMin(laenge - 2, 29)) break;
        const bool sof =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        const bool behalten =
            sof || marker == 0xED || (marker == 0xE1 && (anfang.startsWith(exif) || anfang.startsWith(xmp)));
        if (behalten && kopf.size() + 2 + laenge <= kMaxBehalten) {
            const QByteArray rest = f.read(laenge - 2 - anfang.size());
            if (rest.size() != laenge - 2 - anfang.size()) break;
            kopf += char(0xFF);
            kopf += char(marker);
            kopf += QByteArray(l, 2) + anfang + rest;
        }
        pos += laenge;
        if (!f.seek(pos)) break;
    }
    return kopf + QByteArray("\xFF\xDA", 2); // exiv2 stops at the first scan
}

Exiv2::Image::AutoPtr Oeffnen(const QString& pfad) {
    XmpStarten();
    QFile f;
    if (!RegulaerOeffnen(pfad, f)) return Exiv2::Image::AutoPtr();
    // This runs at every page turn with captions shown: of a JPEG only the metadata
    // segments are read, of anything else the first half megabyte.
    const QByteArray kopf = IstJpeg(f) ? JpegKopf(f) : f.read(512 << 10);
    Exiv2::Image::AutoPtr bild;
    try {
        bild = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(kopf.constData()),
                                         long(kopf.size()));
        if (bild.get()) bild->readMetadata();
    } catch (const std::exception&) {
        // What was read before the fault (the Exif block comes first) still counts.
    }
    return bild;
}
} // namespace

bool IstKameraText(const QString& text) {
    const QString t = text.simplified().toUpper();
    if (t.isEmpty()) return true;
    // What cameras and phones write on their own, compared whole: "Image of Grandma at
    // the beach" is a caption.
    static const QStringList bekannte = {QStringLiteral("OLYMPUS DIGITAL CAMERA"),
                                         QStringLiteral("SONY DSC"),
                                         QStringLiteral("DIGITAL CAMERA"),
                                         QStringLiteral("KODAK DIGITAL STILL CAMERA"),
                                         QStringLiteral("MINOLTA DIGITAL CAMERA"),
                                         QStringLiteral("SAMSUNG DIGITAL CAMERA"),
                                         QStringLiteral("DCIM"),
                                         QStringLiteral("DEFAULT"),
                                         QStringLiteral("UNTITLED"),
                                         QStringLiteral("IMAGE"),
                                         QStringLiteral("PICTURE"),
                                         QStringLiteral("EXIF_JPEG_PICTURE"),
                                         QStringLiteral("CREATOR: GD-JPEG")};
    if (bekannte.contains(t)) return true;
    // Only question marks or control characters: a caption lost in a wrong character set.
    return std::all_of(t.begin(), t.end(), [](QChar c) { return c == u'?' || c.unicode() < 0x20; });
}

QString EingebetteteBildunterschrift(const QString& pfad) {
    Exiv2::Image::AutoPtr bild = Oeffnen(pfad);
    if (!bild.get()) return {}; // also no regular file
    try {
        // A HEIC picture may keep its Exif after the picture data, past what was read:
        // then the Exif block through libheif.
        Exiv2::ExifData heifExif;
        if (IstHeifName(pfad) && bild->exifData().empty()) {
            const QByteArray tiff = HeifExif(pfad);
            if (!tiff.isEmpty())
                Exiv2::ExifParser::decode(heifExif, reinterpret_cast<const Exiv2::byte*>(tiff.constData()),
                                          uint32_t(tiff.size()));
        }
        const Exiv2::ExifData& exif = heifExif.empty() ? bild->exifData() : heifExif;
        const Exiv2::XmpData& xmp = bild->xmpData();
        const Exiv2::IptcData& iptc = bild->iptcData();
        QStringList kandidaten;
        auto e = exif.findKey(Exiv2::ExifKey("Exif.Image.ImageDescription"));
        if (e != exif.end()) kandidaten << AltText(e->toString());
        auto x = xmp.findKey(Exiv2::XmpKey("Xmp.dc.description"));
        if (x != xmp.end()) {
            const Exiv2::LangAltValue* alt = dynamic_cast<const Exiv2::LangAltValue*>(&x->value());
            kandidaten << (alt ? Text(alt->toString("x-default")) : Text(x->toString()));
        }
        auto i = iptc.findKey(Exiv2::IptcKey("Iptc.Application2.Caption"));
        if (i != iptc.end()) kandidaten << (IptcIstUtf8(iptc) ? Text(i->toString()) : AltText(i->toString()));
        // exiv2 gives a Unicode comment as UTF-8 and an ASCII one as its bytes.
        auto u = exif.findKey(Exiv2::ExifKey("Exif.Photo.UserComment"));
        if (u != exif.end()) {
            const QString unicode = Utf16Kommentar(u->value());
            kandidaten << (unicode.isNull() ? OhneZeichensatz(AltText(u->print(&exif))) : unicode);
        }
        for (const QString& k : kandidaten)
            if (!IstKameraText(k)) return k;
    } catch (const std::exception&) {
    }
    return {};
}

QDateTime Aufnahmezeit(const QString& pfad) {
    try {
        Exiv2::ExifData heif;
        Exiv2::Image::AutoPtr bild;
        if (IstHeifName(pfad)) {
            // The EXIF block through libheif, read by exiv2's own parser.
            XmpStarten();
            const QByteArray tiff = HeifExif(pfad);
            if (tiff.isEmpty()) return {};
            Exiv2::ExifParser::decode(heif, reinterpret_cast<const Exiv2::byte*>(tiff.constData()),
                                      uint32_t(tiff.size()));
        } else {
            bild = Oeffnen(pfad);
            if (!bild.get()) return {};
        }
        const Exiv2::ExifData& exif = bild.get() ? bild->exifData() : heif;
        for (const char* schluessel : {"Exif.Photo.DateTimeOriginal", "Exif.Photo.DateTimeDigitized"}) {
            auto e = exif.findKey(Exiv2::ExifKey(schluessel));
            if (e == exif.end()) continue;
            // "YYYY:MM:DD HH:MM:SS", as the camera's clock showed it: a reading of the
            // clock, valid whatever the local zone says about that hour.
            const QString text = Text(e->toString()).left(19);
            const QDate tag = QDate::fromString(text.left(10), QStringLiteral("yyyy:MM:dd"));
            const QTime zeit = QTime::fromString(text.mid(11), QStringLiteral("HH:mm:ss"));
            if (text.size() != 19 || text[10] != u' ' || !tag.isValid() || !zeit.isValid() ||
                tag.year() <= 1900)
                continue;
            const QDateTime lokal(tag, zeit);
            // An hour the local clock skipped (the change to summer time) has no local time.
            return lokal.isValid() ? lokal : QDateTime(tag, zeit, Qt::UTC);
        }
    } catch (const std::exception&) {
    }
    return {};
}

namespace {
// UTF-8 of `s` cut to at most `max` bytes at a character boundary.
std::string Utf8Hoechstens(const QString& s, qsizetype max) {
    QByteArray b = s.toUtf8();
    if (b.size() > max) {
        qsizetype ende = max;
        while (ende > 0 && (uchar(b[ende]) & 0xC0) == 0x80) // inside a character
            --ende;
        b.truncate(ende);
    }
    return b.toStdString();
}

// The whole language alternative replaced: a German variant left from before would
// still show the old text in German-language programs.
void SprachAlternativeSetzen(Exiv2::XmpData& xmp, const char* schluessel, const std::string& text) {
    const Exiv2::XmpKey key(schluessel);
    for (auto alt = xmp.findKey(key); alt != xmp.end(); alt = xmp.findKey(key))
        xmp.erase(alt);
    Exiv2::LangAltValue wert;
    wert.value_["x-default"] = text;
    xmp.add(key, &wert);
}

// The most bytes IPTC allows in a field (0 when exiv2 does not know the field).
uint32_t IptcHoechstens(const Exiv2::Iptcdatum& feld) {
    const Exiv2::DataSet* liste =
        feld.record() == Exiv2::IptcDataSets::envelope       ? Exiv2::IptcDataSets::envelopeRecordList()
        : feld.record() == Exiv2::IptcDataSets::application2 ? Exiv2::IptcDataSets::application2RecordList()
                                                             : nullptr;
    for (; liste && liste->number_ != 0xffff; ++liste)
        if (liste->number_ == feld.tag()) return liste->maxbytes_;
    return 0;
}

// IPTC's text fields in UTF-8 from here on: what the picture holds in another character
// set is converted first, so the character set record stays true for every field. A
// field filled to its limit in Latin-1 grows in UTF-8: it is cut within the limit again.
void IptcNachUtf8(Exiv2::IptcData& iptc) {
    if (IptcIstUtf8(iptc)) return;
    for (Exiv2::Iptcdatum& feld : iptc) {
        if (feld.typeId() != Exiv2::string) continue;
        if (feld.record() == Exiv2::IptcDataSets::envelope && feld.tag() == Exiv2::IptcDataSets::CharacterSet)
            continue;
        const QString text = Utf8OderCp1252(feld.toString());
        const uint32_t grenze = IptcHoechstens(feld);
        feld.setValue(grenze > 0 ? Utf8Hoechstens(text, grenze) : text.toStdString());
    }
    iptc["Iptc.Envelope.CharacterSet"] = "\x1b%G";
}

// UserComment as "UNICODE" + UTF-16 in the Exif's byte order (a new Exif block is little
// endian), as other programs write it: exiv2 converts only what fits UCS-2 and keeps the
// UTF-8 bytes of a caption with an emoji, which then read as Chinese characters.
Exiv2::Value::AutoPtr UnicodeKommentar(const QString& text, Exiv2::ByteOrder reihenfolge) {
    const bool gross = reihenfolge == Exiv2::bigEndian;
    QByteArray roh("UNICODE\0", 8);
    for (const QChar c : text) {
        const char hoch = char(c.unicode() >> 8), tief = char(c.unicode() & 0xFF);
        roh += gross ? hoch : tief;
        roh += gross ? tief : hoch;
    }
    Exiv2::Value::AutoPtr wert = Exiv2::Value::create(Exiv2::undefined);
    wert->read(reinterpret_cast<const Exiv2::byte*>(roh.constData()), long(roh.size()), reihenfolge);
    return wert;
}

QByteArray Bytes(Exiv2::Image& bild) {
    Exiv2::BasicIo& io = bild.io();
    io.open();
    const long groesse = long(io.size());
    QByteArray ergebnis(groesse, Qt::Uninitialized);
    const long gelesen = io.read(reinterpret_cast<Exiv2::byte*>(ergebnis.data()), groesse);
    io.close();
    return gelesen == groesse ? ergebnis : QByteArray();
}
} // namespace

QByteArray MitBildunterschrift(const QByteArray& daten, const QString& bildunterschrift,
                               const QString& titel) {
    XmpStarten();
    try {
        Exiv2::Image::AutoPtr bild = Exiv2::ImageFactory::open(
            reinterpret_cast<const Exiv2::byte*>(daten.constData()), long(daten.size()));
        if (!bild.get()) return {};
        bild->readMetadata();
        Exiv2::IptcData& iptc = bild->iptcData();
        const bool mitIptc = !iptc.empty();
        if (mitIptc && !(bildunterschrift.isEmpty() && titel.isEmpty())) IptcNachUtf8(iptc);
        if (!bildunterschrift.isEmpty()) {
            const std::string text = bildunterschrift.toStdString();
            Exiv2::ExifData& exif = bild->exifData();
            exif["Exif.Image.ImageDescription"] = text;
            exif["Exif.Photo.UserComment"].setValue(
                UnicodeKommentar(bildunterschrift, bild->byteOrder()).get());
            SprachAlternativeSetzen(bild->xmpData(), "Xmp.dc.description", text);
            if (mitIptc) iptc["Iptc.Application2.Caption"] = Utf8Hoechstens(bildunterschrift, 2000);
        }
        if (!titel.isEmpty()) {
            SprachAlternativeSetzen(bild->xmpData(), "Xmp.dc.title", titel.toStdString());
            if (mitIptc) iptc["Iptc.Application2.ObjectName"] = Utf8Hoechstens(titel, 64);
        }
        bild->writeMetadata();
        return Bytes(*bild);
    } catch (const std::exception&) {
        return {};
    }
}

QByteArray MitHeifExif(const QByteArray& jpeg, const QString& heic) {
    if (jpeg.isEmpty()) return jpeg;
    const QByteArray tiff = HeifExif(heic);
    if (tiff.isEmpty()) return jpeg;
    XmpStarten();
    try {
        Exiv2::ExifData exif;
        Exiv2::ExifParser::decode(exif, reinterpret_cast<const Exiv2::byte*>(tiff.constData()),
                                  uint32_t(tiff.size()));
        if (exif.empty()) return jpeg;
        Exiv2::ExifThumb(exif).erase();
        // The rendition's pixels stand upright, in the rendition's size.
        exif["Exif.Image.Orientation"] = uint16_t(1);
        Exiv2::Image::AutoPtr bild = Exiv2::ImageFactory::open(
            reinterpret_cast<const Exiv2::byte*>(jpeg.constData()), long(jpeg.size()));
        if (!bild.get()) return jpeg;
        bild->readMetadata();
        if (exif.findKey(Exiv2::ExifKey("Exif.Photo.PixelXDimension")) != exif.end())
            exif["Exif.Photo.PixelXDimension"] = uint32_t(bild->pixelWidth());
        if (exif.findKey(Exiv2::ExifKey("Exif.Photo.PixelYDimension")) != exif.end())
            exif["Exif.Photo.PixelYDimension"] = uint32_t(bild->pixelHeight());
        bild->setExifData(exif);
        bild->writeMetadata();
        const QByteArray mit = Bytes(*bild);
        return mit.isEmpty() ? jpeg : mit;
    } catch (const std::exception&) {
        return jpeg;
    }
}
