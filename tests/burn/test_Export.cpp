#include "album/alb_ini.h"
#include "app/alb_Main.h"
#include "burn/alb_Brennwizard.h"
#include "burn/alb_Export.h"
#include "display/zpt_Metadaten.h"
#include "display/zpt_grafik.h"
#include "settings/BigIni.h"
#include "support/ExportTest.h"
#include "support/Testbilder.h"
#include "sys/zpt_Schalter.h"
#include "sys/zpt_sys.h"
#include "widgets/zpt_Groupbox.h"
#include "widgets/zpt_KeyComboBox.h"
#include "widgets/zpt_PfadEdit.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QUrl>
#include <gtest/gtest.h>

namespace {
struct OhneFenster : TFortschritt {
    QStringList protokoll;
    bool abbrechenNach = false;
    int schritte = 0;
    void Start(const QString& titel, int max) override { protokoll << titel + " " + QString::number(max); }
    void Schritt() override { ++schritte; }
    bool Abgebrochen() const override { return abbrechenNach; }
    void Stop() override { protokoll << "Stop"; }
};

struct Export : ExportTest {
    OhneFenster fortschritt;
    const QString S = QStringLiteral("/");
    void SetUp() override {
        album.tag("2005", "20050101", {"a.jpg", "B.JPG"}, QString::fromUtf8("Neujahr in Köln!"));
        album.tag("2005", "20050102", {"c.jpg"}, "Schnee");
        album.ordner.datei("2005/20050102/film.avi", "avi");
        album.ordner.datei("2005/20050102/d.jpeg", "jpeg");
        album.tag("2005", "Urlaub", {"u.jpg"}, "Strand");
    }
    QStringList Eintraege() const {
        return {"2005/20050101/a.jpg", "2005/20050101/B.JPG", "2005/20050102/c.jpg", "2005/20050102/d.jpeg",
                "2005/20050102/film.avi"};
    }
};
} // namespace

TEST_F(Export, DateinamenBereinigenUndZielnamen) {
    EXPECT_EQ(DateinameBereinigen(QString::fromUtf8("20050101_Neujahr in Köln!")),
              QString::fromUtf8("20050101_Neujahr_in_Köln_"));
    EXPECT_EQ(DateinameBereinigen("a__b___c/..\\d\te"), "a_b__c__d_e");
    EXPECT_EQ(DateinameBereinigen("$-@~9Zz"), "$-@~9Zz");
    EXPECT_EQ(ZielName("/A/2005/x.jpg", "/T/", "/a/"), "/T/2005/x.jpg");
    EXPECT_EQ(ZielName("/anderswo/x.jpg", "/T/", "/a/"), "/T/x.jpg");
}

TEST_F(Export, TitelZeilenBrechenAnTrennzeichen) {
    const QFont f(QStringLiteral("Arial"), 36, QFont::Bold);
    const QFontMetrics fm(f);
    QString kurz = "Ein Tag";
    while (fm.horizontalAdvance(kurz + "x") < 770)
        kurz += "x";
    EXPECT_EQ(TitelZeilen(kurz, fm, 800), QStringList({kurz}));
    QString lang;
    while (fm.horizontalAdvance(lang) < 3 * 800)
        lang += "Wanderung zum See, ";
    const QStringList zeilen = TitelZeilen(lang, fm, 800);
    EXPECT_GE(zeilen.size(), 3);
    EXPECT_EQ(zeilen.join(QString()), lang); // each goes on exactly after the one before
    for (const QString& z : zeilen) {
        EXPECT_LT(fm.horizontalAdvance(z), 800);
        if (&z != &zeilen.back()) EXPECT_TRUE(z.endsWith(' ') || z.endsWith(',')) << z.toStdString();
    }
    const QStringList ohne = TitelZeilen(QString(200, u'W'), fm, 800); // no break character at all
    EXPECT_EQ(ohne.join(QString()), QString(200, u'W'));
    EXPECT_GE(ohne.size(), 2);
}

