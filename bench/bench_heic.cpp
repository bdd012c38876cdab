// Paging through phone pictures in HEIC (4000 x 3000): a full libheif decode, and the
// photo panel at a human pace (the loader decodes ahead in its workers and scales for the
// display), each against a full libjpeg-turbo decode of a JPEG of the same pixel count in
// the same run. Ends with "heic decode=R paced=R".
#include "bench_support.h"

#include "display/zpt_BildLader.h"
#include "display/zpt_FotoPanel.h"
#include "display/zpt_Heif.h"
#include "display/zpt_Musterbild.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <cstdio>
#include <cstring>
#include <libheif/heif.h>

namespace {
void HeicAnlegen(const QString& pfad, int nummer) {
    if (QFileInfo::exists(pfad)) return;
    std::printf("  erzeuge %s\n", qPrintable(pfad));
    std::fflush(stdout);
    const QImage rgb = Musterbild(4000, 3000, nummer).convertToFormat(QImage::Format_RGB888);
    heif_image* bild = nullptr;
    heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &bild);
    heif_image_add_plane(bild, heif_channel_interleaved, rgb.width(), rgb.height(), 8);
    int schritt = 0;
    uint8_t* ebene = heif_image_get_plane(bild, heif_channel_interleaved, &schritt);
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(ebene + qsizetype(y) * schritt, rgb.constScanLine(y), size_t(rgb.width()) * 3);
    heif_context* kontext = heif_context_alloc();
    heif_encoder* kodierer = nullptr;
    heif_context_get_encoder_for_format(kontext, heif_compression_HEVC, &kodierer);
    heif_encoder_set_lossy_quality(kodierer, 85);
    heif_encoder_set_parameter_string(kodierer, "preset", "ultrafast");
    heif_context_encode_image(kontext, bild, kodierer, nullptr, nullptr);
    heif_context_write_to_file(kontext, QFile::encodeName(pfad).constData());
    heif_encoder_release(kodierer);
    heif_context_free(kontext);
    heif_image_release(bild);
}

void Verweilen(QApplication& app) {
    QElapsedTimer uhr;
    uhr.start();
    while (uhr.elapsed() < 400) {
        app.processEvents();
        QThread::msleep(5);
    }
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    NurZahlenAusgeben();
    QApplication app(argc, argv);
    const QString ordner = BenchDatenOrdner(QStringLiteral("heic12mp"));
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
    panel.resize(1920, 1080);
    panel.setGrossanpassen(true);
    panel.show();
    app.processEvents();
    panel.setGrundpfad(ordner);
    panel.ReadFolder(true);
    panel.setAnzeigeEnabled(true);
    TBildLader::Instanz().Leeren();
    Messung gemaechlich;
    panel.First();
    while (!panel.Eof()) {
        Verweilen(app);
        gemaechlich.ms << MillisekundenVon([&] { panel.Next(); });
    }
    const double j = jpeg.median();
    std::printf(
        "JPEG 4000x3000 voll: Median %.1f ms; HEIC voll: Median %.1f ms; Blättern mit Verweilen: %.1f ms\n",
        j, heic.median(), gemaechlich.median());
    std::printf("heic decode=%.3f paced=%.3f\n", heic.median() / j, gemaechlich.median() / j);
    return 0;
}
