// Captions and capture times inside pictures: read by each field's own rules, written
// into every field of a copy, carried into the JPEG renditions of HEIC pictures. The
// fields are read back with exiv2 itself, byte for byte.
#include "album/alb_ini.h"
#include "burn/alb_Export.h"
#include "display/zpt_JpegSchreiben.h"
#include "display/zpt_Metadaten.h"
#include "display/zpt_grafik.h"
#include "support/HeicMuster.h"
#include "support/ScriptInteraktion.h"
#include "support/TestAlbum.h"
#include "support/Testbilder.h"
#include "sys/zpt_sys.h"

#include <QFile>
#include <QFileInfo>

#include <exiv2/exiv2.hpp>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>

namespace {
const QString kGruesse = QString::fromUtf8("Grüße aus München");
const QByteArray kGruesseLatin1("Gr\xFC\xDF"
                                "e aus M\xFC"
                                "nchen");

Exiv2::Image::AutoPtr Oeffnen(const QByteArray& bytes) {
    Exiv2::XmpParser::initialize();
    Exiv2::Image::AutoPtr bild = Exiv2::ImageFactory::open(
        reinterpret_cast<const Exiv2::byte*>(bytes.constData()), long(bytes.size()));
    bild->readMetadata();
    return bild;
}

// The JPEG with the fields `setzen` writes through exiv2 (raw bytes where a test needs
// them, as an older program wrote them).
QByteArray MitFeldern(const QByteArray& jpeg, const std::function<void(Exiv2::Image&)>& setzen) {
    Exiv2::Image::AutoPtr bild = Oeffnen(jpeg);
    setzen(*bild);
    bild->writeMetadata();
    Exiv2::BasicIo& io = bild->io();
    io.open();
    QByteArray ergebnis(long(io.size()), Qt::Uninitialized);
    io.read(reinterpret_cast<Exiv2::byte*>(ergebnis.data()), long(ergebnis.size()));
    io.close();
    return ergebnis;
}

std::string Exif(const Exiv2::Image& bild, const char* schluessel) {
    auto e = bild.exifData().findKey(Exiv2::ExifKey(schluessel));
    return e == bild.exifData().end() ? std::string("(fehlt)") : e->toString();
}

std::string Iptc(const Exiv2::Image& bild, const char* schluessel) {
    auto e = bild.iptcData().findKey(Exiv2::IptcKey(schluessel));
    return e == bild.iptcData().end() ? std::string("(fehlt)") : e->toString();
}

// UserComment's text and character set, as exiv2 decodes it.
std::string Kommentar(const Exiv2::Image& bild) {
    auto e = bild.exifData().findKey(Exiv2::ExifKey("Exif.Photo.UserComment"));
    if (e == bild.exifData().end()) return "(fehlt)";
    const auto* wert = dynamic_cast<const Exiv2::CommentValue*>(&e->value());
    if (!wert) return "(kein Kommentar)";
    return std::string(Exiv2::CommentValue::CharsetInfo::name(wert->charsetId())) + ":" + wert->comment();
}

// Every language of an XMP alternative, as "lang=text" lines.
std::string Sprachen(const Exiv2::Image& bild, const char* schluessel) {
    auto e = bild.xmpData().findKey(Exiv2::XmpKey(schluessel));
    if (e == bild.xmpData().end()) return "(fehlt)";
    const auto* alt = dynamic_cast<const Exiv2::LangAltValue*>(&e->value());
    if (!alt) return "(keine Sprachalternative)";
    std::string alle;
    for (const auto& [sprache, text] : alt->value_)
        alle += sprache + "=" + text + "\n";
    return alle;
}

bool GueltigesUtf8(const std::string& s) {
    const QByteArray b = QByteArray::fromStdString(s);
    return QString::fromUtf8(b).toUtf8() == b;
}

// A marker segment with this payload.
QByteArray Segment(uchar marker, const QByteArray& nutz) {
    QByteArray s;
    s += char(0xFF);
    s += char(marker);
    s += char((nutz.size() + 2) >> 8);
    s += char((nutz.size() + 2) & 0xFF);
    return s + nutz;
}

const QByteArray kXmpKennung("http://ns.adobe.com/xap/1.0/\0", 29);

QByteArray XmpMitBeschreibung(const QString& text) {
    return kXmpKennung +
           "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>"
           "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF "
           "xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>"
           "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/'>"
           "<dc:description><rdf:Alt><rdf:li xml:lang='x-default'>" +
           text.toUtf8() +
           "</rdf:li></rdf:Alt></dc:description></rdf:Description></rdf:RDF></x:xmpmeta>"
           "<?xpacket end='w'?>";
}
} // namespace

