#include "album/alb_ini.h"
#include "settings/zpt_ProfilDatei.h"
#include "support/TestOrdner.h"

#include <gtest/gtest.h>

TEST(ProfilLesen, GrossKleinLeerzeichenUndAnfuehrungszeichen) {
    const TProfilDokument d(
        "[ Sektion1 ]\r\n  Name  =  b c  \nq1=\"val2\"\rq2='x'\r\nq3=\"x'\r\nq4=\"x\r\nleer=\r\n=namenlos\r\n"
        "keinSchluessel\r\n");
    EXPECT_EQ(d.LeseString("SEKTION1", "name"), "b c");
    EXPECT_EQ(d.LeseString("sektion1", "Q1"), "val2");
    EXPECT_EQ(d.LeseString("sektion1", "q2"), "x");
    EXPECT_EQ(d.LeseString("sektion1", "q3"), "\"x'");
    EXPECT_EQ(d.LeseString("sektion1", "q4"), "\"x");
    EXPECT_EQ(d.LeseString("sektion1", "leer", "vorgabe"), "");
    EXPECT_EQ(d.LeseString("sektion1", "", "v"), "namenlos");
    EXPECT_EQ(d.LeseString("sektion1", "keinSchluessel", "v"), "v");
    EXPECT_EQ(d.LeseString("fehlt", "x", "vorgabe  "), "vorgabe");
}

// An empty value in quotes loses the quotes and is empty; a caption line so written ends
// the caption as an empty line does.
TEST(ProfilLesen, LeererWertInAnfuehrungszeichen) {
    TestOrdner t;
    const QString ini = t.datei("Pixolud.ini", "[Tam_Main]\r\nTitel=\"\"\r\nOben=  \"\"  \r\nLinks=''\r\n");
    const TProfilDatei d(ini);
    EXPECT_EQ(d.LeseString("Tam_Main", "Titel", "vorgabe"), "");
    EXPECT_EQ(d.LeseString("Tam_Main", "Oben", "vorgabe"), "");
    EXPECT_EQ(d.LeseString("Tam_Main", "Links", "vorgabe"), "");
    const QString tag = t.ordner("20050101");
    t.datei("20050101/ALBUM.DAT",
            "[TITEL]\r\nTITELNAME=\"\"\r\n[BILD a.jpg]\r\nZEILE00=Oma\r\nZEILE01=\"\"\r\n"
            "ZEILE02=Opa\r\n");
    EXPECT_EQ(TitelLesen(tag + "/a.jpg", "vorgabe"), "");
    QStringList zeilen;
    BildtextLesen(tag, "a.jpg", zeilen);
    EXPECT_EQ(zeilen, QStringList{"Oma"});
    // An empty value written reads back empty.
    TProfilDatei neu(t.pfad("neu.ini"));
    ASSERT_TRUE(neu.SchreibeString("S", "k", ""));
    EXPECT_EQ(neu.LeseString("S", "k", "vorgabe"), "");
}

TEST(ProfilLesen, ZeilenVorDerErstenSektionUndDuplikate) {
    const TProfilDokument d(
        "a=vorher\r\n[]\r\nleer=1\r\n[S]\r\nk=erste\r\nK=zweite\r\n[s]\r\nk=dritte\r\nneu=4\r\n");
    EXPECT_EQ(d.LeseString("", "a", "v"), "v");
    EXPECT_EQ(d.LeseString("", "leer"), "1");
    EXPECT_EQ(d.LeseString("S", "k"), "erste");
    EXPECT_EQ(d.LeseString("S", "neu", "nur erste Sektion"), "nur erste Sektion");
    EXPECT_EQ(d.Sektionen(), QStringList({"", "S"}));
    EXPECT_EQ(d.Schluessel("s"), QStringList({"k"}));
}

TEST(ProfilLesen, WerteWerdenBei2047Abgeschnitten) {
    const QString lang(3000, u'x');
    const TProfilDokument d("[S]\r\nk=" + lang + "\r\n");
    EXPECT_EQ(d.LeseString("S", "k").size(), 2047);
}

