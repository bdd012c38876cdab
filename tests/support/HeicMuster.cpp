#include "support/HeicMuster.h"

#include <QFile>

#include <cstring>
#include <libheif/heif.h>

bool HeicKodieren(const QString& pfad, const QImage& bild, int qualitaet, int orientierung,
                  const QByteArray& exifTiff, bool schnell) {
    const QImage rgb = bild.convertToFormat(QImage::Format_RGB888);
    heif_image* roh = nullptr;
    heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &roh);
    heif_image_add_plane(roh, heif_channel_interleaved, rgb.width(), rgb.height(), 8);
    int schritt = 0;
    uint8_t* ebene = heif_image_get_plane(roh, heif_channel_interleaved, &schritt);
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(ebene + qsizetype(y) * schritt, rgb.constScanLine(y), size_t(rgb.width()) * 3);
    heif_context* kontext = heif_context_alloc();
    heif_encoder* kodierer = nullptr;
    heif_context_get_encoder_for_format(kontext, heif_compression_HEVC, &kodierer);
    heif_encoder_set_lossy_quality(kodierer, qualitaet);
    if (schnell) heif_encoder_set_parameter_string(kodierer, "preset", "ultrafast");
    heif_encoding_options* optionen = heif_encoding_options_alloc();
    // The rotation and mirror boxes a phone writes for how it was held.
    optionen->image_orientation = heif_orientation(orientierung);
    heif_image_handle* handle = nullptr;
    heif_error e = heif_context_encode_image(kontext, roh, kodierer, optionen, &handle);
    if (e.code == heif_error_Ok && !exifTiff.isEmpty())
        heif_context_add_exif_metadata(kontext, handle, exifTiff.constData(), int(exifTiff.size()));
    if (e.code == heif_error_Ok) e = heif_context_write_to_file(kontext, QFile::encodeName(pfad).constData());
    heif_image_handle_release(handle);
    heif_encoding_options_free(optionen);
    heif_encoder_release(kodierer);
    heif_context_free(kontext);
    heif_image_release(roh);
    return e.code == heif_error_Ok;
}
