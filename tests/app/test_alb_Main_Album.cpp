#include "album/alb_TagTitel.h"
#include "album/alb_Text.h"
#include "album/alb_Titel.h"
#include "album/alb_ini.h"
#include "app/alb_Main.h"
#include "app/alb_Tagesindex.h"
#include "app/zpt_Anwendung.h"
#include "app/zpt_Hilfe.h"
#include "display/zpt_FotoPanel.h"
#include "support/ScriptInteraktion.h"
#include "support/TestAlbum.h"
#include "sys/zpt_Schalter.h"
#include "sys/zpt_sys.h"
#include "widgets/zpt_KeyComboBox.h"

#include <QAction>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

namespace {
// Two years: 2004 with one day; 2005 with a picture day, an empty day and two more.
struct Album : ::testing::Test {
    TestKonfiguration konfiguration;
    ScriptInteraktion ui;
    TestAlbum album;

    void SetUp() override {
        album.tag("2004", "20041231", {"silvester.jpg"}, "Silvester");
        album.tag("2005", "20050101", {"a.jpg", "b.jpg"}, "Neujahr");
        album.tag("2005", "20050102", {});
        album.tag("2005", "2005_01_03", {"c.jpg"}, QString::fromUtf8("Schnee in Köln"));
        album.tag("2005", "20050104", {"d.jpg", "e.jpg"});
        album.ordner.ordner("Urlaub");
    }
    std::unique_ptr<Tam_Main> Fenster(QStringList argumente = {}) {
        return album.fenster(argumente, {900, 600});
    }
    void TagWaehlen(Tam_Main& m, const QString& jahr, const QString& tag) {
        m.cb_Jahr->setKey(jahr);
        m.cb_JahrChange();
        m.cb_Tage->setKey(tag);
        m.cb_TageChange();
        ui.piepse = 0;
    }
    static QString Bild(const Tam_Main& m) { return QFileInfo(m.foto->CurrentFileName()).fileName(); }
    static void Taste(Tam_Main& m, int taste, Qt::KeyboardModifiers mod = Qt::NoModifier) {
        QWidget* ziel = QApplication::focusWidget() ? QApplication::focusWidget() : &m;
        QTest::keyClick(ziel, Qt::Key(taste), mod);
    }
};
} // namespace

TEST_F(Album, TageSortiertMitBeschriftung) {
    auto m = Fenster();
    // Viewer mode starts at the newest year and day.
    EXPECT_EQ(m->cb_Jahr->Key(), "2005");
    EXPECT_EQ(m->cb_Tage->Key(), "20050104");
    EXPECT_EQ(Bild(*m), "d.jpg");
    // Alphabetical without regard to case: punctuation sorts before digits.
    EXPECT_EQ(m->cb_Tage->KeyList(), QStringList({"2005_01_03", "20050101", "20050102", "20050104"}));
    m->cb_Tage->setKey("2005_01_03");
    EXPECT_EQ(m->cb_Tage->Text(), QString::fromUtf8("03.01.2005 - Schnee in Köln"));
    m->cb_Tage->setKey("20050102");
    EXPECT_EQ(m->cb_Tage->Text(), "02.01.2005 - ");
}

TEST_F(Album, AllesSchalterZeigtAuchNichtnumerischeJahre) {
    auto m = Fenster({"/Alles"});
    EXPECT_TRUE(m->cb_Jahr->KeyList().contains("Urlaub"));
    auto n = Fenster();
    EXPECT_FALSE(n->cb_Jahr->KeyList().contains("Urlaub"));
}

TEST_F(Album, BlaetternUeberTagesgrenzenUndLeereTage) {
    auto m = Fenster({"/Edit"});
    TagWaehlen(*m, "2005", "20050101");
    QStringList folge{m->cb_Tage->Key() + "/" + Bild(*m)};
    for (int i = 0; i < 4; ++i) {
        m->Aktion("ax_Vor")->trigger();
        folge << m->cb_Tage->Key() + "/" + Bild(*m);
    }
    // The empty 20050102 is skipped; the last day of the year ends with one beep.
    EXPECT_EQ(folge, QStringList({"20050101/a.jpg", "20050101/b.jpg", "20050104/d.jpg", "20050104/e.jpg",
                                  "20050104/e.jpg"}));
    EXPECT_EQ(ui.piepse, 1);
    EXPECT_EQ(m->cb_Jahr->Key(), "2005");
    ui.piepse = 0;

    // Back from the first picture of a day: the day before at its last picture.
    TagWaehlen(*m, "2005", "20050101");
    m->Aktion("ax_Zur")->trigger();
    EXPECT_EQ(m->cb_Tage->Key() + "/" + Bild(*m), "2005_01_03/c.jpg");

    // Before the first picture of the first day: nothing, no beep.
    m->Aktion("ax_Zur")->trigger();
    EXPECT_EQ(m->cb_Tage->Key() + "/" + Bild(*m), "2005_01_03/c.jpg");
    EXPECT_EQ(ui.piepse, 0);
}

