// The EXIF orientation reader and the in-place patch on any bytes.
#include "display/zpt_Exif.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const QByteArray eingabe = Eingabe(daten, groesse);
    const int o = ExifOrientierung(eingabe);
    if (o < 1 || o > 8) __builtin_trap();
    JpegOrientierung(eingabe);
    QByteArray kopie = eingabe;
    if (JpegOrientierungSetzen(kopie, 1)) {
        if (kopie.size() != eingabe.size()) __builtin_trap(); // patched in place
        if (JpegOrientierung(kopie) != 1 && JpegOrientierung(eingabe) != 1) {
            // libexif may not read a block our walker patched; it must never crash on it.
        }
    }
    return 0;
}
