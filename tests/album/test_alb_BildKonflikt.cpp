// A picture a sync program put aside as a conflict copy: keeping the day's picture, the
// copy or both, and every failing step leaving both pictures in the day.
#include "album/alb_BildKonflikt.h"
#include "album/alb_ini.h"
#include "support/TestOrdner.h"
#include "sys/zpt_Papierkorb.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {
const QString kKopie = QStringLiteral("IMG_0001.sync-conflict-20261207-113713-M6CSOA4.JPG");

// A day with IMG_0001.JPG ("dieses"), its conflict copy ("jenes") and a caption; the
// trash lies in the test's own data folder.
struct Tag {
    TestOrdner album, daten;
    QByteArray vorher = qgetenv("XDG_DATA_HOME");
    QString ordner;
    Tag() {
        qputenv("XDG_DATA_HOME", QFile::encodeName(daten.pfad()));
        ordner = album.ordner(QStringLiteral("2026/20261207"));
        album.datei(QStringLiteral("2026/20261207/IMG_0001.JPG"), "dieses");
        album.datei(QStringLiteral("2026/20261207/") + kKopie, "jenes");
        EXPECT_TRUE(BildtextSchreiben(ordner, QStringLiteral("IMG_0001.JPG"), {QStringLiteral("Am Strand")}));
    }
    ~Tag() {
        PapierkorbStoeren(PapierkorbStoerung::Keine);
        qputenv("XDG_DATA_HOME", vorher);
    }
    QByteArray lesen(const QString& name) const { return TestOrdner::lesen(QDir(ordner).filePath(name)); }
    QStringList dateien() const {
        return QDir(ordner).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
    TBildKonflikt konflikt() const {
        const QVector<TBildKonflikt> k = BildKonflikteSuchen(ordner);
        EXPECT_EQ(k.size(), 1);
        return k.value(0);
    }
};
} // namespace

TEST(BildKonflikt, GefundenMitGeraetUndOriginalInSeinerSchreibweise) {
    Tag t;
    t.album.datei(QStringLiteral("2026/20261207/img_0002 (conflicted copy anna 2026-12-07 101500).jpg"), "x");
    t.album.datei(QStringLiteral("2026/20261207/ALBUM.sync-conflict-20261207-113713-M6CSOA4.DAT"), "");
    const QVector<TBildKonflikt> k = BildKonflikteSuchen(t.ordner);
    ASSERT_EQ(k.size(), 2); // the caption file's copy is no picture
    EXPECT_EQ(k[0].kopie, kKopie);
    EXPECT_EQ(k[0].original, QStringLiteral("IMG_0001.JPG"));
    EXPECT_TRUE(k[0].originalDa);
    EXPECT_EQ(k[0].geraet, QStringLiteral("M6CSOA4"));
    EXPECT_EQ(k[1].original, QStringLiteral("img_0002.jpg"));
    EXPECT_FALSE(k[1].originalDa);
    EXPECT_EQ(k[1].geraet, QStringLiteral("anna"));
}

TEST(BildKonflikt, DiesesBildBehalten) {
    Tag t;
    const TBildLoesung l = BildKonfliktLoesen(t.ordner, t.konflikt(), TBildWahl::Diese);
    EXPECT_TRUE(l.erledigt);
    EXPECT_TRUE(l.fehler.isEmpty());
    EXPECT_EQ(t.lesen(QStringLiteral("IMG_0001.JPG")), "dieses");
    EXPECT_FALSE(t.dateien().contains(kKopie));
    EXPECT_EQ(TestOrdner::lesen(t.daten.pfad(QStringLiteral("Trash/files/")) + kKopie), "jenes");
}