TEST_F(Album, ZurueckAufEinenLeerenTagBleibtDort) {
    auto m = Fenster({"/Edit"});
    TagWaehlen(*m, "2005", "20050104");
    ASSERT_EQ(Bild(*m), "d.jpg");
    m->Aktion("ax_Zur")->trigger();
    EXPECT_EQ(m->cb_Tage->Key(), "20050102");
    EXPECT_EQ(m->foto->Count(), 0);
    EXPECT_EQ(m->foto->InfoText(0), "0/0");
}

TEST_F(Album, ZurueckAufDenLeerenErstenTagDesJahres) {
    album.tag("2006", "20060101", {});
    album.tag("2006", "20060102", {"f.jpg"});
    auto m = Fenster({"/Edit"});
    TagWaehlen(*m, "2006", "20060102");
    m->Aktion("ax_PrevDay")->trigger();
    EXPECT_EQ(m->cb_Tage->Key(), "20060101");
    EXPECT_EQ(m->foto->Count(), 0);
}

TEST_F(Album, NaechsterUndVorigerTagMitPiepAmJahresende) {
    auto m = Fenster({"/Edit"});
    TagWaehlen(*m, "2005", "2005_01_03");
    Taste(*m, Qt::Key_V);
    EXPECT_EQ(ui.piepse, 1);
    Taste(*m, Qt::Key_N);
    EXPECT_EQ(m->cb_Tage->Key(), "20050101");
    Taste(*m, Qt::Key_N); // 20050102 has no pictures: passed over
    EXPECT_EQ(m->cb_Tage->Key(), "20050104");
    EXPECT_EQ(Bild(*m), "d.jpg");
    Taste(*m, Qt::Key_N);
    Taste(*m, Qt::Key_N);
    EXPECT_EQ(m->cb_Tage->Key(), "20050104");
    EXPECT_EQ(m->cb_Jahr->Key(), "2005");
    EXPECT_EQ(ui.piepse, 3);
    Taste(*m, Qt::Key_V); // backwards over the empty day, too
    EXPECT_EQ(m->cb_Tage->Key(), "20050101");
    EXPECT_EQ(Bild(*m), "a.jpg");
    EXPECT_EQ(ui.piepse, 3);
}

TEST_F(Album, TastenWaehrendDesLadensFolgenIhremBefehl) {
    auto m = Fenster({"/Edit"});
    auto leertasteEinreihen = [&] {
        QCoreApplication::postEvent(m->foto,
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " "));
    };
    // V onto a one-picture day, Space queued while its picture loads: forward again.
    TagWaehlen(*m, "2005", "20050101");
    m->foto->setFocus();
    leertasteEinreihen();
    Taste(*m, Qt::Key_V);
    QCoreApplication::processEvents();
    EXPECT_EQ(m->cb_Tage->Key() + "/" + Bild(*m), "20050101/a.jpg");

    // Space queued while the picture after a deleted one loads is not swallowed.
    ui.antworten << mrYes;
    leertasteEinreihen();
    m->Aktion("ax_BildDel")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(m->cb_Tage->Key() + "/" + Bild(*m), "20050104/d.jpg");
    EXPECT_FALSE(QFileInfo::exists(album.ordner.pfad("2005/20050101/a.jpg")));
}

TEST_F(Album, SchluesselInAndererSchreibungFindenTagUndJahr) {
    album.tag("Reise", "Tag_a", {"x.jpg"});
    album.tag("Reise", "Tag_b", {"y.jpg"});
    auto m = Fenster({"/Edit", "/Alles"});
    m->cb_Jahr->setKey("REISE");
    m->cb_JahrChange();
    EXPECT_EQ(m->cb_Tage->KeyList(), QStringList({"Tag_a", "Tag_b"}));
    m->cb_Tage->setKey("TAG_A");
    m->cb_TageChange();
    EXPECT_EQ(Bild(*m), "x.jpg");
    m->Aktion("ax_Vor")->trigger(); // past the end: the next day, not the first again
    EXPECT_EQ(m->cb_Tage->Key() + "/" + Bild(*m), "Tag_b/y.jpg");
}

