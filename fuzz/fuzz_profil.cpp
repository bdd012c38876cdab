// The profile-file reader and writer: any text, read, changed, written, read again.
#include "fuzz_support.h"
#include "settings/zpt_ProfilDatei.h"
#include "sys/zpt_Text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const QString text = text::Dekodieren(Eingabe(daten, groesse)).inhalt;
    TProfilDokument d(text);
    const QStringList sektionen = d.Sektionen();
    for (const QString& s : sektionen.mid(0, 4))
        for (const auto& [k, v] : d.Werte(s)) {
            d.SchreibeString(s, k, v + QStringLiteral(" x"));
            if (d.LeseString(s, k) != v + QStringLiteral(" x") && v.size() < 2000) __builtin_trap();
        }
    d.SchreibeString(QStringLiteral("Neu"), QStringLiteral("k"), QStringLiteral("  \"Wert\"  "));
    if (d.LeseString(QStringLiteral("Neu"), QStringLiteral("k")) != QStringLiteral("  \"Wert\"  "))
        __builtin_trap();
    if (!sektionen.isEmpty()) {
        d.LoescheSchluessel(sektionen.first(), QStringLiteral("a"));
        d.WeitereSektionenLoeschen(sektionen.first());
        d.LoescheSektion(sektionen.last());
    }
    const TProfilDokument wieder(d.Text());
    wieder.Sektionen();
    return 0;
}
