// An album on a network drive: every file call below the album costs a round trip of
// 0, 1 and 3 ms (pixoluda-netzlatenz.so, loaded into a run of this program per latency).
// On 20 years with 250 days a year: the start to the first picture, another year and
// another day to their first picture, the search on a cold cache and again with it warm,
// and the calendar's month view with its entries; and paging 24-megapixel photos from the
// drive at a human pace, against a local libjpeg-turbo full decode (as the paging bench).
// One line per latency:
// "nas ms=3 start=MS year=MS day=MS paced=R search-cold=MS search-warm=MS calendar-month=MS".
#include "bench_support.h"

#include "app/alb_Main.h"
#include "app/alb_SuchFenster.h"
#include "calendar/alb_Kalender.h"
#include "calendar/qorKalender.h"
#include "calendar/qorKalenderModell.h"
#include "display/zpt_BildLader.h"
#include "display/zpt_Bildflaeche.h"
#include "display/zpt_FotoPanel.h"
#include "settings/zpt_StandardIni.h"
#include "sys/zpt_Schalter.h"
#include "sys/zpt_sys.h"
#include "widgets/zpt_KeyComboBox.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <memory>

namespace {
constexpr int kWarteMs = 300000; // a step that takes longer is reported as failed

// One day of twenty 24-megapixel photos (links to the paging bench's files).
QString BlaetterAlbum(const QStringList& fotos) {
    const QString ordner = BenchDatenOrdner(QStringLiteral("netzblaettern"));
    const QString tag = ordner + QStringLiteral("/2025/20250101");
    QDir().mkpath(tag);
    for (const QString& f : fotos)
        if (!QFileInfo::exists(tag + u'/' + QFileInfo(f).fileName()))
            QFile::link(f, tag + u'/' + QFileInfo(f).fileName());
    return ordner;
}

bool Warten(QApplication& app, const std::function<bool()>& fertig) {
    QElapsedTimer uhr;
    uhr.start();
    while (!fertig()) {
        if (uhr.elapsed() > kWarteMs) return false;
        app.processEvents();
        QThread::usleep(500);
    }
    return true;
}

// Until the panel shows the decoded picture of its current file, below `ordner`.
bool BildGezeigt(QApplication& app, TzptFotoPanel& panel, const QString& ordner) {
    static const QRegularExpression groesse(QStringLiteral("^\\d+x\\d+$"));
    return Warten(app, [&] {
        const QString datei = panel.CurrentFileName();
        return !datei.isEmpty() && datei.contains(ordner) && !panel.Bildflaeche()->Leer() &&
               panel.InfoText(2) == datei && groesse.match(panel.InfoText(1)).hasMatch();
    });
}

void Melden(bool ok, const char* was) {
    if (!ok) std::printf("  %s: kein Ergebnis nach %d s\n", was, kWarteMs / 1000);
}

// Search window open to its first hit for `wort`.
double Suche(QApplication& app, Tam_Main& m, const QString& wort) {
    bool ok = false;
    const double ms = MillisekundenVon([&] {
        m.ax_SuchenExecute();
        Tam_Suche* s = m.findChild<Tam_Suche*>();
        s->ed_Suche->setText(wort);
        ok = Warten(app, [&] { return s->lb_Treffer->count() > 0; });
    });
    Melden(ok, "Suche");
    m.findChild<Tam_Suche*>()->hide();
    return ms;
}

int Messen(QApplication& app, const QString& ms) {
    const QString album = JahresAlbum(20);
    const QStringList fotos = MusterJpegs(BenchDatenOrdner(QStringLiteral("fotos24mp")), 20, 6000, 4000);
    const QString blaettern = BlaetterAlbum(fotos);
    Messung plain;
    for (int i = 0; i < 5; ++i)
        plain.ms << MillisekundenVon([&] { PlainDekodieren(fotos[i]); });

    // The first start of the program: the newest year's newest day.
    ProgrammArgumenteSetzen({QStringLiteral("/Grundpfad=") + album});
    std::unique_ptr<Tam_Main> m;
    bool ok = false;
    const double start = MillisekundenVon([&] {
        m = std::make_unique<Tam_Main>();
        m->resize(1280, 800);
        m->show();
        ok = BildGezeigt(app, *m->foto, QStringLiteral("/2025/"));
    });
    Melden(ok, "Start");

    Messung jahr, tag, sucheWarm, monat;
    for (const char* j : {"2015", "2008", "2019"}) {
        jahr.ms << MillisekundenVon([&] {
            m->cb_Jahr->setKey(QString::fromLatin1(j));
            m->cb_JahrChange();
            ok = BildGezeigt(app, *m->foto, u'/' + QString::fromLatin1(j) + u'/');
        });
        Melden(ok, "Jahr");
    }
    for (int i : {100, 30, 200}) {
        const QString key = m->cb_Tage->KeyList().value(i);
        tag.ms << MillisekundenVon([&] {
            m->cb_Tage->setKey(key);
            m->cb_TageChange();
            ok = BildGezeigt(app, *m->foto, u'/' + key + u'/');
        });
        Melden(ok, "Tag");
    }

    const double sucheKalt = Suche(app, *m, QStringLiteral("Tag 17"));
    for (const char* w : {"Tag 18", "Tag 19", "Tag 20"})
        sucheWarm.ms << Suche(app, *m, QString::fromLatin1(w));

    Tam_Kalender kalender;
    kalender.Grundpfad = AddBackslash(album);
    kalender.kal->setAnzeige(kaMonat);
    kalender.kal->resize(700, 480);
    for (const QDate& d : {QDate(2012, 6, 1), QDate(2008, 3, 1), QDate(2019, 9, 1)}) {
        monat.ms << MillisekundenVon([&] {
            kalender.kal->SetDatum(d);
            kalender.kal->Modell().TermineLaden();
            ok = Warten(app, [&] { return !kalender.kal->Modell().Termine().isEmpty(); });
            kalender.kal->grab();
        });
        Melden(ok, "Kalender");
    }
    m.reset();

    // Paging at a human pace, the pictures on the drive, nothing decoded ahead at first.
    ProgrammArgumenteSetzen({QStringLiteral("/Grundpfad=") + blaettern});
    Tam_Main b;
    b.resize(1920, 1080);
    b.show();
    Melden(BildGezeigt(app, *b.foto, QStringLiteral("/20250101/")), "Blättern");
    TBildLader::Instanz().Warten();
    TBildLader::Instanz().Leeren();
    Messung gemaechlich;
    while (!b.foto->Eof()) {
        Verweilen(app);
        gemaechlich.ms << MillisekundenVon([&] {
            b.foto->Next();
            ok = BildGezeigt(app, *b.foto, QStringLiteral("/20250101/"));
        });
        Melden(ok, "Blättern");
    }
    TBildLader::Instanz().Warten();

    std::printf("nas ms=%s start=%.0f year=%.0f day=%.0f paced=%.3f search-cold=%.0f search-warm=%.0f "
                "calendar-month=%.0f\n",
                qPrintable(ms), start, jahr.median(), tag.median(), gemaechlich.median() / plain.median(),
                sucheKalt, sucheWarm.median(), monat.median());
    std::fflush(stdout);
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir konfiguration;
    qputenv("XDG_CONFIG_HOME", konfiguration.path().toLocal8Bit());
    qputenv("XDG_CACHE_HOME", konfiguration.path().toLocal8Bit());
    NurZahlenAusgeben();
    QApplication app(argc, argv);
    StandardIniOrtSetzen(IniOrt::ProBenutzer);
    const QStringList argumente = app.arguments();
    if (argumente.size() > 2 && argumente[1] == QStringLiteral("--messen")) return Messen(app, argumente[2]);

    // The albums are made here, on the local disk; each latency is measured in a fresh
    // process with the latency library loaded.
    const QString album = JahresAlbum(20);
    const QStringList fotos = MusterJpegs(BenchDatenOrdner(QStringLiteral("fotos24mp")), 20, 6000, 4000);
    const QString blaettern = BlaetterAlbum(fotos);
    const QString bibliothek = QDir(app.applicationDirPath() + QStringLiteral("/..")).absolutePath() +
                               QStringLiteral("/pixoluda-netzlatenz.so");
    int fehler = 0;
    for (const char* ms : {"0", "1", "3"}) {
        QProcess kind;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LD_PRELOAD"), bibliothek);
        env.insert(QStringLiteral("PIXOLUDA_NETZ_ORDNER"), album + u':' + blaettern);
        env.insert(QStringLiteral("PIXOLUDA_NETZ_MS"), QString::fromLatin1(ms));
        kind.setProcessEnvironment(env);
        kind.setProcessChannelMode(QProcess::ForwardedChannels);
        kind.start(app.applicationFilePath(), {QStringLiteral("--messen"), QString::fromLatin1(ms)});
        if (!kind.waitForFinished(-1) || kind.exitCode() != 0) ++fehler;
    }
    return fehler ? 1 : 0;
}
