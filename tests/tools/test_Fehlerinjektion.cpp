// The checks of the fault injection fail where they must.
#include "faults/zpt_Pruefen.h"
#include "support/TestOrdner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

TEST(Fehlerinjektion, PruefungenSchlagenAn) {
    Schreiber datei{"titel", {}, {}, {"ALBUM.DAT"}};
    const Zustand alt{{"ALBUM.DAT", "alt"}}, neu{{"ALBUM.DAT", "neu"}};
    Ergebnis e;
    Pruefen(datei, alt, neu, {{"ALBUM.DAT", "alt"}}, e);
    Pruefen(datei, alt, neu, {{"ALBUM.DAT", "neu"}, {"ALBUM.DAT.pixoluda-Ab12Cd", "ne"}}, e);
    EXPECT_EQ(e.lost + e.outside, 0);
    Pruefen(datei, alt, neu, {{"ALBUM.DAT", "ne"}}, e); // cut off
    EXPECT_EQ(e.lost, 1);
    Pruefen(datei, alt, neu, {{"ALBUM.DAT", "neu"}, {"../fremd.jpg", "x"}}, e); // written elsewhere
    EXPECT_EQ(e.outside, 1);
    EXPECT_EQ(Leftovers({{"a/ALBUM.DAT.pixoluda-Ab12Cd", ""}, {"a/bild.jpg.backup", ""}}), 1);

    Schreiber import{"import", {}, {}, {"album/", "karte/"}, true};
    const Zustand karte{{"karte/A.JPG", "bild"}};
    Ergebnis i;
    Pruefen(import, karte, {{"album/2005/20050101/A.JPG", "bild"}}, {{"album/2005/20050101/A.JPG", "bild"}},
            i);
    EXPECT_EQ(i.lost, 0);
    // Gone from the card, but its copy is short: lost.
    Pruefen(import, karte, {{"album/2005/20050101/A.JPG", "bild"}}, {{"album/2005/20050101/A.JPG", "bi"}}, i);
    EXPECT_EQ(i.lost, 2);
}

TEST(Fehlerinjektion, GeloeschteDateiIstVerloren) {
    Schreiber datei{"bildtext", {}, {}, {"ALBUM.DAT"}};
    Ergebnis e;
    Pruefen(datei, {{"ALBUM.DAT", "alt"}}, {{"ALBUM.DAT", "neu"}}, {}, e); // removed, not yet written anew
    EXPECT_EQ(e.lost, 1);
}

// A writer syncs its temporary before the rename and the folder after it. An export may
// instead flush its target's file system once after its renames; but every copy must be
// on the medium when it reports.
TEST(Fehlerinjektion, UmbenennungenGesichertExportAmEnde) {
    const QString temp = "/z/cd/2005/a.jpg.pixoluda-Ab12Cd";
    const QString umbenennen = "rename " + temp + "\t/z/cd/2005/a.jpg";
    const struct {
        QStringList spur;
        int ungesichert, einzeln; // for an export, for any other writer
    } faelle[] = {
        {{"write " + temp, umbenennen, "syncfs /z/cd"}, 0, 1},
        {{"write " + temp, umbenennen, "syncfs /z/cd/2005"}, 0, 1},
        {{"write " + temp, umbenennen, "sync "}, 0, 1},
        {{"write " + temp, "fsync " + temp, umbenennen, "fsync /z/cd/2005"}, 0, 0},
        {{"write " + temp, umbenennen, "fsync /z/cd/2005"}, 1, 1}, // the temporary not synced
        {{"write " + temp, "fsync " + temp, umbenennen}, 1, 1},    // the folder not synced
        {{"fsync /z/cd/2005", "write " + temp, "fsync " + temp, umbenennen}, 1, 1}, // the folder only before
        {{"rename /z/x.jpg\t/z/y.jpg"}, 0, 0},                              // no temporary: not ours to judge
        {{"write " + temp, umbenennen}, 1, 1},                              // never flushed
        {{"syncfs /z/cd", "write " + temp, umbenennen}, 1, 1},              // flushed before only
        {{"write " + temp, umbenennen, "syncfs /z/anderswo"}, 1, 1},        // another folder
        {{"write " + temp, umbenennen, "syncfs /z/cd/2005/a.jpg.x"}, 1, 1}, // not above it
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(UngesicherteUmbenennungen(f.spur, true), f.ungesichert) << f.spur.join(" | ").toStdString();
        EXPECT_EQ(UngesicherteUmbenennungen(f.spur), f.einzeln) << f.spur.join(" | ").toStdString();
    }
}

