// Fault injection: every writer of the program is killed with SIGKILL at random moments
// and run on a nearly full file system; afterwards every file must be its complete old
// or complete new version, no picture may have left the camera card without a complete
// copy in the album, nothing may be written outside an export's target, and the next
// successful write removes what a kill left behind.
// Besides the random kills, the writer is killed just before each call that changes a file
// (crash points, counted by the library pixoluda-abbruchstellen.so loaded into it), and a
// complete run's calls are checked: each temporary synced before its rename, the folder after
// (an export: its target's file system flushed once after its renames, before it reports).
//   pixoluda-faults N [WRITER] [P]   N random kills and at most P crash points (default
//                                    every one) per writer, or of one writer
// Prints a line per writer and "faults kills=K lost=0 outside=0 leftovers=0 unsynced=0"
// when all held. The writers named "kaputt-..." are deliberately broken ones, run only
// when named, so the checks can be seen to fail.
#include "faults/zpt_Pruefen.h"

#include "display/zpt_JpegSchreiben.h"
#include "display/zpt_Musterbild.h"
#include "sys/zpt_Ersetzen.h"
#include "sys/zpt_Text.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <limits>

namespace {
QString g_programme;
int g_abbruchstellen = std::numeric_limits<int>::max();

// `umgebung`: further variables for the writer (the crash-point library and its settings).
bool Laufen(const QStringList& aufruf, int killNachUs, bool* getoetet, const QStringList& umgebung = {}) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (!umgebung.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LD_PRELOAD"), g_programme + QStringLiteral("/pixoluda-abbruchstellen.so"));
        for (const QString& v : umgebung)
            env.insert(v.section(u'=', 0, 0), v.section(u'=', 1));
        p.setProcessEnvironment(env);
    }
    p.start(aufruf.first(), aufruf.mid(1));
    if (!p.waitForStarted()) return false;
    if (killNachUs >= 0) {
        QThread::usleep(ulong(killNachUs));
        if (p.state() == QProcess::Running) {
            p.kill(); // SIGKILL
            if (getoetet) *getoetet = true;
        }
    }
    p.waitForFinished(-1);
    if (killNachUs < 0 && getoetet) *getoetet = p.exitStatus() == QProcess::CrashExit;
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// The calls of a complete run that change files, one a line.
QStringList Spur(const Schreiber& s, const QString& w, const QString& arbeit) {
    const QString datei = arbeit + QStringLiteral("/spur-") + s.name;
    QFile::remove(datei);
    Laufen(s.aufruf(w), -1, nullptr, {QStringLiteral("PIXOLUDA_SPUR=") + datei});
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromLocal8Bit(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

// At most `anzahl` of the calls 1..n, spread evenly, the first and the last among them.
QList<int> Stellen(int n, int anzahl) {
    QList<int> k;
    if (n <= anzahl) {
        for (int i = 1; i <= n; ++i)
            k << i;
        return k;
    }
    for (int i = 0; i < anzahl; ++i) {
        const int stelle = 1 + int(qint64(n - 1) * i / qMax(1, anzahl - 1));
        if (k.isEmpty() || k.back() != stelle) k << stelle;
    }
    return k;
}

void Kopieren(const QString& von, const QString& nach) {
    QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), nach});
    QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-a"), von, nach});
}

int Leftovers(const QString& ordner) {
    return Leftovers(Lesen(ordner));
}

Ergebnis Pruefe(const Schreiber& s, int kills, const QString& arbeit) {
    Ergebnis e;
    const QString master = arbeit + u'/' + s.name + QStringLiteral("-master");
    const QString w = arbeit + u'/' + s.name;
    QDir().mkpath(master);
    s.anlegen(master);
    const Zustand alt = Lesen(master);
    Kopieren(master, w);
    QElapsedTimer uhr;
    uhr.start();
    Laufen(s.aufruf(w), -1, nullptr);
    const qint64 dauerUs = qMax<qint64>(1000, uhr.nsecsElapsed() / 1000);
    const Zustand neu = Lesen(w);
    Kopieren(master, w);
    const QStringList spur = Spur(s, w, arbeit);
    e.unsynced = UngesicherteUmbenennungen(spur, s.sammelnd);
    for (int k : Stellen(int(spur.size()), g_abbruchstellen)) {
        Kopieren(master, w);
        bool getoetet = false;
        Laufen(s.aufruf(w), -1, &getoetet, {QStringLiteral("PIXOLUDA_KILL_BEI=%1").arg(k)});
        if (getoetet) ++e.kills;
        Pruefen(s, alt, neu, Lesen(w), e);
    }
    for (int i = 0; i < kills; ++i) {
        Kopieren(master, w);
        bool getoetet = false;
        // Half the kills anywhere in the run, half near its end, where most writers write.
        const qint64 ab = i % 2 ? dauerUs * 8 / 10 : 0;
        Laufen(s.aufruf(w), int(ab + QRandomGenerator::global()->bounded(dauerUs * 11 / 10 - ab)), &getoetet);
        if (getoetet) ++e.kills;
        Pruefen(s, alt, neu, Lesen(w), e);
    }
    // The next successful write clears what the kills left behind.
    Laufen(s.aufruf(w), -1, nullptr);
    e.leftovers = Leftovers(w);
    // A nearly full file system: the write fails part way, old or new stays whole.
    const QString klein = arbeit + u'/' + s.name + QStringLiteral("-voll");
    QDir().mkpath(klein);
    qint64 belegt = 0;
    for (const QByteArray& b : alt)
        belegt += b.size() + 4096;
    const QString groesse = QStringLiteral("size=%1k").arg((belegt + (1 << 20)) / 1024);
    if (QProcess::execute(QStringLiteral("mount"),
                          {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), groesse,
                           QStringLiteral("tmpfs"), klein}) == 0) {
        QProcess::execute(QStringLiteral("sh"),
                          {QStringLiteral("-c"), QStringLiteral("cp -a '%1'/. '%2'/").arg(master, klein)});
        Laufen(s.aufruf(klein), -1, nullptr);
        Pruefen(s, alt, neu, Lesen(klein), e);
        QProcess::execute(QStringLiteral("umount"), {klein});
    }
    return e;
}

