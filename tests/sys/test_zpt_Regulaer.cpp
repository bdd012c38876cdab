// Shared text files that are not what their name says: links out of their folder,
// links kept by dotfile managers, pipes, devices and files far too large.
#include "album/alb_Suche.h"
#include "album/alb_ini.h"
#include "burn/alb_Brennliste.h"
#include "settings/BigIni.h"
#include "settings/zpt_ParameterSpeicher.h"
#include "settings/zpt_ProfilDatei.h"
#include "support/TestAlbum.h"
#include "support/TestOrdner.h"
#include "sys/zpt_Fehler.h"
#include "sys/zpt_Sperre.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {
bool Verweis(const QString& ziel, const QString& name) {
    return QFile::link(ziel, name);
}

bool Pipe(const QString& name) {
    return QProcess::execute("mkfifo", {name}) == 0;
}

const QByteArray kGeheim = "[TITEL]\r\nTITELNAME=api_token=geheim\r\n";

struct KurzeWartezeit {
    KurzeWartezeit() { TDateiSperre::WartezeitSetzen(100); }
    ~KurzeWartezeit() { TDateiSperre::WartezeitSetzen(5000); }
};
} // namespace

TEST(FremdeDateien, VerknuepfungAusDemOrdnerWirdNieGefolgt) {
    TestOrdner t;
    const QString geheim = t.datei("privat/geheim.txt", kGeheim);
    const QString tag = t.ordner("album/2005/20050101");
    ASSERT_TRUE(Verweis(geheim, tag + "/ALBUM.DAT"));
    // Neither read nor written: the private file's content never lands in the album.
    EXPECT_EQ(TitelLesen(tag + "/a.jpg"), "");
    EXPECT_FALSE(BildtextSchreiben(tag, "a.jpg", {"Hallo"}));
    EXPECT_TRUE(LetzteSperrMeldung().contains(QString::fromUtf8("Verknüpfung")))
        << LetzteSperrMeldung().toStdString();
    EXPECT_TRUE(LetzteSperrMeldung().contains(geheim));
    EXPECT_TRUE(QFileInfo(tag + "/ALBUM.DAT").isSymbolicLink());
    EXPECT_EQ(TestOrdner::lesen(geheim), kGeheim);
    // A relative link up and out counts as out, too.
    const QString tag2 = t.ordner("album/2005/20050102");
    ASSERT_TRUE(Verweis("../../../privat/geheim.txt", tag2 + "/ALBUM.DAT"));
    EXPECT_FALSE(TitelSchreiben(tag2, "Urlaub"));
    EXPECT_TRUE(LetzteSperrMeldung().contains(geheim)) << LetzteSperrMeldung().toStdString();
    EXPECT_EQ(TestOrdner::lesen(geheim), kGeheim);

    // The album index and a burn list alike: refused with the reason, the link kept.
    const QString index = t.pfad("album/Pixolud.dat");
    ASSERT_TRUE(Verweis(geheim, index));
    EXPECT_THROW(TBigIniFile{index}, EFehler);
    const QString liste = t.pfad("album/liste.Pixolud");
    ASSERT_TRUE(Verweis(geheim, liste));
    try {
        TBrennliste::DateiLesen(liste);
        ADD_FAILURE() << "gelesen";
    } catch (const EFehler& e) {
        EXPECT_TRUE(e.meldung.contains(QString::fromUtf8("Verknüpfung"))) << e.meldung.toStdString();
    }
    TBrennliste b;
    b.Hinzufuegen("2005/20050101/a.jpg");
    EXPECT_THROW(b.Speichern(liste), EFehler);
    EXPECT_TRUE(QFileInfo(index).isSymbolicLink());
    EXPECT_TRUE(QFileInfo(liste).isSymbolicLink());
    EXPECT_EQ(TestOrdner::lesen(geheim), kGeheim);
}

