#include "display/zpt_Bildflaeche.h"
#include "display/zpt_FotoListe.h"
#include "display/zpt_FotoPanel.h"
#include "support/ScriptInteraktion.h"
#include "support/TestOrdner.h"
#include "support/Testbilder.h"
#include "sys/zpt_sys.h"

#include <QAction>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QTest>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
// A panel on a folder of pictures that records the events it raises.
struct PanelTest : ::testing::Test {
    TestOrdner t;
    TzptFotoPanel panel;
    QStringList ereignisse;

    void SetUp() override {
        panel.resize(810, 610);
        panel.AfterPositionChanged = [this](QObject*) {
            ereignisse << "After" + QString::number(panel.Position());
        };
        panel.OnBof = [this](QObject*) { ereignisse << "Bof"; };
        panel.OnEof = [this](QObject*) { ereignisse << "Eof"; };
    }
    void Bilder(const QStringList& namen, QSize groesse = {64, 48}) {
        for (const QString& n : namen)
            JpegEinfarbig(t.pfad(n), groesse.width(), groesse.height());
    }
    void Oeffnen() {
        panel.setGrundpfad(t.pfad());
        panel.ReadFolder(true);
        panel.setAnzeigeEnabled(true);
    }
};
} // namespace

TEST_F(PanelTest, LeererOrdner) {
    Oeffnen();
    EXPECT_EQ(panel.Count(), 0);
    EXPECT_EQ(panel.Position(), -1);
    EXPECT_TRUE(panel.Bildflaeche()->isHidden());
    panel.First();
    EXPECT_EQ(ereignisse, QStringList({"Eof"}));
    panel.ShowCurrent();
    EXPECT_EQ(panel.InfoText(0), "0/0");
    EXPECT_EQ(panel.InfoText(1), "");
    EXPECT_EQ(panel.InfoText(2), AddBackslash(t.pfad()));
    EXPECT_TRUE(panel.Bof());
    EXPECT_TRUE(panel.Eof());
    EXPECT_EQ(panel.CurrentFileName(), "");
}

TEST_F(PanelTest, PositionsregelnAnDenEnden) {
    Bilder({"a.jpg", "b.jpg", "c.jpg"});
    Oeffnen();
    EXPECT_TRUE(panel.Bof());
    panel.First();
    panel.Next();
    panel.Next();
    EXPECT_EQ(ereignisse, QStringList({"After0", "After1", "After2"}));
    EXPECT_TRUE(panel.Eof());
    ereignisse.clear();
    panel.Next();
    panel.Last(); // same index: nothing
    EXPECT_EQ(ereignisse, QStringList({"Eof"}));
    EXPECT_EQ(panel.Position(), 2);
    panel.First();
    ereignisse.clear();
    panel.Prior();
    EXPECT_EQ(ereignisse, QStringList({"Bof"}));
    EXPECT_EQ(panel.Position(), 0);
    EXPECT_TRUE(panel.Bof());
    panel.setEof(true);
    EXPECT_EQ(panel.Position(), 2);
    panel.setBof(false);
    EXPECT_EQ(panel.Position(), 0);
}

TEST_F(PanelTest, InfozeileMitPositionGroesseUndPfad) {
    Bilder({"1.jpg", "2.jpg", "3.jpg", "4.jpg"});
    Bilder({"5.jpg"}, {160, 120});
    Oeffnen();
    panel.SetPosition(4);
    EXPECT_EQ(panel.InfoText(0), "5/5");
    EXPECT_EQ(panel.InfoText(1), "160x120");
    EXPECT_EQ(panel.InfoText(2), AddBackslash(t.pfad()) + "5.jpg");
    panel.setAnzeigeEnabled(false);
    panel.SetPosition(1);
    EXPECT_EQ(panel.InfoText(0), "2/5");
    EXPECT_EQ(panel.InfoText(1), "???");
    EXPECT_EQ(panel.InfoText(2), AddBackslash(t.pfad()) + "2.jpg");
}