void Text(const QString& pfad, const QByteArray& inhalt) {
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    text::DateiSchreiben(pfad, inhalt);
}

QByteArray Zufall(int groesse) {
    static QRandomGenerator zufall(17);
    QByteArray b(groesse, Qt::Uninitialized);
    zufall.fillRange(reinterpret_cast<quint32*>(b.data()), groesse / 4);
    return b;
}

QList<Schreiber> Alle() {
    const QString s = g_programme + QStringLiteral("/pixoluda-schreiber");
    QByteArray albumDat;
    for (int i = 0; i < 3000; ++i)
        albumDat += "[BILD IMG_" + QByteArray::number(i) + ".JPG]\r\nZEILE00=Ein Bild " +
                    QByteArray::number(i) + "\r\nZEILE01=mit zwei Zeilen\r\n";
    auto tag = [](const QString& d, int n, int groesse) {
        for (int i = 0; i < n; ++i)
            Text(d + QStringLiteral("/album/2005/20050101/B%1.jpg").arg(i, 3, 10, QChar(u'0')),
                 Zufall(groesse));
        Text(d + QStringLiteral("/album/2005/20050101/ALBUM.DAT"), "[TITEL]\r\nTITELNAME=Neujahr\r\n");
        QStringList liste;
        for (int i = 0; i < n; ++i)
            liste << QStringLiteral("2005/20050101/B%1.jpg").arg(i, 3, 10, QChar(u'0'));
        Text(d + QStringLiteral("/liste.txt"), liste.join(QStringLiteral("\r\n")).toUtf8());
    };
    auto exportSchreiber = [&](const QString& modus) {
        Schreiber e{QStringLiteral("export-") + modus,
                    [=](const QString& d) { tag(d, 40, 400'000); },
                    [=](const QString& d) {
                        return QStringList{s,
                                           QStringLiteral("export"),
                                           modus,
                                           d + QStringLiteral("/album"),
                                           d + QStringLiteral("/liste.txt"),
                                           d + QStringLiteral("/ziel")};
                    },
                    {QStringLiteral("ziel/")}};
        e.sammelnd = true;
        return e;
    };
    return {
        {QStringLiteral("rotation"),
         [](const QString& d) {
             JpegSchreiben(Musterbild(4000, 3000, 3), d + QStringLiteral("/bild.jpg"), 90);
         },
         [](const QString& d) {
             return QStringList{g_programme + QStringLiteral("/jpegtran"), QStringLiteral("-rotate"),
                                QStringLiteral("90"), d + QStringLiteral("/bild.jpg"),
                                d + QStringLiteral("/bild.jpg")};
         },
         {QStringLiteral("bild.jpg")}},
        {QStringLiteral("titel"),
         [=](const QString& d) {
             Text(d + QStringLiteral("/ALBUM.DAT"), "[TITEL]\r\nTITELNAME=alt\r\n" + albumDat);
         },
         [=](const QString& d) {
             return QStringList{s, QStringLiteral("titel"), d, QStringLiteral("neu")};
         },
         {QStringLiteral("ALBUM.DAT")}},
        {QStringLiteral("bildtext"),
         [=](const QString& d) { Text(d + QStringLiteral("/ALBUM.DAT"), albumDat); },
         [=](const QString& d) {
             return QStringList{s,
                                QStringLiteral("bildtext"),
                                d,
                                QStringLiteral("IMG_1500.JPG"),
                                QStringLiteral("neu"),
                                QStringLiteral("Zeile")};
         },
         {QStringLiteral("ALBUM.DAT")}},
        {QStringLiteral("einstellungen"),
         [](const QString& d) { Text(d + QStringLiteral("/Pixolud.ini"), "[Tam_Test]\r\nk0=alt\r\n"); },
         [=](const QString& d) {
             return QStringList{s, QStringLiteral("einstellungen"), d + QStringLiteral("/Pixolud.ini"),
                                QStringLiteral("5000"), QStringLiteral("neu")};
         },
         {QStringLiteral("Pixolud.ini")}},
        {QStringLiteral("index"),
         [](const QString& d) { Text(d + QStringLiteral("/Pixolud.dat"), "[2005]\r\n20050101=alt\r\n"); },
         [=](const QString& d) {
             return QStringList{s, QStringLiteral("index"), d + QStringLiteral("/Pixolud.dat"),
                                QStringLiteral("30000"), QStringLiteral("neu")};
         },
         {QStringLiteral("Pixolud.dat")}},
        {QStringLiteral("brennliste"),
         [](const QString& d) { Text(d + QStringLiteral("/liste.Pixolud"), "alt/1.jpg\r\n"); },
         [=](const QString& d) {
             return QStringList{s, QStringLiteral("brennliste"), d + QStringLiteral("/liste.Pixolud"),
                                QStringLiteral("20000")};
         },
         {QStringLiteral("liste.Pixolud")}},
        Schreiber{QStringLiteral("import"),
                  [](const QString& d) {
                      for (int i = 0; i < 20; ++i)
                          Text(d + QStringLiteral("/karte/DSC%1.JPG").arg(i, 4, 10, QChar(u'0')),
                               Zufall(1'000'000));
                      QDir().mkpath(d + QStringLiteral("/album"));
                  },
                  [=](const QString& d) {
                      return QStringList{s, QStringLiteral("import"), d + QStringLiteral("/karte"),
                                         d + QStringLiteral("/album")};
                  },
                  {QStringLiteral("album/"), QStringLiteral("karte/")},
                  true},
        exportSchreiber(QStringLiteral("cd")),
        exportSchreiber(QStringLiteral("labor")),
        exportSchreiber(QStringLiteral("namen")),
        exportSchreiber(QStringLiteral("folge")),
        // Deliberately broken writers: the checks must catch each of them.
        {QStringLiteral("kaputt-loeschen"),
         [=](const QString& d) { Text(d + QStringLiteral("/ALBUM.DAT"), albumDat); },
         [=](const QString& d) {
             return QStringList{s, QStringLiteral("kaputt-loeschen"), d};
         },
         {QStringLiteral("ALBUM.DAT")}},
        {QStringLiteral("kaputt-halb"),
         [=](const QString& d) { Text(d + QStringLiteral("/ALBUM.DAT"), albumDat); },
         [=](const QString& d) {
             return QStringList{s, QStringLiteral("kaputt-halb"), d + QStringLiteral("/ALBUM.DAT")};
         },
         {QStringLiteral("ALBUM.DAT")}},
        {QStringLiteral("kaputt-ohne-sync"),
         [=](const QString& d) { Text(d + QStringLiteral("/ALBUM.DAT"), albumDat); },
         [=](const QString& d) {
             return QStringList{s, QStringLiteral("kaputt-ohne-sync"), d + QStringLiteral("/ALBUM.DAT")};
         },
         {QStringLiteral("ALBUM.DAT")}},
        {QStringLiteral("speichernunter"),
         [](const QString& d) {
             Text(d + QStringLiteral("/quelle.jpg"), Zufall(30'000'000));
             Text(d + QStringLiteral("/ziel/kopie.jpg"), "alt");
         },
         [=](const QString& d) {
             return QStringList{s, QStringLiteral("speichernunter"), d + QStringLiteral("/quelle.jpg"),
                                d + QStringLiteral("/ziel/kopie.jpg")};
         },
         {QStringLiteral("ziel/")}},
    };
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    g_programme = QCoreApplication::applicationDirPath();
    const int kills = argc > 1 ? QByteArray(argv[1]).toInt() : 3;
    QString nur = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString(); // one writer only
    if (nur == u"alle") nur.clear();
    if (argc > 3) g_abbruchstellen = QByteArray(argv[3]).toInt();
    QTemporaryDir arbeit;
    Ergebnis summe;
    for (const Schreiber& s : Alle()) {
        if (nur.isEmpty() ? s.name.startsWith(QLatin1String("kaputt-")) : s.name != nur) continue;
        const Ergebnis e = Pruefe(s, kills, arbeit.path());
        std::printf("%-16s kills=%d lost=%d outside=%d leftovers=%d unsynced=%d\n", qPrintable(s.name),
                    e.kills, e.lost, e.outside, e.leftovers, e.unsynced);
        std::fflush(stdout);
        summe.kills += e.kills;
        summe.lost += e.lost;
        summe.outside += e.outside;
        summe.leftovers += e.leftovers;
        summe.unsynced += e.unsynced;
    }
    std::printf("faults kills=%d lost=%d outside=%d leftovers=%d unsynced=%d\n", summe.kills, summe.lost,
                summe.outside, summe.leftovers, summe.unsynced);
    return summe.lost || summe.outside || summe.leftovers || summe.unsynced ? 1 : 0;
}