// Camera texts are known texts as a whole; a caption that merely starts like one is a caption.
TEST(Metadaten, KameraTexteNurAlsGanzes) {
    for (const char* echt : {"Image of Grandma at the beach", "Picture perfect day", "Default ist das Meer",
                             "DCIM trip to Rome", "Untitled memories", "Sony DSC-Ausflug"})
        EXPECT_FALSE(IstKameraText(QString::fromUtf8(echt))) << echt;
    for (const char* kamera :
         {"OLYMPUS DIGITAL CAMERA", "  SONY DSC  ", "Image", "DCIM", "default", "", "???"})
        EXPECT_TRUE(IstKameraText(QString::fromUtf8(kamera))) << kamera;
    TestOrdner t;
    EXPECT_EQ(EingebetteteBildunterschrift(JpegMitExif(t.pfad("a.jpg"), QDateTime::currentDateTime(),
                                                       "Image of Grandma at the beach")),
              "Image of Grandma at the beach");
}

// Older programs wrote Latin-1 or Windows-1252 into Exif's ASCII fields and into IPTC
// without a character set; IPTC with its UTF-8 record is UTF-8.
TEST(Metadaten, BildunterschriftenInLatin1UndWindows1252) {
    TestOrdner t;
    const QDateTime jetzt = QDateTime::currentDateTime();
    EXPECT_EQ(EingebetteteBildunterschrift(JpegMitExif(t.pfad("latin1.jpg"), jetzt, kGruesseLatin1)),
              kGruesse);
    EXPECT_EQ(EingebetteteBildunterschrift(JpegMitExif(t.pfad("cp1252.jpg"), jetzt, "5 \x80 Eintritt")),
              QString::fromUtf8("5 € Eintritt"));
    EXPECT_EQ(EingebetteteBildunterschrift(JpegMitExif(t.pfad("utf8.jpg"), jetzt, kGruesse.toUtf8())),
              kGruesse);

    const QByteArray ohne = JpegKodieren(Viertelbild(), 90);
    t.datei("iptc-latin1.jpg", MitFeldern(ohne, [](Exiv2::Image& b) {
                b.iptcData()["Iptc.Application2.Caption"] = kGruesseLatin1.toStdString();
            }));
    EXPECT_EQ(EingebetteteBildunterschrift(t.pfad("iptc-latin1.jpg")), kGruesse);
    t.datei("iptc-utf8.jpg", MitFeldern(ohne, [](Exiv2::Image& b) {
                b.iptcData()["Iptc.Envelope.CharacterSet"] = "\x1b%G";
                b.iptcData()["Iptc.Application2.Caption"] = kGruesse.toStdString();
            }));
    EXPECT_EQ(EingebetteteBildunterschrift(t.pfad("iptc-utf8.jpg")), kGruesse);
    t.datei("kommentar.jpg", MitFeldern(ohne, [](Exiv2::Image& b) {
                b.exifData()["Exif.Photo.UserComment"] = "charset=Ascii " + kGruesseLatin1.toStdString();
            }));
    EXPECT_EQ(EingebetteteBildunterschrift(t.pfad("kommentar.jpg")), kGruesse);
}

