#include "support/TestOrdner.h"
#include "widgets/zpt_KeyComboBox.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {
struct KeyBox : ::testing::Test {
    TzptKeyComboBox box;
    int aenderungen = 0;
    void SetUp() override {
        box.OnChange = [this](QObject*) { ++aenderungen; };
        box.setErsterEintrag("(kein Jahr)");
    }
    void Tippen(const QString& text) {
        for (QChar c : text)
            QTest::keyClick(&box, c.toLatin1());
    }
};
} // namespace

TEST_F(KeyBox, KeySchreibenTrimmtFindetOhneGrossKleinUndFeuertNicht) {
    box.AddKey("2005", "Jahr 2005");
    box.AddKey("Urlaub", "Urlaub");
    box.setKey("  2005\t");
    EXPECT_EQ(box.Key(), "2005");
    EXPECT_EQ(box.Text(), "Jahr 2005");
    box.setKey("URLAUB");
    EXPECT_EQ(box.Key(), "URLAUB");
    EXPECT_EQ(box.Text(), "Urlaub");
    box.setKey("fehlt");
    EXPECT_EQ(box.Key(), "");
    EXPECT_EQ(box.Text(), "(kein Jahr)");
    EXPECT_EQ(aenderungen, 0);
}

TEST_F(KeyBox, LeerenBehaeltDenSchluesselFuerDieNeueFuellung) {
    box.AddKey("20050101", "alt");
    box.setKey("20050101");
    box.Leeren();
    EXPECT_EQ(box.Key(), "20050101");
    EXPECT_EQ(box.count(), 0);
    EXPECT_EQ(box.Text(), "(kein Jahr)");
    box.AddKey("20050101", "01.01.2005 - neuer Titel");
    EXPECT_EQ(box.Text(), "01.01.2005 - neuer Titel");
    EXPECT_EQ(box.currentIndex(), 0);
}

TEST_F(KeyBox, NaechsterUndVorigerKeyAnDenEnden) {
    for (const char* k : {"a", "b", "c"})
        box.AddKeyKey(k);
    EXPECT_TRUE(box.NaechsterKey()); // from none to the first
    EXPECT_EQ(box.Key(), "a");
    EXPECT_FALSE(box.VorigerKey());
    EXPECT_TRUE(box.NaechsterKey());
    EXPECT_TRUE(box.NaechsterKey());
    EXPECT_FALSE(box.NaechsterKey());
    EXPECT_EQ(box.Key(), "c");
    EXPECT_TRUE(box.VorigerKey());
    EXPECT_EQ(box.Key(), "b");
    EXPECT_EQ(aenderungen, 4);
}

TEST_F(KeyBox, AuswahlMitDerMausNimmtDenErstenGleichenText) {
    box.AddKey("k1", "gleich");
    box.AddKey("k2", "gleich");
    box.AddKey("k3", "anders");
    emit box.textActivated("gleich");
    EXPECT_EQ(box.Key(), "k1");
    aenderungen = 0;
    box.setCurrentIndex(2); // as the list does when the user picks: text first, then activation
    emit box.textActivated("anders");
    EXPECT_EQ(box.Key(), "k3");
    EXPECT_EQ(aenderungen, 1);
}

TEST_F(KeyBox, PraefixModusFaelltZurueck) {
    box.AddKeyKey("2005");
    box.AddKeyKey("2010");
    box.show();
    box.setFocus();
    Tippen("2");
    EXPECT_EQ(box.Key(), "2005");
    Tippen("009");
    EXPECT_EQ(box.Key(), "2005");
    EXPECT_EQ(box.Suchtext(), "200");
    EXPECT_EQ(box.lineEdit()->selectedText(), "200");
    EXPECT_EQ(box.Text(), "2005");
    Tippen("1"); // "2001" has no entry: back to "200"
    EXPECT_EQ(box.Key(), "2005");
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.Suchtext(), "");
    Tippen("201");
    EXPECT_EQ(box.Key(), "2010");
}

TEST_F(KeyBox, ZeichenJenseitsVonLatin1SindTypeAheadUndLeerenNichts) {
    box.AddKey("2005", QString::fromUtf8("€ Euro"));
    box.AddKey("2006", QString::fromUtf8("Šibenik"));
    box.AddKey("2007", "Zwei");
    box.setKey("2007");
    box.show();
    box.setFocus();
    auto taste = [&](const QString& text) {
        QKeyEvent k(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QApplication::sendEvent(box.lineEdit(), &k);
    };
    taste(QString::fromUtf8("ł")); // no entry: the selection stays
    EXPECT_EQ(box.Key(), "2007");
    taste(QString::fromUtf8("š"));
    EXPECT_EQ(box.Key(), "2006");
    QTest::keyClick(&box, Qt::Key_Backspace);
    taste(QString::fromUtf8("€"));
    EXPECT_EQ(box.Key(), "2005");
    taste(QString::fromUtf8("\U0001F600")); // a character of two UTF-16 units
    QInputMethodEvent komponiert;
    komponiert.setCommitString(QString::fromUtf8("č"));
    QApplication::sendEvent(box.lineEdit(), &komponiert);
    EXPECT_EQ(box.Key(), "2005");
    EXPECT_EQ(box.Text(), QString::fromUtf8("€ Euro"));
    // Keys are unique without regard to case.
    box.AddKey("urlaub", "u");
    box.AddKey("URLAUB", "U");
    EXPECT_EQ(box.KeyList().size(), 4);
}

TEST_F(KeyBox, EinBuchstabenModusKreistUndSuchtextEndetMitDemFokus) {
    box.setWraparound(true);
    for (const char* t : {"Anna", "Bert", "anton", "Axel"})
        box.AddKeyKey(t);
    box.show();
    box.setFocus();
    QStringList folge;
    for (int i = 0; i < 4; ++i) {
        Tippen("a");
        folge << box.Key();
    }
    // The search starts after the last match (0 at first) and wraps to the top.
    EXPECT_EQ(folge, QStringList({"anton", "Axel", "Anna", "anton"}));
    EXPECT_EQ(box.Suchtext(), "A");
    QFocusEvent raus(QEvent::FocusOut);
    QApplication::sendEvent(&box, &raus);
    EXPECT_EQ(box.Suchtext(), "");
}

TEST_F(KeyBox, DateienEinlesenMitMaskenregel) {
    TestOrdner t;
    for (const char* n : {"CLIP01.AVI", "ton.wav", "film.MOV", "bild.jpg", ".versteckt.avi", "notiz.txt"})
        t.datei(n, "x");
    box.DateienEinlesen(t.pfad(), "*.mov;*.avi; *.wav ;*.AVI;", false, false, false, true);
    QStringList k = box.KeyList();
    k.sort();
    EXPECT_EQ(k, QStringList({"CLIP01.AVI", "film.MOV", "ton.wav"}));
    box.DateienEinlesen(t.pfad(), "*.avi;*.txt", true, true, true, true);
    ASSERT_EQ(box.count(), 2); // "*.txt" has no final ";": not used
    EXPECT_EQ(box.KeyList()[0], "");
    EXPECT_EQ(box.itemText(0), "(nicht zugeordnet)");
    EXPECT_EQ(box.KeyList()[1], t.pfad() + "/CLIP01.AVI");
    EXPECT_EQ(box.itemText(1), "CLIP01");
    box.DateienEinlesen(t.pfad(), "", false, false, false, true);
    EXPECT_EQ(box.count(), 0);
    EXPECT_TRUE(MaskenAusText("*.a").isEmpty());
}