TEST_F(Album, TastenDerBildflaecheUndDesFensters) {
    auto m = Fenster({"/Edit"});
    TagWaehlen(*m, "2005", "20050101");
    ASSERT_TRUE(m->foto->hasFocus());
    Taste(*m, Qt::Key_Space);
    EXPECT_EQ(Bild(*m), "b.jpg");
    Taste(*m, Qt::Key_Home);
    EXPECT_EQ(Bild(*m), "a.jpg");
    Taste(*m, Qt::Key_Down); // not the panel's: the window pages
    EXPECT_EQ(Bild(*m), "b.jpg");
    Taste(*m, Qt::Key_Up);
    EXPECT_EQ(Bild(*m), "a.jpg");
    Taste(*m, Qt::Key_E);
    EXPECT_EQ(Bild(*m), "b.jpg");
    Taste(*m, Qt::Key_A);
    EXPECT_EQ(Bild(*m), "a.jpg");
    Taste(*m, Qt::Key_PageDown); // the menu's "Nächster Tag"
    EXPECT_EQ(m->cb_Tage->Key(), "20050104");
    Taste(*m, Qt::Key_PageUp);
    EXPECT_EQ(m->cb_Tage->Key(), "20050101");
    m->ll_Vor->click();
    EXPECT_EQ(Bild(*m), "b.jpg");
    EXPECT_TRUE(m->foto->hasFocus());
    m->ll_Zur->click();
    EXPECT_EQ(Bild(*m), "a.jpg");
}