TEST_F(PanelTest, KaputtesBildLeertDieFlaecheOhneMeldung) {
    ScriptInteraktion ui;
    Bilder({"a.jpg"});
    t.datei("b.jpg", "kein jpeg");
    Oeffnen();
    panel.First();
    EXPECT_FALSE(panel.Bildflaeche()->Leer());
    panel.Next();
    EXPECT_TRUE(panel.Bildflaeche()->Leer());
    // The line names the picture the commands act on, not the one shown before.
    EXPECT_EQ(panel.InfoText(0), "2/2");
    EXPECT_EQ(panel.InfoText(1), "???");
    EXPECT_EQ(panel.InfoText(2), AddBackslash(t.pfad()) + "b.jpg");
    EXPECT_TRUE(panel.BildGroesse().isEmpty());
    EXPECT_EQ(ereignisse, QStringList({"After0", "After1"}));
    QFile::remove(t.pfad("a.jpg")); // gone behind the program's back
    panel.First();
    EXPECT_EQ(panel.InfoText(0), "1/2");
    EXPECT_EQ(panel.InfoText(1), "???");
    EXPECT_TRUE(ui.meldungen.isEmpty());
}

TEST_F(PanelTest, TasteWaehrendDesLadensZeigtDasSpaetereBildStimmig) {
    Bilder({"a.jpg", "b.jpg"});
    Bilder({"c.jpg"}, {90, 60});
    Oeffnen();
    panel.show();
    panel.First();
    // A key waiting in the queue runs while the next picture starts loading.
    QCoreApplication::postEvent(&panel, new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " "));
    panel.Next();
    EXPECT_EQ(panel.Position(), 2);
    EXPECT_EQ(panel.InfoText(0), "3/3");
    EXPECT_EQ(panel.InfoText(1), "90x60");
    EXPECT_EQ(panel.InfoText(2), AddBackslash(t.pfad()) + "c.jpg");
}

TEST_F(PanelTest, ReadFolderAtFindetNamenOhneGrossKlein) {
    Bilder({"a.jpg", "B.JPG", "c.jpg"});
    panel.setGrundpfad(t.pfad());
    panel.setAnzeigeEnabled(true);
    panel.ReadFolderAt(true, AddBackslash(t.pfad()) + "b.jpg");
    EXPECT_EQ(panel.Position(), 1);
    panel.ReadFolderAt(true, "/ganz/woanders/c.jpg");
    EXPECT_EQ(panel.Position(), 0);
    panel.ReadFolderAt(true, AddBackslash(t.pfad()) + "fehlt.jpg");
    EXPECT_EQ(panel.Position(), 0);
    EXPECT_EQ(ereignisse, QStringList({"After1", "After0", "After0"}));
}

TEST_F(PanelTest, LoeschenAmEndeUndDesEinzigenBildes) {
    Bilder({"a.jpg", "b.jpg"});
    Oeffnen();
    panel.Last();
    ereignisse.clear();
    ASSERT_TRUE(panel.DeleteCurrent());
    EXPECT_FALSE(QFile::exists(t.pfad("b.jpg")));
    EXPECT_EQ(panel.Files(), QStringList({"a.jpg"}));
    EXPECT_EQ(panel.Position(), 0);
    EXPECT_EQ(ereignisse, QStringList({"After0", "After0"}));
    ereignisse.clear();
    ASSERT_TRUE(panel.DeleteCurrent());
    EXPECT_EQ(panel.Count(), 0);
    EXPECT_EQ(ereignisse, QStringList({"Bof", "After0"}));
    EXPECT_EQ(panel.InfoText(0), "0/0");
    EXPECT_FALSE(panel.DeleteCurrent()); // nothing left to delete
}

TEST_F(PanelTest, NichtLoeschbaresBildBleibtMitMeldung) {
    ScriptInteraktion ui;
    Bilder({"a.jpg", "b.jpg"});
    QFile::setPermissions(t.pfad("a.jpg"), QFileDevice::ReadOwner);
    Oeffnen();
    panel.First();
    ereignisse.clear();
    EXPECT_FALSE(panel.DeleteCurrent());
    EXPECT_TRUE(QFile::exists(t.pfad("a.jpg")));
    EXPECT_EQ(panel.Count(), 2);
    EXPECT_EQ(panel.Position(), 0);
    EXPECT_FALSE(panel.Bildflaeche()->Leer());
    EXPECT_TRUE(ereignisse.isEmpty());
    ASSERT_EQ(ui.meldungen.size(), 1);
    EXPECT_EQ(ui.meldungen[0].art, MeldungsArt::Fehler);
    EXPECT_TRUE(ui.meldungen[0].text.contains(t.pfad("a.jpg")));
}