// Phones write depth maps and extended XMP into many large segments after the Exif
// block: the capture time and the caption are still found, also when the file is cut
// off in the middle of them or a segment is broken.
TEST(Metadaten, LangerKopfVomTelefon) {
    TestOrdner t;
    const QDateTime aufnahme(QDate(2019, 8, 15), QTime(14, 30, 5));
    const QByteArray jpeg = TestOrdner::lesen(JpegMitExif(t.pfad("roh.jpg"), aufnahme, "SONY DSC"));
    const qsizetype nachExif = 2 + 2 + ((uchar(jpeg[4]) << 8) | uchar(jpeg[5]));
    QByteArray gross;
    for (int i = 0; i < 10; ++i)
        gross += Segment(i % 2 ? 0xE2 : 0xE1, QByteArray("http://ns.adobe.com/xmp/extension/\0", 35) +
                                                  QByteArray(65000, char('a' + i)));
    const QByteArray lang =
        QByteArray(jpeg).insert(nachExif, gross + Segment(0xE1, XmpMitBeschreibung("Am Gardasee")));
    ASSERT_GT(lang.size(), 600 << 10); // the caption beyond the first half megabyte
    t.datei("lang.jpg", lang);
    EXPECT_EQ(Aufnahmezeit(t.pfad("lang.jpg")), aufnahme);
    EXPECT_EQ(EingebetteteBildunterschrift(t.pfad("lang.jpg")), "Am Gardasee");

    // Cut off in the middle of the big segments, or one of them with a broken length.
    t.datei("abgeschnitten.jpg", lang.left(nachExif + 5 * 65000 + 123));
    QByteArray kaputt = lang;
    kaputt[nachExif + 3 * 65039 + 1] = char(0x00); // no marker where one belongs
    t.datei("kaputt.jpg", kaputt);
    for (const char* name : {"abgeschnitten.jpg", "kaputt.jpg"})
        EXPECT_EQ(Aufnahmezeit(t.pfad(name)), aufnahme) << name;

    // A pipe named like a picture is no picture: nothing waits for a writer.
    ASSERT_EQ(mkfifo(QFile::encodeName(t.pfad("pipe.jpg")).constData(), 0600), 0);
    EXPECT_FALSE(Aufnahmezeit(t.pfad("pipe.jpg")).isValid());
    EXPECT_TRUE(EingebetteteBildunterschrift(t.pfad("pipe.jpg")).isEmpty());
}

// A copy carries the caption in every field a program may show, and nothing of the old
// texts: XMP's whole language alternative is replaced, IPTC (where the picture has it)
// becomes UTF-8 throughout, with its fields cut at a character within their limits.
TEST(Metadaten, KopieTraegtDieBildunterschriftInJedemFeld) {
    TestOrdner t;
    const QByteArray original = MitFeldern(
        TestOrdner::lesen(JpegMitExif(t.pfad("a.jpg"), QDateTime::currentDateTime())), [](Exiv2::Image& b) {
            Exiv2::XmpData& xmp = b.xmpData();
            xmp["Xmp.dc.description"] = "lang=x-default alte Beschreibung";
            xmp["Xmp.dc.description"] = "lang=de-DE alte deutsche Beschreibung";
            xmp["Xmp.dc.title"] = "lang=x-default alter Titel";
            xmp["Xmp.dc.title"] = "lang=de-DE alter deutscher Titel";
            b.iptcData()["Iptc.Application2.Byline"] = "J\xFCrgen";
            b.iptcData()["Iptc.Application2.Keywords"] = " M\xFCnchen ";
            b.iptcData()["Iptc.Application2.Caption"] = "alt";
        });
    ASSERT_EQ(Sprachen(*Oeffnen(original), "Xmp.dc.description"),
              "x-default=alte Beschreibung\nde-DE=alte deutsche Beschreibung\n");

    const QString unterschrift = QString::fromUtf8("Grüße aus Köln\nzweite Zeile €");
    const QString titel = QString(63, u'A') + QString::fromUtf8("ä Köln");
    const QByteArray kopie = MitBildunterschrift(original, unterschrift, titel);
    ASSERT_FALSE(kopie.isEmpty());
    Exiv2::Image::AutoPtr b = Oeffnen(kopie);
    const std::string text = unterschrift.toStdString();
    EXPECT_EQ(Exif(*b, "Exif.Image.ImageDescription"), text);
    EXPECT_EQ(Kommentar(*b), "Unicode:" + text);
    EXPECT_EQ(Sprachen(*b, "Xmp.dc.description"), "x-default=" + text + "\n");
    EXPECT_EQ(Sprachen(*b, "Xmp.dc.title"), "x-default=" + titel.toStdString() + "\n");
    EXPECT_EQ(Iptc(*b, "Iptc.Envelope.CharacterSet"), "\x1b%G");
    EXPECT_EQ(Iptc(*b, "Iptc.Application2.Caption"), text);
    EXPECT_EQ(Iptc(*b, "Iptc.Application2.ObjectName"), std::string(63, 'A')); // "ä" would end past 64 bytes
    EXPECT_EQ(Iptc(*b, "Iptc.Application2.Byline"), "Jürgen");
    EXPECT_EQ(Iptc(*b, "Iptc.Application2.Keywords"), " München "); // converted, nothing else
    t.datei("kopie.jpg", kopie);
    EXPECT_EQ(EingebetteteBildunterschrift(t.pfad("kopie.jpg")), unterschrift);
    // The pixels stay the original's.
    t.datei("original.jpg", original);
    DekodiertesBild vorher, nachher;
    ASSERT_TRUE(JpegDekodieren(t.pfad("original.jpg"), vorher));
    ASSERT_TRUE(JpegDekodieren(t.pfad("kopie.jpg"), nachher));
    EXPECT_EQ(nachher.bild, vorher.bild);

    // A title alone still switches IPTC to UTF-8 with its record; a long caption is cut
    // at a character within IPTC's 2000 bytes.
    Exiv2::Image::AutoPtr nurTitel = Oeffnen(MitBildunterschrift(original, {}, QString::fromUtf8("Grüße")));
    EXPECT_EQ(Iptc(*nurTitel, "Iptc.Envelope.CharacterSet"), "\x1b%G");
    EXPECT_EQ(Iptc(*nurTitel, "Iptc.Application2.ObjectName"), "Grüße");
    EXPECT_EQ(Iptc(*nurTitel, "Iptc.Application2.Byline"), "Jürgen");
    EXPECT_EQ(Iptc(*nurTitel, "Iptc.Application2.Caption"), "alt");
    const QString lang = QString(1999, u'ä');
    Exiv2::Image::AutoPtr langeUnterschrift = Oeffnen(MitBildunterschrift(original, lang, {}));
    const std::string gekuerzt = Iptc(*langeUnterschrift, "Iptc.Application2.Caption");
    EXPECT_EQ(gekuerzt.size(), 2000u);
    EXPECT_TRUE(GueltigesUtf8(gekuerzt));
    EXPECT_EQ(Exif(*langeUnterschrift, "Exif.Image.ImageDescription"), lang.toStdString()); // whole elsewhere
    // A picture without IPTC gets none.
    EXPECT_TRUE(Oeffnen(MitBildunterschrift(TestOrdner::lesen(t.pfad("a.jpg")), unterschrift, titel))
                    ->iptcData()
                    .empty());
}

