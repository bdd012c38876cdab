#include "app/alb_Main.h"
#include "burn/alb_Brennliste.h"
#include "display/zpt_FotoPanel.h"
#include "support/ScriptInteraktion.h"
#include "support/TestAlbum.h"
#include "sys/zpt_Fehler.h"
#include "sys/zpt_sys.h"
#include "widgets/zpt_KeyComboBox.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {
const QString S = QStringLiteral("/");
}

TEST(Brennliste, EintraegeRelativEindeutigUndSortiert) {
    TBrennliste l;
    l.Grundpfad = "/album/";
    EXPECT_EQ(l.EintragVon("/album/2001/20011224/x.jpg"), "2001" + S + "20011224" + S + "x.jpg");
    EXPECT_EQ(l.EintragVon("/ALBUM/2001/b.jpg"), "2001/b.jpg"); // the base folder in any case
    EXPECT_EQ(l.EintragVon("/anderswo/c.jpg"), "/anderswo/c.jpg");
    EXPECT_EQ(l.PfadVon("2001/20011224/x.jpg"), "/album/2001/20011224/x.jpg");
    EXPECT_EQ(l.PfadVon("/anderswo/c.jpg"), "/anderswo/c.jpg");
    bool neu = false;
    for (const char* e : {"2005/b.jpg", "2005/a.jpg", "2005/C.jpg"})
        l.Hinzufuegen(e);
    EXPECT_EQ(l.Hinzufuegen("2005/B.JPG", &neu), 1);
    EXPECT_FALSE(neu);
    EXPECT_EQ(l.Eintraege(), QStringList({"2005/a.jpg", "2005/b.jpg", "2005/C.jpg"}));
    l.Setzen({"e", "a", "d", "c", "b", "A"});
    l.Entfernen({0, 2, 4});
    EXPECT_EQ(l.Eintraege(), QStringList({"b", "d"}));
}

TEST(Brennliste, DateiMitLeerzeilenUndBeidenTrennern) {
    TestOrdner t;
    const QString datei =
        t.datei("x.Pixolud", "  2001\\20011224\\x.jpg  \r\n\r\n   \r\n\t2002/0101/y.jpg\r\n");
    const QStringList e = TBrennliste::DateiLesen(datei);
    EXPECT_EQ(e, QStringList({"2001" + S + "20011224" + S + "x.jpg", "\t2002" + S + "0101" + S + "y.jpg"}));
    EXPECT_TRUE(TBrennliste::DateiLesen(t.pfad("fehlt")).isEmpty());
    EXPECT_THROW(TBrennliste::DateiLesen(t.unlesbar("kaputt.Pixolud")), EFehler);
    TBrennliste l;
    l.Setzen({"b/2.jpg", "a/1.jpg"});
    l.Speichern(t.pfad("neu.Pixolud"));
    EXPECT_EQ(TestOrdner::lesen(t.pfad("neu.Pixolud")), "a/1.jpg\r\nb/2.jpg\r\n");
}