TEST_F(PanelTest, MenuSchalterHaltenStretchUndGrossanpassenExklusiv) {
    const auto eintraege = panel.Menu()->actions();
    ASSERT_EQ(eintraege.size(), 7);
    const QStringList texte{"Bild vor",          "Bild Zurück ",         "Album Anfang",
                            "Album Ende",        "Alle Bilder anpassen", "Zu große Bilder anpassen",
                            "Infozeile anzeigen"};
    const QList<QKeySequence> tasten{Qt::Key_Space, Qt::Key_Backspace, Qt::Key_Home, Qt::Key_End,
                                     Qt::Key_X,     Qt::Key_Y,         Qt::Key_I};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(eintraege[i]->text(), texte[i]);
        EXPECT_EQ(eintraege[i]->shortcut(), tasten[i]);
    }
    QAction* alle = eintraege[4];
    QAction* grosse = eintraege[5];
    panel.setGrossanpassen(true);
    EXPECT_TRUE(grosse->isChecked());
    alle->trigger();
    EXPECT_TRUE(panel.Stretch());
    EXPECT_FALSE(panel.Grossanpassen());
    EXPECT_FALSE(grosse->isChecked());
    alle->trigger();
    EXPECT_FALSE(panel.Stretch());
    EXPECT_FALSE(panel.Grossanpassen());
    grosse->trigger();
    EXPECT_TRUE(panel.Grossanpassen());
    eintraege[6]->trigger();
    EXPECT_FALSE(panel.StatusbarVisible());
    EXPECT_FALSE(eintraege[6]->isChecked());
    panel.setStatusbarVisible(true);
    EXPECT_TRUE(eintraege[6]->isChecked());
}

TEST_F(PanelTest, BloesseTastenWirkenBeiFokus) {
    Bilder({"a.jpg", "b.jpg", "c.jpg"});
    Oeffnen();
    panel.show();
    QApplication::setActiveWindow(&panel);
    panel.setFocus();
    panel.First();
    QTest::keyClick(&panel, Qt::Key_Space);
    EXPECT_EQ(panel.Position(), 1);
    QTest::keyClick(&panel, Qt::Key_End);
    EXPECT_EQ(panel.Position(), 2);
    QTest::keyClick(&panel, Qt::Key_Backspace);
    EXPECT_EQ(panel.Position(), 1);
    QTest::keyClick(&panel, Qt::Key_X);
    EXPECT_TRUE(panel.Stretch());
}