TEST_F(Export, CDOrdnerMitIndexDateilisteUndBetrachter) {
    TExport e(G(), Eintraege(), fortschritt);
    const QString liste = ziel.pfad("liste.txt");
    e.CDKopieren(ziel.pfad("cd"), true, liste);
    EXPECT_EQ(e.Fehlerzahl, 0);
    const QString cd = ziel.pfad("cd") + S;
    EXPECT_TRUE(QFile::exists(cd + "2005/20050101/a.jpg"));
    EXPECT_TRUE(QFile::exists(cd + "2005/20050102/film.avi"));
    EXPECT_TRUE(QFile::exists(cd + "2005/20050102/d.jpeg"));
    EXPECT_TRUE(QFile::exists(cd + "2005/20050101/Album.dat")); // ALBUM.DAT, copied as Album.dat
    EXPECT_EQ(TestOrdner::lesen(cd + "2005/20050101/Album.dat"),
              TestOrdner::lesen(album.ordner.pfad("2005/20050101/ALBUM.DAT")));
    TBigIniFile index(cd + "Pixolud.dat");
    QStringList tage;
    index.ReadSection("2005", tage);
    EXPECT_EQ(tage, QStringList({"20050101", "20050102"}));
    EXPECT_EQ(index.ReadString("2005", "20050101", {}), QString::fromUtf8("Neujahr in Köln!"));
    // The file list in copy order: each day's caption file after its first picture, then
    // the viewer, then the files the export makes.
    const QStringList zeilen = Zeilen(liste);
    ASSERT_EQ(zeilen.size(), 7 + 7 + 3 + 2); // with the browser page's files, index and album.js
    EXPECT_EQ(zeilen.mid(17), QStringList({cd + "Pixolud.dat", cd + "album.js"}));
    EXPECT_EQ(zeilen[0], G() + "2005/20050101/a.jpg");
    EXPECT_EQ(zeilen[1], G() + "2005/20050101/ALBUM.DAT"); // as spelt on disk
    EXPECT_EQ(zeilen[2], G() + "2005/20050101/B.JPG");
    EXPECT_EQ(zeilen[4], G() + "2005/20050102/ALBUM.DAT");
    EXPECT_EQ(zeilen[7], ProgrammVerzeichnis() + "TemplateCDROM/Pixolud");
    EXPECT_EQ(fortschritt.protokoll, QStringList({"Kopieren ... 18", "Stop"}));
    EXPECT_TRUE(zeilen.contains(ProgrammVerzeichnis() + "TemplateCDROM/index.html"));
    // The viewer of the build is there.
    EXPECT_TRUE(QFile::exists(cd + "Pixolud"));
    EXPECT_TRUE(QFileInfo(cd + "start.sh").isExecutable());
    EXPECT_TRUE(QFileInfo(cd + "Pixolud").isExecutable());

    // Only the file list: the CD folder gets the files the export makes, not the pictures.
    TExport nurListe(G(), Eintraege(), fortschritt);
    nurListe.CDKopieren(ziel.pfad("nurliste"), false, ziel.pfad("nur.txt"));
    EXPECT_TRUE(QFile::exists(ziel.pfad("nur.txt")));
    EXPECT_TRUE(QFile::exists(ziel.pfad("nurliste/Pixolud.dat")));
    EXPECT_FALSE(QFile::exists(ziel.pfad("nurliste/2005/20050101/a.jpg")));
    EXPECT_FALSE(QFile::exists(album.ordner.pfad("Pixolud.dat")));
    // An index already there keeps its other entries; a day is filed under its year
    // folder, whatever its name says.
    album.tag("2005", "20041231", {"s.jpg"});
    TExport wieder(G(), {"2005/Urlaub/u.jpg", "2005/20041231/s.jpg"}, fortschritt);
    wieder.CDKopieren(ziel.pfad("cd"), true, {});
    TBigIniFile index2(cd + "Pixolud.dat");
    tage.clear();
    index2.ReadSection("2005", tage);
    EXPECT_EQ(tage, QStringList({"20050101", "20050102", "Urlaub", "20041231"}));
    EXPECT_FALSE(index2.SectionExists("1899"));
    EXPECT_FALSE(index2.SectionExists("2004"));
}

