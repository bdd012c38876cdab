// Paging through phone pictures in HEIC (4000 x 3000 in 512 x 512 tiles of about 2 MB in
// all, as phones write them): a full libheif decode, and the photo panel at a human pace (the loader decodes
// ahead in its workers, at the display's size), each against a full libjpeg-turbo decode
// of a JPEG of the same pixel count in the same run. Ends with "heic decode=R paced=R".
#include "bench_support.h"

#include "display/zpt_BildLader.h"
#include "display/zpt_FotoPanel.h"
#include "display/zpt_Heif.h"
#include "display/zpt_Musterbild.h"
#include "support/HeicMuster.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <cstdio>

namespace {
void HeicAnlegen(const QString& pfad, int nummer) {
    if (QFileInfo::exists(pfad)) return;
    std::printf("  erzeuge %s\n", qPrintable(pfad));
    std::fflush(stdout);
    HeicGitterKodieren(pfad, Musterbild(4000, 3000, nummer), 50, 512, true);
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    NurZahlenAusgeben();
    QApplication app(argc, argv);
    const QString ordner = BenchDatenOrdner(QStringLiteral("heic12mp-telefon"));
    for (int i = 0; i < 8; ++i)
        HeicAnlegen(QStringLiteral("%1/P%2.heic").arg(ordner).arg(i), i);
    const QStringList jpegs = MusterJpegs(BenchDatenOrdner(QStringLiteral("fotos12mp")), 8, 4000, 3000);

    Messung jpeg, heic;
    for (int i = 0; i < 8; ++i) {
        jpeg.ms << MillisekundenVon([&] {
            DekodiertesBild b;
            JpegDekodieren(jpegs[i], b);
        });
        heic.ms << MillisekundenVon([&] {
            DekodiertesBild b;
            HeifDekodieren(QStringLiteral("%1/P%2.heic").arg(ordner).arg(i), b);
        });
    }
    TzptFotoPanel panel;
    PanelOeffnen(app, panel, ordner);
    const Messung gemaechlich = GemaechlichBlaettern(app, panel);
    const double j = jpeg.median();
    double megabyte = 0;
    for (int i = 0; i < 8; ++i)
        megabyte += QFileInfo(QStringLiteral("%1/P%2.heic").arg(ordner).arg(i)).size() / 8e6;
    std::printf("HEIC 4000x3000 in Kacheln zu 512: %.1f MB je Bild\n", megabyte);
    std::printf(
        "JPEG 4000x3000 voll: Median %.1f ms; HEIC voll: Median %.1f ms; Blättern mit Verweilen: %.1f ms\n",
        j, heic.median(), gemaechlich.median());
    std::printf("heic decode=%.3f paced=%.3f\n", heic.median() / j, gemaechlich.median() / j);
    return 0;
}
