// Camera import: 300 files of a few megabytes, imported with deletion off (copied,
// flushed to the medium, dropped from the cache and read back), against `cp -p` of the
// same files in the same run.
#include "bench_support.h"

#include "camera/alb_Import.h"
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
constexpr int kDateien = 300;

QString KarteAnlegen() {
    const QString karte = BenchDatenOrdner(QStringLiteral("karte"));
    if (QFileInfo::exists(karte + QStringLiteral("/../karte-fertig"))) return karte;
    std::printf("  erzeuge %d Kameradateien\n", kDateien);
    std::fflush(stdout);
    QRandomGenerator zufall(7);
    for (int i = 0; i < kDateien; ++i) {
        QByteArray daten(2'000'000 + int(zufall.bounded(2'000'000)), Qt::Uninitialized);
        for (qsizetype j = 0; j + 4 <= daten.size(); j += 4)
            *reinterpret_cast<quint32*>(daten.data() + j) = zufall.generate();
        const QString datei = karte + QStringLiteral("/DSC%1.JPG").arg(i, 5, 10, QChar(u'0'));
        text::DateiSchreiben(datei, daten);
        QFile f(datei);
        f.open(QIODevice::ReadWrite);
        f.setFileTime(QDateTime(QDate(2005, 3, 14 + i / 100), QTime(10, 0)),
                      QFileDevice::FileModificationTime);
    }
    text::DateiSchreiben(karte + QStringLiteral("/../karte-fertig"), "1");
    return karte;
}
} // namespace

int main(int argc, char** argv) {
    NurZahlenAusgeben();
    QApplication app(argc, argv);
    const QString karte = KarteAnlegen();
    Messung importZeit, cpZeit;
    for (int lauf = 0; lauf < 3; ++lauf) {
        QTemporaryDir ziel(QCoreApplication::applicationDirPath() + QStringLiteral("/daten/ziel-XXXXXX"));
        // Both start from the page cache.
        for (const QString& n : QDir(karte).entryList(QDir::Files)) {
            QFile f(karte + u'/' + n);
            if (f.open(QIODevice::ReadOnly)) f.readAll();
        }
        TKameraImport imp;
        imp.Quelle = karte;
        imp.Zielordner = ziel.path() + QStringLiteral("/album");
        importZeit.ms << MillisekundenVon([&] { imp.Ausfuehren(imp.Dateien()); });
        QDir().mkpath(ziel.path() + QStringLiteral("/cp"));
        cpZeit.ms << MillisekundenVon([&] {
            QStringList argumente{QStringLiteral("-p")};
            for (const QString& n : QDir(karte).entryList(QDir::Files))
                argumente << karte + u'/' + n;
            argumente << ziel.path() + QStringLiteral("/cp/");
            QProcess::execute(QStringLiteral("cp"), argumente);
        });
    }
    std::printf("Kamera-Import, %d Dateien: Median %8.1f ms\n", kDateien, importZeit.median());
    std::printf("cp -p derselben Dateien:  Median %8.1f ms\n", cpZeit.median());
    std::printf("import copy=%.2f\n", importZeit.median() / cpZeit.median());
    return 0;
}