TEST_F(Album, BildunterschriftErstNachDemNaechstenBild) {
    album.ordner.datei(
        "2005/20050101/ALBUM.DAT",
        "[TITEL]\r\nTITELNAME=Neujahr\r\n[BILD B.JPG]\r\nZEILE00=Feuerwerk\r\nZEILE01=um Mitternacht\r\n");
    auto m = Fenster({"/Edit"});
    TagWaehlen(*m, "2005", "20050101");
    Taste(*m, Qt::Key_F6);
    EXPECT_TRUE(m->MitBildUnterschrift);
    EXPECT_FALSE(m->re->isHidden());
    EXPECT_FALSE(m->pa_LinksUnten->isHidden());
    EXPECT_TRUE(m->Aktion("ax_MitBildUnterschrift")->isChecked());
    EXPECT_EQ(m->re->toPlainText(), "");
    Taste(*m, Qt::Key_Space);
    EXPECT_EQ(m->re->toPlainText(), "Feuerwerk\num Mitternacht");
    EXPECT_EQ(m->re->document()->firstBlock().blockFormat().alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    Taste(*m, Qt::Key_Home);
    EXPECT_EQ(m->re->toPlainText(), "");
    // A caption read late from a slow drive does not cover the one read since: the user's
    // new caption stays shown.
    Taste(*m, Qt::Key_Space);
    m->TagFristMs = 0;
    for (int i = 0; i < 1000 && (i == 0 || !m->re->toPlainText().isEmpty()); ++i)
        m->fotoAfterPositionChanged();
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // the late reading ends
    ASSERT_TRUE(BildtextSchreiben(m->foto->CurrentFileName(), {"Eisbahn"}));
    m->TagFristMs = 60000;
    m->fotoAfterPositionChanged();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    EXPECT_EQ(m->re->toPlainText(), "Eisbahn");
    m->Aktion("ax_MitBildUnterschrift")->trigger();
    EXPECT_TRUE(m->re->isHidden());
    EXPECT_FALSE(m->Aktion("ax_MitBildUnterschrift")->isChecked());
}

TEST_F(Album, TitelDialogSchreibtUndBeschriftetNeu) {
    auto m = Fenster({"/Edit"});
    TagWaehlen(*m, "2005", "20050101");
    QString vorher;
    ui.dialoge << [&](QDialog& d) {
        auto& t = dynamic_cast<Tam_Titel&>(d);
        vorher = t.ed->text();
        t.ed->setText(QString::fromUtf8("Neujahr in Überlingen"));
        return int(mrOk);
    };
    Taste(*m, Qt::Key_F4);
    EXPECT_EQ(vorher, "Neujahr");
    EXPECT_EQ(m->cb_Tage->Key(), "20050101");
    EXPECT_EQ(m->cb_Tage->Text(), QString::fromUtf8("01.01.2005 - Neujahr in Überlingen"));
    EXPECT_EQ(TitelLesen(album.pfad() + "/2005/20050101/"), QString::fromUtf8("Neujahr in Überlingen"));
    // Cancelled: nothing written.
    const QByteArray datei = TestOrdner::lesen(album.pfad() + "/2005/20050101/ALBUM.DAT");
    ui.dialoge << [](QDialog& d) {
        dynamic_cast<Tam_Titel&>(d).ed->setText("verworfen");
        return int(mrCancel);
    };
    Taste(*m, Qt::Key_F4);
    EXPECT_EQ(TestOrdner::lesen(album.pfad() + "/2005/20050101/ALBUM.DAT"), datei);
}

TEST_F(Album, BildtextDialogSchreibtUndZeigtDenText) {
    auto m = Fenster({"/Edit"});
    TagWaehlen(*m, "2005", "20050101");
    Taste(*m, Qt::Key_F6);
    ui.dialoge << [](QDialog& d) {
        dynamic_cast<Tam_Text&>(d).re->setPlainText(QString::fromUtf8("Erste Zeile\nzweite Zeile mit ä\n\n"));
        return int(mrOk);
    };
    Taste(*m, Qt::Key_F3);
    EXPECT_EQ(m->re->toPlainText(), QString::fromUtf8("Erste Zeile\nzweite Zeile mit ä"));
    QStringList z;
    BildtextLesen(m->foto->CurrentFileName(), z);
    EXPECT_EQ(z.size(), 2);
    QString geladen;
    ui.dialoge << [&](QDialog& d) {
        geladen = dynamic_cast<Tam_Text&>(d).re->toPlainText();
        return int(mrCancel);
    };
    Taste(*m, Qt::Key_F3);
    EXPECT_EQ(geladen, QString::fromUtf8("Erste Zeile\nzweite Zeile mit ä"));
}

TEST_F(Album, AnzeigemodusIgnoriertTitelUndBildtext) {
    auto m = Fenster();
    EXPECT_FALSE(m->Aktion("ax_Titel")->isEnabled());
    EXPECT_FALSE(m->Aktion("ax_Text")->isEnabled());
    Taste(*m, Qt::Key_F4);
    Taste(*m, Qt::Key_F3);
    EXPECT_EQ(ui.modalGezeigt, 0);
    QStringList texte;
    for (QAction* a : m->foto->Menu()->actions())
        texte << a->text();
    EXPECT_FALSE(texte.contains("Bildtext"));
    EXPECT_FALSE(texte.contains("Titel der Fotoserie"));
}

TEST_F(Album, KontextmenueInTabellenreihenfolge) {
    auto texte = [](Tam_Main& m) {
        QStringList t;
        for (QAction* a : m.foto->Menu()->actions().mid(7))
            t << a->text();
        return t;
    };
    auto m = Fenster({"/Edit"});
    // The table of the main window, in its order: all 27 entries in edit mode, then the
    // panel's motion of a Live Photo.
    const QStringList alle = texte(*m);
    ASSERT_EQ(alle.size(), 28);
    EXPECT_EQ(alle.last(), "Bewegung abspielen");
    EXPECT_EQ(alle.first(), "voriger Tag");
    EXPECT_EQ(alle.indexOf("Suchen"), alle.indexOf("Kalender") + 1);
    const auto eintraege = m->foto->Menu()->actions();
    EXPECT_EQ(eintraege[7]->shortcut(), QKeySequence(Qt::Key_PageUp));
    EXPECT_EQ(eintraege[8]->shortcut(), QKeySequence(Qt::Key_PageDown));
    EXPECT_EQ(eintraege[12]->shortcut(), QKeySequence(Qt::Key_F6));
    // A linked entry follows its action; a copied one does not.
    m->Aktion("ax_Refresh")->setEnabled(false);
    EXPECT_FALSE(eintraege[9]->isEnabled());
    m->Aktion("ax_Hintergrund")->setText("anders");
    EXPECT_EQ(eintraege[13]->text(), "Hintergrundfarbe");

    // The viewer leaves out exactly the editing entries, in the same order.
    auto v = Fenster();
    QStringList ohne = alle;
    for (const char* t :
         {"Bildtext", "Titel der Fotoserie", "Kamera", "Das angezeigte Bild zur Bearbeitung öffnen",
          "Bearbeiten mit", "Angezeigtes Bild löschen", "Bild nach rechts drehen", "Bild nach links drehen",
          "Konflikte lösen…"})
        ohne.removeAll(QString::fromUtf8(t));
    EXPECT_EQ(texte(*v), ohne);
    EXPECT_FALSE(v->Aktion("ax_BildDel")->isEnabled());
    EXPECT_TRUE(v->Aktion("ax_DateiStarten")->isEnabled());
    EXPECT_TRUE(v->Aktion("ax_Rotate_R")->isEnabled());
}

TEST_F(Album, AuswahlWirdGespeichertUndImBearbeitungsmodusWiederhergestellt) {
    {
        auto m = Fenster({"/Edit"});
        m->cb_Jahr->setKey("2004");
        m->cb_JahrChange();
        m->close();
    }
    auto m = Fenster({"/Edit"});
    EXPECT_EQ(m->cb_Jahr->Key(), "2004");
    EXPECT_EQ(m->cb_Tage->Key(), "20041231");
    EXPECT_EQ(Bild(*m), "silvester.jpg");
}

TEST_F(Album, AlbumIndexDateiStattOrdnerbaum) {
    album.ordner.datei("Pixolud.dat", "[2005]\r\n20050101=Aus dem Index\r\n20059999=ohne Ordner\r\n"
                                      "[2003]\r\n20030101=fehlendes Jahr\r\n");
    auto m = Fenster({"/Edit"});
    EXPECT_TRUE(m->AlbumIndexVorhanden);
    EXPECT_EQ(m->cb_Jahr->KeyList(), QStringList({"2003", "2005"}));
    m->cb_Jahr->setKey("2005");
    m->cb_JahrChange();
    // A day the index names but whose folder is gone is left out, and the user told so.
    EXPECT_EQ(m->cb_Tage->KeyList(), QStringList({"20050101"}));
    EXPECT_EQ(m->cb_Tage->Text(), "01.01.2005 - Aus dem Index");
    EXPECT_EQ(m->foto->Count(), 2);
    EXPECT_TRUE(ui.meldungen.back().text.contains("20059999"));
    const qsizetype gemeldet = ui.meldungen.size();
    m->cb_JahrChange();
    EXPECT_EQ(ui.meldungen.size(), gemeldet); // once, not at every refresh
    m->cb_Jahr->setKey("2003");               // the year folder is missing
    m->cb_JahrChange();
    EXPECT_EQ(m->cb_Jahr->Key(), "2003");
    EXPECT_EQ(m->cb_Tage->KeyList(), QStringList());
    EXPECT_EQ(m->foto->Count(), 0);
    EXPECT_TRUE(ui.meldungen.back().text.contains("gibt es nicht oder es kann nicht gelesen werden"));
    // Space and PageDown lead out of it.
    m->Aktion("ax_Vor")->trigger();
    EXPECT_EQ(m->cb_Jahr->Key(), "2005");
    EXPECT_EQ(Bild(*m), "a.jpg");
    m->cb_Jahr->setKey("2003");
    m->cb_JahrChange();
    m->Aktion("ax_NextDay")->trigger();
    EXPECT_EQ(m->cb_Jahr->Key(), "2005");
}

TEST_F(Album, UnlesbarerAlbumIndexZeigtDieOrdner) {
    const QString index = album.ordner.unlesbar("Pixolud.dat");
    auto m = Fenster({"/Edit"});
    EXPECT_FALSE(m->AlbumIndexVorhanden);
    ASSERT_EQ(ui.meldungen.size(), 1);
    EXPECT_TRUE(ui.meldungen[0].text.contains(index));
    EXPECT_EQ(m->cb_Jahr->KeyList(), QStringList({"2004", "2005"}));
    m.reset();
    EXPECT_TRUE(QFileInfo(index).isSymLink());
}

TEST(Tagesindex, JahreUndTageOhneFenster) {
    TestAlbum a;
    a.tag("2005", "20050101", {}, "T");
    a.ordner.ordner("2005a");
    EXPECT_EQ(JahreAuflisten(a.pfad(), nullptr, true), QStringList({"2005"}));
    EXPECT_EQ(JahreAuflisten(a.pfad(), nullptr, false), QStringList({"2005", "2005a"}));
    EXPECT_TRUE(JahreAuflisten(a.pfad() + "/fehlt", nullptr, true).isEmpty());
    EXPECT_TRUE(TageAuflisten(a.pfad(), "", nullptr).isEmpty()); // no year: no days
    const auto tage = TageAuflisten(a.pfad(), "2005", nullptr);
    ASSERT_EQ(tage.size(), 1);
    EXPECT_EQ(tage[0].text, "01.01.2005 - T");
    EXPECT_FALSE(IstZahlName("-1"));
    EXPECT_FALSE(IstZahlName(QString::fromUtf8("２００５")));
}

TEST_F(Album, ErsterStartZeigtDasNeuesteJahrAmErstenTag) {
    auto m = Fenster({"/Edit"}); // no settings file: nothing stored yet
    EXPECT_EQ(m->cb_Jahr->Key(), "2005");
    EXPECT_EQ(m->cb_Tage->Key(), "2005_01_03");
    EXPECT_EQ(Bild(*m), "c.jpg");
    m->cb_Jahr->setKey("");
    m->close(); // stores the empty year
    auto n = Fenster({"/Edit"});
    EXPECT_TRUE(n->cb_Jahr->Key().isEmpty()); // a stored empty year stays empty
    EXPECT_EQ(n->foto->Count(), 0);
}

TEST_F(Album, DeutscheTastennamenUndHilfe) {
    ASSERT_TRUE(QtTexteDeutsch());
    EXPECT_EQ(QKeySequence(Qt::Key_Space).toString(QKeySequence::NativeText), "Leertaste");
    EXPECT_EQ(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R).toString(QKeySequence::NativeText), "Strg+Alt+R");
    EXPECT_EQ(QLocale().toString(1234.5, 'f', 2), "1.234,50");
    auto m = Fenster({"/Edit"});
    EXPECT_EQ(HilfeKontext(m.get()), 2);
    EXPECT_EQ(HilfeAdresse(6).fragment(), "kontext6");
    // The page lies next to the program and has every window's section.
    const QString seite = QString::fromUtf8(TestOrdner::lesen(HilfeSeite()));
    for (const char* abschnitt : {"id=\"kontext2\"", "id=\"kontext6\"", "id=\"tasten\""})
        EXPECT_TRUE(seite.contains(abschnitt)) << abschnitt;
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    EXPECT_TRUE(HilfeTaste(&f1));
    QWidget* fenster = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "Tam_Hilfe") fenster = w;
    ASSERT_NE(fenster, nullptr);
    EXPECT_TRUE(fenster->isVisible());
    EXPECT_TRUE(ui.meldungen.isEmpty());
}

