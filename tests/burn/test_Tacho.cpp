#include "burn/zpt_Tacho.h"
#include "burn/zpt_TachoText.h"
#include "support/ScriptInteraktion.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {
QStringList Zeilen() {
    QStringList z;
    for (QLabel* l : TzptTacho::Fenster()->findChildren<QLabel*>())
        z << l->text();
    return z;
}
QPushButton* Abbruch() {
    return TzptTacho::Fenster()->findChild<QPushButton*>();
}
} // namespace

TEST(Tacho, Texte) {
    const QLocale deutsch(QLocale::German, QLocale::Germany);
    EXPECT_EQ(TachoZeile(1234, 1000, deutsch), "1234 / 1000 = 123,40 %");
    EXPECT_EQ(TachoZeile(3, 0, deutsch), "3 / 0 = 0,00 %");
    EXPECT_EQ(RestzeitZeile(10'000, 2, 4), "verbleibende Zeit = 00:00:10 ");
    EXPECT_EQ(TachoSchluss("Kopieren ...", 65'000, true), "Kopieren ... nach 00:01:05 abgebrochen.");
    EXPECT_EQ(TachoSchluss("Kopieren ...", 0, false), "Kopieren ... nach 00:00:00 beendet.");
}

TEST(Tacho, EinKleinerAuftragMitAbbruchFrage) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ScriptInteraktion ui;
    QWidget hauptfenster;
    hauptfenster.show();
    TzptTacho tacho(&hauptfenster);
    qint64 uhr = 5'000'000;
    tacho.Jetzt = [&] { return uhr; };
    tacho.Start("Kopieren ...", 4);
    ASSERT_NE(TzptTacho::Fenster(), nullptr);
    EXPECT_EQ(TzptTacho::Fenster()->windowTitle(), "Kopieren ...");
    EXPECT_EQ(TzptTacho::Fenster()->windowModality(), Qt::ApplicationModal); // the other windows wait
    EXPECT_TRUE(TzptTacho::Fenster()->isVisible());
    EXPECT_TRUE(Zeilen().contains("Vorbereitung ..."));

    uhr += 500;
    tacho.Step(); // the first step shows an estimate at once
    uhr += 1'500;
    tacho.Step();
    EXPECT_TRUE(Zeilen().contains("2 / 4 = 50,00 %"));
    EXPECT_TRUE(Zeilen().contains("verbleibende Zeit = 00:00:02 "));
    uhr += 200; // within the same second: the time line stays
    tacho.Step();
    EXPECT_TRUE(Zeilen().contains("verbleibende Zeit = 00:00:02 "));

    // Nein keeps the job running and the button usable.
    ui.antworten << mrNo;
    Abbruch()->click();
    EXPECT_FALSE(tacho.Aborted());
    EXPECT_TRUE(Abbruch()->isEnabled());
    EXPECT_EQ(ui.meldungen.back().text, "Soll die Verarbeitung wirklich abgebrochen werden ?");
    EXPECT_EQ(ui.meldungen.back().vorgabe, mrYes);
    ui.antworten << mrYes;
    Abbruch()->click();
    EXPECT_TRUE(tacho.Aborted());
    EXPECT_FALSE(Abbruch()->isEnabled());
    uhr += 3'000;
    tacho.Stop(true);
    EXPECT_EQ(ui.meldungen.back().text, "Kopieren ... nach 00:00:05 abgebrochen.");
    EXPECT_EQ(TzptTacho::Fenster(), nullptr);
    EXPECT_EQ(TzptTacho::Verschachtelung(), -1);
    QLocale::setDefault(QLocale::c());
}

TEST(Tacho, VerschachtelterStartTeiltDasFenster) {
    ScriptInteraktion ui;
    TzptTacho aussen, innen;
    aussen.Start("Kopieren ...", 10);
    QDialog* fenster = TzptTacho::Fenster();
    innen.Start("Innen", 3);
    EXPECT_EQ(TzptTacho::Fenster(), fenster);
    EXPECT_EQ(TzptTacho::Verschachtelung(), 1);
    EXPECT_EQ(fenster->windowTitle(), "Kopieren ...");
    innen.Step(); // while both run the window is left alone
    EXPECT_EQ(aussen.Position(), 0);
    innen.Stop(false);
    EXPECT_EQ(TzptTacho::Fenster(), fenster);
    aussen.Step();
    EXPECT_EQ(aussen.Position(), 1);
    aussen.Stop(false);
    EXPECT_EQ(TzptTacho::Fenster(), nullptr);
    EXPECT_TRUE(ui.meldungen.isEmpty());
}