TEST_F(Export, FotolaborFuelltLueckenUndZaehltFehler) {
    ziel.datei("labor/bild0000.jpg", "alt");
    ziel.datei("labor/BILD0002.JPG", "alt");
    TExport e(G(), Eintraege(), fortschritt);
    e.FotolaborKopieren(ziel.pfad("labor"));
    // .jpg in any case only: no .jpeg, no video.
    EXPECT_EQ(Namen(ziel.pfad("labor")),
              QStringList({"BILD0002.JPG", "bild0000.jpg", "bild0001.jpg", "bild0003.jpg", "bild0004.jpg"}));
    EXPECT_EQ(e.Fehlerzahl, 0);
    // A target that cannot be made is counted, not passed over in silence.
    ziel.datei("keinordner", "eine Datei");
    TExport f(G(), Eintraege(), fortschritt);
    f.FotolaborKopieren(ziel.pfad("keinordner"));
    EXPECT_EQ(f.Fehlerzahl, 3);
}

TEST_F(Export, NamenMitUnterverzeichnissenUndFortlaufend) {
    TExport e(G(), Eintraege() << "2005/Urlaub/u.jpg", fortschritt);
    e.NamenKopierenMitUnterverzeichnissen(ziel.pfad("namen"));
    EXPECT_EQ(QDir(ziel.pfad("namen")).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name),
              QStringList({"20050101_Neujahr_in_Köln_", "20050102_Schnee", "_Strand"}));
    EXPECT_EQ(Namen(ziel.pfad("namen/20050101_Neujahr_in_Köln_")), QStringList({"B.JPG", "a.jpg"}));

    TExport f(G(), Eintraege(), fortschritt);
    f.TexteSchreiben = false; // copies byte for byte
    f.NamenKopierenFortlaufend(ziel.pfad("folge"));
    // Each day opens with its title picture.
    EXPECT_EQ(Namen(ziel.pfad("folge")),
              QStringList({"bild0001.jpg", "bild0002.jpg", "bild0003.jpg", "bild0004.jpg", "bild0005.jpg"}));
    DekodiertesBild titel;
    ASSERT_TRUE(JpegDekodieren(ziel.pfad("folge/bild0001.jpg"), titel));
    EXPECT_EQ(titel.originalGroesse, QSize(800, 600));
    EXPECT_EQ(TestOrdner::lesen(ziel.pfad("folge/bild0002.jpg")),
              TestOrdner::lesen(album.ordner.pfad("2005/20050101/a.jpg")));
    EXPECT_EQ(f.Fehlerzahl, 0);
}

TEST_F(Export, FeindlicheBrennlisteSchreibtNieAusserhalbDesZiels) {
    album.ordner.datei("geheim.jpg", "draussen");
    TExport e(G(),
              {"2005/../geheim.jpg", "..\\..\\x.jpg", album.ordner.pfad("2005/20050101/a.jpg"),
               "2005/20050101/../20050101/a.jpg"},
              fortschritt);
    e.CDKopieren(ziel.pfad("cd/innen"), true, {});
    e.FotolaborKopieren(ziel.pfad("cd/labor"));
    EXPECT_EQ(e.Fehlerzahl, 3 * 2); // refused in each mode
    EXPECT_FALSE(QFile::exists(ziel.pfad("cd/geheim.jpg")));
    EXPECT_FALSE(QFile::exists(ziel.pfad("geheim.jpg")));
    // An absolute entry takes only its file name.
    EXPECT_TRUE(QFile::exists(ziel.pfad("cd/innen/2005/20050101/a.jpg")));
    EXPECT_EQ(Namen(ziel.pfad("cd/labor")), QStringList({"bild0000.jpg"}));
}

