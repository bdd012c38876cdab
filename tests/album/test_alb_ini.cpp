#include "album/alb_Loeschen.h"
#include "album/alb_ini.h"
#include "settings/zpt_ProfilDatei.h"
#include "support/TestOrdner.h"
#include "sys/zpt_sys.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <gtest/gtest.h>

TEST(TagDatum, NamenFormenUndFremdes) {
    EXPECT_EQ(TagDatumText("20050101"), "01.01.2005");
    EXPECT_EQ(TagDatumText("050101"), "01.01.2005");
    EXPECT_EQ(TagDatumText("991231"), "31.12.1999");
    EXPECT_EQ(TagDatumText("491231"), "31.12.2049");
    EXPECT_EQ(TagDatumText("2005_01_01"), "01.01.2005");
    EXPECT_EQ(TagDatumText("2005-01-01"), "01.01.2005");
    EXPECT_EQ(TagDatumText("20050101 Urlaub"), "01.01.2005");
    EXPECT_EQ(TagDatumText("2005"), "2005");
    EXPECT_EQ(TagDatumText("Urlaub"), "");
    EXPECT_EQ(TagDatumText("20051399"), "99.13.2005");
    EXPECT_EQ(TagDatumText(""), "");
    EXPECT_EQ(TagDatumText("99999999999"), ""); // too large for a number
    const QString s = QString(QChar(u'/'));
    EXPECT_EQ(VerzeichnisDatumText(s + "album" + s + "2005" + s + "050102" + s), "02.01.2005");
    EXPECT_EQ(VerzeichnisDatumText("050102"), "02.01.2005");
}

TEST(AlbumDat, TitelUndBeschriftungAusWindows1252) {
    TestOrdner t;
    t.datei("2005/20050101/ALBUM.DAT", "[TITEL]\r\nTITELNAME=Gr\xfc\xdf"
                                       "e aus K\xf6ln\r\n");
    t.ordner("2005/20050102");
    const QString jahr = t.pfad("2005");
    EXPECT_EQ(TitelLesen(AddBackslash(t.pfad("2005/20050101"))), QString::fromUtf8("Grüße aus Köln"));
    EXPECT_EQ(TitelLesen(t.pfad("2005/20050101/bild.jpg")), QString::fromUtf8("Grüße aus Köln"));
    EXPECT_EQ(TagBeschriftung(jahr, "20050101"), QString::fromUtf8("01.01.2005 - Grüße aus Köln"));
    EXPECT_EQ(TagBeschriftung(jahr, "20050102"), "02.01.2005 - ");
    EXPECT_EQ(TagBeschriftung(jahr, "Urlaub"), " - ");
}

TEST(AlbumDat, DateinameInAnderemFallIstDieselbeDatei) {
    TestOrdner t;
    const QString ordner = t.ordner("tag");
    t.datei("tag/Album.dat", "[titel]\r\ntitelname=Export\r\n[bild img_0001.jpg]\r\nzeile00=klein\r\n");
    EXPECT_EQ(TitelLesen(AddBackslash(ordner)), "Export");
    QStringList z;
    BildtextLesen(ordner, "IMG_0001.JPG", z);
    EXPECT_EQ(z, QStringList({"klein"}));
    ASSERT_TRUE(TitelSchreiben(ordner, "Neu"));
    EXPECT_FALSE(QFile::exists(t.pfad("tag/ALBUM.DAT")));
    EXPECT_EQ(TestOrdner::lesen(t.pfad("tag/Album.dat")),
              "[titel]\r\ntitelname=Neu\r\n[bild img_0001.jpg]\r\nzeile00=klein\r\n");
}

TEST(AlbumDat, BildtextEndetAnDerErstenLueckeUndNutztDreistelligeSchluessel) {
    TestOrdner t;
    const QString ordner = t.ordner("tag");
    QStringList lang;
    for (int i = 0; i <= 100; ++i)
        lang << QString("Zeile %1").arg(i);
    ASSERT_TRUE(BildtextSchreiben(ordner, "A.JPG", lang));
    const QByteArray datei = TestOrdner::lesen(t.pfad("tag/ALBUM.DAT"));
    EXPECT_TRUE(datei.contains("ZEILE00=Zeile 0\r\n"));
    EXPECT_TRUE(datei.contains("ZEILE99=Zeile 99\r\nZEILE100=Zeile 100\r\n"));
    QStringList z;
    BildtextLesen(AddBackslash(ordner) + "a.jpg", z);
    EXPECT_EQ(z, lang);

    t.datei("tag2/ALBUM.DAT", "[BILD X.JPG]\r\nZEILE00=eins\r\nZEILE01=\r\nZEILE02=drei\r\n");
    BildtextLesen(t.pfad("tag2"), "X.JPG", z);
    EXPECT_EQ(z, QStringList({"eins"}));
    BildtextLesen(t.pfad("fehlt"), "X.JPG", z);
    EXPECT_TRUE(z.isEmpty());
}

