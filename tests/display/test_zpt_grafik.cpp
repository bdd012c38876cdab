#include "display/zpt_Exif.h"
#include "display/zpt_FotoListe.h"
#include "display/zpt_grafik.h"
#include "support/TestOrdner.h"
#include "support/Testbilder.h"

#include <QFile>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <jpeglib.h>

TEST(Einpassen, BeispieleMitGleichstandUndHochformat) {
    EXPECT_EQ(BildEinpassen({640, 480}, {810, 610}, 5), QRect(5, 5, 800, 600));
    EXPECT_EQ(BildEinpassen({480, 640}, {810, 610}, 5), QRect(180, 5, 450, 600));
    EXPECT_EQ(BildEinpassen({1000, 200}, {810, 610}, 5), QRect(5, 225, 800, 160));
}

TEST(Einpassen, BruechteWerdenAbgeschnittenNichtGerundet) {
    // 640x481 in 800x600: height rules, newW = 798.336..., left = 5.83...
    EXPECT_EQ(BildEinpassen({640, 481}, {810, 610}, 5), QRect(5, 5, 798, 600));
    // 3x2 in a 100x100 area with margin 0: newH = 66.66 -> 66, top = 16.66 -> 16
    EXPECT_EQ(BildEinpassen({3, 2}, {100, 100}, 0), QRect(0, 16, 100, 66));
}

TEST(Einpassen, ZuKleineFlaecheUndLeeresBild) {
    EXPECT_EQ(BildEinpassen({640, 480}, {10, 610}, 5), QRect(5, 5, 0, 0));
    EXPECT_EQ(BildEinpassen({640, 480}, {3, 3}, 5), QRect(5, 5, 0, 0));
    EXPECT_TRUE(BildEinpassen({0, 480}, {810, 610}, 5).isNull());
}

TEST(Einpassen, Entscheidung) {
    const QSize client(810, 610);
    EXPECT_TRUE(EinpassenNoetig(true, false, {300, 200}, client));
    EXPECT_FALSE(EinpassenNoetig(false, true, {300, 200}, client));
    EXPECT_TRUE(EinpassenNoetig(false, true, {1000, 200}, client));
    EXPECT_TRUE(EinpassenNoetig(false, true, {200, 611}, client));
    EXPECT_FALSE(EinpassenNoetig(false, false, {5000, 5000}, client));
    EXPECT_FALSE(EinpassenNoetig(true, false, {0, 0}, client));
}

TEST(Dekodieren, JpegInVollerGroesseUndFarbe) {
    TestOrdner t;
    DekodiertesBild b;
    ASSERT_TRUE(BildLaden(JpegEinfarbig(t.pfad("a.JPEG"), 641, 481, QColor(0, 0, 255)), b));
    EXPECT_EQ(b.bild.size(), QSize(641, 481));
    EXPECT_EQ(b.originalGroesse, QSize(641, 481));
    EXPECT_FALSE(b.verkleinert());
    const QColor mitte = b.bild.pixelColor(320, 240);
    EXPECT_LE(mitte.red(), 8);
    EXPECT_GE(mitte.blue(), 245);
}

TEST(Dekodieren, KaputteDateienSindLadefehlerOhneAbsturz) {
    TestOrdner t;
    DekodiertesBild b;
    QString fehler;
    EXPECT_FALSE(BildLaden(t.datei("leer.jpg", ""), b, &fehler));
    EXPECT_FALSE(BildLaden(t.datei("text.jpg", "kein Bild, nur Text"), b, &fehler));
    EXPECT_FALSE(fehler.isEmpty());
    EXPECT_FALSE(
        BildLaden(t.datei("muell.jpg", QByteArray("\xFF\xD8\xFF\xE0") + QByteArray(5000, '\x17')), b));
    EXPECT_FALSE(BildLaden(t.pfad("fehlt.jpg"), b));
    EXPECT_TRUE(b.bild.isNull());
    EXPECT_FALSE(BildLaden(t.datei("x.unbekannt", "x"), b));
}

TEST(Dekodieren, AbgeschnitteneDateiZeigtWasDaIst) {
    TestOrdner t;
    const QString voll = JpegEinfarbig(t.pfad("voll.jpg"), 400, 300, Qt::green);
    const QByteArray daten = TestOrdner::lesen(voll);
    DekodiertesBild b;
    ASSERT_TRUE(BildLaden(t.datei("halb.jpg", daten.left(daten.size() / 2)), b));
    EXPECT_EQ(b.bild.size(), QSize(400, 300));
    EXPECT_FALSE(BildLaden(t.datei("kopf.jpg", daten.left(20)), b));
}