TEST_F(Export, AssistentPrueftZielUndMeldetDasErgebnis) {
    Tam_Brennwizard w;
    EXPECT_EQ(w.ed_Zielpfad->Text(), EigeneDateienVerzeichnis() + "Dorvanto");
    EXPECT_EQ(w.ed_Zieldatei->Text(), EigeneDateienVerzeichnis() + "Dorvanto.txt");
    ziel.datei("voll/x", "x");
    w.ed_Zielpfad->setText(ziel.pfad("voll"));
    w.ed_Fotolabor->setText(ziel.pfad("labor"));
    w.ed_jpegcd->setText(ziel.pfad("namen"));
    bool erlaubt = true;
    w.wz_2Changing(erlaubt);
    EXPECT_FALSE(erlaubt);
    ASSERT_EQ(ui.meldungen.size(), 1);
    EXPECT_EQ(ui.meldungen[0].text,
              "Das Zielverzeichnis\r" + ziel.pfad("voll") +
                  "\rist nicht leer.\rBitte leeren Sie das Verzeichnis oder entfernen Sie den Haken.");
    // An empty field is named, and the cursor put there.
    w.show();
    w.ed_Zielpfad->setText("");
    erlaubt = true;
    w.wz_2Changing(erlaubt);
    EXPECT_FALSE(erlaubt);
    EXPECT_EQ(ui.meldungen.back().text, "Bitte wählen Sie das Verzeichnis zum Brennen.");
    EXPECT_TRUE(w.focusWidget() == w.ed_Zielpfad || w.ed_Zielpfad->isAncestorOf(w.focusWidget()));
    // A target in the album is refused before anything is written.
    w.ed_Zielpfad->setText(album.ordner.pfad("2005"));
    w.cx_ZielpfadLeer->setChecked(false);
    w.Grundpfad = G();
    erlaubt = true;
    w.wz_2Changing(erlaubt);
    EXPECT_FALSE(erlaubt);
    EXPECT_TRUE(ui.meldungen.back().text.contains("liegt im Album"));
    w.cx_ZielpfadLeer->setChecked(true);
    w.hide();
    // A chosen mode without its target folder is refused too: it would write into the working folder.
    w.ed_Zielpfad->setText(ziel.pfad("leer"));
    w.ed_Fotolabor->setText("");
    erlaubt = true;
    w.wz_2Changing(erlaubt);
    EXPECT_FALSE(erlaubt);
    TExport ohneZiel(G(), Eintraege(), fortschritt);
    ohneZiel.FotolaborKopieren("");
    EXPECT_EQ(ohneZiel.Fehlerzahl, 1);
    EXPECT_TRUE(Namen(QDir::currentPath()).filter("bild0").isEmpty());

    // Nothing chosen.
    for (Tzpt_Groupbox* g : {w.rg_Zielpfad, w.rg_Einzeldatei, w.rg_Fotolabor, w.rg_jpegcd})
        g->setAllEnabled(false);
    const QString brennliste = ziel.datei("liste.Pixolud", "2005/20050101/a.jpg\r\n");
    w.Ausfuehren(brennliste, album.pfad());
    w.wzLastAction();
    EXPECT_EQ(ui.meldungen.back().text, "Es gibt nichts zu tun.");
    w.rg_Fotolabor->setAllEnabled(true);
    w.ed_Fotolabor->setText(ziel.pfad("labor"));
    EXPECT_TRUE(w.cx_Bildtexte->isChecked()); // on unless switched off
    EXPECT_EQ(w.cx_Bildtexte->text(), "Bildunterschriften in die Bilder schreiben");
    w.cx_Bildtexte->setChecked(false);
    w.wzLastAction();
    EXPECT_EQ(ui.meldungen.back().text, "Die Dateien wurden kopiert.");
    EXPECT_TRUE(QFile::exists(ziel.pfad("labor/bild0000.jpg")));
    // The choices are kept for the next run.
    Tam_Brennwizard neu;
    EXPECT_FALSE(neu.rg_Zielpfad->AllEnabled());
    EXPECT_TRUE(neu.rg_Fotolabor->AllEnabled());
    EXPECT_EQ(neu.ed_Fotolabor->Text(), ziel.pfad("labor"));
    EXPECT_FALSE(neu.cx_Bildtexte->isChecked());
}

TEST_F(Export, ExportierterCDOrdnerIstEinAlbumFuerDenBetrachter) {
    TExport e(G(), Eintraege(), fortschritt);
    e.CDKopieren(ziel.pfad("cd"), true, {});
    auto m = [&] {
        ProgrammArgumenteSetzen({"/Grundpfad=" + ziel.pfad("cd")});
        return std::make_unique<Tam_Main>();
    }();
    EXPECT_TRUE(m->AlbumIndexVorhanden);
    EXPECT_EQ(m->cb_Jahr->KeyList(), QStringList({"2005"}));
    EXPECT_EQ(m->cb_Tage->KeyList(), QStringList({"20050101", "20050102"}));
    m->cb_Tage->setKey("20050101");
    EXPECT_EQ(m->cb_Tage->Text(), QString::fromUtf8("01.01.2005 - Neujahr in Köln!"));
}

