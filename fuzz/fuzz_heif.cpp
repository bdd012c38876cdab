// The HEIC loader (libheif) on hostile bytes: through the file path as the album reads it.
#include "display/zpt_Heif.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const QString pfad = FuzzDatei(Eingabe(daten, groesse), QStringLiteral("bild.heic"));
    DekodiertesBild bild;
    HeifDekodieren(pfad, bild);
    HeifExif(pfad);
    return 0;
}