TEST(FremdeDateien, VerknuepfungImOrdnerSchreibtInIhrZiel) {
    TestOrdner t;
    const QString tag = t.ordner("2005/20050101");
    const QString echt = t.datei("2005/20050101/album.echt", "[TITEL]\r\nTITELNAME=Urlaub\r\n");
    ASSERT_TRUE(Verweis("album.echt", tag + "/ALBUM.DAT"));
    EXPECT_EQ(TitelLesen(tag + "/a.jpg"), "Urlaub");
    ASSERT_TRUE(BildtextSchreiben(tag, "a.jpg", {"Am Strand"}));
    EXPECT_TRUE(QFileInfo(tag + "/ALBUM.DAT").isSymbolicLink());
    EXPECT_EQ(TestOrdner::lesen(echt),
              "[TITEL]\r\nTITELNAME=Urlaub\r\n[BILD a.jpg]\r\nZEILE00=Am Strand\r\n");
    // A burn list linked within its folder, too.
    const QString liste = t.datei("listen/liste.echt", "");
    ASSERT_TRUE(Verweis("liste.echt", t.pfad("listen/liste.Pixolud")));
    TBrennliste b;
    b.Hinzufuegen("2005/20050101/a.jpg");
    b.Speichern(t.pfad("listen/liste.Pixolud"));
    EXPECT_TRUE(QFileInfo(t.pfad("listen/liste.Pixolud")).isSymbolicLink());
    EXPECT_EQ(TBrennliste::DateiLesen(liste), QStringList{"2005/20050101/a.jpg"});
    // A link within the folder to no regular file is refused.
    t.ordner("2005/20050102/unterordner");
    ASSERT_TRUE(Verweis("unterordner", t.pfad("2005/20050102/ALBUM.DAT")));
    EXPECT_FALSE(BildtextSchreiben(t.pfad("2005/20050102"), "a.jpg", {"x"}));
    EXPECT_TRUE(QFileInfo(t.pfad("2005/20050102/ALBUM.DAT")).isSymbolicLink());
}

TEST(FremdeDateien, EinstellungsdateiAlsVerknuepfungBleibtEine) {
    TestOrdner t;
    KurzeWartezeit kurz;
    // A dotfile manager keeps the real file elsewhere; the link is written through.
    const QString echt = t.datei("dotfiles/pixolud.ini", "[Tam_Main]\r\nLinks=5\r\n");
    const QString ini = t.pfad("config/Pixolud.ini");
    QDir().mkpath(t.pfad("config"));
    ASSERT_TRUE(Verweis(echt, ini));
    TParameterSpeicher s("Tam_Main");
    s.setDateiName(ini);
    EXPECT_EQ(s.ZahlLesen("Links", 0), 5);
    s.ZahlSchreiben("Oben", 7);
    EXPECT_TRUE(QFileInfo(ini).isSymbolicLink());
    EXPECT_EQ(TestOrdner::lesen(echt), "[Tam_Main]\r\nLinks=5\r\nOben=7\r\n");
    // Its target not made yet (a dangling link): made by the first write, promptly.
    const QString neu = t.pfad("config/Neu.ini");
    ASSERT_TRUE(Verweis(t.pfad("dotfiles/neu.ini"), neu));
    TParameterSpeicher n("Tam_Main");
    n.setDateiName(neu);
    EXPECT_NO_THROW(n.ZahlSchreiben("Oben", 3));
    EXPECT_TRUE(QFileInfo(neu).isSymbolicLink());
    EXPECT_EQ(TestOrdner::lesen(t.pfad("dotfiles/neu.ini")), "[Tam_Main]\r\nOben=3\r\n");
}

TEST(FremdeDateien, VerwaisteVerknuepfungAlsBildunterschriftsdatei) {
    TestOrdner t;
    KurzeWartezeit kurz;
    const QString tag = t.ordner("2005/20050101");
    ASSERT_TRUE(Verweis("weg.dat", tag + "/ALBUM.DAT"));
    // Refused at once with its reason, not after the lock's wait without one.
    EXPECT_FALSE(BildtextSchreiben(tag, "a.jpg", {"Hallo"}));
    EXPECT_TRUE(LetzteSperrMeldung().contains(QString::fromUtf8("Verknüpfung")))
        << LetzteSperrMeldung().toStdString();
    EXPECT_TRUE(QFileInfo(tag + "/ALBUM.DAT").isSymbolicLink());
    EXPECT_FALSE(QFileInfo::exists(tag + "/weg.dat"));
}