TEST(AlbumDat, KuerzererOderGeleerterBildtextLiestSichWieGeschrieben) {
    TestOrdner t;
    const QString ordner = t.ordner("tag");
    t.datei("tag/ALBUM.DAT",
            "[TITEL]\r\nTITELNAME=T\r\n[BILD A.JPG]\r\nZEILE00=a\r\nZEILE01=b\r\nZEILE02=c\r\n"
            "[BILD B.JPG]\r\nZEILE00=anderes\r\n");
    ASSERT_TRUE(BildtextSchreiben(ordner, "A.JPG", {"neu"}));
    QStringList z;
    BildtextLesen(ordner, "A.JPG", z);
    EXPECT_EQ(z, QStringList({"neu"}));
    ASSERT_TRUE(BildtextSchreiben(ordner, "a.jpg", {}));
    BildtextLesen(ordner, "A.JPG", z);
    EXPECT_TRUE(z.isEmpty());
    EXPECT_EQ(TestOrdner::lesen(t.pfad("tag/ALBUM.DAT")),
              "[TITEL]\r\nTITELNAME=T\r\n[BILD B.JPG]\r\nZEILE00=anderes\r\n");
}

TEST(AlbumDat, Windows1252BytesBleibenBeimSchreibenAndererSchluessel) {
    TestOrdner t;
    const QString ordner = t.ordner("tag");
    const QByteArray vorher = "[TITEL]\r\nTITELNAME=M\xe4rz\r\n[BILD A.JPG]\r\nZEILE00=S\xfc\xdf\r\n";
    t.datei("tag/ALBUM.DAT", vorher);
    ASSERT_TRUE(BildtextSchreiben(ordner, "B.JPG", {QString::fromUtf8("Bär")}));
    EXPECT_EQ(TestOrdner::lesen(t.pfad("tag/ALBUM.DAT")), vorher + "[BILD B.JPG]\r\nZEILE00=B\xe4r\r\n");
}

// Written by Windows' Unicode profile functions: read, and written back in the same encoding.
TEST(AlbumDat, Utf16UndUtf8MitBomBleibenInIhrerKodierung) {
    TestOrdner t;
    const QString text = QString::fromUtf8("[TITEL]\r\nTITELNAME=Grüße\r\n[BILD A.JPG]\r\nZEILE00=Oma\r\n");
    const struct {
        const char* name;
        QByteArray bom;
        QStringConverter::Encoding kodierung;
    } faelle[] = {{"le", "\xFF\xFE", QStringConverter::Utf16LE},
                  {"be", "\xFE\xFF", QStringConverter::Utf16BE},
                  {"u8", "\xEF\xBB\xBF", QStringConverter::Utf8}};
    for (const auto& f : faelle) {
        const QString ordner = t.ordner(f.name);
        QStringEncoder kodierer(f.kodierung);
        t.datei(QString(f.name) + "/ALBUM.DAT", f.bom + QByteArray(kodierer(text)));
        EXPECT_EQ(TitelLesen(AddBackslash(ordner)), QString::fromUtf8("Grüße")) << f.name;
        ASSERT_TRUE(BildtextSchreiben(ordner, "B.JPG", {QString::fromUtf8("Bär")}));
        QStringEncoder wieder(f.kodierung);
        EXPECT_EQ(TestOrdner::lesen(ordner + "/ALBUM.DAT"),
                  f.bom + QByteArray(wieder(text + QString::fromUtf8("[BILD B.JPG]\r\nZEILE00=Bär\r\n"))))
            << f.name;
    }
}

TEST(AlbumDat, UnsinnigeDateienOhneAbsturzUndInVertretbarerZeit) {
    TestOrdner t;
    QByteArray muell;
    for (int i = 0; i < 200000; ++i)
        muell.append(char((i * 7919) % 256));
    t.datei("a/ALBUM.DAT", muell);
    QStringList z;
    BildtextLesen(t.pfad("a"), "X.JPG", z);
    TitelLesen(t.pfad("a/x.jpg"));

    QByteArray serie = "[BILD X.JPG]\r\n";
    for (int i = 0; i < 20000; ++i)
        serie += ZeilenSchluessel(i).toLatin1() + "=z\r\n";
    t.datei("b/ALBUM.DAT", serie);
    BildtextLesen(t.pfad("b"), "X.JPG", z);
    EXPECT_EQ(z.size(), 20000);

    const QByteArray titel("\0\0\r\n[TITEL]\r\nTITELNAME=da\r\n", 28);
    t.datei("c/ALBUM.DAT", QByteArray(7 << 20, 'x') + titel);
    EXPECT_EQ(TitelLesen(t.pfad("c/x.jpg")), "da");
    // Past the limit no caption file of ours: not read at all (a write then says why).
    t.datei("d/ALBUM.DAT", QByteArray(10 << 20, 'x') + titel);
    EXPECT_EQ(TitelLesen(t.pfad("d/x.jpg")), "");
}