TEST_F(Export, AssistentSpeichertBeimSchliessen) {
    {
        Tam_Brennwizard w;
        w.show();
        w.rg_Fotolabor->setAllEnabled(false);
        w.close();
    }
    Tam_Brennwizard neu;
    EXPECT_FALSE(neu.rg_Fotolabor->AllEnabled());
}

// A target inside the album, or holding files of the list, is refused before anything
// is written, in every mode; the sources stay byte for byte.
TEST_F(Export, ZielImAlbumOderBeiDenQuellenWirdAbgewiesen) {
    const QString tag = album.tag("2005", "20050103", {"bild0001.jpg", "bild0002.jpg", "bild0003.jpg"});
    QMap<QString, QByteArray> vorher;
    for (const QString& n : Namen(tag))
        vorher.insert(n, TestOrdner::lesen(tag + S + n));
    const QStringList eintraege{"2005/20050103/bild0001.jpg", "2005/20050103/bild0002.jpg",
                                "2005/20050103/bild0003.jpg"};
    const QString draussen = ziel.datei("fremd/bild0001.jpg", "fremd");
    using Routine = void (*)(TExport&, const QString&);
    const Routine routinen[] = {
        [](TExport& e, const QString& z) { e.CDKopieren(z, true, {}); },
        [](TExport& e, const QString& z) { e.FotolaborKopieren(z); },
        [](TExport& e, const QString& z) { e.NamenKopierenMitUnterverzeichnissen(z); },
        [](TExport& e, const QString& z) { e.NamenKopierenFortlaufend(z); },
    };
    for (const QString& z : {tag, album.pfad(), album.ordner.pfad("2005/neu"),
                             album.pfad() + "/../" + QFileInfo(album.pfad()).fileName()})
        for (Routine r : routinen) {
            TExport e(G(), eintraege, fortschritt);
            r(e, z);
            EXPECT_EQ(e.Fehlerzahl, 1) << z.toStdString();
            EXPECT_EQ(e.Kopiert, 0);
        }
    TExport fremd(G(), {draussen}, fortschritt);
    fremd.FotolaborKopieren(ziel.pfad("fremd"));
    EXPECT_EQ(fremd.Fehlerzahl, 1);
    EXPECT_TRUE(ui.meldungen.back().text.contains("enthält Bilder der Brennliste"));
    for (auto it = vorher.begin(); it != vorher.end(); ++it)
        EXPECT_EQ(TestOrdner::lesen(tag + S + it.key()), it.value()) << it.key().toStdString();
    EXPECT_EQ(Namen(tag), vorher.keys());
    EXPECT_FALSE(QFile::exists(album.ordner.pfad("Pixolud.dat")));
    EXPECT_FALSE(QFile::exists(album.ordner.pfad("2005/neu")));
    // The file list never replaces a file of the album.
    TExport liste(G(), eintraege, fortschritt);
    liste.CDKopieren(ziel.pfad("cd"), false, tag + "/bild0002.jpg");
    EXPECT_EQ(liste.Fehlerzahl, 1);
    EXPECT_EQ(TestOrdner::lesen(tag + "/bild0002.jpg"), vorher["bild0002.jpg"]);
}

TEST_F(Export, EinLaufUeberschreibtNieWasErSelbstSchrieb) {
    TExport e(G(), Eintraege(), fortschritt);
    e.TexteSchreiben = false;
    e.FotolaborKopieren(ziel.pfad("beide"));
    e.NamenKopierenFortlaufend(ziel.pfad("beide"));
    // The lab's bild0001.jpg (the second picture) is not replaced by the sequence's.
    EXPECT_EQ(TestOrdner::lesen(ziel.pfad("beide/bild0001.jpg")),
              TestOrdner::lesen(album.ordner.pfad("2005/20050101/B.JPG")));
    EXPECT_GT(e.Fehlerzahl, 0);
    EXPECT_NE(e.Zusammenfassung(), "Die Dateien wurden kopiert.");
}