// The lab's JPEG of a phone's HEIC picture keeps its Exif: capture time, camera,
// position; Orientation 1, since its pixels stand upright; no thumbnail of the HEIC.
TEST(Metadaten, HeicFassungBehaeltDasExif) {
    TestKonfiguration konfiguration;
    ScriptInteraktion ui;
    TestAlbum album;
    const QString tag = album.tag("2024", "20240714", {}, "Sommer");
    Exiv2::ExifData exif;
    exif["Exif.Image.Make"] = "Telefonbau";
    exif["Exif.Image.Model"] = "Phone 12";
    exif["Exif.Image.Orientation"] = uint16_t(6);
    exif["Exif.Photo.DateTimeOriginal"] = "2024:07:14 18:05:09";
    exif["Exif.Photo.PixelXDimension"] = uint32_t(32);
    exif["Exif.Photo.PixelYDimension"] = uint32_t(64);
    exif["Exif.GPSInfo.GPSLatitudeRef"] = "N";
    exif["Exif.GPSInfo.GPSLatitude"] = "47/1 52/1 3000/100";
    exif["Exif.GPSInfo.GPSLongitudeRef"] = "E";
    exif["Exif.GPSInfo.GPSLongitude"] = "10/1 52/1 0/1";
    const QByteArray klein = JpegKodieren(QImage(8, 8, QImage::Format_RGB32), 80);
    Exiv2::ExifThumb(exif).setJpegThumbnail(reinterpret_cast<const Exiv2::byte*>(klein.constData()),
                                            long(klein.size()));
    Exiv2::Blob tiff;
    Exiv2::ExifParser::encode(tiff, Exiv2::littleEndian, exif);
    const QImage aufrecht = Viertelbild();
    ASSERT_TRUE(HeicKodieren(tag + "/b.heic", aufrecht.transformed(QTransform().rotate(-90)), 90, 6,
                             QByteArray(reinterpret_cast<const char*>(tiff.data()), qsizetype(tiff.size()))));
    ASSERT_TRUE(BildtextSchreiben(tag, "b.heic", {"Oma am See"}));
    const QByteArray heic = TestOrdner::lesen(tag + "/b.heic");
    TestOrdner ziel;
    TStillerFortschritt still;
    TExport e(AddBackslash(album.pfad()), {"2024/20240714/b.heic"}, still);
    e.FotolaborKopieren(ziel.pfad("labor"));
    e.CDKopieren(ziel.pfad("cd"), true, {});
    EXPECT_EQ(e.Fehlerzahl, 0);
    EXPECT_EQ(TestOrdner::lesen(tag + "/b.heic"), heic);
    for (const QString& fassung :
         {ziel.pfad("labor/bild0000.jpg"), ziel.pfad("cd/2024/20240714/_jpg/b.heic.jpg")}) {
        SCOPED_TRACE(fassung.toStdString());
        Exiv2::Image::AutoPtr b = Oeffnen(TestOrdner::lesen(fassung));
        EXPECT_EQ(Exif(*b, "Exif.Image.Make"), "Telefonbau");
        EXPECT_EQ(Exif(*b, "Exif.Image.Model"), "Phone 12");
        EXPECT_EQ(Exif(*b, "Exif.Image.Orientation"), "1");
        EXPECT_EQ(Exif(*b, "Exif.GPSInfo.GPSLatitude"), "47/1 52/1 3000/100");
        EXPECT_EQ(Exif(*b, "Exif.Photo.PixelXDimension"), "64");
        EXPECT_EQ(Exif(*b, "Exif.Photo.PixelYDimension"), "32");
        EXPECT_EQ(Exiv2::ExifThumbC(b->exifData()).copy().size_, 0);
        EXPECT_EQ(Aufnahmezeit(fassung), QDateTime(QDate(2024, 7, 14), QTime(18, 5, 9)));
        // Shown upright, as the HEIC is.
        DekodiertesBild gezeigt;
        ASSERT_TRUE(BildLaden(fassung, gezeigt));
        ASSERT_EQ(gezeigt.bild.size(), aufrecht.size());
        for (int ecke = 0; ecke < 4; ++ecke)
            EXPECT_EQ(Ecke(gezeigt.bild, ecke), Ecke(aufrecht, ecke)) << "Ecke " << ecke;
    }
    // The lab's copy carries the caption in every field, too.
    Exiv2::Image::AutoPtr labor = Oeffnen(TestOrdner::lesen(ziel.pfad("labor/bild0000.jpg")));
    EXPECT_EQ(Exif(*labor, "Exif.Image.ImageDescription"), "Oma am See");
    EXPECT_EQ(Sprachen(*labor, "Xmp.dc.description"), "x-default=Oma am See\n");
    EXPECT_EQ(Kommentar(*labor), "Unicode:Oma am See");
}

