#include "app/alb_Main.h"
#include "burn/alb_Brennwizard.h"
#include "burn/alb_Export.h"
#include "display/zpt_grafik.h"
#include "settings/BigIni.h"
#include "support/ScriptInteraktion.h"
#include "support/TestAlbum.h"
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

struct Export : ::testing::Test {
    TestKonfiguration konfiguration;
    ScriptInteraktion ui;
    TestAlbum album;
    TestOrdner ziel;
    OhneFenster fortschritt;
    const QString S = QStringLiteral("/");
    void SetUp() override {
        album.tag("2005", "20050101", {"a.jpg", "B.JPG"}, QString::fromUtf8("Neujahr in Köln!"));
        album.tag("2005", "20050102", {"c.jpg"}, "Schnee");
        album.ordner.datei("2005/20050102/film.avi", "avi");
        album.ordner.datei("2005/20050102/d.jpeg", "jpeg");
        album.tag("2005", "Urlaub", {"u.jpg"}, "Strand");
    }
    QString G() const { return AddBackslash(album.pfad()); }
    QStringList Eintraege() const {
        return {"2005/20050101/a.jpg", "2005/20050101/B.JPG", "2005/20050102/c.jpg", "2005/20050102/d.jpeg",
                "2005/20050102/film.avi"};
    }
    QStringList Namen(const QString& ordner) const { return QDir(ordner).entryList(QDir::Files, QDir::Name); }
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
    // The file list in copy order: each day's caption file after its first picture, then the viewer.
    const QStringList zeilen = QString::fromUtf8(TestOrdner::lesen(liste)).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(zeilen.size(), 7 + 7);
    EXPECT_EQ(zeilen[0], G() + "2005/20050101/a.jpg");
    EXPECT_EQ(zeilen[1], G() + "2005/20050101/ALBUM.DAT"); // as spelt on disk
    EXPECT_EQ(zeilen[2], G() + "2005/20050101/B.JPG");
    EXPECT_EQ(zeilen[4], G() + "2005/20050102/ALBUM.DAT");
    EXPECT_EQ(zeilen[7], ProgrammVerzeichnis() + "TemplateCDROM/Pixolud");
    EXPECT_EQ(fortschritt.protokoll, QStringList({"Kopieren ... 15", "Stop"}));
    // The viewer of the build is there.
    EXPECT_TRUE(QFile::exists(cd + "Pixolud"));
    EXPECT_TRUE(QFileInfo(cd + "start.sh").isExecutable());
    EXPECT_TRUE(QFileInfo(cd + "Pixolud").isExecutable());

    // Only the file list: the folder still gets its index, and nothing else.
    TExport nurListe(G(), Eintraege(), fortschritt);
    nurListe.CDKopieren(ziel.pfad("nur"), false, ziel.pfad("nur.txt"));
    EXPECT_EQ(Namen(ziel.pfad("nur")), QStringList({"Pixolud.dat"}));
    // An index already there keeps its other entries.
    TExport wieder(G(), {"2005/Urlaub/u.jpg"}, fortschritt);
    wieder.CDKopieren(ziel.pfad("cd"), false, {});
    TBigIniFile index2(cd + "Pixolud.dat");
    tage.clear();
    index2.ReadSection("1899", tage); // a day name without date
    EXPECT_EQ(tage, QStringList({"Urlaub"}));
    EXPECT_TRUE(index2.ValueExists("2005", "20050101"));
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
    w.ed_Zielpfad->setText("");
    erlaubt = true;
    w.wz_2Changing(erlaubt);
    EXPECT_FALSE(erlaubt);
    EXPECT_EQ(ui.meldungen.size(), 1); // refused without a word
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
    w.wzLastAction();
    EXPECT_EQ(ui.meldungen.back().text, "Die Dateien wurden kopiert.");
    EXPECT_TRUE(QFile::exists(ziel.pfad("labor/bild0000.jpg")));
    // The choices are kept for the next run.
    Tam_Brennwizard neu;
    EXPECT_FALSE(neu.rg_Zielpfad->AllEnabled());
    EXPECT_TRUE(neu.rg_Fotolabor->AllEnabled());
    EXPECT_EQ(neu.ed_Fotolabor->Text(), ziel.pfad("labor"));
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
