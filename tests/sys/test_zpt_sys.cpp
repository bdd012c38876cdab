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

TEST(Pfade, AddBackslashLaesstLeeresUndVorhandenesStehen) {
    EXPECT_EQ(AddBackslash(""), "");
    EXPECT_EQ(AddBackslash("a"), QString("a") + S);
    EXPECT_EQ(AddBackslash(QString("a") + S), QString("a") + S);
    EXPECT_TRUE(ProgrammVerzeichnis().endsWith(S));
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

TEST(Pfade, SonderordnerLiegenUnterDerBenutzerKonfiguration) {
    TestKonfiguration k;
    const QString basis = AddBackslash(k.pfad()) + "Kefwerk" + S;
    EXPECT_EQ(EinstellungsVerzeichnis(), basis);
    EXPECT_EQ(AnwendungsDatenVerzeichnis("Pixolud"), basis + "Pixolud" + S);
    EXPECT_TRUE(QFileInfo(basis + "Pixolud").isDir());
    EXPECT_EQ(AnwendungsDatenVerzeichnis(), basis);
}

TEST(Texte, GroesseTextWaehltDieEinheitAnDenGrenzen) {
    EXPECT_EQ(GroesseText(0), "0 Byte");
    EXPECT_EQ(GroesseText(1023), "1023 Byte");
    EXPECT_EQ(GroesseText(1024), "1,00 KB");
    EXPECT_EQ(GroesseText(1048575), "1.024,00 KB");
    EXPECT_EQ(GroesseText(1048576), "1,00 MB");
    EXPECT_EQ(GroesseText(3LL * 1073741824 / 2), "1,50 GB");
    EXPECT_EQ(GroesseText(-1), "??? Byte");
}

TEST(Dateien, DateiVorhandenMeldetNurAufWunsch) {
    ScriptInteraktion ui;
    TestOrdner t;
    EXPECT_FALSE(DateiVorhanden(t.pfad("fehlt.txt"), false));
    EXPECT_TRUE(ui.meldungen.isEmpty());
    EXPECT_FALSE(DateiVorhanden(t.pfad("fehlt.txt"), true));
    ASSERT_EQ(ui.meldungen.size(), 1);
    EXPECT_EQ(ui.meldungen[0].text, "Datei\r" + t.pfad("fehlt.txt") + "\rnicht vorhanden.");
    EXPECT_EQ(ui.meldungen[0].art, MeldungsArt::Fehler);
    EXPECT_THROW(DateiMussVorhandenSein(t.pfad("fehlt.txt")), EAbbruch);
    EXPECT_TRUE(DateiVorhanden(t.datei("da.txt", "1"), true));
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

TEST(Dateien, DateiInfoZeigtGroesseOderFehler) {
    ScriptInteraktion ui;
    TestOrdner t;
    const QString d = t.datei("d", QByteArray(2048, 'x'));
    DateiInfo("%s hat %s", d);
    DateiInfo("%s hat %s", t.pfad("weg"));
    ASSERT_EQ(ui.meldungen.size(), 2);
    EXPECT_EQ(ui.meldungen[0].text, d + " hat 2,00 KB");
    EXPECT_EQ(ui.meldungen[1].text, "Die Datei\r" + t.pfad("weg") + "\rwurde nicht gefunden.");
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

TEST(Listen, VerzeichnisseToItemsOhneVersteckteUndDateien) {
    TestOrdner t;
    t.ordner("2005");
    t.ordner(".versteckt");
    t.datei("datei", "x");
    QStringList l;
    VerzeichnisseToItems(t.pfad(), l);
    EXPECT_EQ(l, QStringList({"2005"}));
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

TEST(Auswahl, DateiUndVerzeichnisWaehlen) {
    ScriptInteraktion ui;
    QString datei = "/alt/liste.txt";
    EXPECT_FALSE(DateiWaehlen("Brennliste", datei, "*.txt"));
    EXPECT_EQ(datei, "/alt/liste.txt");
    ui.dateien << "/neu/liste.txt";
    EXPECT_TRUE(DateiWaehlen("Brennliste", datei, "*.txt"));
    EXPECT_EQ(datei, "/neu/liste.txt");
    EXPECT_EQ(ui.dateiFilter.last(), "*.txt|*.txt");
    QString ordner = "/alt";
    ui.dateien << "/neu/ordner";
    EXPECT_TRUE(VerzeichnisWaehlen(ordner, "*.*"));
    EXPECT_EQ(ordner, QString("/neu/ordner") + S);
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