namespace {
// A 16x16 JPEG of one colour in the given colour space, written straight through libjpeg.
QByteArray JpegRoh(J_COLOR_SPACE raum, const QByteArray& pixel) {
    const QByteArray zeile = pixel.repeated(16);
    return JpegRoh(raum, int(pixel.size()), 16, 16,
                   [&](int, unsigned char* z) { std::memcpy(z, zeile.constData(), size_t(zeile.size())); });
}
} // namespace

TEST(Dekodieren, CmykUndGrauErscheinenInIhrenFarben) {
    TestOrdner t;
    DekodiertesBild b;
    // As print programs write CMYK (Adobe marker, inks inverted): pure red.
    ASSERT_TRUE(BildLaden(t.datei("cmyk.jpg", JpegRoh(JCS_CMYK, QByteArray("\xFF\x00\x00\xFF", 4))), b));
    const QColor rot = b.bild.pixelColor(8, 8);
    EXPECT_GE(rot.red(), 240);
    EXPECT_LE(rot.green(), 15);
    EXPECT_LE(rot.blue(), 15);
    ASSERT_TRUE(BildLaden(t.datei("grau.jpg", JpegRoh(JCS_GRAYSCALE, QByteArray(1, char(128)))), b));
    const QColor grau = b.bild.pixelColor(8, 8);
    EXPECT_NEAR(grau.red(), 128, 3);
    EXPECT_EQ(grau.red(), grau.blue());
}

TEST(Dekodieren, AndereFormateUeberQt) {
    TestOrdner t;
    QImage png(30, 20, QImage::Format_RGB32);
    png.fill(Qt::yellow);
    ASSERT_TRUE(png.save(t.pfad("b.png")));
    DekodiertesBild b;
    ASSERT_TRUE(BildLaden(t.pfad("b.png"), b));
    EXPECT_EQ(b.originalGroesse, QSize(30, 20));
    // A JPEG named .png is not read as JPEG: the name decides.
    EXPECT_FALSE(BildLaden(JpegEinfarbig(t.pfad("falsch.png"), 8, 8), b));
}

TEST(Dekodieren, RiesigeBilderWerdenVerkleinertOderAbgelehnt) {
    TestOrdner t;
    DekodiertesBild b;
    // 12000x9000 = 108 Mpx: decoded at half size, true size kept.
    ASSERT_TRUE(BildLaden(JpegMitKopfgroesse(t.pfad("gross.jpg"), 12000, 9000), b));
    EXPECT_EQ(b.originalGroesse, QSize(12000, 9000));
    EXPECT_EQ(b.bild.size(), QSize(6000, 4500));
    EXPECT_TRUE(b.verkleinert());
    // 65000x65000 would need 12 GB; even at 1/8 it stays above the bound.
    EXPECT_FALSE(BildLaden(JpegMitKopfgroesse(t.pfad("riesig.jpg"), 65000, 65000), b));
    EXPECT_TRUE(b.bild.isNull());
}

