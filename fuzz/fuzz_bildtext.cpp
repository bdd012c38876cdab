// The caption functions on any ALBUM.DAT: read, write, and read back what was written.
#include "album/alb_ini.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const QString pfad = FuzzDatei(Eingabe(daten, groesse), QStringLiteral("ALBUM.DAT"));
    const QString ordner = pfad.left(pfad.lastIndexOf(u'/') + 1);
    QStringList zeilen;
    BildtextLesen(ordner, QStringLiteral("A.JPG"), zeilen);
    TitelLesen(pfad, {});
    const QStringList neu = {QStringLiteral("eins"), {}, QStringLiteral("  drei  "), QStringLiteral("[x]=;")};
    if (BildtextSchreiben(ordner, QStringLiteral("Foto [1].jpg"), neu)) {
        BildtextLesen(ordner, QStringLiteral("Foto [1].jpg"), zeilen);
        if (zeilen !=
            QStringList({QStringLiteral("eins"), QStringLiteral("  drei  "), QStringLiteral("[x]=;")}))
            __builtin_trap();
    }
    TitelSchreiben(ordner, QStringLiteral("Titel"));
    return 0;
}
