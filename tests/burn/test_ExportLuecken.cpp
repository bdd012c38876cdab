// The export where pictures fail, captions do not fit, HEIC pictures have no rendition,
// and what the browser page and the file list of the CD folder must hold.
#include "album/alb_ini.h"
#include "burn/alb_Brennwizard.h"
#include "burn/alb_Export.h"
#include "display/zpt_Metadaten.h"
#include "display/zpt_grafik.h"
#include "support/ExportTest.h"
#include "support/Testbilder.h"
#include "sys/zpt_Fehler.h"
#include "sys/zpt_sys.h"
#include "widgets/zpt_Groupbox.h"
#include "widgets/zpt_PfadEdit.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <gtest/gtest.h>

namespace {
using ExportLuecken = ExportTest;

// What a HEIC picture may be on a card and still not decode.
void KaputteHeics(const QString& tag) {
    QFile::copy(tag + "/x.jpg", tag + "/fake.heic"); // a JPEG under a HEIC name
    QFile f(tag + "/garbage.heic");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(5000, 'x'));
    f.close();
    const QByteArray echt = TestOrdner::lesen(HeicSchreiben(tag + "/ganz.heic", Viertelbild()));
    QFile k(tag + "/kurz.heic");
    ASSERT_TRUE(k.open(QIODevice::WriteOnly));
    k.write(echt.left(echt.size() / 2)); // cut off
}
} // namespace

// A picture that cannot be written does not stop the others: the lab's next free name
// is not lost to it.
TEST_F(ExportLuecken, FotolaborSchreibtNachEinemKaputtenBildWeiter) {
    const QString tag = album.tag("2005", "20050101", {"x.jpg", "z.jpg"});
    QFile f(tag + "/broken.heic");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("kein HEIC");
    f.close();
    TExport e(G(), {"2005/20050101/broken.heic", "2005/20050101/x.jpg", "2005/20050101/z.jpg"}, still);
    e.FotolaborKopieren(ziel.pfad("labor"));
    EXPECT_EQ(Namen(ziel.pfad("labor")), QStringList({"bild0000.jpg", "bild0001.jpg"}));
    EXPECT_EQ(TestOrdner::lesen(ziel.pfad("labor/bild0000.jpg")), TestOrdner::lesen(tag + "/x.jpg"));
    EXPECT_EQ(e.Kopiert, 2);
    EXPECT_EQ(e.Fehlerzahl, 1);
    EXPECT_FALSE(e.Vollstaendig());
    EXPECT_EQ(
        e.Zusammenfassung(),
        "2 von 3 Dateien wurden kopiert.\r1 Fehler beim Kopieren.\rFehler bei:\r2005/20050101/broken.heic");
}

// A caption too long for the picture's metadata: the copy is made, and the summary says
// that it lacks its caption.
TEST_F(ExportLuecken, ZuLangeBildunterschriftWirdGemeldet) {
    const QString tag = album.tag("2005", "20050101", {"lang.jpg", "kurz.jpg"});
    JpegMitOrientierung(tag + "/lang.jpg", Viertelbild(), 1);
    JpegMitOrientierung(tag + "/kurz.jpg", Viertelbild(), 1);
    QStringList zeilen;
    for (int i = 0; i < 100; ++i)
        zeilen << QString(1100, QChar(u'a' + i % 26));
    ASSERT_TRUE(BildtextSchreiben(tag, "lang.jpg", zeilen));
    ASSERT_TRUE(BildtextSchreiben(tag, "kurz.jpg", {"Oma"}));
    TExport e(G(), {"2005/20050101/lang.jpg", "2005/20050101/kurz.jpg"}, still);
    e.FotolaborKopieren(ziel.pfad("labor"));
    EXPECT_EQ(Namen(ziel.pfad("labor")), QStringList({"bild0000.jpg", "bild0001.jpg"}));
    EXPECT_EQ(EingebetteteBildunterschrift(ziel.pfad("labor/bild0001.jpg")), "Oma");
    EXPECT_EQ(e.OhneBildunterschrift, 1);
    EXPECT_FALSE(e.Vollstaendig());
    EXPECT_EQ(e.Zusammenfassung(), "Die Dateien wurden kopiert.\rBei 1 Bildern konnte die Bildunterschrift "
                                   "nicht in die Kopie geschrieben werden.");
    // Without captions asked for, nothing is missing.
    TExport ohne(G(), {"2005/20050101/lang.jpg"}, still);
    ohne.TexteSchreiben = false;
    ohne.FotolaborKopieren(ziel.pfad("ohne"));
    EXPECT_EQ(ohne.Zusammenfassung(), "Die Dateien wurden kopiert.");
}