// Fields an older program filled to IPTC's limit in Latin-1 grow in UTF-8: converted,
// they are cut at a character within their limit (ObjectName 64, By-line 32 bytes).
TEST(Metadaten, UmgewandelteIptcFelderBleibenInIhrenGrenzen) {
    TestOrdner t;
    const std::string titel = std::string(60, 'A') + "\xE4\xF6\xFC\xDF"; // 64 bytes
    const std::string autor = "J\xFCrgen M\xFCller-L\xFC"
                              "denscheidt \xC4\xD6\xDC"
                              "12"; // 32 bytes
    ASSERT_EQ(titel.size(), 64u);
    ASSERT_EQ(autor.size(), 32u);
    const QByteArray original = MitFeldern(
        TestOrdner::lesen(JpegMitExif(t.pfad("a.jpg"), QDateTime::currentDateTime())), [&](Exiv2::Image& b) {
            b.iptcData()["Iptc.Application2.ObjectName"] = titel;
            b.iptcData()["Iptc.Application2.Byline"] = autor;
        });
    Exiv2::Image::AutoPtr b = Oeffnen(MitBildunterschrift(original, "Neu", {}));
    const std::string name = Iptc(*b, "Iptc.Application2.ObjectName");
    const std::string byline = Iptc(*b, "Iptc.Application2.Byline");
    EXPECT_EQ(name, std::string(60, 'A') + "äö");
    EXPECT_EQ(byline, "Jürgen Müller-Lüdenscheidt Ä");
    EXPECT_TRUE(GueltigesUtf8(name) && GueltigesUtf8(byline));
}

