// Two writers of one file: the second waits for the first, another writer's temporary
// is left alone, a copy into the album never replaces a file.
#include "burn/alb_Brennliste.h"
#include "settings/BigIni.h"
#include "settings/zpt_ProfilDatei.h"
#include "support/TestOrdner.h"
#include "sys/zpt_Ersetzen.h"
#include "sys/zpt_Plattform.h"
#include "sys/zpt_Sperre.h"
#include "sys/zpt_Text.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
struct KurzeWartezeit {
    KurzeWartezeit() { TDateiSperre::WartezeitSetzen(100); }
    ~KurzeWartezeit() { TDateiSperre::WartezeitSetzen(5000); }
};
} // namespace

TEST(Sperre, ZweiterSchreiberWartetUndMeldetSich) {
    TestOrdner t;
    KurzeWartezeit kurz;
    const QString datei = t.datei("ALBUM.DAT", "[TITEL]\r\nTITELNAME=alt\r\n");
    TProfilDatei d(datei);
    {
        const TDateiSperre erster(datei);
        ASSERT_TRUE(erster.Erhalten());
        EXPECT_FALSE(d.SchreibeString("TITEL", "TITELNAME", "neu"));
        EXPECT_EQ(LetzteSperrMeldung(), SperrMeldung(datei));
        EXPECT_EQ(TestOrdner::lesen(datei), "[TITEL]\r\nTITELNAME=alt\r\n");
    }
    EXPECT_TRUE(d.SchreibeString("TITEL", "TITELNAME", "neu"));
    EXPECT_TRUE(LetzteSperrMeldung().isEmpty());
    // A writer that locked the file before it was replaced locks the new one.
    const TDateiSperre danach(datei);
    EXPECT_TRUE(danach.Erhalten());
}

TEST(Sperre, TemporaereDateiEinesAnderenBleibt) {
    TestOrdner t;
    const QString ziel = t.datei("ALBUM.DAT", "alt");
    // A writer still writing its temporary holds it locked; a killed one left its own.
    QFile laufend(t.pfad("ALBUM.DAT.pixoluda-Ab12Cd"));
    ASSERT_TRUE(laufend.open(QIODevice::ReadWrite | QIODevice::NewOnly));
    ASSERT_TRUE(TempSperren(int(laufend.handle()), laufend.fileName()));
    t.datei("ALBUM.DAT.pixoluda-Xy34Zw", "verlassen");
    ASSERT_TRUE(text::DateiSchreiben(ziel, "neu"));
    EXPECT_TRUE(QFile::exists(laufend.fileName()));
    EXPECT_FALSE(QFile::exists(t.pfad("ALBUM.DAT.pixoluda-Xy34Zw")));
    // Names as long as a file system allows still get a temporary beside them.
    const QString lang = t.pfad(QString(120, QChar(u'ä')) + ".jpg");
    EXPECT_TRUE(text::DateiSchreiben(lang, "x"));
    EXPECT_EQ(TestOrdner::lesen(lang), "x");
}

// A name with the characters of a pattern ([, ], *, ?) finds its own leftovers too.
TEST(Sperre, TemporaereDateiBeiNamenMitKlammern) {
    TestOrdner t;
    for (const QString& name : {QStringLiteral("Urlaub [1].jpg"), QStringLiteral("Was?.jpg")}) {
        const QString ziel = t.datei(name, "alt");
        t.datei(name + ".pixoluda-Xy34Zw", "verlassen");
        ASSERT_TRUE(text::DateiSchreiben(ziel, "neu"));
        EXPECT_FALSE(QFile::exists(ziel + ".pixoluda-Xy34Zw")) << name.toStdString();
    }
}

TEST(Sperre, KopieInsAlbumErsetztNie) {
    TestOrdner t;
    const QString quelle = t.datei("karte/DSC0001.JPG", "von der Karte");
    const QString ziel = t.datei("album/DSC0001.JPG", "schon im Album");
    QString grund;
    bool neu = true;
    EXPECT_FALSE(plattform::DateiKopierenAtomar(quelle, ziel, true, grund, &neu));
    EXPECT_FALSE(neu);
    EXPECT_EQ(TestOrdner::lesen(ziel), "schon im Album");
    EXPECT_EQ(QDir(t.pfad("album")).entryList(QDir::Files | QDir::Hidden).size(), 1); // no temporary left
    EXPECT_TRUE(plattform::DateiKopierenAtomar(quelle, t.pfad("album/DSC0002.JPG"), true, grund, &neu));
    EXPECT_TRUE(neu);
}

TEST(Sperre, ZweiInstanzenBehaltenBeideIhreEintraege) {
    TestOrdner t;
    // Burn list: both read the file, each adds and removes, both save.
    const QString liste = t.datei("b.Pixolud", "a/1.jpg\r\na/2.jpg\r\n");
    TBrennliste erste, zweite;
    erste.Setzen(TBrennliste::DateiLesen(liste), liste);
    zweite.Setzen(TBrennliste::DateiLesen(liste), liste);
    erste.Hinzufuegen("a/3.jpg");
    zweite.Hinzufuegen("a/4.jpg");
    zweite.Entfernen({0});
    erste.Speichern(liste);
    zweite.Speichern(liste);
    EXPECT_EQ(TestOrdner::lesen(liste), "a/2.jpg\r\na/3.jpg\r\na/4.jpg\r\n");
    EXPECT_EQ(zweite.Anzahl(), 3);
    // Album index: each flush keeps what the other wrote.
    const QString index = t.datei("Pixolud.dat", "[2005]\r\n20050101=alt\r\n");
    TBigIniFile i1(index), i2(index);
    i1.WriteString("2005", "20050102", "eins");
    i2.WriteString("2006", "20060101", "zwei");
    i2.DeleteKey("2005", "20050101");
    i1.FlushFile();
    i2.FlushFile();
    const TBigIniFile jetzt(index);
    EXPECT_EQ(jetzt.ReadString("2005", "20050102", {}), "eins");
    EXPECT_EQ(jetzt.ReadString("2006", "20060101", {}), "zwei");
    EXPECT_FALSE(jetzt.ValueExists("2005", "20050101"));
}
