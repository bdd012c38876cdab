// Tries hostile HEIC files by every way the album reads a picture, in a process of its own
// whose address space may grow by 1.5 GiB only: a decode that asks for gigabytes fails here
// instead of taking the machine's memory (and a fresh process has no threads that a fork
// would have lost). Arguments: pairs of a file and a text its refusal must name. Prints
// what was not refused so; exit status 0 when everything was.
#include "display/zpt_BildLader.h"
#include "display/zpt_Heif.h"
#include "display/zpt_grafik.h"

#include <QFile>
#include <cstdio>

#include <sys/resource.h>
#include <unistd.h>

namespace {
void AdressraumBegrenzen() {
#if !defined(__SANITIZE_ADDRESS__) // its shadow memory rules out an address-space bound
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return;
    const rlim_t jetzt = rlim_t(statm.readAll().split(' ').value(0).toULongLong()) * rlim_t(getpagesize());
    const rlimit grenze{jetzt + (rlim_t(3) << 29), jetzt + (rlim_t(3) << 29)};
    setrlimit(RLIMIT_AS, &grenze);
#endif
}

QString Befund(const QString& pfad, const QString& grundEnthaelt) {
    QString befund;
    DekodiertesBild b;
    QString grund;
    QFile f(pfad);
    const QByteArray bytes = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    if (HeifDekodieren(bytes, b, &grund) || !grund.contains(grundEnthaelt))
        befund += QStringLiteral(" Bytes: '%1';").arg(grund);
    grund.clear();
    if (BildLaden(pfad, b, &grund) || !grund.contains(grundEnthaelt))
        befund += QStringLiteral(" Datei: '%1';").arg(grund);
    TBildLader lader;
    lader.Vorladen({pfad}, {});
    lader.Warten();
    if (lader.Vorhanden(pfad, {}) || lader.Holen(pfad, {}, b)) befund += QStringLiteral(" Lader;");
    if (!HeifAlsJpeg(pfad).isEmpty()) befund += QStringLiteral(" JPEG-Fassung;");
    return befund.isEmpty() ? befund : pfad + ':' + befund + '\n';
}
} // namespace

int main(int argc, char** argv) {
    AdressraumBegrenzen();
    QString befunde;
    for (int i = 1; i + 1 < argc; i += 2)
        befunde += Befund(QString::fromLocal8Bit(argv[i]), QString::fromUtf8(argv[i + 1]));
    std::fputs(befunde.toUtf8().constData(), stdout);
    return befunde.isEmpty() ? 0 : 1;
}