// A caption typed on a phone holds characters beyond UCS-2 (emoji): UserComment gets
// them as UTF-16 with surrogate pairs, as other programs write and read it, and not the
// UTF-8 bytes that read as Chinese characters there.
TEST(Metadaten, KommentarMitZeichenJenseitsVonUcs2) {
    TestOrdner t;
    ASSERT_TRUE(JpegSchreiben(Viertelbild(), t.pfad("a.jpg"))); // without Exif
    const QByteArray original = TestOrdner::lesen(t.pfad("a.jpg"));
    const QString unterschrift = QString::fromUtf8("Oma \xF0\x9F\x98\x80 am Strand \xE2\x82\xAC");
    for (const Exiv2::ByteOrder reihenfolge : {Exiv2::littleEndian, Exiv2::bigEndian}) {
        const QByteArray vorlage = MitFeldern(original, [&](Exiv2::Image& b) {
            b.setByteOrder(reihenfolge);
            b.exifData()["Exif.Image.Make"] = "Test";
        });
        Exiv2::Image::AutoPtr b = Oeffnen(MitBildunterschrift(vorlage, unterschrift, {}));
        ASSERT_EQ(b->byteOrder(), reihenfolge);
        auto e = b->exifData().findKey(Exiv2::ExifKey("Exif.Photo.UserComment"));
        ASSERT_NE(e, b->exifData().end());
        const auto* wert = dynamic_cast<const Exiv2::CommentValue*>(&e->value());
        ASSERT_TRUE(wert);
        EXPECT_EQ(wert->charsetId(), Exiv2::CommentValue::unicode);
        EXPECT_EQ(wert->comment(reihenfolge == Exiv2::littleEndian ? "UTF-16LE" : "UTF-16BE"),
                  unterschrift.toStdString());
        EXPECT_EQ(Exif(*b, "Exif.Image.ImageDescription"), unterschrift.toStdString());
    }
}

// A UserComment in UTF-16 with an emoji (as other programs write it) is the caption
// when it is the picture's only one, in either byte order.
TEST(Metadaten, Utf16KommentarWirdGelesen) {
    TestOrdner t;
    ASSERT_TRUE(JpegSchreiben(Viertelbild(), t.pfad("a.jpg"))); // without Exif
    const QString unterschrift = QString::fromUtf8("Oma \xF0\x9F\x98\x80 am Strand");
    for (const Exiv2::ByteOrder reihenfolge : {Exiv2::littleEndian, Exiv2::bigEndian}) {
        QByteArray roh("UNICODE\0", 8);
        for (const QChar c : unterschrift) {
            const char hoch = char(c.unicode() >> 8), tief = char(c.unicode() & 0xFF);
            roh += reihenfolge == Exiv2::bigEndian ? hoch : tief;
            roh += reihenfolge == Exiv2::bigEndian ? tief : hoch;
        }
        roh += QByteArray(2, '\0'); // padded, as cameras do
        const QByteArray bild = MitFeldern(TestOrdner::lesen(t.pfad("a.jpg")), [&](Exiv2::Image& b) {
            b.setByteOrder(reihenfolge);
            Exiv2::DataValue wert(Exiv2::undefined);
            wert.read(reinterpret_cast<const Exiv2::byte*>(roh.constData()), long(roh.size()));
            b.exifData()["Exif.Photo.UserComment"].setValue(&wert);
        });
        ASSERT_EQ(Oeffnen(bild)->byteOrder(), reihenfolge);
        EXPECT_EQ(EingebetteteBildunterschrift(t.datei("k.jpg", bild)), unterschrift) << int(reihenfolge);
    }
}

// A HEIC picture larger than what is read of its beginning, with its Exif after the
// picture data (as libheif writes it): its caption is still found.
TEST(Metadaten, HeicMitExifHinterDenBilddaten) {
    TestOrdner t;
    Exiv2::ExifData exif;
    exif["Exif.Image.ImageDescription"] = "Oma am See";
    Exiv2::Blob tiff;
    Exiv2::ExifParser::encode(tiff, Exiv2::littleEndian, exif);
    // Noise, so the picture data pass a megabyte.
    QImage bild(1200, 1200, QImage::Format_RGB32);
    quint32 z = 12345;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x) {
            z = z * 1103515245 + 12345;
            bild.setPixel(x, y, z >> 8);
        }
    const QString pfad = t.pfad("b.heic");
    ASSERT_TRUE(HeicKodieren(pfad, bild, 95, 1,
                             QByteArray(reinterpret_cast<const char*>(tiff.data()), qsizetype(tiff.size())),
                             true));
    const QByteArray bytes = TestOrdner::lesen(pfad);
    ASSERT_GT(bytes.size(), 1 << 20);
    ASSERT_GT(bytes.indexOf("Oma am See"), 512 << 10); // behind the picture data
    EXPECT_EQ(EingebetteteBildunterschrift(pfad), "Oma am See");
}
