#include "display/zpt_Metadaten.h"

#include "display/zpt_Heif.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <exiv2/exiv2.hpp>

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

QString Text(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size())).trimmed();
}

// UserComment starts with its character set ("charset=Ascii ..." as exiv2 shows it).
QString OhneZeichensatz(QString s) {
    static const QRegularExpression kopf(QStringLiteral("^charset=\\S+\\s*"));
    return s.remove(kopf).trimmed();
}

Exiv2::Image::AutoPtr Oeffnen(const QString& pfad) {
    XmpStarten();
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly)) return Exiv2::Image::AutoPtr();
    // The metadata segments stand before the picture data; this runs at every page turn
    // with captions shown, so not a byte more is read.
    const QByteArray kopf = f.read(512 << 10);
    try {
        Exiv2::Image::AutoPtr bild = Exiv2::ImageFactory::open(
            reinterpret_cast<const Exiv2::byte*>(kopf.constData()), long(kopf.size()));
        if (bild.get()) bild->readMetadata();
        return bild;
    } catch (const std::exception&) {
        return Exiv2::Image::AutoPtr();
    }
}
} // namespace

bool IstKameraText(const QString& text) {
    const QString t = text.simplified().toUpper();
    if (t.isEmpty()) return true;
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
    for (const QString& b : bekannte)
        if (t == b || t.startsWith(b + u' ')) return true;
    // Only question marks or control characters: a caption lost in a wrong character set.
    return std::all_of(t.begin(), t.end(), [](QChar c) { return c == u'?' || c.unicode() < 0x20; });
}

QString EingebetteteBildunterschrift(const QString& pfad) {
    Exiv2::Image::AutoPtr bild = Oeffnen(pfad);
    if (!bild.get()) return {};
    try {
        const Exiv2::ExifData& exif = bild->exifData();
        const Exiv2::XmpData& xmp = bild->xmpData();
        const Exiv2::IptcData& iptc = bild->iptcData();
        QStringList kandidaten;
        auto e = exif.findKey(Exiv2::ExifKey("Exif.Image.ImageDescription"));
        if (e != exif.end()) kandidaten << Text(e->toString());
        auto x = xmp.findKey(Exiv2::XmpKey("Xmp.dc.description"));
        if (x != xmp.end()) {
            const Exiv2::LangAltValue* alt = dynamic_cast<const Exiv2::LangAltValue*>(&x->value());
            kandidaten << (alt ? Text(alt->toString("x-default")) : Text(x->toString()));
        }
        auto i = iptc.findKey(Exiv2::IptcKey("Iptc.Application2.Caption"));
        if (i != iptc.end()) kandidaten << Text(i->toString());
        auto u = exif.findKey(Exiv2::ExifKey("Exif.Photo.UserComment"));
        if (u != exif.end()) kandidaten << OhneZeichensatz(Text(u->print(&exif)));
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

QByteArray MitBildunterschrift(const QByteArray& daten, const QString& bildunterschrift,
                               const QString& titel) {
    XmpStarten();
    try {
        Exiv2::Image::AutoPtr bild = Exiv2::ImageFactory::open(
            reinterpret_cast<const Exiv2::byte*>(daten.constData()), long(daten.size()));
        if (!bild.get()) return {};
        bild->readMetadata();
        const std::string text = bildunterschrift.toStdString(), name = titel.toStdString();
        if (!bildunterschrift.isEmpty()) {
            Exiv2::ExifData& exif = bild->exifData();
            exif["Exif.Image.ImageDescription"] = text;
            exif["Exif.Photo.UserComment"] = "charset=Unicode " + text;
            bild->xmpData()["Xmp.dc.description"] = "lang=x-default " + text;
            if (!bild->iptcData().empty()) {
                bild->iptcData()["Iptc.Envelope.CharacterSet"] = "\x1b%G"; // UTF-8
                bild->iptcData()["Iptc.Application2.Caption"] = text;
            }
        }
        if (!titel.isEmpty()) {
            bild->xmpData()["Xmp.dc.title"] = "lang=x-default " + name;
            if (!bild->iptcData().empty())
                bild->iptcData()["Iptc.Application2.ObjectName"] = name.substr(0, 64);
        }
        bild->writeMetadata();
        Exiv2::BasicIo& io = bild->io();
        io.open();
        const long groesse = long(io.size());
        QByteArray ergebnis(groesse, Qt::Uninitialized);
        io.read(reinterpret_cast<Exiv2::byte*>(ergebnis.data()), groesse);
        io.close();
        return ergebnis;
    } catch (const std::exception&) {
        return {};
    }
}