// Every name comes back as it went in, whichever encoding the list needs; lists as
// Windows writes them read too; a picture chosen as a list is refused and left alone.
TEST(Brennliste, JederNameKommtUnveraendertZurueck) {
    TestOrdner t;
    const struct {
        QString name;
        QByteArray anfang; // how the file starts
    } faelle[] = {
        {"a/plain.jpg", "a/plain"},
        {QString::fromUtf8("a/Köln.jpg"), "a/K\xF6ln"}, // fits Windows-1252
        {QString::fromUtf8("a/Ã¤x.jpg"), "\xEF\xBB\xBF"
                                         "a/\xC3\x83"},    // its 1252 bytes would read as "äx"
        {QString::fromUtf8("a/日本.jpg"), "\xEF\xBB\xBF"}, // no 1252 byte at all
    };
    for (const auto& f : faelle) {
        TBrennliste l;
        l.Setzen({f.name});
        const QString datei = t.pfad("l.Pixolud");
        QFile::remove(datei);
        l.Speichern(datei);
        EXPECT_TRUE(TestOrdner::lesen(datei).startsWith(f.anfang)) << f.name.toStdString();
        EXPECT_EQ(TBrennliste::DateiLesen(datei), QStringList({f.name}));
    }
    // Written by Windows: Windows-1252, UTF-8 with BOM, UTF-16 with BOM.
    EXPECT_EQ(TBrennliste::DateiLesen(t.datei("w1.Pixolud", "2005\\K\xF6ln.jpg\r\n")),
              QStringList({QString::fromUtf8("2005") + S + QString::fromUtf8("Köln.jpg")}));
    EXPECT_EQ(TBrennliste::DateiLesen(t.datei("w2.Pixolud", "\xEF\xBB\xBFK\xC3\xB6ln.jpg\r\n")),
              QStringList({QString::fromUtf8("Köln.jpg")}));
    EXPECT_EQ(
        TBrennliste::DateiLesen(t.datei("w3.Pixolud", QByteArray("\xFF\xFEK\0\xF6\0.\0j\0\r\0\n\0", 14))),
        QStringList({QString::fromUtf8("Kö.j")}));
    const QByteArray be("\xFE\xFF\0K\0\xF6\0/\x65\xE5\0.\0j\0\r\0\n\0\r\0\n\0x\0\r\0\n", 28);
    EXPECT_EQ(TBrennliste::DateiLesen(t.datei("w4.Pixolud", be)),
              QStringList({QString::fromUtf8("Kö") + S + QString::fromUtf8("日.j"), "x"}));
    // A backslash that is part of a Linux name stays.
    t.datei("album/2005/a\\b.jpg", "x");
    EXPECT_EQ(TBrennliste::DateiLesen(t.datei("b.Pixolud", "2005/a\\b.jpg\r\n"), t.pfad("album")),
              QStringList({"2005/a\\b.jpg"}));
    // A JPEG is no list.
    const QByteArray jpeg("\xFF\xD8\xFF\xE0\0\x10JFIF\0", 11);
    const QString bild = t.datei("bild.jpg", jpeg);
    EXPECT_THROW(TBrennliste::DateiLesen(bild), EFehler);
    EXPECT_EQ(TestOrdner::lesen(bild), jpeg);
}

namespace {
struct BrennlisteFenster : ::testing::Test {
    TestKonfiguration konfiguration;
    ScriptInteraktion ui;
    TestAlbum album;
    std::unique_ptr<Tam_Main> m;
    QString datei;
    void SetUp() override {
        album.tag("2001", "20011224", {"a.jpg", "b.jpg", "c.jpg", "x.jpg"});
        album.tag("2001", "20011225", {"d.jpg"});
        m = album.fenster({"/Edit"}, {900, 600});
        m->cb_Jahr->setKey("2001");
        m->cb_JahrChange();
        datei = album.ordner.pfad("Brennliste.Pixolud");
    }
    QStringList Liste() const {
        QStringList e;
        for (int i = 0; i < m->lb_Brennliste->count(); ++i)
            e << m->lb_Brennliste->item(i)->text();
        return e;
    }
    QString Bild() const { return QFileInfo(m->foto->CurrentFileName()).fileName(); }
};
} // namespace

// A name with a line break would come back from the list as two names: refused.
TEST_F(BrennlisteFenster, NameMitZeilenumbruchKommtNichtInDieListe) {
    album.tag("2001", "20011226", {"zeile\numbruch.jpg", "e.jpg"});
    m->cb_JahrChange();
    m->cb_Tage->setKey("20011226");
    m->cb_TageChange();
    ui.dateien << datei;
    m->foto->Last();
    ASSERT_EQ(Bild(), "zeile\numbruch.jpg");
    m->Aktion("ax_BildinBrennliste")->trigger();
    EXPECT_TRUE(ui.meldungen.back().text.contains("Zeilenumbruch"));
    EXPECT_TRUE(Liste().isEmpty());
    m->Aktion("ax_AlleInBrennliste")->trigger();
    EXPECT_EQ(Liste(), QStringList({"2001" + S + "20011226" + S + "e.jpg"}));
    EXPECT_TRUE(ui.meldungen.back().text.startsWith("1 Bilder mit einem Zeilenumbruch"));
}

