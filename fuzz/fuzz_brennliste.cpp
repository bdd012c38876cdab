// The burn-list reader on any file, and the export's view of its entries.
#include "burn/alb_Brennliste.h"
#include "fuzz_support.h"
#include "sys/zpt_Fehler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const QString pfad = FuzzDatei(Eingabe(daten, groesse), QStringLiteral("liste.Pixolud"));
    try {
        TBrennliste l;
        l.Grundpfad = QStringLiteral("/album/");
        l.Setzen(TBrennliste::DateiLesen(pfad));
        for (const QString& e : l.Eintraege().mid(0, 16)) {
            l.PfadVon(e);
            l.Index(e);
        }
        l.Entfernen({0, 2});
    } catch (const EFehler&) {
    }
    return 0;
}