// The file list names every file the CD folder needs, the ones the export makes too,
// and the list alone writes them as the full CD export does.
TEST_F(ExportLuecken, DateilisteNenntAlbumJsUndRenditionen) {
    const QString tag = album.tag("2024", "20240714", {"a.jpg"}, "Sommer");
    HeicSchreiben(tag + "/b.heic", Viertelbild());
    const QStringList eintraege{"2024/20240714/a.jpg", "2024/20240714/b.heic"};
    const QString cd = ziel.pfad("cd") + "/";
    TExport e(G(), eintraege, still);
    e.CDKopieren(ziel.pfad("cd"), false, ziel.pfad("liste.txt"));
    EXPECT_EQ(e.Fehlerzahl, 0);
    const QStringList zeilen = Zeilen(ziel.pfad("liste.txt"));
    for (const QString& datei :
         {tag + "/a.jpg", tag + "/b.heic", cd + "2024/20240714/_jpg/b.heic.jpg", cd + "album.js",
          cd + "Pixolud.dat", ProgrammVerzeichnis() + "TemplateCDROM/index.html"})
        EXPECT_TRUE(zeilen.contains(datei)) << datei.toStdString();
    // Every file of the album and of the CD folder the list names is there (the viewer
    // files are the program's own).
    for (const QString& datei : zeilen)
        if (!datei.startsWith(ProgrammVerzeichnis()))
            EXPECT_TRUE(QFileInfo(datei).isFile()) << datei.toStdString();
    // Nothing but the files the export makes: the pictures stay where the list names them.
    EXPECT_FALSE(QFile::exists(cd + "2024/20240714/a.jpg"));
    EXPECT_EQ(Seitenbilder(TestOrdner::lesen(cd + "album.js")).keys(),
              QStringList({"2024/20240714/_jpg/b.heic.jpg", "2024/20240714/a.jpg"}));
    // The same album data as the full export writes.
    TExport voll(G(), eintraege, still);
    voll.CDKopieren(ziel.pfad("voll"), true, {});
    EXPECT_EQ(TestOrdner::lesen(cd + "album.js"), TestOrdner::lesen(ziel.pfad("voll/album.js")));
    // A CD folder inside the album is refused for the list alone too: it would write there.
    TExport imAlbum(G(), eintraege, still);
    imAlbum.CDKopieren(album.pfad(), false, ziel.pfad("nur.txt"));
    EXPECT_EQ(imAlbum.Fehlerzahl, 1);
    EXPECT_FALSE(QFile::exists(album.ordner.pfad("album.js")));
    EXPECT_FALSE(QFile::exists(album.ordner.pfad("Pixolud.dat")));
}