TEST_F(Export, ZusammenfassungSagtWasGeschah) {
    // Cancelled after the first file.
    OhneFenster abbrechen;
    abbrechen.abbrechenNach = true;
    TExport a(G(), Eintraege(), abbrechen);
    a.FotolaborKopieren(ziel.pfad("abbruch"));
    EXPECT_EQ(a.Zusammenfassung(), "Der Export wurde abgebrochen.\r1 von 3 Dateien wurden kopiert.");
    // An entry in other case is the file on disk; a missing one is named.
    TExport f(G(), {"2005/20050101/A.JPG", "2005/20050101/fehlt.jpg", "2005/20050102/C.jpg"}, fortschritt);
    f.FotolaborKopieren(ziel.pfad("labor"));
    EXPECT_EQ(Namen(ziel.pfad("labor")), QStringList({"bild0000.jpg", "bild0001.jpg"}));
    EXPECT_EQ(f.Zusammenfassung(),
              "2 von 2 Dateien wurden kopiert.\r1 Bilder der Brennliste fehlen und wurden nicht kopiert.");
    TExport ok(G(), {"2005/20050101/a.jpg"}, fortschritt);
    ok.FotolaborKopieren(ziel.pfad("ok"));
    EXPECT_EQ(ok.Zusammenfassung(), "Die Dateien wurden kopiert.");
}

