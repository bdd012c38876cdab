// The album on a network drive that fails or hangs: the main window runs in a process of
// its own (pixoluda-netzkind) with the latency library loaded, which makes every call
// below the album fail with EIO or hang for 30 s while the test says so.
#include "support/TestAlbum.h"

#include <QFile>
#include <QMap>
#include <QProcess>
#include <gtest/gtest.h>

namespace {
struct Netzlaufwerk : ::testing::Test {
    TestAlbum album;
    TestOrdner umgebung;

    void SetUp() override {
        album.tag("2004", "20041231", {"silvester.jpg"}, "Silvester");
        album.tag("2005", "20050101", {"a.jpg", "b.jpg"}, "Neujahr");
        album.tag("2005", "20050104", {"d.jpg", "e.jpg", "f.jpg"});
        album.tag("2005", "20050105", {"g.jpg"});
    }

    // What the window reported, by name (a name said several times: its values joined by "\n").
    QMap<QString, QString> Lauf(const char* fall, int* code) {
        const QString steuerung = umgebung.datei("steuerung", "normal");
        QProcess kind;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LD_PRELOAD", PIXOLUDA_NETZLATENZ);
        env.insert("PIXOLUDA_NETZ_ORDNER", album.pfad());
        env.insert("PIXOLUDA_NETZ_STEUERUNG", steuerung);
        env.insert("XDG_CONFIG_HOME", umgebung.ordner("konfiguration"));
        env.insert("XDG_CACHE_HOME", umgebung.ordner("cache"));
        env.insert("XDG_DATA_HOME", umgebung.ordner("daten"));
        // Under the address sanitizer the library comes before its runtime, which is harmless here.
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
        kind.setProcessEnvironment(env);
        kind.start(PIXOLUDA_NETZKIND, {fall, album.pfad(), steuerung});
        // Bounded: a window that hangs is ended by the child itself after ten seconds.
        EXPECT_TRUE(kind.waitForFinished(180000));
        *code = kind.exitCode();
        QMap<QString, QString> gesagt;
        const QString ausgabe = QString::fromUtf8(kind.readAllStandardOutput());
        for (const QString& zeile : ausgabe.split(u'\n', Qt::SkipEmptyParts)) {
            const qsizetype gleich = zeile.indexOf(u'=');
            if (gleich < 0) continue;
            QString& wert = gesagt[zeile.left(gleich)];
            wert += (wert.isEmpty() ? "" : "\n") + zeile.mid(gleich + 1);
        }
        std::printf("%s%s", qPrintable(ausgabe), kind.readAllStandardError().constData());
        return gesagt;
    }
};
} // namespace

// Gone for a while: one message for the whole outage, however the user pages and refreshes,
// and the day and picture the user had come back by themselves with the drive; a second
// outage is told again.
TEST_F(Netzlaufwerk, FehlerMeldetEinmalUndKehrtVonSelbstZurueck) {
    int code = -1;
    const auto gesagt = Lauf("fehler", &code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(gesagt["tage-ohne-laufwerk"], "0");
    EXPECT_EQ(gesagt["meldungen"], "1");
    EXPECT_TRUE(gesagt["meldung"].contains("gibt es nicht oder es kann nicht gelesen werden"))
        << qPrintable(gesagt["meldung"]);
    EXPECT_EQ(gesagt["von-selbst-zurueck"], "ja");
    EXPECT_EQ(gesagt["jahr"], "2005");
    EXPECT_EQ(gesagt["tag"], "20050101");
    EXPECT_EQ(gesagt["bild"], "b.jpg");
    EXPECT_EQ(gesagt["meldungen-zweiter-ausfall"], "2");
}

// Hanging calls never reach the GUI thread: paging (with the caption shown) and the next or
// previous day say the picture is being loaded, and the menu and Esc answer. The child gives the window 5 s
// to answer (ten times the half second a user may wait, far below the 30 s a call hangs) before it calls it
// hanging; the longest pause it saw is in the output (bench_netz measures no hangs).
TEST_F(Netzlaufwerk, HaengendeAufrufeLassenDasFensterAntworten) {
    int code = -1;
    const auto gesagt = Lauf("blockieren", &code);
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(gesagt.contains("haengt"));
    EXPECT_TRUE(gesagt["beim-blaettern"].contains(QString::fromUtf8("Bild wird geladen …")))
        << qPrintable(gesagt["beim-blaettern"]);
    // The next day and the day before are chosen at once, their pictures said to be loading.
    EXPECT_EQ(gesagt["naechster-tag"], "20050105");
    EXPECT_EQ(gesagt["voriger-tag"], "20050104");
    EXPECT_TRUE(gesagt["beim-tageswechsel"].contains(QString::fromUtf8("Bild wird geladen …")))
        << qPrintable(gesagt["beim-tageswechsel"]);
    EXPECT_EQ(gesagt["menue"], "ja");
    EXPECT_EQ(gesagt["esc-schliesst"], "ja");
}
