// The in-memory INI engine loading any file, answering, and writing it back.
#include "fuzz_support.h"
#include "settings/BigIni.h"
#include "sys/zpt_Fehler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const QString pfad = FuzzDatei(Eingabe(daten, groesse), QStringLiteral("Pixolud.dat"));
    try {
        TBigIniFile ini(pfad);
        QStringList sektionen, schluessel;
        ini.ReadSections(sektionen);
        for (const QString& s : sektionen.mid(0, 8)) {
            ini.ReadSection(s, schluessel);
            for (const QString& k : schluessel.mid(0, 8)) {
                ini.ReadString(s, k, {});
                ini.ReadInteger(s, k, 0);
                ini.ReadDate(s, k, {});
            }
        }
        ini.WriteString(QStringLiteral("2005"), QStringLiteral("20050101"), QStringLiteral("Titel"));
        ini.EraseSection(sektionen.value(0));
        ini.FlushFile();
    } catch (const EFehler&) {
    }
    return 0;
}
