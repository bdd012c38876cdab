// Phone pictures in HEIC: shown upright, listed and paged with the JPEGs, never turned,
// imported by capture time, exported with JPEG renditions where JPEG is needed.
#include "album/alb_ini.h"
#include "app/alb_Main.h"
#include "burn/alb_Export.h"
#include "camera/alb_Import.h"
#include "display/zpt_FotoListe.h"
#include "display/zpt_FotoPanel.h"
#include "display/zpt_Heif.h"
#include "display/zpt_Metadaten.h"
#include "display/zpt_grafik.h"
#include "support/ScriptInteraktion.h"
#include "support/TestAlbum.h"
#include "support/Testbilder.h"
#include "sys/zpt_sys.h"
#include "widgets/zpt_KeyComboBox.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

TEST(Heif, AufrechtGezeigtUndKaputteDateienOhneAbsturz) {
    TestOrdner t;
    const QImage aufrecht = Viertelbild();
    // Stored lying, with the box that turns it upright (as JpegMitOrientierung stores it).
    QImage liegend = aufrecht.transformed(QTransform().rotate(-90));
    HeicSchreiben(t.pfad("hoch.heic"), liegend, 6);
    HeicSchreiben(t.pfad("gerade.HEIF"), aufrecht, 1);
    for (const char* name : {"hoch.heic", "gerade.HEIF"}) {
        DekodiertesBild b;
        ASSERT_TRUE(BildLaden(t.pfad(name), b)) << name;
        EXPECT_EQ(b.bild.size(), aufrecht.size()) << name;
        for (int e = 0; e < 4; ++e)
            EXPECT_EQ(Ecke(b.bild, e), Ecke(aufrecht, e)) << name << ", Ecke " << e;
    }
    // Cut off, or no HEIC at all: a failure with a reason, no crash.
    const QByteArray ganz = TestOrdner::lesen(t.pfad("hoch.heic"));
    for (const QByteArray& kaputt :
         {ganz.left(ganz.size() / 2), ganz.left(40), QByteArray("kein Bild"), QByteArray()}) {
        DekodiertesBild b;
        QString grund;
        EXPECT_FALSE(HeifDekodieren(kaputt, b, &grund));
        EXPECT_TRUE(b.bild.isNull());
    }
    EXPECT_TRUE(HeifAlsJpeg(t.datei("leer/leer.heic", "")).isEmpty());
    // One list with the JPEGs, sorted as always.
    JpegEinfarbig(t.pfad("a.jpg"), 16, 16);
    JpegEinfarbig(t.pfad("z.JPG"), 16, 16);
    EXPECT_EQ(FotoDateienLesen(t.pfad(), true), QStringList({"a.jpg", "gerade.HEIF", "hoch.heic", "z.JPG"}));
}

TEST(Heif, NichtGedrehtUndNachAufnahmezeitImportiert) {
    TestKonfiguration konfiguration;
    ScriptInteraktion ui;
    TestAlbum album;
    const QString tag = album.tag("2024", "20240714", {"a.jpg"});
    HeicSchreiben(tag + "/b.heic", Viertelbild());
    const QByteArray vorher = TestOrdner::lesen(tag + "/b.heic");
    auto m = album.fenster({"/Edit"}, {900, 600});
    m->cb_Jahr->setKey("2024");
    m->cb_JahrChange();
    m->foto->Last();
    ASSERT_EQ(QFileInfo(m->foto->CurrentFileName()).fileName(), "b.heic");
    EXPECT_EQ(m->foto->InfoText(1), "64x32");
    m->Aktion("ax_Rotate_R")->trigger();
    EXPECT_EQ(ui.meldungen.back().text, "Dieses Bild kann nicht verlustfrei gedreht werden.");
    EXPECT_EQ(TestOrdner::lesen(tag + "/b.heic"), vorher);

    // The camera import: the HEIC's capture time, and its Live Photo video beside it.
    TestOrdner karte, ziel;
    HeicSchreiben(karte.pfad("IMG_0007.HEIC"), Viertelbild(), 1, QDateTime(QDate(2024, 6, 1), QTime(20, 15)));
    karte.datei("IMG_0007.MOV", "film");
    EXPECT_EQ(Aufnahmezeit(karte.pfad("IMG_0007.HEIC")), QDateTime(QDate(2024, 6, 1), QTime(20, 15)));
    TKameraImport imp;
    imp.Quelle = karte.pfad();
    imp.Zielordner = ziel.pfad();
    ASSERT_TRUE(imp.Ausfuehren(imp.Dateien()));
    EXPECT_EQ(QDir(ziel.pfad("2024/20240601")).entryList(QDir::Files, QDir::Name),
              QStringList({"IMG_0007.HEIC", "IMG_0007.MOV"}));
}

TEST(Heif, ExportMitJpegFassungWoJpegGebrauchtWird) {
    TestKonfiguration konfiguration;
    ScriptInteraktion ui;
    TestAlbum album;
    const QString tag = album.tag("2024", "20240714", {"a.jpg"}, "Sommer");
    HeicSchreiben(tag + "/b.heic", Viertelbild());
    ASSERT_TRUE(BildtextSchreiben(tag, "b.heic", {"Oma am See"}));
    const QByteArray original = TestOrdner::lesen(tag + "/b.heic");
    TestOrdner ziel;
    TStillerFortschritt still;
    TExport e(AddBackslash(album.pfad()), {"2024/20240714/a.jpg", "2024/20240714/b.heic"}, still);
    e.CDKopieren(ziel.pfad("cd"), true, {});
    e.FotolaborKopieren(ziel.pfad("labor"));
    e.NamenKopierenMitUnterverzeichnissen(ziel.pfad("namen"));
    EXPECT_EQ(e.Fehlerzahl, 0);
    // The CD: the original unchanged, and a JPEG rendition the browser page shows.
    EXPECT_EQ(TestOrdner::lesen(ziel.pfad("cd/2024/20240714/b.heic")), original);
    DekodiertesBild fassung;
    ASSERT_TRUE(JpegDekodieren(ziel.pfad("cd/2024/20240714/_jpg/b.heic.jpg"), fassung));
    EXPECT_EQ(fassung.bild.size(), QSize(64, 32));
    EXPECT_TRUE(TestOrdner::lesen(ziel.pfad("cd/album.js")).contains("\"2024/20240714/_jpg/b.heic.jpg\""));
    // The lab takes JPEG, with the caption inside; the named folders get the original.
    ASSERT_TRUE(JpegDekodieren(ziel.pfad("labor/bild0001.jpg"), fassung));
    EXPECT_EQ(EingebetteteBildunterschrift(ziel.pfad("labor/bild0001.jpg")), "Oma am See");
    EXPECT_EQ(TestOrdner::lesen(ziel.pfad("namen/20240714_Sommer/b.heic")), original);
}
