// Paging through 24-megapixel photos in the photo panel at 1920x1080 (fit when too
// large), against a plain libjpeg-turbo full-size decode of the same files; and a
// resize of the panel with a picture shown.
#include "bench_support.h"

#include "display/zpt_FotoPanel.h"

#include <QApplication>
#include <QFile>
#include <cstdio>
#include <jpeglib.h>

namespace {
// The reference: libjpeg-turbo, full size, RGB, default settings, into one buffer.
void PlainDekodieren(const QString& pfad) {
    QFile f(pfad);
    f.open(QIODevice::ReadOnly);
    const QByteArray d = f.readAll();
    jpeg_decompress_struct c{};
    jpeg_error_mgr e{};
    c.err = jpeg_std_error(&e);
    jpeg_create_decompress(&c);
    jpeg_mem_src(&c, reinterpret_cast<const unsigned char*>(d.constData()), d.size());
    jpeg_read_header(&c, TRUE);
    c.out_color_space = JCS_RGB;
    jpeg_start_decompress(&c);
    QByteArray puffer(qsizetype(c.output_width) * c.output_height * 3, Qt::Uninitialized);
    while (c.output_scanline < c.output_height) {
        JSAMPROW z =
            reinterpret_cast<JSAMPROW>(puffer.data()) + qsizetype(c.output_scanline) * c.output_width * 3;
        jpeg_read_scanlines(&c, &z, 1);
    }
    jpeg_finish_decompress(&c);
    jpeg_destroy_decompress(&c);
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    NurZahlenAusgeben();
    QApplication app(argc, argv);
    const QString ordner = BenchDatenOrdner(QStringLiteral("fotos24mp"));
    const QStringList dateien = MusterJpegs(ordner, 20, 6000, 4000);

    Messung plain;
    for (const QString& d : dateien)
        plain.ms << MillisekundenVon([&] { PlainDekodieren(d); });

    TzptFotoPanel panel;
    panel.resize(1920, 1080);
    panel.setGrossanpassen(true);
    panel.show();
    app.processEvents();
    panel.setGrundpfad(ordner);
    panel.ReadFolder(true);
    panel.setAnzeigeEnabled(true);
    Messung blaettern;
    blaettern.ms << MillisekundenVon([&] { panel.First(); });
    while (!panel.Eof())
        blaettern.ms << MillisekundenVon([&] { panel.Next(); });

    Messung groesse;
    for (int i = 0; i < 10; ++i)
        groesse.ms << MillisekundenVon([&] {
            panel.resize(i % 2 ? 1920 : 1600, i % 2 ? 1080 : 900);
            app.processEvents();
        });

    std::printf("Bilder: %lld x 6000x4000\n", static_cast<long long>(dateien.size()));
    std::printf("libjpeg-turbo, volle Größe:   Median %7.1f ms  Max %7.1f ms\n", plain.median(), plain.max());
    std::printf("Fotopanel Next (bis malbereit): Median %7.1f ms  Max %7.1f ms\n", blaettern.median(),
                blaettern.max());
    std::printf("Verhältnis Panel / Dekodieren: %.2f\n", blaettern.median() / plain.median());
    std::printf("Größenänderung mit Bild:       Median %7.1f ms  Max %7.1f ms\n", groesse.median(),
                groesse.max());
    std::printf("Verhältnis Größenänderung / Dekodieren: %.2f\n", groesse.median() / plain.median());
    std::printf("Spitzenspeicher: %.0f MiB\n", SpitzenspeicherMiB());
    return 0;
}
