#include "support/ScriptInteraktion.h"
#include "support/TestOrdner.h"
#include "sys/zpt_Shell.h"
#include "sys/zpt_sys.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
// The shell helpers need a main window; any object stands in for it here.
struct MitHauptfenster {
    QObject fenster;
    MitHauptfenster() { HauptfensterSetzen(&fenster); }
    ~MitHauptfenster() { HauptfensterSetzen(nullptr); }
};

QString Skript(const TestOrdner& t, const QByteArray& rumpf) {
    const QString p = t.datei("prog.sh", "#!/bin/sh\n" + rumpf + "\n");
    QFile::setPermissions(p, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return p;
}
} // namespace

TEST(Shell, DateiStartenVorDemHauptfensterIstInternerFehler) {
    ScriptInteraktion ui;
    EXPECT_FALSE(zptDateiStarten("/etc/hostname", true));
    ASSERT_EQ(ui.meldungen.size(), 1);
    EXPECT_TRUE(ui.meldungen[0].text.contains("Mainform noch nicht erzeugt."));
    EXPECT_TRUE(ui.meldungen[0].text.startsWith("Interner Fehler im Modul [zptDateiStarten]"));
    EXPECT_EQ(ui.meldungen[0].art, MeldungsArt::Information);
}

TEST(Shell, DateiStartenMeldetFehlendeDateiMitCode2) {
    MitHauptfenster h;
    ScriptInteraktion ui;
    TestOrdner t;
    EXPECT_FALSE(zptDateiStarten(t.pfad("weg.xyz"), false));
    EXPECT_TRUE(ui.meldungen.isEmpty());
    EXPECT_FALSE(zptDateiStarten(t.pfad("weg.xyz"), true));
    ASSERT_EQ(ui.meldungen.size(), 1);
    EXPECT_EQ(ui.meldungen[0].text, "Bei der Ausführung von \r" + t.pfad("weg.xyz") +
                                        "\rist folgender Fehler aufgetreten :\rDatei nicht gefunden.");
}

TEST(Shell, ProgrammStartenUndWartenBewertetDenExitCode) {
    ScriptInteraktion ui;
    TestOrdner t;
    int code = -99;
    EXPECT_TRUE(ProgrammStartenUndWarten(Skript(t, "exit 0"), "", "", true, &code));
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(ProgrammStartenUndWarten(Skript(t, "exit 33"), "", "", true));
    EXPECT_TRUE(ui.meldungen.isEmpty());

    const QString eins = Skript(t, "exit 1");
    EXPECT_FALSE(ProgrammStartenUndWarten(eins, "-a b", "/ordner", true, &code));
    EXPECT_EQ(code, 1);
    ASSERT_EQ(ui.meldungen.size(), 1);
    EXPECT_EQ(ui.meldungen[0].text, "Bei der Ausführung von \r" + eins +
                                        "\r-a b\r/ordner\rist folgender Fehler aufgetreten :\r"
                                        "Unbekannter Fehler (1)");
}

TEST(Shell, ProgrammStartenUndWartenReichtParameterDurch) {
    TestOrdner t;
    const QString ziel = t.pfad("ausgabe.txt");
    const QString prog = Skript(t, "printf '%s|' \"$@\" > \"$1\"");
    ASSERT_TRUE(ProgrammStartenUndWarten(prog, "\"" + ziel + "\" \"mit blank\" x", "", false));
    EXPECT_EQ(TestOrdner::lesen(ziel), (ziel + "|mit blank|x|").toLocal8Bit());
}

TEST(Shell, NichtStartbaresOderAbgestuerztesProgrammIstKeinErfolg) {
    TestOrdner t;
    int code = 0;
    EXPECT_FALSE(ProgrammStartenUndWarten(t.pfad("gibtsnicht"), "", "", false, &code));
    EXPECT_EQ(code, 3);
    EXPECT_FALSE(ProgrammStartenUndWarten("", "", "", false, &code));
    EXPECT_EQ(code, 3);
    EXPECT_FALSE(ProgrammStartenUndWarten(Skript(t, "kill -SEGV $$"), "", "", false, &code));
    EXPECT_EQ(code, -1);
}
