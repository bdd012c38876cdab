#include "app/alb_Main.h"
#include "calendar/alb_Kalender.h"
#include "calendar/qorKalender.h"
#include "display/alb_10Bilder.h"
#include "display/alc_3x3.h"
#include "display/zpt_FotoPanel.h"
#include "shell/alb_Bearbeiten.h"
#include "shell/alb_SpeichernUnter.h"
#include "support/ScriptInteraktion.h"
#include "support/TestAlbum.h"
#include "support/Testbilder.h"
#include "sys/zpt_sys.h"
#include "widgets/zpt_KeyComboBox.h"
#include "widgets/zpt_PfadEdit.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QSlider>
#include <QStandardPaths>
#include <QTimer>
#include <gtest/gtest.h>

TEST(BearbeitenMit, PlatzhalterUndArgumente) {
    EXPECT_EQ(ParameterErsetzen("&PFADNAME&x.jpg", "/A/b.jpg"), "/A/x.jpg");
    EXPECT_EQ(ParameterErsetzen(" \t-o &BILDNAME& ", "/A/b.jpg"), "-o /A/b.jpg");
    // What was put in is not searched again.
    EXPECT_EQ(ParameterErsetzen("&BILDNAME& &BILDNAME&", "/x/&BILDNAME&.jpg"),
              "/x/&BILDNAME&.jpg /x/&BILDNAME&.jpg");
    const QString seltsam = "/Bilder/Urlaub 2005/\"a\" $b; `c`.jpg";
    EXPECT_EQ(BearbeitenArgumente("\"&BILDNAME&\"", seltsam), QStringList({seltsam}));
    EXPECT_EQ(BearbeitenArgumente("", seltsam), QStringList({seltsam}));
    EXPECT_EQ(BearbeitenArgumente("--neu \"&PFADNAME&x y.jpg\"", seltsam),
              QStringList({"--neu", "/Bilder/Urlaub 2005/x y.jpg"}));
}

TEST(Mehrbild, KachelnUndZehnBilder) {
    QList<int> folge;
    int n = 1;
    for (int i = 0; i < 10; ++i)
        folge << (n = NaechsteKachel(n, false));
    EXPECT_EQ(folge, QList<int>({9, 8, 7, 6, 5, 4, 3, 2, 1, 9}));
    EXPECT_EQ(Kachel(1), QRect(0, 0, 212, 160));
    EXPECT_EQ(Kachel(5), QRect(215, 161, 212, 160));
    EXPECT_EQ(Kachel(9), QRect(432, 321, 212, 160));
    EXPECT_EQ(ZehnBilderAnzahl(15, 4), 10);
    EXPECT_EQ(ZehnBilderAnzahl(15, 8), 7);
    EXPECT_EQ(ZehnBilderAnzahl(15, 14), 1);
    EXPECT_EQ(ZehnBilderAnzahl(0, -1), 0); // no current picture: nothing is read
    EXPECT_EQ(ZehnBilderAnzahl(15, 15), 0);
}

namespace {
struct Fenster : ::testing::Test {
    TestKonfiguration konfiguration;
    ScriptInteraktion ui;
    TestAlbum album;
    // The main window in edit mode on a day with one picture, "a.jpg".
    std::unique_ptr<Tam_Main> EinBildFenster() {
        album.tag("2005", "20050101", {"a.jpg"});
        auto m = album.fenster({"/Edit"}, {900, 600});
        m->cb_Jahr->setKey("2005");
        m->cb_JahrChange();
        return m;
    }
};
} // namespace