TEST(BildKonflikt, JenesBildNimmtDenNamenUndDasAlteGehtInDenPapierkorb) {
    Tag t;
    const TBildLoesung l = BildKonfliktLoesen(t.ordner, t.konflikt(), TBildWahl::Jene);
    EXPECT_TRUE(l.erledigt);
    EXPECT_TRUE(l.fehler.isEmpty()) << l.fehler.toStdString();
    // Nothing else left in the day, no parked file either.
    EXPECT_EQ(t.dateien(), QStringList({QStringLiteral("ALBUM.DAT"), QStringLiteral("IMG_0001.JPG")}));
    EXPECT_EQ(t.lesen(QStringLiteral("IMG_0001.JPG")), "jenes");
    EXPECT_EQ(TestOrdner::lesen(t.daten.pfad(QStringLiteral("Trash/files/")) + kKopie), "dieses");
    QStringList zeilen;
    BildtextLesen(t.ordner, QStringLiteral("IMG_0001.JPG"), zeilen);
    EXPECT_EQ(zeilen, QStringList{QStringLiteral("Am Strand")});
}

TEST(BildKonflikt, OhnePapierkorbBleibenBeideBilderWieSieWaren) {
    Tag t;
    PapierkorbStoeren(PapierkorbStoerung::InfoAnlegen); // the trash refuses every file
    for (TBildWahl wahl : {TBildWahl::Diese, TBildWahl::Jene}) {
        const TBildLoesung l = BildKonfliktLoesen(t.ordner, t.konflikt(), wahl);
        EXPECT_FALSE(l.erledigt);
        EXPECT_FALSE(l.fehler.isEmpty());
        EXPECT_EQ(t.dateien(),
                  QStringList({QStringLiteral("ALBUM.DAT"), QStringLiteral("IMG_0001.JPG"), kKopie}));
        EXPECT_EQ(t.lesen(QStringLiteral("IMG_0001.JPG")), "dieses");
        EXPECT_EQ(t.lesen(kKopie), "jenes");
    }
}

TEST(BildKonflikt, BeideBehaltenUnterFreiemNamenMitBildunterschrift) {
    Tag t;
    t.album.datei(QStringLiteral("2026/20261207/img_0001_2.jpg"), "schon da");
    const TBildLoesung l = BildKonfliktLoesen(t.ordner, t.konflikt(), TBildWahl::Beide);
    EXPECT_TRUE(l.erledigt);
    EXPECT_TRUE(l.fehler.isEmpty());
    EXPECT_EQ(l.neuerName, QStringLiteral("IMG_0001_3.JPG"));
    EXPECT_EQ(t.lesen(QStringLiteral("IMG_0001.JPG")), "dieses");
    EXPECT_EQ(t.lesen(QStringLiteral("img_0001_2.jpg")), "schon da");
    EXPECT_EQ(t.lesen(QStringLiteral("IMG_0001_3.JPG")), "jenes");
    EXPECT_FALSE(t.dateien().contains(kKopie));
    QStringList zeilen;
    BildtextLesen(t.ordner, QStringLiteral("IMG_0001_3.JPG"), zeilen);
    EXPECT_EQ(zeilen, QStringList{QStringLiteral("Am Strand")});
}

TEST(BildKonflikt, NurDieKopieUebrigNimmtDenNamenUndBleibtBeiDiesem) {
    Tag t;
    QFile::remove(QDir(t.ordner).filePath(QStringLiteral("IMG_0001.JPG")));
    const TBildKonflikt k = t.konflikt();
    EXPECT_FALSE(k.originalDa);
    // "Keep this picture" with this picture gone would leave the day without either.
    const TBildLoesung diese = BildKonfliktLoesen(t.ordner, k, TBildWahl::Diese);
    EXPECT_FALSE(diese.erledigt);
    EXPECT_FALSE(diese.fehler.isEmpty());
    EXPECT_EQ(t.lesen(kKopie), "jenes");
    EXPECT_TRUE(BildKonfliktLoesen(t.ordner, k, TBildWahl::Jene).erledigt);
    EXPECT_EQ(t.lesen(QStringLiteral("IMG_0001.JPG")), "jenes");
}
