#include "display/zpt_JpegSchreiben.h"

#include "sys/zpt_Text.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {
struct Fehlerziel {
    jpeg_error_mgr mgr;
    std::jmp_buf sprung;
};

// libjpeg's own handler ends the process; ours returns to the caller.
void FehlerZurueck(j_common_ptr info) {
    auto* ziel = reinterpret_cast<Fehlerziel*>(info->err);
    std::longjmp(ziel->sprung, 1);
}
} // namespace

QByteArray JpegKodieren(const QImage& quelle, int qualitaet) {
    if (quelle.isNull()) return {};
    const QImage bild = quelle.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct cinfo{};
    Fehlerziel fehler{};
    cinfo.err = jpeg_std_error(&fehler.mgr);
    fehler.mgr.error_exit = FehlerZurueck;
    unsigned char* puffer = nullptr;
    unsigned long groesse = 0;
    if (setjmp(fehler.sprung)) {
        jpeg_destroy_compress(&cinfo);
        std::free(puffer);
        return {};
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &puffer, &groesse);
    cinfo.image_width = JDIMENSION(bild.width());
    cinfo.image_height = JDIMENSION(bild.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, qualitaet, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW zeile = const_cast<JSAMPROW>(bild.constScanLine(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &zeile, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray ergebnis(reinterpret_cast<const char*>(puffer), qsizetype(groesse));
    std::free(puffer);
    return ergebnis;
}

bool JpegSchreiben(const QImage& bild, const QString& pfad, int qualitaet) {
    const QByteArray daten = JpegKodieren(bild, qualitaet);
    return !daten.isEmpty() && text::DateiSchreiben(pfad, daten);
}
