#include "bench_support.h"

#include "display/zpt_JpegSchreiben.h"
#include "display/zpt_Musterbild.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

void NurZahlenAusgeben() {
    qInstallMessageHandler([](QtMsgType art, const QMessageLogContext&, const QString& text) {
        if (art == QtFatalMsg || art == QtCriticalMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
    });
}

double Messung::median() const {
    if (ms.isEmpty()) return 0;
    QVector<double> s = ms;
    std::sort(s.begin(), s.end());
    return s.size() % 2 ? s[s.size() / 2] : (s[s.size() / 2 - 1] + s[s.size() / 2]) / 2;
}

double Messung::max() const {
    return ms.isEmpty() ? 0 : *std::max_element(ms.begin(), ms.end());
}

double SpitzenspeicherMiB() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_maxrss / 1024.0;
}

QString BenchDatenOrdner(const QString& name) {
    const QString ordner = QCoreApplication::applicationDirPath() + QStringLiteral("/daten/") + name;
    QDir().mkpath(ordner);
    return ordner;
}

QStringList MusterJpegs(const QString& ordner, int anzahl, int breite, int hoehe) {
    QStringList dateien;
    for (int i = 0; i < anzahl; ++i) {
        const QString datei = QStringLiteral("%1/B%2.jpg").arg(ordner).arg(i, 3, 10, QChar(u'0'));
        if (!QFileInfo::exists(datei)) {
            std::printf("  erzeuge %s\n", qPrintable(datei));
            std::fflush(stdout);
            JpegSchreiben(Musterbild(breite, hoehe, quint32(i + 1)), datei, 90);
        }
        dateien << datei;
    }
    return dateien;
}