TEST(FremdeDateien, PipeGeraetUndRiesendateiGeltenAlsUnlesbar) {
    TestAlbum album;
    const QString pipe = album.tag("2005", "20050101", {"a.jpg"});
    ASSERT_TRUE(Pipe(pipe + "/ALBUM.DAT"));
    const QString geraet = album.tag("2005", "20050102", {"a.jpg"});
    ASSERT_TRUE(Verweis("/dev/zero", geraet + "/ALBUM.DAT"));
    const QString gross = album.tag("2005", "20050103", {"a.jpg"});
    const QByteArray riesig = "[BILD a.jpg]\r\nZEILE00=Oma\r\n" + QByteArray(9 << 20, ';') + "\r\n";
    album.ordner.datei("2005/20050103/ALBUM.DAT", riesig);
    album.tag("2005", "20050104", {"a.jpg"}, "Oma");
    // A link that leads nowhere: dangling, and one to itself.
    const QString verwaist = album.tag("2005", "20050105", {"a.jpg"});
    ASSERT_TRUE(Verweis("weg.dat", verwaist + "/ALBUM.DAT"));
    const QString schleife = album.tag("2005", "20050106", {"a.jpg"});
    ASSERT_TRUE(Verweis("ALBUM.DAT", schleife + "/ALBUM.DAT"));
    // Neither blocks nor reads without end: each is counted as unreadable.
    TSuchIndex index(album.pfad(), {});
    EXPECT_EQ(index.Suchen("oma").size(), 1);
    EXPECT_EQ(index.Unlesbar(), 5);
    // A caption write says why and leaves the file alone.
    EXPECT_FALSE(BildtextSchreiben(pipe, "a.jpg", {"Hallo"}));
    EXPECT_TRUE(LetzteSperrMeldung().contains(QString::fromUtf8("keine gewöhnliche Datei")))
        << LetzteSperrMeldung().toStdString();
    EXPECT_FALSE(QFileInfo(pipe + "/ALBUM.DAT").isFile());
    EXPECT_FALSE(BildtextSchreiben(gross, "a.jpg", {"Hallo"}));
    EXPECT_TRUE(LetzteSperrMeldung().contains(QString::fromUtf8("größer als 8 MB")))
        << LetzteSperrMeldung().toStdString();
    EXPECT_EQ(QFileInfo(gross + "/ALBUM.DAT").size(), riesig.size());

    // Settings, album index and burn list alike.
    TestOrdner t;
    const QString ini = t.pfad("Pixolud.ini"), idx = t.pfad("Pixolud.dat"), liste = t.pfad("liste.Pixolud");
    ASSERT_TRUE(Pipe(ini) && Pipe(idx) && Pipe(liste));
    TParameterSpeicher s("Tam_Main");
    s.setDateiName(ini);
    EXPECT_EQ(s.ZahlLesen("Links", 4), 4);
    EXPECT_THROW(s.ZahlSchreiben("Links", 5), EFehler);
    EXPECT_THROW(TBigIniFile{idx}, EFehler);
    EXPECT_THROW(TBrennliste::DateiLesen(liste), EFehler);
    for (const QString& p : {ini, idx, liste})
        EXPECT_FALSE(QFileInfo(p).isFile()) << p.toStdString();
}