TEST(ProfilSchreiben, NeueDateiUndAnhaengeReihenfolge) {
    TProfilDokument d;
    d.SchreibeString("App1", "key1", "string1");
    d.SchreibeString("App1", "key2", "string2");
    d.SchreibeString("App1", "key3", "string3");
    d.SchreibeString("App2", "key4", "string4");
    d.SchreibeString("App3", "key5", "string5");
    EXPECT_EQ(d.Text(), "[App1]\r\nkey1=string1\r\nkey2=string2\r\nkey3=string3\r\n[App2]\r\nkey4=string4\r\n"
                        "[App3]\r\nkey5=string5\r\n");
}

TEST(ProfilSchreiben, UnveraenderteBytesBleiben) {
    TProfilDokument d(QString::fromUtf8("müll\n; Kommentar\n[A]\nKey = alt\n; ende von A\n\n[B]\nx=1"));
    d.SchreibeString("a", "KEY", "neu");
    d.SchreibeString("A", "zwei", "2");
    d.SchreibeString("C", "c", "3");
    EXPECT_EQ(d.Text(),
              QString::fromUtf8(
                  "müll\n; Kommentar\n[A]\nKey=neu\nzwei=2\r\n; ende von A\n\n[B]\nx=1\r\n[C]\r\nc=3\r\n"));
}

TEST(ProfilSchreiben, LoeschenVonSchluesselnUndSektionen) {
    TProfilDokument d("[A]\r\na=1\r\nb=2\r\n[B]\r\nc=3\r\n[C]\r\nd=4\r\n");
    d.LoescheSchluessel("a", "A");
    d.LoescheSchluessel("a", "b");
    d.LoescheSektion("b");
    d.LoescheSchluessel("fehlt", "x");
    EXPECT_EQ(d.Text(), "[A]\r\n[C]\r\nd=4\r\n");
}

TEST(ProfilSchreiben, ZeilenumbruchImWertBleibtEineZeile) {
    TProfilDokument d;
    d.SchreibeString("S", "k", "a\r\nb\nc");
    d.SchreibeString("S", "j", "2");
    EXPECT_EQ(d.LeseString("S", "k"), "a b c");
    EXPECT_EQ(d.LeseString("S", "j"), "2");
}

TEST(ProfilDatei, SchreibtSofortUndBehaeltDieKodierung) {
    TestOrdner t;
    const QString p = t.datei("ALBUM.DAT", "[TITEL]\r\nTITELNAME=Gr\xfc\xdf"
                                           "e\r\n");
    TProfilDatei f(p);
    EXPECT_EQ(f.LeseString("titel", "titelname"), QString::fromUtf8("Grüße"));
    ASSERT_TRUE(f.SchreibeString("BILD A.JPG", "ZEILE00", QString::fromUtf8("Bär")));
    EXPECT_EQ(TestOrdner::lesen(p), "[TITEL]\r\nTITELNAME=Gr\xfc\xdf"
                                    "e\r\n[BILD A.JPG]\r\nZEILE00=B\xe4r\r\n");
    EXPECT_TRUE(TProfilDatei(t.pfad("neu.ini")).SchreibeString("S", "k", "v"));
    EXPECT_EQ(TestOrdner::lesen(t.pfad("neu.ini")), "[S]\r\nk=v\r\n");
    EXPECT_EQ(TProfilDatei(t.pfad("fehlt.ini")).LeseString("S", "k", "d"), "d");
}

TEST(ProfilDatei, GescheiterterSchreibvorgangLaesstDieDateiHeil) {
    TestOrdner t;
    const QString p = t.datei("x.ini", "[S]\r\nk=alt\r\n");
    QFile::setPermissions(p, QFileDevice::ReadOwner);
    TProfilDatei f(p);
    EXPECT_FALSE(f.SchreibeString("S", "k", "neu"));
    EXPECT_EQ(TestOrdner::lesen(p), "[S]\r\nk=alt\r\n");
    EXPECT_FALSE(TProfilDatei(t.pfad("fehlt/x.ini")).SchreibeString("S", "k", "v"));
}

TEST(ProfilDatei, UnlesbareDateiWirdNieNeuGeschrieben) {
    TestOrdner t;
    TProfilDatei d(t.unlesbar("Pixolud.ini"));
    bool geaendert = false;
    EXPECT_FALSE(d.Aendern([&](TProfilDokument&) { geaendert = true; }));
    EXPECT_FALSE(geaendert); // not even handed an empty document to change
    EXPECT_FALSE(d.SchreibeString("S", "k", "v"));
    EXPECT_EQ(d.LeseString("S", "k", "vorgabe"), "vorgabe");
}
