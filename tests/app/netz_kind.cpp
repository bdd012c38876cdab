// The main window on an album whose network drive hangs or goes away, run by the test
// test_netz in a process of its own with the latency library loaded: the drive is switched
// through the library's control file. Prints what it saw as "name=value" lines.
//   pixoluda-netzkind fehler|blockieren ALBUM CONTROLFILE
#include "app/alb_Main.h"
#include "display/zpt_BildLader.h"
#include "display/zpt_FotoPanel.h"
#include "support/ScriptInteraktion.h"
#include "sys/zpt_Schalter.h"
#include "widgets/zpt_KeyComboBox.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

namespace {
QString g_steuerung;

void Sagen(const char* name, const QString& wert) {
    std::printf("%s=%s\n", name, qPrintable(QString(wert).replace(u'\r', u'|')));
    std::fflush(stdout);
}

// Switches the drive; the library looks at its control file at most every 100 ms.
void Laufwerk(const char* zustand) {
    QFile f(g_steuerung);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(zustand);
    f.close();
    QThread::msleep(250);
}

// Lets the window work until `fertig` holds; false when it does not within `ms`.
bool Bis(const std::function<bool()>& fertig, int ms) {
    QElapsedTimer uhr;
    uhr.start();
    while (!fertig()) {
        if (uhr.elapsed() > ms) return false;
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return true;
}

void Arbeiten(int ms) {
    Bis([] { return false; }, ms);
}

void Taste(Tam_Main& m, Qt::Key taste) {
    QWidget* ziel = QApplication::focusWidget() ? QApplication::focusWidget() : &m;
    QTest::keyClick(ziel, taste);
}

std::unique_ptr<Tam_Main> Fenster(const QString& album) {
    ProgrammArgumenteSetzen({QStringLiteral("/Grundpfad=") + album});
    auto m = std::make_unique<Tam_Main>();
    m->resize(900, 600);
    m->show();
    QApplication::setActiveWindow(m.get());
    return m;
}

void Gezeigt(const Tam_Main& m) {
    Sagen("jahr", m.cb_Jahr->Key());
    Sagen("tag", m.cb_Tage->Key());
    Sagen("bild", QFileInfo(m.foto->CurrentFileName()).fileName());
}

// The drive fails every call for a while: the user refreshes, goes to another year and
// back; then the drive is back, and the user does nothing; then it is gone once more.
int Fehler(const QString& album) {
    ScriptInteraktion ui;
    auto m = Fenster(album);
    m->cb_Tage->setKey(QStringLiteral("20050101"));
    m->cb_TageChange();
    m->foto->Next();
    Laufwerk("fehler");
    m->ax_RefreshExecute();
    for (const char* jahr : {"2004", "2005"}) {
        m->cb_Jahr->setKey(QString::fromLatin1(jahr));
        m->cb_JahrChange();
        Arbeiten(300);
    }
    Sagen("tage-ohne-laufwerk", QString::number(m->cb_Tage->KeyList().size()));
    Laufwerk("normal");
    Sagen(
        "von-selbst-zurueck",
        Bis([&] { return !m->cb_Tage->KeyList().isEmpty() && !m->foto->CurrentFileName().isEmpty(); }, 20000)
            ? QStringLiteral("ja")
            : QStringLiteral("nein"));
    Gezeigt(*m);
    Sagen("meldungen", QString::number(ui.meldungen.size()));
    for (const MeldungsAnfrage& a : ui.meldungen)
        Sagen("meldung", a.text);
    // Gone once more: told again.
    Laufwerk("fehler");
    m->ax_RefreshExecute();
    Sagen("meldungen-zweiter-ausfall", QString::number(ui.meldungen.size()));
    Laufwerk("normal");
    return 0;
}

// Every call on the drive hangs for 30 s: the window is watched for its longest pause
// while the user pages, goes to the next day, opens the menu and presses Esc.
int Blockieren(const QString& album) {
    ScriptInteraktion ui;
    auto m = Fenster(album);
    m->cb_Tage->setKey(QStringLiteral("20050104"));
    m->cb_TageChange();
    TBildLader::Instanz().Warten();
    TBildLader::Instanz().Leeren(); // nothing decoded ahead

    using Uhr = std::chrono::steady_clock;
    std::atomic<Uhr::rep> schlag{Uhr::now().time_since_epoch().count()};
    std::atomic<bool> ende{false};
    std::atomic<long long> luecke{0};
    QTimer herz;
    QObject::connect(&herz, &QTimer::timeout, [&] { schlag = Uhr::now().time_since_epoch().count(); });
    herz.start(20);
    // Five seconds without a heartbeat: the window hangs; no need to wait for the drive.
    std::thread wache([&] {
        while (!ende) {
            const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                                Uhr::now() - Uhr::time_point(Uhr::duration(schlag.load())))
                                .count();
            if (ms > luecke) luecke = ms;
            if (ms > 5000) {
                Sagen("haengt", QStringLiteral("ja"));
                std::_Exit(3);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });

    m->ax_MitBildUnterschriftExecute(); // the caption is read with the next picture
    Laufwerk("blockieren:30");
    Taste(*m, Qt::Key_Space); // the next picture
    const auto texte = [&] {
        QStringList t;
        for (const QLabel* l : m->findChildren<QLabel*>())
            if (l->isVisible()) t << l->text();
        return t.join(u'|');
    };
    Bis([&] { return texte().contains(QString::fromUtf8("Bild wird geladen …")); }, 5000);
    Sagen("beim-blaettern", texte());
    Taste(*m, Qt::Key_N); // the next day
    Arbeiten(300);
    Sagen("naechster-tag", m->cb_Tage->Key());
    Sagen("beim-tageswechsel", texte());
    Taste(*m, Qt::Key_V); // the day before, empty days passed over
    Arbeiten(300);
    Sagen("voriger-tag", m->cb_Tage->Key());

    bool menueOffen = false;
    QTimer zu;
    QObject::connect(&zu, &QTimer::timeout, [&] {
        if (QWidget* menue = QApplication::activePopupWidget()) {
            menueOffen = true;
            menue->close();
        }
    });
    zu.start(10);
    QCoreApplication::postEvent(m->foto, new QContextMenuEvent(QContextMenuEvent::Keyboard, QPoint(10, 10),
                                                               m->foto->mapToGlobal(QPoint(10, 10))));
    Sagen("menue", Bis([&] { return menueOffen; }, 20000) ? QStringLiteral("ja") : QStringLiteral("nein"));
    zu.stop();

    Taste(*m, Qt::Key_Escape);
    Sagen("esc-schliesst",
          Bis([&] { return !m->isVisible(); }, 20000) ? QStringLiteral("ja") : QStringLiteral("nein"));
    ende = true;
    wache.join();
    Sagen("laengste-pause-ms", QString::number(luecke.load()));
    Laufwerk("normal"); // the hanging calls end, the program can close
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 4) return 2;
    g_steuerung = QString::fromLocal8Bit(argv[3]);
    const QString fall = QString::fromLatin1(argv[1]), album = QString::fromLocal8Bit(argv[2]);
    if (fall == QStringLiteral("fehler")) return Fehler(album);
    if (fall == QStringLiteral("blockieren")) return Blockieren(album);
    return 2;
}
