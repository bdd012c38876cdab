// Two or three programs writing one album at once: several writer processes of each
// kind (captions, settings, album index, burn list, camera import into one day) run at
// the same moment, each with entries of its own; afterwards every entry of every writer
// must be there, no picture may have left a card without its copy in the album, and no
// picture's name may be there twice in other case.
//   pixoluda-concurrent ROUNDS WRITES [KIND]
// Prints a line per kind and "concurrent writes=N lost=0 failed=0" when all held.
// PIXOLUDA_OHNE_SPERRE=1 turns the locks off: the check must then find lost entries.
#include "album/alb_ini.h"
#include "burn/alb_Brennliste.h"
#include "settings/BigIni.h"
#include "settings/zpt_ProfilDatei.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <vector>

namespace {
constexpr int kSchreiber = 3;
const QStringList kArten{QStringLiteral("bildtexte"), QStringLiteral("werte"), QStringLiteral("indexwerte"),
                         QStringLiteral("listenwerte"), QStringLiteral("import")};

struct Zaehler {
    int writes = 0, lost = 0, failed = 0;
};

QString Name(int schreiber) {
    return QStringLiteral("s%1").arg(schreiber);
}

// Starts every writer before waiting for any.
void AlleLaufen(const QList<QStringList>& aufrufe, Zaehler& z) {
    std::vector<std::unique_ptr<QProcess>> laufend;
    for (const QStringList& a : aufrufe) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(a.first(), a.mid(1));
        laufend.push_back(std::move(p));
    }
    for (auto& p : laufend)
        if (!p->waitForFinished(-1) || p->exitStatus() != QProcess::NormalExit || p->exitCode() != 0)
            ++z.failed;
}

QByteArray Inhalt(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Runde(const QString& art, int n, const QString& ordner, Zaehler& z) {
    const QString schreiber = QCoreApplication::applicationDirPath() + QStringLiteral("/pixoluda-schreiber");
    const QString tag = ordner + QStringLiteral("/2005/20050101");
    QDir().mkpath(tag);
    const QString datei = art == u"bildtexte"    ? tag
                          : art == u"werte"      ? ordner + QStringLiteral("/Pixolud.ini")
                          : art == u"indexwerte" ? ordner + QStringLiteral("/Pixolud.dat")
                                                 : ordner + QStringLiteral("/liste.Pixolud");
    QList<QStringList> aufrufe;
    if (art == u"import") {
        // Cards with the same names (two cameras of one kind), the same day, other pictures.
        QMap<QString, QByteArray> karten;
        for (int s = 0; s < kSchreiber; ++s) {
            const QString karte = ordner + QStringLiteral("/karte") + Name(s);
            QDir().mkpath(karte);
            for (int i = 0; i < n; ++i) {
                // The second camera writes its names in small letters.
                QString name = QStringLiteral("DSC%1.JPG").arg(i, 4, 10, QChar(u'0'));
                if (s == 1) name = name.toLower();
                const QString pfad = karte + u'/' + name;
                QByteArray b = QByteArray::number(QRandomGenerator::global()->generate64()).repeated(200);
                QFile f(pfad);
                if (f.open(QIODevice::WriteOnly)) f.write(b);
                f.close();
                f.open(QIODevice::ReadWrite);
                f.setFileTime(QDateTime(QDate(2005, 1, 1), QTime(12, 0)), QFileDevice::FileModificationTime);
                karten.insert(pfad, b);
            }
            aufrufe << QStringList{schreiber, QStringLiteral("import"), karte,
                                   ordner + QStringLiteral("/album")};
        }
        AlleLaufen(aufrufe, z);
        QSet<QByteArray> imAlbum;
        QDirIterator it(ordner + QStringLiteral("/album"), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            imAlbum.insert(Inhalt(it.next()));
        for (auto it = karten.begin(); it != karten.end(); ++it) {
            ++z.writes;
            if (!QFile::exists(it.key()) && !imAlbum.contains(it.value())) ++z.lost;
        }
        // A name twice in other case: both pictures would share one caption.
        QSet<QString> namen;
        for (const QString& name :
             QDir(ordner + QStringLiteral("/album/2005/20050101")).entryList(QDir::Files | QDir::Hidden))
            if (namen.contains(name.toLower()))
                ++z.lost;
            else
                namen.insert(name.toLower());
        return;
    }
    for (int s = 0; s < kSchreiber; ++s)
        aufrufe << QStringList{schreiber, art, datei, Name(s), QString::number(n)};
    AlleLaufen(aufrufe, z);
    const TProfilDokument ini = TProfilDatei(datei).Lesen();
    std::unique_ptr<TBigIniFile> index;
    if (art == u"indexwerte") index = std::make_unique<TBigIniFile>(datei);
    QStringList liste;
    if (art == u"listenwerte") liste = TBrennliste::DateiLesen(datei);
    for (int s = 0; s < kSchreiber; ++s)
        for (int i = 0; i < n; ++i) {
            ++z.writes;
            const QString eintrag = QStringLiteral("%1_%2").arg(Name(s)).arg(i);
            bool da = false;
            if (art == u"bildtexte") {
                QStringList zeilen;
                BildtextLesen(tag, eintrag + QStringLiteral(".jpg"), zeilen);
                da = zeilen == QStringList{eintrag};
            } else if (art == u"werte") {
                da = ini.LeseString(QStringLiteral("Tam_Test"), eintrag) == QString::number(i);
            } else if (art == u"indexwerte") {
                da = index->ReadString(QStringLiteral("2005"), eintrag, {}) == QString::number(i);
            } else {
                da = liste.contains(QStringLiteral("2005/20050101/%1.jpg").arg(eintrag), Qt::CaseInsensitive);
            }
            if (!da) ++z.lost;
        }
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen"); // the writers draw no windows
    const int runden = argc > 1 ? QByteArray(argv[1]).toInt() : 3;
    const int n = argc > 2 ? QByteArray(argv[2]).toInt() : 50;
    const QString nur = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    QTemporaryDir arbeit;
    Zaehler summe;
    for (const QString& art : kArten) {
        if (!nur.isEmpty() && art != nur) continue;
        Zaehler z;
        for (int r = 0; r < runden; ++r)
            Runde(art, n, arbeit.path() + QStringLiteral("/%1-%2").arg(art).arg(r), z);
        std::printf("%-12s writes=%d lost=%d failed=%d\n", qPrintable(art), z.writes, z.lost, z.failed);
        std::fflush(stdout);
        summe.writes += z.writes;
        summe.lost += z.lost;
        summe.failed += z.failed;
    }
    std::printf("concurrent writes=%d lost=%d failed=%d\n", summe.writes, summe.lost, summe.failed);
    return summe.lost || summe.failed ? 1 : 0;
}