TEST(FremdeDateien, AlbumHinterVerknuepftenOrdnernBleibtBeschreibbar) {
    TestOrdner t;
    // A year folder and a day folder kept elsewhere, reached through links, and the base
    // folder itself given as a link: captions are read and written as in any album.
    t.ordner("anderswo/2005/20050101");
    QDir().mkpath(t.pfad("album"));
    ASSERT_TRUE(Verweis(t.pfad("anderswo/2005"), t.pfad("album/2005")));
    const QString tag = t.pfad("album/2005/20050101");
    ASSERT_TRUE(BildtextSchreiben(tag, "a.jpg", {"Am Strand"})) << LetzteSperrMeldung().toStdString();
    ASSERT_TRUE(TitelSchreiben(tag, "Urlaub")) << LetzteSperrMeldung().toStdString();
    EXPECT_EQ(TitelLesen(tag + "/a.jpg"), "Urlaub");
    QStringList z;
    BildtextLesen(tag, "a.jpg", z);
    EXPECT_EQ(z, QStringList{"Am Strand"});
    t.ordner("d2");
    ASSERT_TRUE(Verweis(t.pfad("d2"), t.pfad("album/2005/20050102")));
    const QString tag2 = t.pfad("album/2005/20050102");
    ASSERT_TRUE(BildtextSchreiben(tag2, "b.jpg", {"X"})) << LetzteSperrMeldung().toStdString();
    EXPECT_TRUE(QFileInfo(t.pfad("d2/ALBUM.DAT")).isFile());
    ASSERT_TRUE(Verweis(t.pfad("album"), t.pfad("basis")));
    ASSERT_TRUE(BildtextSchreiben(t.pfad("basis/2005/20050101"), "c.jpg", {"Y"}));
    BildtextLesen(t.pfad("basis/2005/20050101"), "c.jpg", z);
    EXPECT_EQ(z, QStringList{"Y"});
    // A chain of links within a linked day folder, and a link to itself.
    t.datei("d2/echt.dat", "[TITEL]\r\nTITELNAME=Z\r\n");
    QFile::remove(t.pfad("d2/ALBUM.DAT"));
    ASSERT_TRUE(Verweis("echt.dat", t.pfad("d2/eins.dat")));
    ASSERT_TRUE(Verweis("eins.dat", t.pfad("d2/ALBUM.DAT")));
    EXPECT_EQ(TitelLesen(tag2 + "/a.jpg"), "Z");
    ASSERT_TRUE(BildtextSchreiben(tag2, "b.jpg", {"X"})) << LetzteSperrMeldung().toStdString();
    EXPECT_TRUE(QFileInfo(t.pfad("d2/ALBUM.DAT")).isSymbolicLink());
    EXPECT_EQ(TestOrdner::lesen(t.pfad("d2/echt.dat")),
              "[TITEL]\r\nTITELNAME=Z\r\n[BILD b.jpg]\r\nZEILE00=X\r\n");
    t.ordner("d3");
    ASSERT_TRUE(Verweis("ALBUM.DAT", t.pfad("d3/ALBUM.DAT")));
    EXPECT_FALSE(BildtextSchreiben(t.pfad("d3"), "b.jpg", {"X"}));
    EXPECT_EQ(TitelLesen(t.pfad("d3/a.jpg")), "");
}

TEST(FremdeDateien, RelativeEinstellungsverknuepfungInVerknuepftemOrdner) {
    TestOrdner t;
    KurzeWartezeit kurz;
    // ~/.config is itself a link, and the settings file in it a relative link: "../"
    // counts from the folder the link really lies in, as the system resolves it.
    const QString echt = t.datei("daten/dotfiles/pixolud.ini", "[Tam_Main]\r\nLinks=5\r\n");
    t.ordner("daten/cfg");
    t.ordner("home");
    ASSERT_TRUE(Verweis(t.pfad("daten/cfg"), t.pfad("home/.config")));
    ASSERT_TRUE(Verweis("../dotfiles/pixolud.ini", t.pfad("daten/cfg/Pixolud.ini")));
    const QString ini = t.pfad("home/.config/Pixolud.ini");
    TParameterSpeicher s("Tam_Main");
    s.setDateiName(ini);
    EXPECT_EQ(s.ZahlLesen("Links", 0), 5);
    EXPECT_NO_THROW(s.ZahlSchreiben("Oben", 7));
    EXPECT_TRUE(QFileInfo(ini).isSymbolicLink());
    EXPECT_EQ(TestOrdner::lesen(echt), "[Tam_Main]\r\nLinks=5\r\nOben=7\r\n");
    EXPECT_FALSE(QFileInfo::exists(t.pfad("home/dotfiles")));
}

