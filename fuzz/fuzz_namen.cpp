// Date texts of day folders and the file-name cleaning of the export.
#include "album/alb_ini.h"
#include "app/alb_Tagesindex.h"
#include "burn/alb_Export.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const QString text = QString::fromUtf8(Eingabe(daten, groesse));
    TagDatumText(text);
    VerzeichnisDatumText(text);
    KalenderDatum(text);
    const QString sauber = DateinameBereinigen(text);
    // Nothing that could climb out of the export's target.
    if (sauber.contains(u'/') || sauber.contains(u'\\') || sauber.contains(QStringLiteral("..")))
        __builtin_trap();
    return 0;
}