TEST(Dekodieren, KameraOrientierungZeigtJedesBildAufrecht) {
    TestOrdner t;
    const QImage aufrecht = Viertelbild();
    for (int o = 1; o <= 8; ++o) {
        const QString pfad = JpegMitOrientierung(t.pfad(QString("o%1.jpg").arg(o)), aufrecht, o);
        EXPECT_EQ(JpegOrientierung(TestOrdner::lesen(pfad)), o);
        DekodiertesBild b;
        ASSERT_TRUE(JpegDekodieren(pfad, b)) << o;
        EXPECT_EQ(b.originalGroesse, QSize(64, 32)) << o; // the size as shown
        ASSERT_EQ(b.bild.size(), QSize(64, 32)) << o;
        for (int e = 0; e < 4; ++e)
            EXPECT_EQ(Ecke(b.bild, e), Ecke(aufrecht, e)) << "Orientierung " << o << ", Ecke " << e;
    }
    // Only the top-left part, in every orientation: the same corners, the wanted size.
    for (int o = 1; o <= 8; ++o) {
        DekodiertesBild teil;
        ASSERT_TRUE(JpegTeilDekodieren(t.pfad(QString("o%1.jpg").arg(o)), teil, nullptr, {}, QSize(48, 24)));
        ASSERT_EQ(teil.bild.size(), QSize(48, 24)) << o;
        EXPECT_EQ(teil.originalGroesse, QSize(64, 32)) << o;
        for (int e = 0; e < 4; ++e)
            EXPECT_EQ(Ecke(teil.bild, e), Ecke(aufrecht, e)) << "Orientierung " << o << ", Ecke " << e;
    }
    // A tall picture stored lying (Orientation 6) in a tall area: decoded at the scale its
    // upright size needs, not at the one its stored size would.
    const QString hoch = JpegMitOrientierung(t.pfad("hoch.jpg"), QImage(800, 1600, QImage::Format_RGB32), 6);
    DekodiertesBild b;
    ASSERT_TRUE(
        JpegDekodieren(hoch, b, nullptr, [](QSize g) { return g.scaled(400, 800, Qt::KeepAspectRatio); }));
    EXPECT_EQ(b.bild.size(), QSize(400, 800));
    // A broken or foreign EXIF block counts as upright.
    EXPECT_EQ(ExifOrientierung(QByteArray("Exif\0\0MM\0\x2A\xFF\xFF\xFF\xFF", 14)), 1);
    EXPECT_EQ(ExifOrientierung("XMP data"), 1);
    QByteArray ohne = TestOrdner::lesen(JpegEinfarbig(t.pfad("ohne.jpg"), 16, 16));
    EXPECT_FALSE(JpegOrientierungSetzen(ohne, 1));
}

TEST(Dekodieren, FeindlicheDateienBindenWederSpeicherNochZeit) {
    TestOrdner t;
    DekodiertesBild b;
    QString fehler;
    // Far larger than any JPEG within the pixel bound: refused unread (sparse, no disk used).
    const QString riesig = JpegEinfarbig(t.pfad("riesig.jpg"), 16, 16);
    {
        QFile f(riesig);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.resize(kMaxJpegDatei + 1));
    }
    EXPECT_FALSE(JpegDekodieren(riesig, b, &fehler));
    EXPECT_EQ(fehler, "Datei zu groß");
    // Thousands of scans are what crafted files ask for; a dozen is what encoders write.
    EXPECT_FALSE(JpegDekodieren(JpegMitScans(t.pfad("scans.jpg"), 64, 64, 127), b, &fehler));
    EXPECT_TRUE(fehler.contains("Scans")) << fehler.toStdString();
    ASSERT_TRUE(JpegDekodieren(JpegMitScans(t.pfad("wenige.jpg"), 64, 64, 21), b, &fehler));
    EXPECT_EQ(b.bild.size(), QSize(64, 64));
}

TEST(FotoListe, NurJpgOhneVersteckteSortiertOhneGrossKlein) {
    TestOrdner t;
    for (const char* n : {"b.JPG", "A.jpg", "c.Jpg", ".x.jpg", "d.jpeg", "e.png", "Ärger.jpg"})
        t.datei(n, "x");
    t.ordner("ordner.jpg");
    EXPECT_EQ(FotoDateienLesen(t.pfad() + "/", true), QStringList({"A.jpg", "Ärger.jpg", "b.JPG", "c.Jpg"}));
    EXPECT_TRUE(FotoDateienLesen({}, true).isEmpty());
    EXPECT_TRUE(FotoDateienLesen(t.pfad("fehlt/"), true).isEmpty());
}

TEST(FotoListe, IndexVonNamenAnderenOrdnernUndGrossKlein) {
    const QStringList l{"A.jpg", "b.JPG", "c.jpg"};
    EXPECT_EQ(FotoIndex(l, "/album/", "/album/B.jpg"), 1);
    EXPECT_EQ(FotoIndex(l, "/album/", "/album/c.jpg"), 2);
    EXPECT_EQ(FotoIndex(l, "/album/", "/anders/c.jpg"), 0);
    EXPECT_EQ(FotoIndex(l, "/album/", "/ALBUM/c.jpg"), 0); // the folder prefix is exact
    EXPECT_EQ(FotoIndex(l, "/album/", "/album/fehlt.jpg"), 0);
    EXPECT_EQ(FotoIndex(l, "", "c.jpg"), 0);
    EXPECT_EQ(FotoIndex(l, "/album/", ""), 0);
}
