#include "app/alb_Main.h"
#include "camera/alb_DatumKorrektur.h"
#include "camera/alb_Import.h"
#include "camera/alb_Kamera.h"
#include "display/zpt_FotoPanel.h"
#include "support/ScriptInteraktion.h"
#include "support/TestAlbum.h"
#include "support/Testbilder.h"
#include "sys/zpt_Fehler.h"
#include "sys/zpt_sys.h"
#include "widgets/zpt_DatumEdit.h"
#include "widgets/zpt_KeyComboBox.h"
#include "widgets/zpt_PfadEdit.h"
#include "widgets/zpt_RadioGroup.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <ctime>
#include <gtest/gtest.h>

namespace {
// A file on the "camera" with the given modification time.
QString KameraDatei(const TestOrdner& karte, const QString& name, const QDateTime& zeit,
                    const QByteArray& inhalt = {}) {
    const QString pfad =
        inhalt.isEmpty() ? JpegEinfarbig(karte.pfad(name), 16, 16) : karte.datei(name, inhalt);
    QFile f(pfad);
    f.open(QIODevice::ReadWrite);
    f.setFileTime(zeit, QFileDevice::FileModificationTime);
    return pfad;
}

QDateTime Zeit(int jahr, int monat, int tag, int stunde, int minute = 0) {
    return QDateTime(QDate(jahr, monat, tag), QTime(stunde, minute));
}
} // namespace

TEST(KameraImport, OrdnernamenUndTexte) {
    const QDate d(2005, 3, 14);
    EXPECT_EQ(TagOrdnerName(d, 0), "20050314");
    EXPECT_EQ(TagOrdnerName(QDate(2006, 2, 1), 1), "2006_02_01");
    EXPECT_EQ(TagOrdnerName(d, 2), "2005-03-14");
    EXPECT_EQ(TagOrdnerName(d, 7), "20050314");
    EXPECT_EQ(DatumFrage(Zeit(2005, 3, 14, 10, 30), QDateTime(QDate(2005, 3, 15), QTime(0, 0))),
              "Die Fotos sind zwischen dem 14.03.2005 10:30:00\rund dem 15.03.2005 aufgenommen worden.\r"
              "Ist das richtig so?");
    EXPECT_EQ(ImportMeldung(3, 0), "Es wurden 3 Dateien heruntergeladen.");
    EXPECT_EQ(ImportMeldung(0, 2), "Es wurden 0 Dateien heruntergeladen.\r2 Dateien wurden übersprungen, "
                                   "weil es sie im Album schon gibt.");
}

TEST(KameraImport, TageNachDatumMitKorrekturUndOhneUeberschreiben) {
    ScriptInteraktion ui;
    TestOrdner karte, album;
    KameraDatei(karte, "P1.JPG", Zeit(2005, 3, 14, 10, 30));
    KameraDatei(karte, "P2.JPG", Zeit(2005, 3, 15, 0, 30)); // 14 hours later
    KameraDatei(karte, "CLIP.MOV", Zeit(2005, 3, 14, 11), "film");
    KameraDatei(karte, "ohnepunkt", Zeit(2005, 3, 14, 11), "x");
    TKameraImport imp;
    imp.Quelle = karte.pfad();
    imp.Zielordner = album.pfad();
    // The first picture was taken on 20 March: every file moves by the same amount.
    imp.Versatz = Zeit(2005, 3, 14, 10, 30).msecsTo(Zeit(2005, 3, 20, 0));
    const QString tag = AddBackslash(album.pfad()) + "2005/20050320/";
    EXPECT_EQ(imp.TagOrdner(Zeit(2005, 3, 15, 0, 30)), tag); // lands at 14:00 on the 20th
    ASSERT_TRUE(imp.Ausfuehren(imp.Dateien()));
    EXPECT_EQ(imp.Kopiert, 4);
    EXPECT_EQ(QDir(tag).entryList(QDir::Files, QDir::Name),
              QStringList({"CLIP.MOV", "P1.JPG", "P2.JPG", "ohnepunkt"}));
    EXPECT_EQ(QFileInfo(tag + "P1.JPG").lastModified(),
              Zeit(2005, 3, 14, 10, 30)); // the file's own time kept
    EXPECT_EQ(TestOrdner::lesen(tag + "CLIP.MOV"), "film");

    // The same card again: nothing copied, nothing overwritten, the skipped ones named.
    TKameraImport wieder = imp;
    wieder.Kopiert = 0;
    wieder.Loeschen = true;
    QFile::remove(karte.pfad("ohnepunkt"));
    KameraDatei(karte, "p1.jpg", Zeit(2005, 3, 14, 12), "andere Kamera"); // same name in other case
    ASSERT_TRUE(wieder.Ausfuehren(wieder.Dateien()));
    EXPECT_EQ(wieder.Kopiert, 0);
    EXPECT_EQ(wieder.Uebersprungen, 4);
    EXPECT_TRUE(QFile::exists(karte.pfad("P1.JPG"))); // skipped files stay on the card
    EXPECT_NE(TestOrdner::lesen(tag + "P1.JPG"), "andere Kamera");
}

