#include "app/alb_Main.h"
#include "camera/alb_DatumKorrektur.h"
#include "camera/alb_Import.h"
#include "camera/alb_Kamera.h"
#include "display/zpt_FotoPanel.h"
#include "support/ScriptInteraktion.h"
#include "support/TestAlbum.h"
#include "support/Testbilder.h"
#include "sys/zpt_Ersetzen.h"
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
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <ctime>
#include <gtest/gtest.h>
#include <latch>
#include <thread>
#include <vector>

namespace {
void Dateizeit(const QString& pfad, const QDateTime& zeit) {
    QFile f(pfad);
    f.open(QIODevice::ReadWrite);
    f.setFileTime(zeit, QFileDevice::FileModificationTime);
}

// Sets the local time zone for one test.
struct Zeitzone {
    QByteArray vorher = qgetenv("TZ");
    explicit Zeitzone(const char* tz) {
        qputenv("TZ", tz);
        tzset();
    }
    ~Zeitzone() {
        if (vorher.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", vorher);
        tzset();
    }
};

// A file on the "camera" with the given modification time.
QString KameraDatei(const TestOrdner& karte, const QString& name, const QDateTime& zeit,
                    const QByteArray& inhalt = {}) {
    const QString pfad =
        inhalt.isEmpty() ? JpegEinfarbig(karte.pfad(name), 16, 16) : karte.datei(name, inhalt);
    Dateizeit(pfad, zeit);
    return pfad;
}

QDateTime Zeit(int jahr, int monat, int tag, int stunde, int minute = 0) {
    return QDateTime(QDate(jahr, monat, tag), QTime(stunde, minute));
}

// An import of the camera folder `quelle` into the album at `ziel`.
TKameraImport Import(const QString& quelle, const QString& ziel, bool loeschen = false) {
    TKameraImport imp;
    imp.Quelle = quelle;
    imp.Zielordner = ziel;
    imp.Loeschen = loeschen;
    return imp;
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
    TKameraImport imp;
    imp.Kopiert = 3;
    EXPECT_EQ(imp.Meldung(), "Es wurden 3 Dateien heruntergeladen.");
    imp.Kopiert = 0;
    imp.Uebersprungen = 2;
    imp.UebersprungenNamen = QStringList{"A.JPG", "B.JPG"};
    EXPECT_EQ(imp.Meldung(), "Es wurden 0 Dateien heruntergeladen.\r2 Dateien wurden übersprungen, "
                             "weil es sie im Album schon gibt.\rA.JPG, B.JPG");
    // A long list is cut, with the number left out.
    imp.Uebersprungen = 32;
    imp.UebersprungenNamen.clear();
    for (int i = 0; i < 32; ++i)
        imp.UebersprungenNamen << QStringLiteral("P%1.JPG").arg(i);
    EXPECT_TRUE(imp.Meldung().endsWith("P28.JPG, P29.JPG und 2 weitere"));
}

TEST(KameraImport, TageNachDatumMitKorrekturUndOhneUeberschreiben) {
    ScriptInteraktion ui;
    TestOrdner karte, album;
    KameraDatei(karte, "P1.JPG", Zeit(2005, 3, 14, 10, 30));
    KameraDatei(karte, "P2.JPG", Zeit(2005, 3, 15, 0, 30)); // 14 hours later
    KameraDatei(karte, "CLIP.MOV", Zeit(2005, 3, 14, 11), "film");
    KameraDatei(karte, "ohnepunkt", Zeit(2005, 3, 14, 11), "x");
    TKameraImport imp = Import(karte.pfad(), album.pfad());
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
        TKameraImport imp = Import(k->pfad(), album.pfad(), true);
        imp.Modus = 2;
        ASSERT_TRUE(imp.Ausfuehren(imp.Dateien()));
        EXPECT_EQ(imp.Kopiert, 1);
        EXPECT_FALSE(QFile::exists(k->pfad("IMG_0001.JPG"))); // copied, read back, then deleted
    }
    EXPECT_TRUE(QFile::exists(album.pfad("2005/2005-01-01/IMG_0001.JPG")));
    EXPECT_TRUE(QFile::exists(album.pfad("2005/2005-01-02/IMG_0001.JPG")));
}

// A card folder kept by a sync program: its conflict copies and temporaries stay where
// they are and are no pictures of the day.
TEST(KameraImport, KonfliktkopienUndSyncZwischendateienBleibenAufDerKarte) {
    ScriptInteraktion ui;
    TestOrdner karte, album;
    KameraDatei(karte, "IMG_0001.JPG", Zeit(2005, 1, 1, 12));
    for (const char* name : {"IMG_0001.sync-conflict-20261207-113713-M6CSOA4.JPG",
                             "IMG_0001 (conflicted copy Oma 2026-12-07 113713).JPG", "IMG_0002.JPG.part",
                             "~syncthing~IMG_0003.JPG.tmp"})
        KameraDatei(karte, name, Zeit(2005, 1, 1, 12));
    TKameraImport imp = Import(karte.pfad(), album.pfad(), true);
    imp.Modus = 2;
    EXPECT_EQ(imp.Dateien(), QStringList({"IMG_0001.JPG"}));
    ASSERT_TRUE(imp.Ausfuehren(imp.Dateien()));
    EXPECT_EQ(imp.Kopiert, 1);
    EXPECT_EQ(QDir(album.pfad("2005/2005-01-01")).entryList(QDir::Files), QStringList({"IMG_0001.JPG"}));
    EXPECT_EQ(QDir(karte.pfad()).entryList(QDir::Files).size(), 4);
}

// A file that cannot be copied stays on the card, is named in the message, and the rest
// of the card is still imported.
TEST(KameraImport, GescheiterteKopieHaeltDenRestNichtAuf) {
    ScriptInteraktion ui;
    TestOrdner karte, album;
    const QString bild = KameraDatei(karte, "GROSS.JPG", Zeit(2005, 1, 1, 12), QByteArray(200 * 1024, 'b'));
    const QString klein = KameraDatei(karte, "KLEIN.JPG", Zeit(2006, 1, 1, 12), "k");
    // A year folder that cannot be made.
    album.datei("2005", "eine Datei, kein Ordner");
    TKameraImport imp = Import(karte.pfad(), album.pfad(), true);
    ASSERT_TRUE(imp.Ausfuehren(imp.Dateien()));
    EXPECT_EQ(imp.Kopiert, 1);
    EXPECT_TRUE(QFile::exists(album.pfad("2006/20060101/KLEIN.JPG")));
    EXPECT_FALSE(QFile::exists(klein));
    EXPECT_TRUE(QFile::exists(bild));
    EXPECT_TRUE(ui.meldungen.isEmpty()); // no message in mid-batch
    EXPECT_EQ(imp.Meldung(), "Es wurden 1 Dateien heruntergeladen.\r1 Dateien konnten nicht kopiert werden "
                             "und sind noch auf der Kamera:\rGROSS.JPG: Sie haben keine Schreibrechte für " +
                                 AddBackslash(album.pfad()) + "2005/20050101/");

    // The disk fills in mid-copy: the picture stays on the card, nothing half in the album,
    // and the next file still goes in.
    KleinesDateisystem platte(64);
    if (!platte.da()) GTEST_SKIP() << "no file system can be mounted here";
    KameraDatei(karte, "KLEIN.JPG", Zeit(2005, 1, 1, 12), "k");
    TKameraImport voll = Import(karte.pfad(), platte.pfad(), true);
    ASSERT_TRUE(voll.Ausfuehren(voll.Dateien()));
    EXPECT_TRUE(QFile::exists(bild));
    EXPECT_EQ(QDir(platte.pfad("2005/20050101")).entryList(QDir::Files | QDir::Hidden),
              QStringList{"KLEIN.JPG"});
    ASSERT_EQ(voll.Fehlgeschlagen.size(), 1);
    EXPECT_TRUE(voll.Fehlgeschlagen[0].startsWith("GROSS.JPG: "));
    EXPECT_EQ(voll.Kopiert, 1);

    // A card that cannot be written: copied, kept on the card, and said so at the end.
    KleinesDateisystem schreibgeschuetzt(64);
    ASSERT_TRUE(schreibgeschuetzt.da());
    ASSERT_TRUE(QFile::copy(karte.datei("fest/FEST.JPG", "fest"), schreibgeschuetzt.pfad("FEST.JPG")));
    Dateizeit(schreibgeschuetzt.pfad("FEST.JPG"), Zeit(2007, 1, 1, 12));
    ASSERT_EQ(QProcess::execute("mount", {"-o", "remount,ro", schreibgeschuetzt.pfad()}), 0);
    TKameraImport fest = Import(schreibgeschuetzt.pfad(), album.pfad(), true);
    ASSERT_TRUE(fest.Ausfuehren(fest.Dateien()));
    EXPECT_TRUE(QFile::exists(schreibgeschuetzt.pfad("FEST.JPG")));
    EXPECT_TRUE(QFile::exists(album.pfad("2007/20070101/FEST.JPG")));
    EXPECT_TRUE(ui.meldungen.isEmpty());
    EXPECT_EQ(fest.Meldung(), "Es wurden 1 Dateien heruntergeladen.\r1 Dateien wurden kopiert, konnten aber "
                              "nicht von der Kamera gelöscht werden.\rFEST.JPG");
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
    TKameraImport imAlbum = Import(tag, album.pfad(), true);
    EXPECT_FALSE(imAlbum.Ausfuehren(imAlbum.Dateien()));
    EXPECT_TRUE(ui.meldungen.back().text.contains("liegt im Album"));
    EXPECT_EQ(QDir(tag).entryList(QDir::Files, QDir::Name), QStringList({"ALBUM.DAT", "a.jpg"}));
    EXPECT_FALSE(QFileInfo::exists(album.pfad("2006/20060210")));

    KameraDatei(karte, "b.JPG", Zeit(2005, 5, 2, 12));
    KameraDatei(karte, "A.JPG", Zeit(2005, 5, 1, 12));
    KameraDatei(karte, "c.JPG", Zeit(2005, 5, 3, 12));
    karte.datei("ALBUM.DAT", "[TITEL]\r\nTITELNAME=fremd\r\n");
    TKameraImport imp = Import(karte.pfad(), album.pfad(), true);
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
    EXPECT_EQ(imp.Meldung(),
              "Es wurden 2 Dateien heruntergeladen.\r1 Dateien waren nicht mehr im Kameraordner und wurden "
              "übersprungen.\rb.JPG\r1 Bildunterschriften-Dateien (ALBUM.DAT) wurden nicht heruntergeladen.");

    // One day later by the clock, across the change to summer time (27 March 2005).
    Zeitzone berlin("Europe/Berlin");
    TKameraImport sommer;
    sommer.Zielordner = album.pfad();
    sommer.Versatz = WanduhrAbstand(Zeit(2005, 3, 20, 12), Zeit(2005, 3, 21, 12));
    EXPECT_EQ(sommer.TagOrdner(Zeit(2005, 3, 26, 23, 30)), AddBackslash(album.pfad()) + "2005/20050327/");
    sommer.Versatz = WanduhrAbstand(Zeit(2005, 3, 26, 23, 30), Zeit(2005, 3, 28, 0));
    EXPECT_EQ(sommer.Versatz, qint64(24 * 3600 + 1800) * 1000);
}

// A phone's pictures copied days later land on the day they were taken; a video of the
// same name goes with its picture; the rest by file time, and the message says which.
TEST(KameraImport, NachAufnahmedatumEingeordnet) {
    ScriptInteraktion ui;
    TestOrdner karte, album;
    JpegMitExif(karte.pfad("IMG_0001.JPG"), Zeit(2024, 7, 14, 18, 30));
    KameraDatei(karte, "IMG_0001.MOV", Zeit(2024, 8, 1, 9), "film");
    KameraDatei(karte, "ohne.jpg", Zeit(2024, 8, 1, 9));        // no EXIF time
    Dateizeit(karte.pfad("IMG_0001.JPG"), Zeit(2024, 8, 1, 9)); // copied later
    TKameraImport imp = Import(karte.pfad(), album.pfad());
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
    // A picture and its video: two files, not two pictures.
    EXPECT_EQ(imp.Meldung(), "Es wurden 3 Dateien heruntergeladen.\r2 Dateien nach Aufnahmedatum, 1 nach "
                             "Dateidatum eingeordnet.");
}

// Every file's day is known before the first one leaves the card: a Live Photo's video
// goes with its picture also when the picture is deleted from the card first; a capture
// time in the hour the clocks skip is a reading like any other.
TEST(KameraImport, TageVorDemLoeschenUndZeitenDerSommerzeitLuecke) {
    ScriptInteraktion ui;
    TestOrdner karte, album;
    Dateizeit(JpegMitExif(karte.pfad("IMG_0001.JPG"), Zeit(2019, 8, 15, 18, 30)), Zeit(2019, 9, 1, 9));
    KameraDatei(karte, "IMG_0001.MOV", Zeit(2019, 9, 1, 9), "film");
    // A name that looks like a pattern is still the picture's name.
    Dateizeit(JpegMitExif(karte.pfad("Urlaub [2] *.jpg"), Zeit(2019, 8, 15, 19)), Zeit(2019, 9, 1, 9));
    KameraDatei(karte, "Urlaub [2] *.mov", Zeit(2019, 9, 1, 9), "film");
    TKameraImport imp = Import(karte.pfad(), album.pfad(), true);
    ASSERT_TRUE(imp.Ausfuehren(imp.Dateien()));
    EXPECT_EQ(QDir(album.pfad("2019/20190815")).entryList(QDir::Files, QDir::Name),
              QStringList({"IMG_0001.JPG", "IMG_0001.MOV", "Urlaub [2] *.jpg", "Urlaub [2] *.mov"}));
    EXPECT_FALSE(QFileInfo::exists(album.pfad("2019/20190901")));
    EXPECT_TRUE(QDir(karte.pfad()).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(imp.NachAufnahme, 4);

    // 27 March 2005, 02:30 did not exist in Berlin: the camera's clock still showed it.
    Zeitzone berlin("Europe/Berlin");
    TestOrdner karte2;
    const QDateTime luecke(QDate(2005, 3, 27), QTime(2, 30), Qt::UTC); // written as 2005:03:27 02:30:00
    Dateizeit(JpegMitExif(karte2.pfad("P.JPG"), luecke), Zeit(2005, 4, 10, 12));
    TKameraImport sommer = Import(karte2.pfad(), album.pfad());
    bool aufnahme = false;
    const QDateTime zeit = sommer.Zeit("P.JPG", &aufnahme);
    EXPECT_TRUE(aufnahme);
    EXPECT_EQ(DatumZeitText(zeit), "27.03.2005 02:30:00"); // as the date check shows it
    // The correction counts by the clock: to midnight of the 28th is 21.5 hours.
    EXPECT_EQ(WanduhrAbstand(zeit, Zeit(2005, 3, 28, 0)), qint64(21 * 3600 + 1800) * 1000);
    ASSERT_TRUE(sommer.Ausfuehren(sommer.Dateien()));
    EXPECT_TRUE(QFile::exists(album.pfad("2005/20050327/P.JPG")));
    EXPECT_EQ(sommer.NachAufnahme, 1);
}

// A card or phone chosen at its top: the pictures of DCIM's subfolders, without the
// thumbnails and hidden folders, in one import, each into the day of its capture.
TEST(KameraImport, BilderAusDenUnterordnernVonDcim) {
    ScriptInteraktion ui;
    TestOrdner karte, album;
    karte.ordner("dcim/100APPLE");
    karte.ordner("dcim/Camera");
    karte.ordner("dcim/.thumbnails");
    karte.ordner("dcim/.trashed");
    karte.datei("MISC/info.txt", "x");
    karte.datei("autorun.inf", "x");
    Dateizeit(JpegMitExif(karte.pfad("dcim/100APPLE/IMG_0001.JPG"), Zeit(2024, 7, 14, 18)),
              Zeit(2024, 8, 1, 9));
    KameraDatei(karte, "dcim/100APPLE/IMG_0001.MOV", Zeit(2024, 8, 1, 9), "film");
    KameraDatei(karte, "dcim/Camera/PXL_1.jpg", Zeit(2024, 8, 2, 9));
    KameraDatei(karte, "dcim/Camera/.pending-PXL_2.jpg", Zeit(2024, 8, 2, 9));
    KameraDatei(karte, "dcim/.thumbnails/1.jpg", Zeit(2024, 8, 2, 9));
    KameraDatei(karte, "dcim/.trashed/2.jpg", Zeit(2024, 8, 2, 9));
    EXPECT_EQ(DcimOrdner(karte.pfad()), "dcim");
    EXPECT_EQ(
        DcimDateien(karte.pfad()),
        QStringList({"dcim/100APPLE/IMG_0001.JPG", "dcim/100APPLE/IMG_0001.MOV", "dcim/Camera/PXL_1.jpg"}));
    TKameraImport imp = Import(karte.pfad(), album.pfad(), true);
    EXPECT_EQ(imp.Dateien(), QStringList({"autorun.inf"}));
    imp.MitDcim = true;
    ASSERT_TRUE(imp.Ausfuehren(imp.Dateien()));
    EXPECT_EQ(imp.Kopiert, 3);
    EXPECT_EQ(QDir(album.pfad("2024/20240714")).entryList(QDir::Files, QDir::Name),
              QStringList({"IMG_0001.JPG", "IMG_0001.MOV"}));
    EXPECT_TRUE(QFile::exists(album.pfad("2024/20240802/PXL_1.jpg")));
    EXPECT_TRUE(QFile::exists(karte.pfad("dcim/.thumbnails/1.jpg")));
    EXPECT_FALSE(QFile::exists(karte.pfad("dcim/Camera/PXL_1.jpg")));

    // A folder with pictures of its own is imported as it is; one without DCIM has none.
    TestOrdner ohne;
    EXPECT_TRUE(DcimOrdner(ohne.pfad()).isEmpty());
    EXPECT_TRUE(DcimDateien(ohne.pfad()).isEmpty());
    KameraDatei(karte, "eigenes.jpg", Zeit(2024, 8, 2, 9));
    EXPECT_TRUE(DcimOrdner(karte.pfad()).isEmpty());
}

TEST_F(KameraFensterTest, DcimOrdnerWirdAngebotenUndNurMitJaGeladen) {
    karte.ordner("DCIM/100APPLE");
    KameraDatei(karte, "DCIM/100APPLE/IMG_0001.JPG", Zeit(2024, 8, 1, 9));
    Tam_Kamera k;
    k.Zielordner = AddBackslash(album.pfad());
    k.ed_Kamera->setText(karte.pfad());
    EXPECT_EQ(k.foto->Count(), 0);
    EXPECT_FALSE(k.lb_Dcim->isHidden());
    EXPECT_EQ(k.lb_Dcim->text(),
              "Im Kameraordner liegen keine Bilder, aber ein Ordner DCIM mit Unterordnern.");
    ASSERT_TRUE(k.bb_Download->isEnabled());
    const QString frage = "Im Kameraordner liegen keine Bilder, aber ein Ordner DCIM.\r"
                          "Sollen die Bilder aller Unterordner von DCIM heruntergeladen werden?";
    ui.antworten << mrNo;
    k.bb_DownloadClick();
    ASSERT_EQ(ui.meldungen.size(), 1);
    EXPECT_EQ(ui.meldungen[0].text, frage);
    EXPECT_FALSE(QFileInfo::exists(album.ordner.pfad("2024")));

    ui.antworten << mrYes;
    k.bb_DownloadClick();
    ASSERT_EQ(ui.meldungen.size(), 3);
    EXPECT_EQ(ui.meldungen[1].text, frage);
    EXPECT_EQ(ui.meldungen[2].text, "Es wurden 1 Dateien heruntergeladen.");
    EXPECT_TRUE(QFile::exists(album.ordner.pfad("2024/20240801/IMG_0001.JPG")));

    // A folder of pictures says nothing of DCIM.
    k.ed_Kamera->setText(karte.pfad("DCIM/100APPLE"));
    EXPECT_TRUE(k.lb_Dcim->isHidden());
}

// Two cards of one kind of camera, one writing names in capitals, the other in small
// letters, imported into one day at the same moment: every name once, whatever its case,
// and nothing lost (what was not copied is still on its card).
TEST(KameraImport, ZweiImporteZugleichOhneNamenInAndererSchreibweise) {
    ScriptInteraktion ui;
    TestOrdner album;
    TestOrdner karten[2];
    QHash<QString, QByteArray> inhalte;
    constexpr int n = 40;
    for (int k = 0; k < 2; ++k)
        for (int i = 0; i < n; ++i) {
            QString name = QStringLiteral("DSC%1.JPG").arg(i, 4, 10, QChar(u'0'));
            if (k == 1) name = name.toLower();
            const QByteArray inhalt = QByteArray::number(k * 1000 + i).repeated(20000);
            inhalte.insert(KameraDatei(karten[k], name, Zeit(2005, 1, 1, 12), inhalt), inhalt);
        }
    TKameraImport importe[2];
    std::latch start(2);
    std::vector<std::thread> laeufe;
    for (int k = 0; k < 2; ++k) {
        importe[k].Quelle = karten[k].pfad();
        importe[k].Zielordner = album.pfad();
        importe[k].Loeschen = true;
        laeufe.emplace_back([&, k] {
            const QStringList namen = importe[k].Dateien();
            start.arrive_and_wait();
            importe[k].Ausfuehren(namen);
        });
    }
    for (std::thread& t : laeufe)
        t.join();
    const QString tag = album.pfad("2005/20050101");
    const QStringList imTag = QDir(tag).entryList(QDir::Files | QDir::Hidden);
    QSet<QString> klein;
    for (const QString& name : imTag)
        klein.insert(name.toLower());
    EXPECT_EQ(imTag.size(), n);
    EXPECT_EQ(klein.size(), n);
    EXPECT_EQ(importe[0].Kopiert + importe[1].Kopiert, n);
    EXPECT_EQ(importe[0].Uebersprungen + importe[1].Uebersprungen, n);
    QSet<QByteArray> imAlbum;
    for (const QString& name : imTag)
        imAlbum.insert(TestOrdner::lesen(tag + "/" + name));
    for (auto it = inhalte.begin(); it != inhalte.end(); ++it)
        EXPECT_TRUE(QFile::exists(it.key()) || imAlbum.contains(it.value())) << qPrintable(it.key());
}

// Where the file system can neither rename without replacing nor link (sshfs, exFAT over
// FUSE), a file still goes in under a new name only, and a full disk leaves nothing of it.
TEST(KameraImport, OhneNoreplaceUndOhneLinks) {
    ScriptInteraktion ui;
    qputenv("PIXOLUDA_OHNE_NOREPLACE", "1");
    struct Zurueck {
        ~Zurueck() { qunsetenv("PIXOLUDA_OHNE_NOREPLACE"); }
    } zurueck;
    TestOrdner karte, album;
    const QString tag = album.ordner("2005/20050101");
    album.datei("2005/20050101/ALT.JPG", "im Album");
    KameraDatei(karte, "alt.jpg", Zeit(2005, 1, 1, 12), "von der Karte");
    KameraDatei(karte, "NEU.JPG", Zeit(2005, 1, 1, 12), QByteArray(300 * 1024, 'n'));
    QFile(karte.pfad("NEU.JPG")).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    // What an import stopped in mid-placement left beside a name goes with the next import
    // that finds the name taken (the listing below shows hidden files too).
    album.datei(
        QDir(album.pfad()).relativeFilePath(TempVorlage(tag + "/alt.jpg").replace("XXXXXX", "Ab12Cd")),
        "halb");
    TKameraImport imp = Import(karte.pfad(), album.pfad(), true);
    ASSERT_TRUE(imp.Ausfuehren(imp.Dateien()));
    EXPECT_EQ(imp.Kopiert, 1);
    EXPECT_EQ(imp.Uebersprungen, 1);
    EXPECT_TRUE(imp.Fehlgeschlagen.isEmpty()) << qPrintable(imp.Fehlgeschlagen.join('\n'));
    EXPECT_EQ(QDir(tag).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({"ALT.JPG", "NEU.JPG"}));
    EXPECT_EQ(TestOrdner::lesen(tag + "/ALT.JPG"), "im Album");
    EXPECT_TRUE(TestOrdner::lesen(tag + "/NEU.JPG") == QByteArray(300 * 1024, 'n'));
    EXPECT_EQ(QFileInfo(tag + "/NEU.JPG").lastModified(), Zeit(2005, 1, 1, 12));
    EXPECT_EQ(QFile(tag + "/NEU.JPG").permissions() & (QFile::ReadGroup | QFile::ReadOther),
              QFile::ReadGroup);
    EXPECT_FALSE(QFile::exists(karte.pfad("NEU.JPG")));
    EXPECT_TRUE(QFile::exists(karte.pfad("alt.jpg")));

    KleinesDateisystem platte(256);
    if (!platte.da()) GTEST_SKIP() << "no file system can be mounted here";
    // Room for the temporary but not for a second copy.
    KameraDatei(karte, "GROSS.JPG", Zeit(2005, 1, 1, 12), QByteArray(100 * 1024, 'g'));
    QFile::remove(karte.pfad("alt.jpg"));
    platte.fuellen(150 * 1024);
    TKameraImport voll = Import(karte.pfad(), platte.pfad(), true);
    ASSERT_TRUE(voll.Ausfuehren(voll.Dateien()));
    EXPECT_EQ(voll.Kopiert, 0);
    EXPECT_EQ(voll.Fehlgeschlagen.size(), 1);
    EXPECT_TRUE(QFile::exists(karte.pfad("GROSS.JPG")));
    EXPECT_TRUE(QDir(platte.pfad("2005/20050101")).entryList(QDir::Files | QDir::Hidden).isEmpty());
}