TEST_F(PanelTest, KlickAufDasBildWirdWeitergereicht) {
    Bilder({"a.jpg"}, {200, 150});
    Oeffnen();
    int klicks = 0;
    panel.OnClick = [&](QObject* s) {
        EXPECT_EQ(s, &panel);
        ++klicks;
    };
    panel.show();
    panel.First();
    TBildflaeche* flaeche = panel.Bildflaeche();
    QTest::mouseClick(flaeche, Qt::LeftButton);
    EXPECT_EQ(klicks, 1);
    // The bare background around the picture, within the picture control's area.
    ASSERT_FALSE(flaeche->BildRechteck().contains(QPoint(2, 2)));
    QTest::mouseClick(flaeche, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(klicks, 1);
}

namespace {
// Grabs the panel and reports whether the colours at two points are as expected.
void PruefeFarben(TzptFotoPanel& p, QPoint innen, QPoint aussen, const QColor& bild, const QColor& grund) {
    const QImage g = p.grab().toImage();
    const QColor i = g.pixelColor(innen), a = g.pixelColor(aussen);
    EXPECT_NEAR(i.red(), bild.red(), 12);
    EXPECT_NEAR(i.green(), bild.green(), 12);
    EXPECT_NEAR(i.blue(), bild.blue(), 12);
    EXPECT_EQ(a, grund);
}
} // namespace

TEST_F(PanelTest, DreiPlatzierungenImBildschirmfoto) {
    const QColor rot(220, 20, 20), grund(0, 0, 80);
    JpegEinfarbig(t.pfad("klein.jpg"), 200, 100, rot);
    JpegEinfarbig(t.pfad("riesig.jpg"), 4000, 1000, rot);
    Oeffnen();
    panel.setColor(grund);
    panel.setStatusbarVisible(false);
    panel.show();

    // Natural size, centred: 200x100 in 810x610.
    panel.SetPosition(0);
    EXPECT_EQ(panel.Files()[0], "klein.jpg");
    PruefeFarben(panel, {405, 305}, {405 - 110, 305}, rot, grund);
    EXPECT_EQ(panel.Bildflaeche()->geometry(), QRect(0, 0, 810, 610));

    // Stretch: enlarged to 800x400 at top (610-400)/2 = 105.
    panel.setStretch(true);
    EXPECT_EQ(panel.Bildflaeche()->geometry(), QRect(5, 105, 800, 400));
    PruefeFarben(panel, {405, 305}, {405, 100}, rot, grund);
    PruefeFarben(panel, {7, 305}, {2, 305}, rot, grund);

    // Fitted only when too large: the wide picture becomes 800x200.
    panel.setStretch(false);
    panel.setGrossanpassen(true);
    panel.SetPosition(1);
    EXPECT_EQ(panel.Bildflaeche()->geometry(), QRect(5, 205, 800, 200));
    PruefeFarben(panel, {405, 305}, {405, 200}, rot, grund);

    // The camera window's panel fits a tall picture above its info line, not under it.
    JpegEinfarbig(t.pfad("zhoch.jpg"), 1000, 4000, rot);
    panel.ReadFolder(true);
    panel.ObenEinpassen = true;
    panel.setStatusbarVisible(true);
    panel.SetPosition(2);
    ASSERT_EQ(panel.Files()[2], "zhoch.jpg");
    EXPECT_LE(panel.Bildflaeche()->geometry().bottom(), 610 - 19 - 1);
    EXPECT_EQ(panel.Bildflaeche()->geometry().height(), 610 - 19 - 10);
}

TEST_F(PanelTest, GroessenaenderungPlatziertNeu) {
    JpegEinfarbig(t.pfad("a.jpg"), 640, 480);
    Oeffnen();
    panel.show();
    panel.setStretch(true);
    panel.First();
    ereignisse.clear();
    panel.resize(330, 250);
    EXPECT_EQ(panel.Bildflaeche()->geometry(), QRect(5, 5, 320, 240));
    panel.setAnzeigeEnabled(false);
    panel.resize(810, 610);
    EXPECT_EQ(panel.Bildflaeche()->geometry(), QRect(5, 5, 320, 240));
    EXPECT_TRUE(ereignisse.isEmpty());
}

// A folder's listing is kept by the folder's time: a picture added or removed later
// changes that time and is seen at the next listing; a folder changed a moment ago is
// listed each time.
TEST(FotoListe, GemerkteAuflistungSiehtGeaenderteOrdner) {
    TestOrdner t;
    JpegEinfarbig(t.pfad("a.jpg"), 8, 8, Qt::red);
    int tage = 0;
    const auto alt = [&] {
        const timespec zeiten[2] = {{0, UTIME_OMIT}, {time(nullptr) - 86400 * ++tage, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(t.pfad()).constData(), zeiten, 0), 0);
    };
    alt();
    EXPECT_EQ(FotoDateienLesen(t.pfad(), true), QStringList({"a.jpg"}));
    EXPECT_EQ(FotoDateienLesen(t.pfad(), true), QStringList({"a.jpg"})); // from the kept listing
    JpegEinfarbig(t.pfad("b.jpg"), 8, 8, Qt::red);
    EXPECT_EQ(FotoDateienLesen(t.pfad(), true), QStringList({"a.jpg", "b.jpg"}));
    alt();
    EXPECT_EQ(FotoDateienLesen(t.pfad(), true), QStringList({"a.jpg", "b.jpg"}));
    ASSERT_TRUE(QFile::remove(t.pfad("a.jpg")));
    EXPECT_EQ(FotoDateienLesen(t.pfad(), true), QStringList({"b.jpg"}));
    JpegEinfarbig(t.pfad("c.jpg"), 8, 8, Qt::red);
    EXPECT_EQ(FotoDateienLesen(t.pfad(), false).size(), 2);
}