// A real export's calls: its copies flushed once at the end, not each on its own, and
// none of them left unflushed.
TEST(Fehlerinjektion, ExportFlushtEinmalStattJedeDatei) {
    TestOrdner d;
    QStringList liste;
    for (int i = 0; i < 20; ++i)
        liste << QString("2005/20050101/B%1.jpg").arg(i);
    for (int i = 0; i < 20; ++i)
        d.datei("album/" + liste[i], QByteArray(10000, char(i)));
    d.datei("liste.txt", liste.join("\r\n").toUtf8());
    const QString programme = QCoreApplication::applicationDirPath();
    for (const char* modus : {"cd", "labor", "namen", "folge"}) {
        const QString spur = d.pfad(QString("spur-") + modus);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LD_PRELOAD", programme + "/pixoluda-abbruchstellen.so");
        env.insert("PIXOLUDA_SPUR", spur);
        p.setProcessEnvironment(env);
        p.start(programme + "/pixoluda-schreiber",
                {"export", modus, d.pfad("album"), d.pfad("liste.txt"), d.pfad(QString("ziel-") + modus)});
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0) << modus;
        QFile f(spur);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << modus;
        const QStringList zeilen = QString::fromLocal8Bit(f.readAll()).split('\n', Qt::SkipEmptyParts);
        EXPECT_EQ(UngesicherteUmbenennungen(zeilen, true), 0) << modus;
        EXPECT_LT(zeilen.filter(QRegularExpression("^fsync ")).size(), 5) << modus;
        EXPECT_GE(zeilen.filter(QRegularExpression("^syncfs ")).size(), 1) << modus;
    }
}

namespace {
// Runs a tool of the build and returns the number after `feld=` on its last line.
int Ergebniszahl(const QString& programm, const QStringList& argumente, const QString& feld,
                 bool ohneSperre = false, const QString& schalter = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (ohneSperre) env.insert("PIXOLUDA_OHNE_SPERRE", "1");
    if (!schalter.isEmpty()) env.insert(schalter, "1");
    p.setProcessEnvironment(env);
    p.start(QCoreApplication::applicationDirPath() + "/" + programm, argumente);
    p.waitForFinished(-1);
    const QStringList zeilen =
        QString::fromLocal8Bit(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    const QRegularExpression m(feld + "=(\\d+)");
    const auto treffer = m.match(zeilen.value(zeilen.size() - 1));
    return treffer.hasMatch() ? treffer.captured(1).toInt() : -1;
}
} // namespace

// Each broken writer is caught at its crash points, every time.
TEST(Fehlerinjektion, KaputteSchreiberWerdenErkannt) {
    EXPECT_GT(Ergebniszahl("pixoluda-faults", {"0", "kaputt-halb", "4"}, "lost"), 0);
    EXPECT_GT(Ergebniszahl("pixoluda-faults", {"0", "kaputt-loeschen", "4"}, "lost"), 0);
    EXPECT_GT(Ergebniszahl("pixoluda-faults", {"0", "kaputt-ohne-sync", "2"}, "unsynced"), 0);
    EXPECT_EQ(Ergebniszahl("pixoluda-faults", {"0", "bildtext", "4"}, "lost"), 0);
}

TEST(Gleichzeitig, OhneSperrenGehenEintraegeVerloren) {
    EXPECT_GT(Ergebniszahl("pixoluda-concurrent", {"1", "40", "bildtexte"}, "lost", true), 0);
    EXPECT_EQ(Ergebniszahl("pixoluda-concurrent", {"1", "40", "bildtexte"}, "lost"), 0);
}

// Where the file system refuses every lock (ENOLCK: a network mount without locks), the
// writers read their write back and make it again where another's replace took it away.
TEST(Gleichzeitig, OhneSperrenDesDateisystemsBleibenEintraege) {
    // Every kind: captions, settings, album index, burn list and the import's copies.
    EXPECT_EQ(Ergebniszahl("pixoluda-concurrent", {"1", "40"}, "lost", false, "PIXOLUDA_SPERRE_ENOLCK"), 0);
    EXPECT_EQ(Ergebniszahl("pixoluda-concurrent", {"1", "40"}, "failed", false, "PIXOLUDA_SPERRE_ENOLCK"), 0);
}