TEST(AlbumDat, BildnamenMitKlammernUndSonderzeichenLesenSichZurueck) {
    TestOrdner t;
    const QString ordner = t.ordner("tag");
    const QStringList namen = {"Foto [1].jpg", "a]b=c;d.jpg", QString::fromUtf8("[Ä] ö = ü;.JPG"), "x].jpg"};
    for (int runde = 0; runde < 2; ++runde)
        for (const QString& name : namen)
            ASSERT_TRUE(BildtextSchreiben(ordner, name, {name + " Text", QString::number(runde)}));
    for (const QString& name : namen) {
        QStringList z;
        BildtextLesen(ordner, name, z);
        EXPECT_EQ(z, QStringList({name + " Text", "1"}));
    }
    // Saving twice replaced each section instead of appending another copy.
    EXPECT_EQ(TestOrdner::lesen(t.pfad("tag/ALBUM.DAT")).count("[BILD "), namen.size());

    // A file with copies left by the old fault: the first is read, one stays.
    t.datei("alt/ALBUM.DAT", "[BILD Foto [1].jpg]\r\nZEILE00=erste\r\n[TITEL]\r\nTITELNAME=T\r\n"
                             "[BILD Foto [1].jpg]\r\nZEILE00=zweite\r\nZEILE01=mehr\r\n");
    QStringList z;
    BildtextLesen(t.pfad("alt"), "Foto [1].jpg", z);
    EXPECT_EQ(z, QStringList({"erste"}));
    ASSERT_TRUE(BildtextSchreiben(t.pfad("alt"), "Foto [1].jpg", {"neu"}));
    EXPECT_EQ(TestOrdner::lesen(t.pfad("alt/ALBUM.DAT")),
              "[BILD Foto [1].jpg]\r\nZEILE00=neu\r\n[TITEL]\r\nTITELNAME=T\r\n");
}

TEST(AlbumDat, GetippterTextLiestSichGenauZurueck) {
    TestOrdner t;
    const QString ordner = t.ordner("tag");
    // Empty lines inside are left out, so nothing behind them is hidden or lost.
    ASSERT_TRUE(BildtextSchreiben(ordner, "A.JPG", {"Eins", "", "   ", "Drei"}));
    QStringList z;
    BildtextLesen(ordner, "A.JPG", z);
    EXPECT_EQ(z, QStringList({"Eins", "Drei"}));
    // Blanks at the ends and enclosing quotes survive.
    const QStringList besonders = {"  eingerückt", "hinten  ", "\"zitiert\"", "'einfach'", "\"halb"};
    ASSERT_TRUE(BildtextSchreiben(ordner, "B.JPG", besonders));
    BildtextLesen(ordner, "B.JPG", z);
    EXPECT_EQ(z, besonders);
    ASSERT_TRUE(TitelSchreiben(ordner, " \"Urlaub\" "));
    EXPECT_EQ(TitelLesen(AddBackslash(ordner)), " \"Urlaub\" ");
    // Files written earlier keep their reading: an empty line ends the caption.
    t.datei("alt/ALBUM.DAT", "[BILD X.JPG]\r\nZEILE00=neu\r\nZEILE01=\r\nZEILE02=alt\r\n");
    BildtextLesen(t.pfad("alt"), "X.JPG", z);
    EXPECT_EQ(z, QStringList({"neu"}));
}

TEST(AlbumDat, DoppelterZeilenschluesselKommtNichtZurueck) {
    TestOrdner t;
    t.datei("tag/ALBUM.DAT", "[BILD P1.JPG]\r\nZEILE00=a\r\nZEILE01=b\r\nZEILE01=c\r\n");
    QStringList z;
    BildtextLesen(t.pfad("tag"), "P1.JPG", z);
    EXPECT_EQ(z, QStringList({"a", "b"}));
    ASSERT_TRUE(BildtextSchreiben(t.pfad("tag"), "P1.JPG", {"x"}));
    BildtextLesen(t.pfad("tag"), "P1.JPG", z);
    EXPECT_EQ(z, QStringList({"x"}));
}