TEST(KameraImport, GleicheNamenAnVerschiedenenTagenUndLoeschen) {
    ScriptInteraktion ui;
    TestOrdner karte1, karte2, album;
    KameraDatei(karte1, "IMG_0001.JPG", Zeit(2005, 1, 1, 12));
    KameraDatei(karte2, "IMG_0001.JPG", Zeit(2005, 1, 2, 12));
    for (TestOrdner* k : {&karte1, &karte2}) {
        TKameraImport imp;
        imp.Quelle = k->pfad();
        imp.Zielordner = album.pfad();
        imp.Modus = 2;
        imp.Loeschen = true;
        ASSERT_TRUE(imp.Ausfuehren(imp.Dateien()));
        EXPECT_EQ(imp.Kopiert, 1);
        EXPECT_FALSE(QFile::exists(k->pfad("IMG_0001.JPG"))); // copied, read back, then deleted
    }
    EXPECT_TRUE(QFile::exists(album.pfad("2005/2005-01-01/IMG_0001.JPG")));
    EXPECT_TRUE(QFile::exists(album.pfad("2005/2005-01-02/IMG_0001.JPG")));
}

TEST(KameraImport, GescheiterteKopieLaesstDasBildAufDerKarte) {
    ScriptInteraktion ui;
    TestOrdner karte, album;
    const QString bild = KameraDatei(karte, "GROSS.JPG", Zeit(2005, 1, 1, 12), QByteArray(200 * 1024, 'b'));
    // A year folder that cannot be made: the message, the import ends.
    album.datei("2005", "eine Datei, kein Ordner");
    TKameraImport imp;
    imp.Quelle = karte.pfad();
    imp.Zielordner = album.pfad();
    imp.Loeschen = true;
    EXPECT_FALSE(imp.Ausfuehren(imp.Dateien()));
    ASSERT_EQ(ui.meldungen.size(), 1);
    EXPECT_TRUE(ui.meldungen[0].text.startsWith("Sie haben keine Schreibrechte für \r"));
    EXPECT_TRUE(QFile::exists(bild));

    // The disk fills in mid-copy: an error, the picture stays on the card, nothing half in the album.
    KleinesDateisystem klein(64);
    if (!klein.da()) GTEST_SKIP() << "no file system can be mounted here";
    imp.Zielordner = klein.pfad();
    EXPECT_THROW(imp.Ausfuehren(imp.Dateien()), EFehler);
    EXPECT_TRUE(QFile::exists(bild));
    EXPECT_TRUE(QDir(klein.pfad("2005/20050101")).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

namespace {
struct KameraFensterTest : ::testing::Test {
    TestKonfiguration konfiguration;
    ScriptInteraktion ui;
    TestAlbum album;
    TestOrdner karte;
};
} // namespace

TEST_F(KameraFensterTest, HerunterladenAusDemHauptfensterMitDatumskorrektur) {
    album.tag("2005", "20050101", {"a.jpg"});
    KameraDatei(karte, "P1.JPG", Zeit(2005, 3, 14, 10, 30));
    auto m = album.fenster({"/Edit"}, {900, 600});
    m->cb_Jahr->setKey("2005");
    m->cb_JahrChange();
    ui.antworten << mrNo; // the dates are wrong
    ui.dialoge << [&](QDialog& d) {
        auto& k = dynamic_cast<Tam_Kamera&>(d);
        EXPECT_EQ(k.rg_modus->title(), "Zielordner " + AddBackslash(album.pfad()));
        EXPECT_FALSE(k.bb_Download->isEnabled()); // the designed prompt is no folder
        k.ed_Kamera->setText(karte.pfad());
        EXPECT_TRUE(k.bb_Download->isEnabled());
        EXPECT_EQ(k.foto->Count(), 1);
        k.cx_DatumUeberpruefen->setChecked(true);
        k.bb_DownloadClick();
        return int(k.result());
    };
    ui.dialoge << [&](QDialog& d) {
        auto& dk = dynamic_cast<Tam_Datumskorrektur&>(d);
        EXPECT_EQ(dk.ed_Datum->date(), QDate(2005, 3, 14));
        dk.ed_Datum->setDate(QDate(2005, 3, 20));
        return int(mrOk);
    };
    m->Aktion("ax_Kamera")->trigger();
    EXPECT_EQ(ui.meldungen.back().text, "Es wurden 1 Dateien heruntergeladen.");
    EXPECT_TRUE(QFile::exists(album.ordner.pfad("2005/20050320/P1.JPG")));
    // The lists are read anew; year and day stay.
    EXPECT_EQ(m->cb_Tage->KeyList(), QStringList({"20050101", "20050320"}));
    EXPECT_EQ(m->cb_Tage->Key(), "20050101");
    // The camera folder and the choices are kept for the next time.
    KameraFenster().cx_Del->setChecked(true);
    delete &KameraFenster();
    EXPECT_EQ(KameraFenster().ed_Kamera->Text(), karte.pfad());
    EXPECT_TRUE(KameraFenster().cx_Del->isChecked());
    EXPECT_TRUE(KameraFenster().cx_DatumUeberpruefen->isChecked());
}

TEST_F(KameraFensterTest, DatumsdialogAbbrechenKopiertNichts) {
    KameraDatei(karte, "P1.JPG", Zeit(2005, 3, 14, 10, 30));
    Tam_Kamera k;
    k.Zielordner = AddBackslash(album.pfad());
    k.ed_Kamera->setText(karte.pfad());
    k.cx_DatumUeberpruefen->setChecked(true);
    ui.antworten << mrNo;
    ui.dialoge << [](QDialog&) { return int(mrCancel); };
    k.bb_DownloadClick();
    EXPECT_FALSE(QDir(album.ordner.pfad("2005")).exists());
    EXPECT_EQ(ui.meldungen.size(), 1); // the question only
}

TEST_F(KameraFensterTest, SchalterKameraOeffnetDenImportNurBeimErstenAktivieren) {
    auto m = album.fenster({"/Edit", "/KAMERA"}, {900, 600});
    QCoreApplication::processEvents();
    EXPECT_EQ(ui.modalGezeigt, 1);
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(m.get());
    QCoreApplication::processEvents();
    EXPECT_EQ(ui.modalGezeigt, 1);
}

// The album is no camera; a file gone since the listing and a caption file are skipped
// and named; the listing is in name order; the correction is clock time.
TEST(KameraImport, AlbumAlsKameraVerschwundeneDateienReihenfolgeUndSommerzeit) {
    ScriptInteraktion ui;
    TestOrdner album, karte;
    const QString tag = album.ordner("2006/20060203");
    KameraDatei(album, "2006/20060203/a.jpg", Zeit(2006, 2, 10, 12));
    album.datei("2006/20060203/ALBUM.DAT", "[TITEL]\r\nTITELNAME=Fasching\r\n");
    TKameraImport imAlbum;
    imAlbum.Quelle = tag;
    imAlbum.Zielordner = album.pfad();
    imAlbum.Loeschen = true;
    EXPECT_FALSE(imAlbum.Ausfuehren(imAlbum.Dateien()));
    EXPECT_TRUE(ui.meldungen.back().text.contains("liegt im Album"));
    EXPECT_EQ(QDir(tag).entryList(QDir::Files, QDir::Name), QStringList({"ALBUM.DAT", "a.jpg"}));
    EXPECT_FALSE(QFileInfo::exists(album.pfad("2006/20060210")));

    KameraDatei(karte, "b.JPG", Zeit(2005, 5, 2, 12));
    KameraDatei(karte, "A.JPG", Zeit(2005, 5, 1, 12));
    KameraDatei(karte, "c.JPG", Zeit(2005, 5, 3, 12));
    karte.datei("ALBUM.DAT", "[TITEL]\r\nTITELNAME=fremd\r\n");
    TKameraImport imp;
    imp.Quelle = karte.pfad();
    imp.Zielordner = album.pfad();
    imp.Loeschen = true;
    const QStringList namen = imp.Dateien();
    EXPECT_EQ(namen, QStringList({"A.JPG", "ALBUM.DAT", "b.JPG", "c.JPG"}));
    QFile::remove(karte.pfad("b.JPG")); // taken out after the listing
    ASSERT_TRUE(imp.Ausfuehren(namen));
    EXPECT_EQ(imp.Kopiert, 2);
    EXPECT_EQ(imp.Verschwunden, 1);
    EXPECT_EQ(imp.AlbumDateien, 1);
    EXPECT_TRUE(QFile::exists(karte.pfad("ALBUM.DAT")));
    EXPECT_EQ(QDir(album.pfad()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name),
              QStringList({"2005", "2006"})); // no year "0"
    EXPECT_EQ(ImportMeldung(2, 0, 1, 1),
              "Es wurden 2 Dateien heruntergeladen.\r1 Dateien waren nicht mehr im Kameraordner und wurden "
              "übersprungen.\r1 Bildunterschriften-Dateien (ALBUM.DAT) wurden nicht heruntergeladen.");

    // One day later by the clock, across the change to summer time (27 March 2005).
    const QByteArray tz = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    TKameraImport sommer;
    sommer.Zielordner = album.pfad();
    sommer.Versatz = WanduhrAbstand(Zeit(2005, 3, 20, 12), Zeit(2005, 3, 21, 12));
    EXPECT_EQ(sommer.TagOrdner(Zeit(2005, 3, 26, 23, 30)), AddBackslash(album.pfad()) + "2005/20050327/");
    sommer.Versatz = WanduhrAbstand(Zeit(2005, 3, 26, 23, 30), Zeit(2005, 3, 28, 0));
    EXPECT_EQ(sommer.Versatz, qint64(24 * 3600 + 1800) * 1000);
    qputenv("TZ", tz);
    tzset();
}

// A phone's pictures copied days later land on the day they were taken; a video of the
// same name goes with its picture; the rest by file time, and the message says which.
TEST(KameraImport, NachAufnahmedatumEingeordnet) {
    ScriptInteraktion ui;
    TestOrdner karte, album;
    JpegMitExif(karte.pfad("IMG_0001.JPG"), Zeit(2024, 7, 14, 18, 30));
    KameraDatei(karte, "IMG_0001.MOV", Zeit(2024, 8, 1, 9), "film");
    KameraDatei(karte, "ohne.jpg", Zeit(2024, 8, 1, 9)); // no EXIF time
    for (const QString& n : {"IMG_0001.JPG"}) {
        QFile f(karte.pfad(n));
        f.open(QIODevice::ReadWrite);
        f.setFileTime(Zeit(2024, 8, 1, 9), QFileDevice::FileModificationTime); // copied later
    }
    TKameraImport imp;
    imp.Quelle = karte.pfad();
    imp.Zielordner = album.pfad();
    bool aufnahme = false;
    EXPECT_EQ(imp.Zeit("IMG_0001.JPG", &aufnahme), Zeit(2024, 7, 14, 18, 30));
    EXPECT_TRUE(aufnahme);
    EXPECT_EQ(imp.Zeit("IMG_0001.MOV"), Zeit(2024, 7, 14, 18, 30));
    EXPECT_EQ(imp.Zeit("ohne.jpg", &aufnahme), Zeit(2024, 8, 1, 9));
    EXPECT_FALSE(aufnahme);
    ASSERT_TRUE(imp.Ausfuehren(imp.Dateien()));
    const QString juli = AddBackslash(album.pfad()) + "2024/20240714/";
    EXPECT_EQ(QDir(juli).entryList(QDir::Files, QDir::Name), QStringList({"IMG_0001.JPG", "IMG_0001.MOV"}));
    EXPECT_TRUE(QFile::exists(AddBackslash(album.pfad()) + "2024/20240801/ohne.jpg"));
    EXPECT_EQ(
        ImportMeldung(imp.Kopiert, 0, 0, 0, imp.NachAufnahme, imp.NachDateidatum),
        "Es wurden 3 Dateien heruntergeladen.\r2 Bilder nach Aufnahmedatum, 1 nach Dateidatum eingeordnet.");
}