TEST_F(Fenster, DreiMalDreiUndZehnBilderZeigen) {
    TestOrdner t;
    QStringList namen;
    for (int i = 0; i < 15; ++i) {
        namen << QString("b%1.jpg").arg(i, 2, 10, QChar('0'));
        JpegEinfarbig(t.pfad(namen.back()), 64, 48, QColor(i * 10, 0, 0));
    }
    Tam_10Bilder zehn;
    ui.dialoge << [&](QDialog&) {
        EXPECT_EQ(zehn.windowTitle(), "0/7");
        for (int i = 0; i < 8; ++i)
            zehn.TimerTimer();
        EXPECT_EQ(zehn.windowTitle(), "0/7"); // after 0..6 it starts again
        return int(mrCancel);
    };
    zehn.Zeigen(t.pfad(), namen, 8);
    EXPECT_EQ(zehn.Geladen.size(), 7);
    EXPECT_EQ(QFileInfo(zehn.Geladen.last()).fileName(), "b14.jpg");
    zehn.Zeigen(t.pfad(), {}, -1);
    EXPECT_EQ(zehn.Anzahl, 0);
    zehn.TimerTimer(); // nothing to show, nothing read
    zehn.TrackBar1->setValue(0);
    EXPECT_FALSE(zehn.Timer->isActive());

    Tam_3x3 k;
    k.cx_Vorwaerts->setChecked(false);
    ui.dialoge << [&](QDialog&) {
        k.im_GClick();
        EXPECT_EQ(k.windowTitle(), "Bild 9");
        k.im_GClick();
        EXPECT_EQ(k.windowTitle(), "Bild 8");
        return int(mrCancel);
    };
    k.Zeigen(t.pfad("b00.jpg"));
    k.TrackBar1->setValue(4);
    EXPECT_EQ(k.ti->interval(), 200);
    // The next opening starts on tile 1 of its own picture, not where the last one ended.
    ui.dialoge << [&](QDialog&) {
        EXPECT_EQ(k.windowTitle(), "Bild 1");
        EXPECT_EQ(QColor(k.Anzeige().pixel(10, 10)).red() / 10, 14);
        return int(mrCancel);
    };
    k.Zeigen(t.pfad("b14.jpg"));
}

TEST_F(Fenster, KalenderZeigtTageMitOrdnernUndSpringtDorthin) {
    album.tag("2005", "20050101", {"a.jpg", "b.jpg"}, "Neujahr");
    album.tag("2005", "20050131", {"c.jpg"}, "Monatsende");
    album.tag("2004", "20041231", {"d.jpg"}, "Silvester");
    album.tag("2005", "2005-02-01", {"e.jpg"});
    auto m = album.fenster({"/Edit"}, {900, 600});
    m->cb_Jahr->setKey("2005");
    m->cb_JahrChange();
    m->cb_Tage->setKey("20050101");
    m->cb_TageChange();
    Tam_Kalender& k = KalenderFenster();
    ui.dialoge << [&](QDialog&) {
        // Shown before the window appears: the first picture and the title.
        EXPECT_FALSE(k.foto->isHidden());
        EXPECT_EQ(QFileInfo(k.foto->CurrentFileName()).fileName(), "a.jpg");
        EXPECT_EQ(k.windowTitle(), "01.01.2005 - Neujahr");
        // The month view carries the titles of all days with folders, also outside the month.
        k.kal->setAnzeige(kaMonat);
        k.kal->Modell().TermineLaden();
        QStringList titel;
        for (const auto& e : k.kal->Modell().Termine())
            titel << e.Text;
        EXPECT_TRUE(titel.contains("Neujahr"));
        EXPECT_TRUE(titel.contains("Monatsende"));
        EXPECT_TRUE(titel.contains("Silvester"));
        k.kal->SetDatum(QDate(2004, 12, 31)); // another year
        return int(mrOk);
    };
    m->Aktion("ax_Kalender")->trigger();
    EXPECT_EQ(m->cb_Jahr->Key(), "2004");
    EXPECT_EQ(m->cb_Tage->Key(), "20041231");
    EXPECT_EQ(QFileInfo(m->foto->CurrentFileName()).fileName(), "d.jpg");

    // A day without folder: hidden panel, false, nothing changes.
    ui.dialoge << [&](QDialog&) {
        k.kal->SetDatum(QDate(2004, 12, 30));
        EXPECT_TRUE(k.foto->isHidden());
        EXPECT_EQ(k.windowTitle(), "30.12.2004"); // not the day shown before
        return int(mrOk);
    };
    QDate datum(2004, 12, 31);
    EXPECT_FALSE(k.Ausfuehren(album.pfad(), datum));
    EXPECT_EQ(datum, QDate(2004, 12, 31));

    // Only JJJJMMTT day names.
    m->cb_Jahr->setKey("2005");
    m->cb_JahrChange();
    m->cb_Tage->setKey("2005-02-01");
    m->cb_TageChange();
    m->Aktion("ax_Kalender")->trigger();
    EXPECT_EQ(ui.meldungen.back().text, "Der Kalender arbeitet nur mit JJJJMMTT Verzeichnisnamen.");
    EXPECT_EQ(ui.modalGezeigt, 2);
}

