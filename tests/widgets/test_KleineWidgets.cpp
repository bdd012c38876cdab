#include "settings/zpt_Schrifttext.h"
#include "support/ScriptInteraktion.h"
#include "support/TestOrdner.h"
#include "sys/zpt_Farbe.h"
#include "sys/zpt_Fehler.h"
#include "widgets/zpt_ColorButton.h"
#include "widgets/zpt_DatumEdit.h"
#include "widgets/zpt_FontButton.h"
#include "widgets/zpt_Groupbox.h"
#include "widgets/zpt_ListViewPanel.h"
#include "widgets/zpt_MultiButtonPanel.h"
#include "widgets/zpt_RadioGroup.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

TEST(Groupbox, HaekchenSchaltetGenauDieDirektenKinder) {
    Tzpt_Groupbox g;
    auto* edit = new QLineEdit(&g);
    auto* innen = new QWidget(&g);
    auto* enkel = new QLineEdit(innen);
    int klicks = 0;
    g.OnAfterClick = [&](QObject*) { ++klicks; };
    g.show();
    QTest::mouseClick(g.CheckBox(), Qt::LeftButton, {}, QPoint(6, g.CheckBox()->height() / 2));
    EXPECT_FALSE(g.AllEnabled());
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_FALSE(innen->isEnabled());
    EXPECT_FALSE(enkel->isEnabled()); // through its parent only
    EXPECT_TRUE(g.CheckBox()->isEnabled());
    EXPECT_EQ(klicks, 1);
    // In code: no event.
    g.setAllEnabled(true);
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_TRUE(g.CheckBox()->isChecked());
    g.setAllEnabled(false);
    EXPECT_FALSE(g.CheckBox()->isChecked());
    EXPECT_EQ(klicks, 1);
    // Disabled and enabled again, a ticked group comes back unticked.
    g.setAllEnabled(true);
    g.setEnabled(false);
    g.setEnabled(true);
    EXPECT_FALSE(g.AllEnabled());
    EXPECT_FALSE(g.CheckBox()->isChecked());
    EXPECT_TRUE(g.CheckBox()->isEnabled());
    EXPECT_FALSE(edit->isEnabled());
    // A window around it disabled and enabled again: the group is as it was.
    QWidget fenster;
    g.setParent(&fenster);
    g.setAllEnabled(true);
    fenster.setEnabled(false);
    fenster.setEnabled(true);
    EXPECT_TRUE(g.AllEnabled());
    EXPECT_TRUE(g.CheckBox()->isChecked());
    EXPECT_TRUE(edit->isEnabled());
    g.setParent(nullptr);

    const QString text = QString::fromUtf8("Kopieren in einen Ordner für die CD");
    g.setCaption(text);
    EXPECT_EQ(g.CheckBox()->width(), QFontMetrics(g.font()).horizontalAdvance(text) + 22);
    EXPECT_EQ(g.Caption(), text);
}

TEST(ColorButton, KontrastUndEigeneFarbenImDialog) {
    EXPECT_EQ(KontrastFarbe(QColor(0x00, 0x00, 0xFF)), QColor(Qt::black));
    EXPECT_EQ(KontrastFarbe(QColor(0x80, 0x80, 0x80)), QColor(Qt::white));
    EXPECT_EQ(KontrastFarbe(QColor(0x81, 0x00, 0x00)), QColor(Qt::black));

    ScriptInteraktion ui;
    TzptColorButton b;
    QStringList folge;
    b.OnBeforeDialog = [&](QObject*) { folge << "vor"; };
    b.OnColorChanged = [&](QObject*) { folge << "neu"; };
    b.OnAfterDialog = [&](QObject*) { folge << "nach"; };
    QObject::connect(&b, &QPushButton::clicked, [&] { folge << "klick"; });
    b.UserColor[0] = QColor(0x12, 0x34, 0x56);
    ui.farben << QColor(Qt::red);
    b.click();
    QCoreApplication::processEvents();
    EXPECT_EQ(folge, QStringList({"klick", "vor", "neu", "nach"}));
    EXPECT_EQ(b.Color(), QColor(Qt::red));
    ASSERT_EQ(ui.letzteEigeneFarben.size(), 16);
    EXPECT_EQ(ui.letzteEigeneFarben[0], "ColorA=A6CAF0");
    EXPECT_EQ(ui.letzteEigeneFarben[7], "ColorH=BBAACC");
    EXPECT_EQ(ui.letzteEigeneFarben[8], "ColorI=563412"); // a colour reference: blue, green, red
    EXPECT_EQ(FarbeAusEintrag(ui.letzteEigeneFarben[8]), QColor(0x12, 0x34, 0x56));
    folge.clear();
    b.click(); // cancelled: no change, but the after event
    QCoreApplication::processEvents();
    EXPECT_EQ(folge, QStringList({"klick", "vor", "nach"}));
}