TEST_F(BrennlisteFenster, AufnehmenFragtNachDerDateiUndGehtWeiter) {
    ASSERT_EQ(Bild(), "a.jpg");
    ui.dateien << datei;
    m->Aktion("ax_BildinBrennliste")->trigger();
    EXPECT_EQ(ui.dateiFilter.size(), 1);
    EXPECT_EQ(m->BrennlisteDatei, datei);
    EXPECT_FALSE(m->pa_Brennliste->isHidden());
    EXPECT_EQ(Liste(), QStringList({"2001" + S + "20011224" + S + "a.jpg"}));
    EXPECT_EQ(m->la_Anz->text(), "1 Bild in der Brennliste.");
    EXPECT_EQ(Bild(), "b.jpg"); // on to the next picture
    // The preview finds the picture again through the base folder.
    EXPECT_EQ(m->foto2->CurrentFileName(), album.ordner.pfad("2001/20011224/a.jpg"));
    m->Aktion("ax_BildinBrennliste")->trigger();
    EXPECT_EQ(m->la_Anz->text(), "2 Bilder in der Brennliste.");
    EXPECT_EQ(Bild(), "c.jpg");

    // Again on a picture already there: a beep, it becomes current, no paging.
    m->foto->First();
    ui.piepse = 0;
    m->Aktion("ax_BildinBrennliste")->trigger();
    EXPECT_EQ(ui.piepse, 1);
    EXPECT_EQ(Bild(), "a.jpg");
    EXPECT_EQ(m->lb_Brennliste->currentRow(), 0);
    EXPECT_EQ(Liste().size(), 2);

    // All of the day: two were there, two beeps.
    ui.piepse = 0;
    m->Aktion("ax_AlleInBrennliste")->trigger();
    EXPECT_EQ(ui.piepse, 2);
    EXPECT_EQ(Liste().size(), 4);
    EXPECT_EQ(m->lb_Brennliste->currentItem()->text(), "2001" + S + "20011224" + S + "x.jpg");
    EXPECT_EQ(Bild(), "a.jpg");

    // Three selected entries, not next to each other, go.
    m->lb_Brennliste->clearSelection();
    for (int i : {0, 2, 3})
        m->lb_Brennliste->item(i)->setSelected(true);
    m->bb_BrennlisteDel->click();
    EXPECT_EQ(Liste(), QStringList({"2001" + S + "20011224" + S + "b.jpg"}));
    m->bb_BrennlisteClear->click();
    EXPECT_EQ(m->la_Anz->text(), "0 Bilder in der Brennliste.");
    EXPECT_TRUE(m->foto2->CurrentFileName().isEmpty());
}

TEST_F(BrennlisteFenster, SchliessenUndWiederOeffnenBehaeltDieListe) {
    ui.dateien << datei;
    m->Aktion("ax_AlleInBrennliste")->trigger();
    m->bb_Close->click();
    EXPECT_TRUE(m->BrennlisteDatei.isEmpty());
    EXPECT_TRUE(m->pa_Brennliste->isHidden());
    EXPECT_EQ(TestOrdner::lesen(datei).count("\r\n"), 4);
    // The entries stay in the box, so "Brennliste bearbeiten" asks for nothing.
    m->Aktion("ax_Brennliste")->trigger();
    EXPECT_EQ(ui.dateiFilter.size(), 1);
    m->bb_BrennlisteClear->click();
    ui.dateien << datei;
    m->Aktion("ax_Brennliste")->trigger();
    EXPECT_EQ(Liste().size(), 4);
    EXPECT_FALSE(m->pa_Brennliste->isHidden());
    // Closing the main window saves it, also when the settings cannot be written.
    m->Aktion("ax_AlleInBrennliste")->trigger(); // nothing new, four beeps
    m->cb_Tage->setKey("20011225");
    m->cb_TageChange();
    m->Aktion("ax_BildinBrennliste")->trigger();
    TestOrdner t;
    QFile::link(t.unlesbar("weg"), EinstellungsVerzeichnis() + "Pixolud.ini");
    m->close();
    EXPECT_EQ(TestOrdner::lesen(datei).count("\r\n"), 5);
    EXPECT_EQ(ui.meldungen.size(), 1); // the settings only
}

TEST_F(BrennlisteFenster, AbbrechenUndUnlesbareDatei) {
    // Cancelled: a beep, nothing opened.
    m->Aktion("ax_BildinBrennliste")->trigger();
    EXPECT_EQ(ui.piepse, 1);
    EXPECT_TRUE(m->pa_Brennliste->isHidden());
    EXPECT_EQ(Bild(), "a.jpg");
    // A file that cannot be read: a message, nothing changes.
    ui.dateien << album.ordner.unlesbar("kaputt.Pixolud");
    m->Aktion("ax_Brennliste")->trigger();
    ASSERT_EQ(ui.meldungen.size(), 1);
    EXPECT_TRUE(ui.meldungen[0].text.contains("kaputt.Pixolud"));
    EXPECT_TRUE(m->BrennlisteDatei.isEmpty());
    EXPECT_TRUE(m->pa_Brennliste->isHidden());
    // An open (empty) list that is cancelled away is saved first, not forgotten.
    ui.dateien << datei;
    m->Aktion("ax_Brennliste")->trigger();
    ASSERT_EQ(m->BrennlisteDatei, datei);
    m->Aktion("ax_Brennliste")->trigger(); // still empty: asks again; cancelled
    EXPECT_TRUE(m->BrennlisteDatei.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(datei));
}