// A HEIC picture that gives no rendition is counted, named, and left out of the page
// instead of showing there broken; a long name gives a rendition name within the limit.
TEST_F(ExportLuecken, HeicOhneRenditionFehltImBrowserAlbum) {
    const QString tag = album.tag("2024", "20240714", {"x.jpg"});
    KaputteHeics(tag);
    const QString lang = QString(248, QChar(u'h')) + ".heic";       // 253 bytes
    const QString langUmlaut = QString(125, QChar(u'ü')) + ".heic"; // 255 bytes, two a character
    HeicSchreiben(tag + "/" + lang, Viertelbild());
    HeicSchreiben(tag + "/" + langUmlaut, Viertelbild());
    QStringList eintraege;
    for (const QString& n : {"x.jpg", "fake.heic", "garbage.heic", "kurz.heic", "ganz.heic"})
        eintraege << "2024/20240714/" + n;
    eintraege << "2024/20240714/" + lang << "2024/20240714/" + langUmlaut;
    TExport e(G(), eintraege, still);
    e.CDKopieren(ziel.pfad("cd"), true, {});
    EXPECT_EQ(e.Fehlerzahl, 3);
    for (const char* name : {"fake.heic", "garbage.heic", "kurz.heic"})
        EXPECT_TRUE(e.Zusammenfassung().contains(QString("\r2024/20240714/") + name)) << name;
    const QMap<QString, QString> seite = Seitenbilder(TestOrdner::lesen(ziel.pfad("cd/album.js")));
    EXPECT_EQ(seite.size(), 4);
    // Every picture the page names is on the medium, each rendition name within 255 bytes.
    for (const QString& datei : seite.keys()) {
        const QString pfad = ziel.pfad("cd/") + QUrl::fromPercentEncoding(datei.toLatin1());
        EXPECT_TRUE(QFileInfo(pfad).isFile()) << datei.toStdString();
        EXPECT_LE(QFile::encodeName(QFileInfo(pfad).fileName()).size(), 255);
    }
    EXPECT_TRUE(seite.contains("2024/20240714/_jpg/ganz.heic.jpg"));
    EXPECT_EQ(Namen(ziel.pfad("cd/2024/20240714/_jpg")).size(), 3);
    // Two long names alike in their first 250 bytes keep apart.
    EXPECT_NE(HeifRenditionName(QString(250, u'h') + "1.heic"),
              HeifRenditionName(QString(250, u'h') + "2.heic"));
    EXPECT_EQ(HeifRenditionName("IMG_1.HEIC"), "IMG_1.HEIC.jpg");
}

// The page shows the caption the program shows: the one inside the picture where the
// day's caption file has none; line and paragraph separators escaped for older engines.
TEST_F(ExportLuecken, BrowserAlbumMitEingebetteterBildunterschrift) {
    const QString tag = album.tag("2005", "20050101", {"datei.jpg"});
    JpegMitExif(tag + "/innen.jpg", QDateTime(QDate(2005, 1, 1), QTime(12, 0)), "Oma am Strand");
    JpegMitExif(tag + "/beide.jpg", QDateTime(QDate(2005, 1, 1), QTime(12, 0)), "im Bild");
    ASSERT_TRUE(BildtextSchreiben(tag, "beide.jpg", {"in der Datei"}));
    ASSERT_TRUE(BildtextSchreiben(tag, "datei.jpg", {QString::fromUtf8("Zeile\u2028eins\u2029zwei")}));
    const QByteArray js =
        BrowserAlbum(album.pfad(), {tag + "/innen.jpg", tag + "/beide.jpg", tag + "/datei.jpg"});
    const QMap<QString, QString> seite = Seitenbilder(js);
    EXPECT_EQ(seite.value("2005/20050101/innen.jpg"), "Oma am Strand");
    EXPECT_EQ(seite.value("2005/20050101/beide.jpg"), "in der Datei");
    EXPECT_EQ(seite.value("2005/20050101/datei.jpg"), QString::fromUtf8("Zeile\u2028eins\u2029zwei"));
    EXPECT_FALSE(js.contains("\xE2\x80\xA8"));
    EXPECT_FALSE(js.contains("\xE2\x80\xA9"));
    EXPECT_TRUE(js.contains("Zeile\\u2028eins\\u2029zwei"));
}