// On a slow drive the day list is labelled from the titles known and corrected as the
// caption files are read in the background; the selection and key stay as they were.
TEST_F(Album, TitelAusDemHintergrundErscheinenInDerListe) {
    auto m = Fenster();
    m->TitelFristMs = 0; // every title read in the background, as on a slow drive
    TitelSchreiben(album.pfad() + "/2005/20050101", "Neujahr am See");
    TitelSchreiben(album.pfad() + "/2005/20050104", "Schlitten");
    TagWaehlen(*m, "2004", "20041231");
    m->cb_Jahr->setKey("2005");
    m->cb_JahrChange();
    m->cb_Tage->setKey("20050101");
    TTagTitel::Instanz().Warten();
    EXPECT_EQ(m->cb_Tage->Text(), "01.01.2005 - Neujahr am See");
    EXPECT_EQ(m->cb_Tage->Key(), "20050101");
    EXPECT_EQ(m->cb_Tage->itemText(3), "04.01.2005 - Schlitten"); // never read before
    // A title read for another year leaves this year's list alone.
    TitelSchreiben(album.pfad() + "/2004/20041231", "Feuerwerk");
    TTagTitel::Instanz().Nachlesen({TagOrdner(album.pfad(), "2004", "20041231")});
    TTagTitel::Instanz().Warten();
    EXPECT_EQ(m->cb_Tage->itemText(0), QString::fromUtf8("03.01.2005 - Schnee in Köln"));
    EXPECT_EQ(m->cb_Tage->count(), 4);
    // A reading asked for before the user gave a title (F4) does not take it back; one
    // asked for afterwards tells what the file says.
    const QString schlitten = TagOrdner(album.pfad(), "2005", "20050104");
    TTagTitel::Instanz().Nachlesen({schlitten});
    TTagTitel::Instanz().Merken(schlitten, "Eisbahn");
    TTagTitel::Instanz().Warten();
    QString titel;
    EXPECT_TRUE(TTagTitel::Instanz().Bekannt(schlitten, &titel));
    EXPECT_EQ(titel, "Eisbahn");
    TTagTitel::Instanz().Nachlesen({schlitten});
    TTagTitel::Instanz().Warten();
    EXPECT_TRUE(TTagTitel::Instanz().Bekannt(schlitten, &titel));
    EXPECT_EQ(titel, "Schlitten");
}