TEST(FontButton, Schrifttext) {
    QFont f(QStringLiteral("Arial"), 12);
    f.setBold(true);
    f.setUnderline(true);
    EXPECT_EQ(SchriftText(f, QColor(0, 0, 255)), "Arial;12;5;16711680");
    QFont geladen(QStringLiteral("x"), 8);
    geladen.setItalic(true); // styles already on stay on
    QColor farbe;
    SchriftAusText("Courier;10;9;255", geladen, farbe);
    EXPECT_EQ(geladen.family(), "Courier");
    EXPECT_EQ(geladen.pointSize(), 10);
    EXPECT_TRUE(geladen.bold() && geladen.strikeOut() && geladen.italic());
    EXPECT_FALSE(geladen.underline());
    EXPECT_EQ(farbe, QColor(255, 0, 0));
    try {
        SchriftAusText("Courier;zehn;0;0", geladen, farbe);
        ADD_FAILURE() << "no error";
    } catch (const EFehler& e) {
        EXPECT_EQ(e.meldung, "'zehn' ist kein gültiger Integerwert");
    }
    EXPECT_THROW(SchriftAusText("Courier;10", geladen, farbe), EFehler);
}

TEST(ListViewPanel, ZweiMaskenSortiertUndNurWennAktiv) {
    TestOrdner t;
    t.datei("b.jpg", "x");
    t.datei("A.JPG", "x");
    t.datei("c.png", "x");
    t.datei("Bild.jpg.png", "x"); // matches both masks
    t.datei(".versteckt.jpg", "x");
    TzptListViewPanel p;
    p.setVerzeichnis(t.pfad());
    p.setJoker("*.jpg*; *.png");
    EXPECT_EQ(p.Joker(), "*.jpg*; *.png;");
    EXPECT_TRUE(p.Eintraege().isEmpty()); // not active
    EXPECT_EQ(p.la_Caption->text(), "?");
    p.setActive(true);
    EXPECT_EQ(p.Eintraege(), QStringList({"A.JPG", "b.jpg", "Bild.jpg.png", "Bild.jpg.png", "c.png"}));
    EXPECT_EQ(p.la_Caption->text(), p.Verzeichnis() + "*.jpg*; *.png;");
    // By last change, newest first.
    QFile f(t.pfad("c.png"));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.setFileTime(QDateTime::currentDateTime().addDays(1), QFileDevice::FileModificationTime);
    f.close();
    p.setActive(false);
    p.setSortierung(TSortierungNach::snAenderung);
    p.setActive(true);
    EXPECT_EQ(p.Eintraege().first(), "c.png");

    // The context menu switches the view as the buttons do.
    p.Menu()->actions()[3]->trigger();
    EXPECT_EQ(p.ViewStyle(), TzptListViewPanel::Ansicht::Details);

    // "Ordner...": another folder refills and reports it.
    ScriptInteraktion ui;
    TestOrdner anderer;
    anderer.datei("z.png", "x");
    int gewechselt = 0;
    p.OnVerzeichnisChanged = [&](QObject*) { ++gewechselt; };
    ui.dateien << anderer.pfad();
    p.OrdnerWaehlen();
    EXPECT_EQ(p.Eintraege(), QStringList({"z.png"}));
    EXPECT_EQ(gewechselt, 1);
}