TEST(AlbumDat, UnlesbareDateiUndUnbenennbareBilderWerdenNichtBeschrieben) {
    TestOrdner t;
    const QString ordner = t.ordner("tag");
    const QString datei = t.unlesbar("tag/ALBUM.DAT");
    EXPECT_FALSE(TitelSchreiben(ordner, "T"));
    EXPECT_FALSE(BildtextSchreiben(ordner, "A.JPG", {"x"}));
    EXPECT_TRUE(QFileInfo(datei).isSymLink()); // still the old file, not a new one
    EXPECT_EQ(TitelLesen(AddBackslash(ordner), "v"), "v");

    // A line break in a name would split the section header.
    const QString zweiter = t.ordner("zwei");
    EXPECT_FALSE(BildtextSchreiben(zweiter, "a\nb.jpg", {"x"}));
    EXPECT_FALSE(BildnameSpeicherbar("a\rb.jpg"));
    EXPECT_FALSE(QFileInfo::exists(t.pfad("zwei/ALBUM.DAT")));
}

TEST(AlbumDat, BildtextEinesGeloeschtenBildesGehoertNurDemselbenBild) {
    TestOrdner t;
    const QString ordner = t.ordner("20050101");
    t.datei("20050101/a.jpg", "eins");
    ASSERT_TRUE(BildtextSchreiben(ordner, "a.jpg", {"Oma", "am Meer"}));
    ASSERT_TRUE(BildtextSchreiben(ordner, "b.jpg", {"Opa"}));
    const QString kennung = BildKennung(t.pfad("20050101/a.jpg"));
    ASSERT_FALSE(kennung.isEmpty());
    ASSERT_TRUE(BildtextBeiseitelegen(ordner, "a.jpg", kennung));
    const auto lesen = [&] {
        QStringList zeilen;
        BildtextLesen(ordner, "a.jpg", zeilen);
        return zeilen;
    };
    const auto namen = [&] {
        QStringList n;
        for (const auto& [bild, zeilen] : AlleBildtexte(TProfilDatei(AlbumDatei(ordner)).Lesen()))
            n << bild;
        return n;
    };
    // Still the same picture (its deletion failed): its caption.
    EXPECT_EQ(lesen(), QStringList({"Oma", "am Meer"}));
    // Another picture of that name and size: none, and none for the search.
    t.datei("20050101/a.jpg", "zwei");
    EXPECT_TRUE(lesen().isEmpty());
    EXPECT_EQ(namen(), QStringList({"b.jpg"}));
    // The same one back: the viewer reads it without changing the file, the editor
    // puts it back where every reader finds it.
    t.datei("20050101/a.jpg", "eins");
    const QByteArray vorher = TestOrdner::lesen(AlbumDatei(ordner));
    BildtexteZurueckgeben(false);
    EXPECT_EQ(lesen(), QStringList({"Oma", "am Meer"}));
    EXPECT_EQ(TestOrdner::lesen(AlbumDatei(ordner)), vorher);
    BildtexteZurueckgeben(true);
    EXPECT_EQ(lesen(), QStringList({"Oma", "am Meer"}));
    BildtexteZurueckgeben(false);
    EXPECT_EQ(namen(), QStringList({"b.jpg", "a.jpg"}));
    EXPECT_FALSE(QString::fromLatin1(TestOrdner::lesen(AlbumDatei(ordner))).contains("PAPIERKORB"));
}

// The texts an export reads for a day: a picture back from the trash carries its caption
// even before it was shown again; another picture of its name does not.
TEST(AlbumDat, TagTexteEinesZurueckgeholtenBildes) {
    TestOrdner t;
    const QString ordner = t.ordner("20050101");
    t.datei("20050101/a.jpg", "eins");
    ASSERT_TRUE(BildtextSchreiben(ordner, "a.jpg", {"Oma", "am Meer"}));
    ASSERT_TRUE(BildtextBeiseitelegen(ordner, "a.jpg", BildKennung(t.pfad("20050101/a.jpg"))));
    EXPECT_EQ(TagTexteLesen(ordner).Zeilen("a.jpg"), QStringList({"Oma", "am Meer"}));
    t.datei("20050101/a.jpg", "zwei");
    EXPECT_TRUE(TagTexteLesen(ordner).Zeilen("a.jpg").isEmpty());
    ASSERT_TRUE(QFile::remove(t.pfad("20050101/a.jpg")));
    EXPECT_TRUE(TagTexteLesen(ordner).Zeilen("a.jpg").isEmpty());
}