TEST_F(Export, TageOhneDatumUndTitelBehaltenIhrenOrdnerUndLangeNamenKopieren) {
    album.tag("2005", "Ausflug", {"I.JPG"});
    album.tag("2005", "Reise", {"I.JPG"});
    const QString lang = QString(246, QChar(u'x')) + ".jpg"; // 250 bytes: as long as names go
    album.ordner.datei("2005/20050101/" + lang, "lang");
    TExport e(G(), {"2005/Ausflug/I.JPG", "2005/Reise/I.JPG"}, fortschritt);
    e.NamenKopierenMitUnterverzeichnissen(ziel.pfad("namen"));
    const QStringList ordner = QDir(ziel.pfad("namen")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    EXPECT_EQ(ordner.size(), 2);
    EXPECT_EQ(e.Kopiert, 2);
    TExport l(G(), {"2005/20050101/" + lang}, fortschritt);
    l.CDKopieren(ziel.pfad("cd"), true, {});
    EXPECT_EQ(l.Fehlerzahl, 0);
    EXPECT_EQ(TestOrdner::lesen(ziel.pfad("cd/2005/20050101/" + lang)), "lang");
}

// The copies carry caption and title inside; the original stays as it was, the pixels
// of the copy are the original's.
TEST_F(Export, KopienTragenIhreBildunterschrift) {
    const QString tag = album.ordner.pfad("2005/20050101");
    JpegMitOrientierung(tag + "/a.jpg", Viertelbild(), 6); // with an EXIF block to keep
    ASSERT_TRUE(BildtextSchreiben(tag, "a.jpg", {QString::fromUtf8("Oma Käthe"), "am Strand"}));
    const QByteArray original = TestOrdner::lesen(tag + "/a.jpg");
    TExport e(G(), {"2005/20050101/a.jpg"}, fortschritt);
    e.FotolaborKopieren(ziel.pfad("labor"));
    e.CDKopieren(ziel.pfad("cd"), true, {});
    EXPECT_EQ(TestOrdner::lesen(tag + "/a.jpg"), original);
    for (const QString& kopie : {ziel.pfad("labor/bild0000.jpg"), ziel.pfad("cd/2005/20050101/a.jpg")}) {
        EXPECT_EQ(EingebetteteBildunterschrift(kopie), QString::fromUtf8("Oma Käthe\nam Strand"));
        DekodiertesBild vorher, nachher;
        ASSERT_TRUE(JpegDekodieren(tag + "/a.jpg", vorher));
        ASSERT_TRUE(JpegDekodieren(kopie, nachher));
        EXPECT_EQ(nachher.bild, vorher.bild); // upright as before, every pixel the same
    }
    EXPECT_TRUE(EingebetteteBildunterschrift(tag + "/a.jpg").isEmpty());
    // Switched off: a copy byte for byte.
    TExport ohne(G(), {"2005/20050101/a.jpg"}, fortschritt);
    ohne.TexteSchreiben = false;
    ohne.FotolaborKopieren(ziel.pfad("ohne"));
    EXPECT_EQ(TestOrdner::lesen(ziel.pfad("ohne/bild0000.jpg")), original);
}

// The exported CD folder opens in a real browser: lists, picture, caption as text, keys.
TEST_F(Export, CDOrdnerImBrowser) {
    if (QStandardPaths::findExecutable("chromium").isEmpty()) GTEST_SKIP() << "no chromium on this machine";
    ASSERT_TRUE(
        BildtextSchreiben(album.ordner.pfad("2005/20050101"), "a.jpg", {"<script>alert(1)</script> Oma"}));
    TExport e(G(), Eintraege(), fortschritt);
    e.CDKopieren(ziel.pfad("cd"), true, {});
    ASSERT_EQ(e.Fehlerzahl, 0);
    for (const char* datei : {"index.html", "pixoluda.js", "pixoluda.css", "album.js"})
        EXPECT_TRUE(QFile::exists(ziel.pfad("cd/") + datei)) << datei;
    const auto seite = [&](const QString& tasten) {
        return BrowserDom(QUrl::fromLocalFile(ziel.pfad("cd/index.html")).toString() + "?tasten=" + tasten,
                          ziel.pfad("profil"));
    };
    const QString start = seite("");
    EXPECT_TRUE(start.contains(QString::fromUtf8(">01.01.2005 - Neujahr in Köln!</option>")))
        << start.toStdString();
    EXPECT_TRUE(start.contains(">2005</option>"));
    EXPECT_TRUE(start.contains("src=\"2005/20050101/a.jpg\""));
    EXPECT_TRUE(start.contains("&lt;script&gt;alert(1)&lt;/script&gt; Oma"));
    EXPECT_FALSE(start.contains("<script>alert(1)"));
    EXPECT_TRUE(start.contains(">1/2<"));
    // Space pages on; past the day's end into the next day; PageDown to the next day.
    const QString weiter = seite("Space,Space");
    EXPECT_TRUE(weiter.contains("data-tag=\"20050102\" data-bild=\"c.jpg\"")) << weiter.toStdString();
    const QString tag = seite("PageDown");
    EXPECT_TRUE(tag.contains("src=\"2005/20050102/c.jpg\""));
}

// A burn list of a synced album may name what Syncthing or Nextcloud put aside: no mode
// copies it, and the summary says so.
TEST_F(Export, KonfliktkopienUndSyncZwischendateienWerdenNichtKopiert) {
    const QString tag = "2005/20050101/";
    for (const char* name : {"a.sync-conflict-20261207-113713-M6CSOA4.jpg",
                             "a (conflicted copy 2026-12-07 113713).jpg", "B.JPG.part"})
        album.ordner.datei(tag + name, "x");
    const QStringList eintraege{tag + "a.jpg", tag + "a.sync-conflict-20261207-113713-M6CSOA4.jpg",
                                tag + "a (conflicted copy 2026-12-07 113713).jpg", tag + "B.JPG.part"};
    TExport cd(G(), eintraege, fortschritt);
    cd.CDKopieren(ziel.pfad("cd"), true, {});
    EXPECT_EQ(Namen(ziel.pfad("cd/2005/20050101")), QStringList({"Album.dat", "a.jpg"}));
    EXPECT_FALSE(TestOrdner::lesen(ziel.pfad("cd/album.js")).contains("conflict"));
    EXPECT_EQ(cd.Zusammenfassung(),
              "Die Dateien wurden kopiert.\r3 Konfliktkopien oder Zwischendateien eines "
              "Sync-Programms wurden nicht kopiert.");
    TExport labor(G(), eintraege, fortschritt);
    labor.TexteSchreiben = false;
    labor.FotolaborKopieren(ziel.pfad("labor"));
    EXPECT_EQ(Namen(ziel.pfad("labor")), QStringList({"bild0000.jpg"}));
}
