#include "camera/alb_Import.h"

#include "sys/zpt_Fehler.h"
#include "sys/zpt_Meldungen.h"
#include "sys/zpt_Plattform.h"
#include "sys/zpt_sys.h"

#include <QFile>
#include <QFileInfo>

using plattform::PfadTrenner;

QString TagOrdnerName(const QDate& datum, int modus) {
    switch (modus) {
    case 1:
        return datum.toString(QStringLiteral("yyyy_MM_dd"));
    case 2:
        return datum.toString(QStringLiteral("yyyy-MM-dd"));
    default:
        return datum.toString(QStringLiteral("yyyyMMdd"));
    }
}

QString DatumZeitText(const QDateTime& zeit) {
    QString text = zeit.date().toString(QStringLiteral("dd.MM.yyyy"));
    if (zeit.time() != QTime(0, 0)) text += u' ' + zeit.time().toString(QStringLiteral("HH:mm:ss"));
    return text;
}

QString DatumFrage(const QDateTime& erstes, const QDateTime& letztes) {
    return QStringLiteral("Die Fotos sind zwischen dem ") + DatumZeitText(erstes) + u'\r' +
           QStringLiteral("und dem ") + DatumZeitText(letztes) + QStringLiteral(" aufgenommen worden.\r") +
           QStringLiteral("Ist das richtig so?");
}

QString ImportMeldung(int kopiert, int uebersprungen) {
    QString text =
        QStringLiteral("Es wurden ") + QString::number(kopiert) + QStringLiteral(" Dateien heruntergeladen.");
    // Said plainly, so nobody formats the card believing everything is in the album.
    if (uebersprungen > 0)
        text += u'\r' + QString::number(uebersprungen) +
                QStringLiteral(" Dateien wurden übersprungen, weil es sie im Album schon gibt.");
    return text;
}

QStringList TKameraImport::Dateien() const {
    // "*.*" as the platform lists it: every file, also one without a dot in its name.
    QStringList namen;
    DateienToItems(AddBackslash(Quelle), QStringLiteral("*"), namen);
    return namen;
}

QString TKameraImport::TagOrdner(const QDateTime& dateiDatum) const {
    const QDate d = dateiDatum.addMSecs(Versatz).date();
    return AddBackslash(Zielordner) + QString::number(d.year()) + PfadTrenner + TagOrdnerName(d, Modus) +
           PfadTrenner;
}

bool TKameraImport::Ausfuehren(const QStringList& namen) {
    const QString quelle = AddBackslash(Quelle);
    for (const QString& name : namen) {
        const QString ordner = TagOrdner(DateiDatum(quelle + name));
        VerzeichnisErzwingen(ordner);
        if (!VerzeichnisExistiert(ordner)) {
            FehlerAnzeigen(QStringLiteral("Sie haben keine Schreibrechte für \r") + ordner);
            return false;
        }
        // Whatever the case of its name: a file of the album is never overwritten.
        if (!plattform::NameOhneGrossKlein(ordner, name).isEmpty()) {
            ++Uebersprungen;
        } else {
            // Counted, and deletable from the camera, only once the copy is on the medium
            // and reads back equal to the source.
            QString grund;
            bool neu = true;
            if (!plattform::DateiKopierenAtomar(quelle + name, ordner + name, true, grund, &neu)) {
                // Another import put a file of that name there meanwhile: it stays, and so
                // does this one on the camera.
                if (!neu) {
                    ++Uebersprungen;
                    if (Schritt) Schritt();
                    continue;
                }
                throw EFehler(QStringLiteral("Die Datei %1 kann nicht nach %2 kopiert werden.\r%3")
                                  .arg(quelle + name, ordner + name, grund));
            }
            ++Kopiert;
            if (Loeschen && !QFile::remove(quelle + name))
                FehlerAnzeigen(QStringLiteral("Die Datei \r") + quelle + name +
                               QStringLiteral("\r konnte nicht gelöscht werden."));
        }
        if (Schritt) Schritt();
    }
    return true;
}
