// Export: the CD-folder mode over about 2 000 pictures of a few hundred kilobytes,
// against `cp -r` of the same files in the same run, both with the page cache warm; and
// against `cp -r` followed by `sync`, since the export reports only once its copies are
// on the medium.
#include "bench_support.h"

#include "burn/alb_Export.h"
#include "sys/zpt_Text.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>

namespace {
constexpr int kTage = 20;
constexpr int kBilderJeTag = 100;

// Pictures as the export sees them: files of 200 to 400 KB (their content does not matter).
QStringList AlbumAnlegen(const QString& ordner) {
    QStringList eintraege;
    QRandomGenerator zufall(42);
    const bool da = QFileInfo::exists(ordner + QStringLiteral("/fertig"));
    if (!da) std::printf("  erzeuge %d Bilder\n", kTage * kBilderJeTag);
    for (int t = 0; t < kTage; ++t) {
        const QString tag = QStringLiteral("2005/200501%1").arg(t + 1, 2, 10, QChar(u'0'));
        if (!da) {
            QDir().mkpath(ordner + u'/' + tag);
            text::DateiSchreiben(ordner + u'/' + tag + QStringLiteral("/ALBUM.DAT"),
                                 QByteArray("[TITEL]\r\nTITELNAME=Tag ") + QByteArray::number(t) + "\r\n");
        }
        for (int b = 0; b < kBilderJeTag; ++b) {
            const QString eintrag = tag + QStringLiteral("/IMG_%1.JPG").arg(b, 4, 10, QChar(u'0'));
            if (!da) {
                QByteArray daten(200'000 + int(zufall.bounded(200'000)), Qt::Uninitialized);
                for (qsizetype i = 0; i + 4 <= daten.size(); i += 4)
                    *reinterpret_cast<quint32*>(daten.data() + i) = zufall.generate();
                text::DateiSchreiben(ordner + u'/' + eintrag, daten);
            }
            eintraege << eintrag;
        }
    }
    text::DateiSchreiben(ordner + QStringLiteral("/fertig"), "1");
    return eintraege;
}

// Reads every file once, so both copies start from the page cache.
void Aufwaermen(const QString& ordner) {
    QDirIterator it(ordner, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly)) f.readAll();
    }
}
} // namespace

int main(int argc, char** argv) {
    NurZahlenAusgeben();
    QApplication app(argc, argv);
    const QString album = BenchDatenOrdner(QStringLiteral("export"));
    const QStringList eintraege = AlbumAnlegen(album);
    Aufwaermen(album);
    Messung exportZeit, cpZeit, cpSyncZeit;
    const auto sync = [] { QProcess::execute(QStringLiteral("sync"), {}); };
    for (int lauf = 0; lauf < 3; ++lauf) {
        QTemporaryDir ziel(QCoreApplication::applicationDirPath() + QStringLiteral("/daten/ziel-XXXXXX"));
        TStillerFortschritt still;
        TExport e(album, eintraege, still);
        // Each from a clean cache: nothing of the run before left to write back.
        sync();
        exportZeit.ms << MillisekundenVon(
            [&] { e.CDKopieren(ziel.path() + QStringLiteral("/cd"), true, {}); });
        const auto cp = [&](const QString& nach) {
            QProcess::execute(QStringLiteral("cp"),
                              {QStringLiteral("-r"), album + QStringLiteral("/2005"), ziel.path() + nach});
        };
        sync();
        cpZeit.ms << MillisekundenVon([&] { cp(QStringLiteral("/cp")); });
        sync();
        cpSyncZeit.ms << MillisekundenVon([&] {
            cp(QStringLiteral("/cpsync"));
            sync();
        });
    }
    std::printf("Export CD-Ordner, %lld Bilder: Median %7.1f ms\n", qlonglong(eintraege.size()),
                exportZeit.median());
    std::printf("cp -r derselben Dateien:       Median %7.1f ms\n", cpZeit.median());
    std::printf("cp -r und sync:                Median %7.1f ms\n", cpSyncZeit.median());
    std::printf("export cd-folder=%.2f cp+sync=%.2f\n", exportZeit.median() / cpZeit.median(),
                exportZeit.median() / cpSyncZeit.median());
    return 0;
}
