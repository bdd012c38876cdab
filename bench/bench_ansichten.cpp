// The ten-picture and 3x3 views on 24-megapixel photos: the peak memory while the
// ten-picture view holds its ten pictures (and that it is given back on closing), and
// the time for one 3x3 page against one full libjpeg-turbo decode of the same file.
// Ends with one line "views ten-picture-peak-mib=N 3x3-page=R after-close-mib=N".
#include "bench_support.h"

#include "display/alb_10Bilder.h"
#include "display/alc_3x3.h"
#include "display/zpt_grafik.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <cstdio>

namespace {
double JetztMiB() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    return f.readAll().split(' ').value(1).toDouble() * 4096 / (1 << 20);
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    NurZahlenAusgeben();
    QApplication app(argc, argv);
    // The program's silent default answers: every view closes at once.
    const QString ordner = BenchDatenOrdner(QStringLiteral("fotos24mp"));
    const QStringList dateien = MusterJpegs(ordner, 20, 6000, 4000);
    QStringList namen;
    for (const QString& d : dateien)
        namen << QFileInfo(d).fileName();

    Tam_10Bilder zehn;
    zehn.Zeigen(ordner, namen, 0);
    const double spitze = SpitzenspeicherMiB();
    const double danach = JetztMiB();
    Messung voll, seite;
    for (int i = 0; i < 5; ++i) {
        voll.ms << MillisekundenVon([&] {
            DekodiertesBild b;
            JpegDekodieren(dateien[i], b);
        });
    }
    Tam_3x3 kacheln;
    for (int i = 0; i < 5; ++i)
        seite.ms << MillisekundenVon([&] { kacheln.Zeigen(dateien[i]); });

    const QSize bildschirm = zehn.screen() ? zehn.screen()->size() : QSize();
    std::printf("Bildschirm %dx%d, 10 Bilder 6000x4000\n", bildschirm.width(), bildschirm.height());
    std::printf("volle Dekodierung: Median %.1f ms, 3x3-Seite: Median %.1f ms\n", voll.median(),
                seite.median());
    std::printf("views ten-picture-peak-mib=%.0f 3x3-page=%.3f after-close-mib=%.0f\n", spitze,
                seite.median() / voll.median(), danach);
    return 0;
}