// The named folders' names, exactly: two days of one date and title, and undated days
// without title, each in a folder of its own.
TEST_F(ExportLuecken, UnterordnerNamenSindEindeutig) {
    album.tag("2005", "20050101", {"a.jpg"}, "Neujahr");
    album.tag("Scans", "20050101", {"b.jpg"}, "Neujahr");
    album.tag("2004", "Ausflug", {"c.jpg"});
    album.tag("2005", "Ausflug", {"d.jpg"});
    album.tag("2005", "Reise", {"e.jpg"}, "Berge");
    TExport e(G(),
              {"2005/20050101/a.jpg", "Scans/20050101/b.jpg", "2004/Ausflug/c.jpg", "2005/Ausflug/d.jpg",
               "2005/Reise/e.jpg"},
              still);
    e.NamenKopierenMitUnterverzeichnissen(ziel.pfad("namen"));
    EXPECT_EQ(e.Fehlerzahl, 0);
    const QString n = ziel.pfad("namen/");
    EXPECT_TRUE(QFile::exists(n + "20050101_Neujahr/a.jpg"));
    EXPECT_TRUE(QFile::exists(n + "20050101_20050101_Neujahr/b.jpg"));
    EXPECT_TRUE(QFile::exists(n + "Ausflug_/c.jpg"));
    EXPECT_TRUE(QFile::exists(n + "Ausflug_2/d.jpg"));
    EXPECT_TRUE(QFile::exists(n + "_Berge/e.jpg"));
    EXPECT_EQ(QDir(n).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 5);
}

// The wizard: the file list alone checks the CD folder it writes into; a copy without
// its caption makes the summary a warning.
TEST_F(ExportLuecken, AssistentPrueftCDOrdnerDerDateilisteUndWarntOhneBildunterschrift) {
    const QString tag = album.tag("2005", "20050101", {"a.jpg"});
    JpegMitOrientierung(tag + "/a.jpg", Viertelbild(), 1);
    QStringList zeilen;
    for (int i = 0; i < 100; ++i)
        zeilen << QString(1100, QChar(u'x'));
    ASSERT_TRUE(BildtextSchreiben(tag, "a.jpg", zeilen));
    Tam_Brennwizard w;
    w.Ausfuehren(ziel.datei("liste.Pixolud", "2005/20050101/a.jpg\r\n"), album.pfad());
    for (Tzpt_Groupbox* g : {w.rg_Zielpfad, w.rg_Fotolabor, w.rg_jpegcd})
        g->setAllEnabled(false);
    w.rg_Einzeldatei->setAllEnabled(true);
    w.ed_Zieldatei->setText(ziel.pfad("liste.txt"));
    w.ed_Zielpfad->setText(tag);
    bool erlaubt = true;
    w.wz_2Changing(erlaubt);
    EXPECT_FALSE(erlaubt);
    ASSERT_FALSE(ui.meldungen.isEmpty());
    EXPECT_TRUE(ui.meldungen.back().text.contains("liegt im Album"));

    w.rg_Einzeldatei->setAllEnabled(false);
    w.rg_Fotolabor->setAllEnabled(true);
    w.ed_Fotolabor->setText(ziel.pfad("labor"));
    w.wzLastAction();
    EXPECT_EQ(ui.meldungen.back().text, "Die Dateien wurden kopiert.\rBei 1 Bildern konnte die "
                                        "Bildunterschrift nicht in die Kopie geschrieben werden.");
    EXPECT_EQ(ui.meldungen.back().art, MeldungsArt::Fehler);
}

namespace {
// Removes a picture of the burn list while the export is under way, as a sync program
// or a second window may: after the first step.
struct VerschwindenderFortschritt : TFortschritt {
    QString weg;
    int schritte = 0;
    void Start(const QString&, int) override {}
    void Schritt() override {
        if (++schritte == 1) QFile::remove(weg);
    }
    bool Abgebrochen() const override { return false; }
    void Stop() override {}
};
} // namespace

// A picture gone while the others are copied is not said to be copied.
TEST_F(ExportLuecken, VerschwundenesBildGiltNichtAlsKopiert) {
    const QString tag = album.tag("2005", "20050101", {"x.jpg", "z.jpg"}, "Urlaub");
    VerschwindenderFortschritt f;
    f.weg = tag + "/z.jpg";
    TExport e(G(), {"2005/20050101/x.jpg", "2005/20050101/z.jpg"}, f);
    e.NamenKopierenMitUnterverzeichnissen(ziel.pfad("namen"));
    EXPECT_EQ(Namen(ziel.pfad("namen/20050101_Urlaub")), QStringList({"x.jpg"}));
    EXPECT_EQ(e.Kopiert, 1);
    EXPECT_FALSE(e.Vollstaendig());
    EXPECT_EQ(e.Zusammenfassung(), "1 von 2 Dateien wurden kopiert.\r1 Bilder der Brennliste fehlen und "
                                   "wurden nicht kopiert.");
}

