#include "sys/zpt_Papierkorb.h"

#include "sys/zpt_Meldungen.h"

#include <QFile>

namespace {
bool g_ohnePapierkorb = false;
} // namespace

void PapierkorbAbschalten(bool an) {
    g_ohnePapierkorb = an;
}

Entsorgung BildEntsorgen(const QString& datei) {
    QFile f(datei);
    if (!g_ohnePapierkorb && f.moveToTrash()) return Entsorgung::Entfernt;
    if (!JaNeinFrage(
            QStringLiteral("Das Bild kann nicht in den Papierkorb verschoben werden.\rSoll es endgültig "
                           "gelöscht werden?")))
        return Entsorgung::Behalten;
    return QFile::remove(datei) ? Entsorgung::Entfernt : Entsorgung::Fehler;
}