TEST_F(Fenster, SpeichernUnterMerktSichDenOrdner) {
    TestOrdner ziel;
    auto m = EinBildFenster();
    Tam_SpeichernUnter& s = SpeichernUnterFenster();
    const QString vorher = s.Zielverzeichnis;
    EXPECT_EQ(vorher, TempVerzeichnis());
    m->Aktion("ax_SpeichernUnter")->trigger(); // cancelled
    EXPECT_EQ(s.Zielverzeichnis, vorher);
    EXPECT_TRUE(s.Panel2->isHidden());
    ziel.datei("a.jpg", "alt");
    ui.dialoge << [&](QDialog&) {
        EXPECT_EQ(s.ed->Text(), AddBackslash(vorher) + "a.jpg");
        s.ed->setText(ziel.pfad("A.JPG")); // the same name in other case: asked about
        return int(mrOk);
    };
    m->Aktion("ax_SpeichernUnter")->trigger();
    EXPECT_EQ(ui.meldungen.back().vorgabe, mrNo); // answered Nein
    EXPECT_EQ(TestOrdner::lesen(ziel.pfad("a.jpg")), "alt");
    EXPECT_EQ(s.Zielverzeichnis, AddBackslash(ziel.pfad()));
    ui.dialoge << [&](QDialog&) {
        s.ed->setText(ziel.pfad("neu/kopie.jpg"));
        return int(mrOk);
    };
    m->Aktion("ax_SpeichernUnter")->trigger();
    EXPECT_TRUE(QFile::exists(ziel.pfad("neu/kopie.jpg")));
    EXPECT_TRUE(ui.meldungen.back().text.startsWith(ziel.pfad("neu/kopie.jpg") + "\r"));
    // "Bearbeiten mit" shows the parameter row with the default line.
    ui.dialoge << [&](QDialog&) {
        EXPECT_FALSE(s.Panel2->isHidden());
        EXPECT_EQ(s.ed_PAR->text(), "\"&BILDNAME&\"");
        return int(mrCancel);
    };
    m->Aktion("ax_BearbeitenMit")->trigger();
    // The target folder and the program are kept across runs.
    delete &s;
    EXPECT_EQ(SpeichernUnterFenster().Zielverzeichnis, AddBackslash(ziel.pfad("neu")));
}

// "Ja" to replacing a file of the same name in other case replaces that file; a copy
// that could not be written is reported as such.
TEST_F(Fenster, SpeichernUnterErsetztDieDateiInIhrerSchreibungOderMeldetDenFehler) {
    TestOrdner ziel;
    auto m = EinBildFenster();
    Tam_SpeichernUnter& s = SpeichernUnterFenster();
    ziel.datei("p01.jpg", "alt");
    ui.dialoge << [&](QDialog&) {
        s.ed->setText(ziel.pfad("P01.JPG"));
        return int(mrOk);
    };
    ui.antworten << mrYes;
    m->Aktion("ax_SpeichernUnter")->trigger();
    EXPECT_EQ(QDir(ziel.pfad()).entryList(QDir::Files), QStringList({"p01.jpg"}));
    EXPECT_EQ(TestOrdner::lesen(ziel.pfad("p01.jpg")),
              TestOrdner::lesen(album.ordner.pfad("2005/20050101/a.jpg")));
    // A target that cannot be replaced (here a folder of that name; read-only media alike):
    // it stays, and nobody hears "kopiert".
    ziel.datei("fest/alt.jpg/drin.txt", "alt");
    ui.dialoge << [&](QDialog&) {
        s.ed->setText(ziel.pfad("fest/alt.jpg"));
        return int(mrOk);
    };
    ui.antworten << mrYes;
    m->Aktion("ax_SpeichernUnter")->trigger();
    EXPECT_EQ(TestOrdner::lesen(ziel.pfad("fest/alt.jpg/drin.txt")), "alt");
    EXPECT_FALSE(ui.meldungen.back().text.contains("kopiert."));
    EXPECT_EQ(ui.meldungen.back().art, MeldungsArt::Fehler);
    // A program named without its folder is found on the search path.
    EXPECT_EQ(ProgrammFinden("sh"), QStandardPaths::findExecutable("sh"));
    EXPECT_EQ(ProgrammFinden("/opt/x/prog"), "/opt/x/prog");
    EXPECT_EQ(ProgrammFinden("gibtesnicht-pixoluda"), "gibtesnicht-pixoluda");
}
