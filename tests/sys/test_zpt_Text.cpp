#include "support/TestOrdner.h"
#include "sys/zpt_Text.h"

#include <gtest/gtest.h>

TEST(Textkodierung, Utf8WennGueltigSonstWindows1252) {
    const auto cp = text::Dekodieren("M\xfc"
                                     "ller \x80");
    EXPECT_EQ(cp.inhalt, QString::fromUtf8("Müller €"));
    EXPECT_FALSE(cp.utf8);
    const auto u8 = text::Dekodieren("M\xc3\xbcller");
    EXPECT_EQ(u8.inhalt, QString::fromUtf8("Müller"));
    EXPECT_TRUE(u8.utf8);
}

TEST(Textkodierung, JedesByteUeberlebtLesenUndSchreiben) {
    QByteArray alle;
    for (int i = 0; i < 256; ++i)
        alle.append(char(i));
    const auto g = text::Dekodieren(alle);
    EXPECT_FALSE(g.utf8);
    EXPECT_EQ(text::Kodieren(g.inhalt, g), alle);
}

TEST(Textkodierung, SchreibtWindows1252WennEsPasstSonstUtf8) {
    EXPECT_EQ(text::Kodieren(QString::fromUtf8("Grüße")), QByteArray("Gr\xfc\xdf"
                                                                     "e"));
    EXPECT_EQ(text::Kodieren(QString::fromUtf8("Grüße ☃")), QString::fromUtf8("Grüße ☃").toUtf8());
    // A file that is UTF-8 already stays UTF-8.
    EXPECT_EQ(text::Kodieren(QString::fromUtf8("ä"), text::Dekodieren("\xc3\xb6")), QByteArray("\xc3\xa4"));
    // The byte order mark stays.
    EXPECT_EQ(text::Kodieren("a", text::Dekodieren("\xef\xbb\xbf"
                                                   "b")),
              QByteArray("\xef\xbb\xbf"
                         "a"));
}

TEST(Textkodierung, SchreibgeschuetzteDateiWirdNichtErsetzt) {
    TestOrdner t;
    const QString p = t.datei("x", "alt");
    QFile::setPermissions(p, QFileDevice::ReadOwner);
    QString grund;
    EXPECT_FALSE(text::DateiSchreiben(p, "neu", &grund));
    EXPECT_EQ(TestOrdner::lesen(p), "alt");
    EXPECT_FALSE(text::DateiSchreiben(t.pfad("fehlt/x"), "neu"));
}

TEST(TextDatei, VolleFestplatteBehaeltDieAlteDateiUndNenntDenGrund) {
    KleinesDateisystem klein(64);
    if (!klein.da()) GTEST_SKIP() << "no file system can be mounted here";
    const QString pfad = klein.pfad("ALBUM.DAT");
    ASSERT_TRUE(text::DateiSchreiben(pfad, "[TITEL]\r\nTITELNAME=alt\r\n"));
    klein.fuellen(4096);
    // Small enough to sit in a write buffer until the file is closed.
    QString fehler;
    EXPECT_FALSE(text::DateiSchreiben(pfad, QByteArray(12000, 'n'), &fehler));
    EXPECT_EQ(fehler, "No space left on device");
    EXPECT_EQ(TestOrdner::lesen(pfad), "[TITEL]\r\nTITELNAME=alt\r\n");
}