// A folder inside the target that leads back into the album (a link left there) is
// never written through: the originals stay as they are.
TEST_F(ExportLuecken, VerweisImZielFuehrtNichtInsAlbum) {
    const QString tag = album.tag("2005", "20050101", {"x.jpg"}, "Urlaub");
    JpegMitOrientierung(tag + "/x.jpg", Viertelbild(), 1);
    ASSERT_TRUE(BildtextSchreiben(tag, "x.jpg", {"Oma"}));
    const QByteArray vorher = TestOrdner::lesen(tag + "/x.jpg");
    QDir().mkpath(ziel.pfad("namen"));
    ASSERT_TRUE(QFile::link(tag, ziel.pfad("namen/20050101_Urlaub")));
    QDir().mkpath(ziel.pfad("cd"));
    ASSERT_TRUE(QFile::link(album.pfad() + "/2005", ziel.pfad("cd/2005")));
    TExport e(G(), {"2005/20050101/x.jpg"}, still);
    e.NamenKopierenMitUnterverzeichnissen(ziel.pfad("namen"));
    EXPECT_THROW(e.CDKopieren(ziel.pfad("cd"), true, {}), EFehler);
    EXPECT_TRUE(TestOrdner::lesen(tag + "/x.jpg") == vorher);
    EXPECT_EQ(EingebetteteBildunterschrift(tag + "/x.jpg"), "");
    EXPECT_EQ(e.Fehlerzahl, 2); // the picture in both modes; the CD folder ends at its caption file
    EXPECT_EQ(e.Kopiert, 0);
}

namespace {
// The progress window: a cancel ends the routine it shows; the next routine starts anew.
struct AbbrechenderFortschritt : TFortschritt {
    int abbrechenBeiStart = 1; // the routine (counted from 1) whose first step is cancelled
    int starts = 0;
    bool abgebrochen = false;
    void Start(const QString&, int) override {
        ++starts;
        abgebrochen = false;
    }
    void Schritt() override { abgebrochen = abgebrochen || starts == abbrechenBeiStart; }
    bool Abgebrochen() const override { return abgebrochen; }
    void Stop() override {}
};
} // namespace

// A cancel ends the routine it was given in; the routines after it still run whole.
TEST_F(ExportLuecken, AbbruchEndetNurSeineRoutine) {
    album.tag("2005", "20050101", {"a.jpg", "b.jpg", "c.jpg"});
    AbbrechenderFortschritt f;
    TExport e(G(), {"2005/20050101/a.jpg", "2005/20050101/b.jpg", "2005/20050101/c.jpg"}, f);
    e.CDKopieren(ziel.pfad("cd"), true, {});
    e.FotolaborKopieren(ziel.pfad("labor"));
    EXPECT_TRUE(e.Abbruch);
    EXPECT_TRUE(Namen(ziel.pfad("cd/2005/20050101")).isEmpty());
    EXPECT_EQ(Namen(ziel.pfad("labor")), QStringList({"bild0000.jpg", "bild0001.jpg", "bild0002.jpg"}));
    EXPECT_EQ(e.Kopiert, 3);
    EXPECT_TRUE(e.Zusammenfassung().startsWith("Der Export wurde abgebrochen.\r3 von "));
}

// A title with its umlauts decomposed (as a Mac writes names and texts) gives the same
// folder name as one typed here.
TEST_F(ExportLuecken, ZerlegteUmlauteImOrdnernamen) {
    album.tag("2005", "20050101", {"x.jpg"}, QString::fromUtf8("Gru\xCC\x88\xC3\x9F aus Mu\xCC\x88nchen"));
    TExport e(G(), {"2005/20050101/x.jpg"}, still);
    e.NamenKopierenMitUnterverzeichnissen(ziel.pfad("namen"));
    EXPECT_EQ(QDir(ziel.pfad("namen")).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList({QString::fromUtf8("20050101_Grüß_aus_München")}));
    EXPECT_EQ(DateinameBereinigen(QString::fromUtf8("A\xCC\x88rger")), QString::fromUtf8("Ärger"));
}
