// The picture loader through our libjpeg error handling, at full and at display size.
#include "display/zpt_grafik.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const QString pfad = FuzzDatei(Eingabe(daten, groesse), QStringLiteral("bild.jpg"));
    DekodiertesBild bild;
    JpegDekodieren(pfad, bild);
    JpegDekodieren(pfad, bild, nullptr, [](QSize) { return QSize(64, 48); });
    return 0;
}
