#include "support/ScriptInteraktion.h"
#include "support/TestOrdner.h"
#include "sys/zpt_Fehler.h"
#include "sys/zpt_Plattform.h"
#include "sys/zpt_sys.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {
const QChar S = plattform::PfadTrenner;
}

TEST(Pfade, EindeutigerDateinameZaehltVierstelligUndUeberspringtVorhandene) {
    TestOrdner t;
    EXPECT_EQ(EindeutigerDateiname(t.pfad(), "Bild", "jpg"), "Bild0000");
    t.datei("Bild0000.jpg", "x");
    t.datei("BILD0001.JPG", "x"); // would collide on a CD or a memory card
    t.datei("bild0003.jpg", "x");
    EXPECT_EQ(EindeutigerDateiname(t.pfad(), "Bild", ".jpg"), "Bild0002");
    EXPECT_EQ(EindeutigerDateiname(t.pfad(), "Bild", ""), "Bild0000");
}

TEST(Dateien, VerzeichnisLeerZaehltVersteckteEintraege) {
    TestOrdner t;
    EXPECT_TRUE(VerzeichnisLeer(t.pfad("fehlt")));
    EXPECT_TRUE(VerzeichnisLeer(t.ordner("leer")));
    t.datei("versteckt/.hidden", "x");
    EXPECT_FALSE(VerzeichnisLeer(t.pfad("versteckt")));
}

TEST(Dateien, DateiKopierenUebernimmtInhaltUndZeit) {
    TestOrdner t;
    const QString quelle = t.datei("q.jpg", QByteArray(300000, 'q'));
    QFile q(quelle);
    ASSERT_TRUE(q.open(QIODevice::ReadWrite));
    const QDateTime zeit = QDateTime::fromString("2005-01-01T12:00:00", Qt::ISODate);
    q.setFileTime(zeit, QFileDevice::FileModificationTime);
    q.close();
    EXPECT_FALSE(DateiKopieren(t.pfad("fehlt"), t.pfad("z")));
    ASSERT_TRUE(DateiKopieren(quelle, t.pfad("z.jpg")));
    EXPECT_EQ(TestOrdner::lesen(t.pfad("z.jpg")), TestOrdner::lesen(quelle));
    EXPECT_EQ(DateiDatum(t.pfad("z.jpg")), zeit);
    EXPECT_FALSE(DateiDatum(t.pfad("fehlt")).isValid());
}

TEST(Dateien, KopieAufSchreibgeschuetztesZielScheitertOhneSchaden) {
    TestOrdner t;
    const QString quelle = t.datei("q", "neu");
    const QString ziel = t.datei("z", "alt");
    QFile::setPermissions(ziel, QFileDevice::ReadOwner);
    EXPECT_THROW(DateiKopieren(quelle, ziel), EFehler);
    EXPECT_FALSE(DateiKopierenMitPfad(quelle, ziel));
    EXPECT_EQ(TestOrdner::lesen(ziel), "alt");
    EXPECT_TRUE(DateiKopierenMitPfad(quelle, t.pfad("neu/unter/z")));
    EXPECT_EQ(TestOrdner::lesen(t.pfad("neu/unter/z")), "neu");
}

TEST(Dateien, UeberschreibenFrageFragtNurBeiVorhandenerDatei) {
    ScriptInteraktion ui;
    TestOrdner t;
    EXPECT_TRUE(UeberschreibenFrage(t.pfad("neu")));
    EXPECT_TRUE(ui.meldungen.isEmpty());
    const QString da = t.datei("da", "x");
    EXPECT_FALSE(UeberschreibenFrage(da)); // default button is Nein
    ui.antworten << mrYes;
    EXPECT_TRUE(UeberschreibenFrage(da));
    EXPECT_EQ(ui.meldungen[0].text,
              "Die Datei " + da + " existiert bereits.\rSoll sie überschrieben werden ?");
    EXPECT_EQ(ui.meldungen[0].vorgabe, mrNo);
    // The same name in other case is the same file: it is asked about by its own name.
    const QString gross = t.datei("GROSS.JPG", "x");
    EXPECT_FALSE(UeberschreibenFrage(t.pfad("gross.jpg")));
    EXPECT_EQ(ui.meldungen.back().text,
              "Die Datei " + gross + " existiert bereits.\rSoll sie überschrieben werden ?");
}

TEST(Listen, DateienToItemsPasstMaskeOhneGrossKleinUndOhneVersteckte) {
    TestOrdner t;
    t.datei("A.JPG", "x");
    t.datei("b.jpg", "x");
    t.datei(".c.jpg", "x");
    t.datei("d.jpeg", "x");
    t.ordner("ordner.jpg");
    QStringList l{"alt"};
    DateienToItems(t.pfad(), "*.jpg", l);
    l.sort();
    EXPECT_EQ(l, QStringList({"A.JPG", "b.jpg"}));
    DateienToItems(t.pfad("fehlt"), "*.jpg", l);
    EXPECT_TRUE(l.isEmpty());
}

TEST(Listen, TextDateiToItemsNimmtNurNichtleereZeilenOhneRandleerzeichen) {
    TestOrdner t;
    const QString d = t.datei("l.txt", "eins\r\n\r\n   zwei  \n\tdrei\r   \r\nf\xfcnf");
    QStringList l{"alt"};
    TextDateiToItems(d, l);
    EXPECT_EQ(l, QStringList({"eins", "zwei", "\tdrei", QString::fromUtf8("fünf")}));
    TextDateiToItems(t.pfad("fehlt"), l);
    EXPECT_TRUE(l.isEmpty());
}

TEST(Listen, ItemsToTextDateiSchreibtCrLfUndErsetztAtomar) {
    TestOrdner t;
    const QString d = t.datei("l.txt", "alter Inhalt, viel laenger als der neue");
    ItemsToTextDatei(d, {"a", QString::fromUtf8("ä")});
    EXPECT_EQ(TestOrdner::lesen(d), QByteArray("a\r\n\xe4\r\n"));
    QFile::setPermissions(d, QFileDevice::ReadOwner);
    EXPECT_THROW(ItemsToTextDatei(d, {"x"}), EFehler);
    EXPECT_EQ(TestOrdner::lesen(d), QByteArray("a\r\n\xe4\r\n"));
}

TEST(Dateien, KopieAufVollerPlatteHinterlaesstNichts) {
    KleinesDateisystem klein(64);
    if (!klein.da()) GTEST_SKIP() << "no file system can be mounted here";
    TestOrdner t;
    const QString quelle = t.datei("gross.jpg", QByteArray(100 * 1024, 'x'));
    const QString ziel = klein.pfad("gross.jpg");
    try {
        DateiKopieren(quelle, ziel);
        ADD_FAILURE() << "no error";
    } catch (const EFehler& e) {
        EXPECT_TRUE(e.meldung.contains("No space left on device")) << e.meldung.toStdString();
    }
    // Neither a short picture under its name nor a temporary file is left.
    EXPECT_TRUE(QDir(klein.pfad()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    const QString klein2 = t.datei("klein.jpg", "abc");
    {
        QFile f(klein2);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime(QDate(2005, 1, 1), QTime(12, 0)), QFileDevice::FileModificationTime);
    }
    ASSERT_TRUE(DateiKopieren(klein2, klein.pfad("k.jpg")));
    EXPECT_EQ(QFileInfo(klein.pfad("k.jpg")).lastModified(), QDateTime(QDate(2005, 1, 1), QTime(12, 0)));
    EXPECT_TRUE(QFileInfo(klein.pfad("k.jpg")).permissions() & QFileDevice::ReadOther);
}