TEST(FremdeDateien, VerknuepfungAufEinBildWirdNichtBeschrieben) {
    TestAlbum album;
    const QString tag = album.tag("2005", "20050101", {"a.jpg"});
    const QByteArray bild = TestOrdner::lesen(tag + "/a.jpg");
    ASSERT_TRUE(bild.contains('\0'));
    // A link in the folder, but to a picture: its bytes are no captions, and the picture
    // must not be replaced by a caption file.
    ASSERT_TRUE(Verweis("a.jpg", tag + "/ALBUM.DAT"));
    EXPECT_FALSE(BildtextSchreiben(tag, "a.jpg", {"Hallo"}));
    EXPECT_FALSE(TitelSchreiben(tag, "Urlaub"));
    EXPECT_TRUE(LetzteSperrMeldung().contains(QString::fromUtf8("enthält keinen Text")))
        << LetzteSperrMeldung().toStdString();
    EXPECT_EQ(TestOrdner::lesen(tag + "/a.jpg"), bild);
    EXPECT_TRUE(QFileInfo(tag + "/ALBUM.DAT").isSymbolicLink());
}

// Zeros only at the end, as a crash on some file systems leaves them, still make a caption
// file: it stays writable, and every caption in it stays.
TEST(FremdeDateien, NullbytesAmEndeSindNochText) {
    TestAlbum album;
    const QString tag = album.tag("2005", "20050101", {"a.jpg", "b.jpg"});
    const auto schreiben = [&](const QByteArray& bytes) {
        QFile f(tag + "/ALBUM.DAT");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    QByteArray inhalt("[BILD a.jpg]\r\nZEILE00=Alt\r\n");
    inhalt.append(QByteArray(16, '\0'));
    schreiben(inhalt);
    ASSERT_TRUE(BildtextSchreiben(tag, "b.jpg", {"Neu"})) << LetzteSperrMeldung().toStdString();
    QStringList z;
    BildtextLesen(tag, "a.jpg", z);
    EXPECT_EQ(z, QStringList{"Alt"});
    BildtextLesen(tag, "b.jpg", z);
    EXPECT_EQ(z, QStringList{"Neu"});
    // A zero between the lines is binary, as before.
    static const char binaer[] = "[BILD a.jpg]\r\n\0ZEILE00=Alt\r\n";
    schreiben(QByteArray(binaer, sizeof binaer - 1));
    EXPECT_FALSE(BildtextSchreiben(tag, "b.jpg", {"Neu"}));
}

TEST(FremdeDateien, IndexAlsVerknuepfungImVerknuepftenGrundordner) {
    TestOrdner t;
    // The base folder given as a link, its index a link to a file beside it: written through.
    t.datei("basis/index.echt", "[2005]\r\n20050101=alt\r\n");
    ASSERT_TRUE(Verweis("index.echt", t.pfad("basis/Pixolud.dat")));
    ASSERT_TRUE(Verweis(t.pfad("basis"), t.pfad("b2")));
    {
        TBigIniFile i(t.pfad("b2/Pixolud.dat"));
        EXPECT_EQ(i.ReadString("2005", "20050101", {}), "alt");
        i.WriteString("2005", "20050102", "neu");
        i.UpdateFile();
    }
    EXPECT_TRUE(QFileInfo(t.pfad("basis/Pixolud.dat")).isSymbolicLink());
    EXPECT_TRUE(TestOrdner::lesen(t.pfad("basis/index.echt")).contains("20050102=neu"));
    // A link beside it to a picture: no index, and the picture is never rewritten as one.
    const QByteArray bild("\xFF\xD8\0\0JFIF", 8);
    t.datei("basis/a.jpg", bild);
    QFile::remove(t.pfad("basis/Pixolud.dat"));
    ASSERT_TRUE(Verweis("a.jpg", t.pfad("basis/Pixolud.dat")));
    try {
        TBigIniFile i(t.pfad("b2/Pixolud.dat"));
        i.WriteString("2005", "20050102", "neu");
        i.UpdateFile();
        ADD_FAILURE() << "geschrieben";
    } catch (const EFehler& e) {
        EXPECT_TRUE(e.meldung.contains(QString::fromUtf8("enthält keinen Text"))) << e.meldung.toStdString();
    }
    EXPECT_EQ(TestOrdner::lesen(t.pfad("basis/a.jpg")), bild);
}
