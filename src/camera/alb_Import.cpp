#include "camera/alb_Import.h"

#include "display/zpt_Heif.h"
#include "display/zpt_Metadaten.h"
#include "display/zpt_grafik.h"
#include "sys/zpt_Fehler.h"
#include "sys/zpt_Meldungen.h"
#include "sys/zpt_Plattform.h"
#include "sys/zpt_sys.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

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

qint64 WanduhrAbstand(const QDateTime& von, const QDateTime& nach) {
    // Both read as the clock shows them, with no zone that could skip or repeat an hour.
    const auto wand = [](const QDateTime& z) { return QDateTime(z.date(), z.time(), Qt::UTC); };
    return wand(von).msecsTo(wand(nach));
}

QString ImportMeldung(int kopiert, int uebersprungen, int verschwunden, int albumDateien, int nachAufnahme,
                      int nachDateidatum) {
    QString text =
        QStringLiteral("Es wurden ") + QString::number(kopiert) + QStringLiteral(" Dateien heruntergeladen.");
    if (nachAufnahme > 0)
        text += QStringLiteral("\r%1 Bilder nach Aufnahmedatum, %2 nach Dateidatum eingeordnet.")
                    .arg(nachAufnahme)
                    .arg(nachDateidatum);
    // Said plainly, so nobody formats the card believing everything is in the album.
    if (uebersprungen > 0)
        text += u'\r' + QString::number(uebersprungen) +
                QStringLiteral(" Dateien wurden übersprungen, weil es sie im Album schon gibt.");
    if (verschwunden > 0)
        text += u'\r' + QString::number(verschwunden) +
                QStringLiteral(" Dateien waren nicht mehr im Kameraordner und wurden übersprungen.");
    if (albumDateien > 0)
        text += u'\r' + QString::number(albumDateien) +
                QStringLiteral(" Bildunterschriften-Dateien (ALBUM.DAT) wurden nicht heruntergeladen.");
    return text;
}

QDateTime TKameraImport::Zeit(const QString& name, bool* aufnahme) const {
    const QString quelle = AddBackslash(Quelle);
    if (aufnahme) *aufnahme = false;
    const QDateTime datei = DateiDatum(quelle + name);
    if (!datei.isValid()) return datei;
    QDateTime z = Aufnahmezeit(quelle + name);
    if (!z.isValid()) {
        // A video or sound of a picture's base name: the picture's capture time.
        const QString basis = QFileInfo(name).completeBaseName();
        QStringList alle;
        DateienToItems(quelle, basis + QStringLiteral(".*"), alle);
        for (const QString& andere : alle)
            if (andere != name && IstBildName(andere) &&
                QFileInfo(andere).completeBaseName().compare(basis, Qt::CaseInsensitive) == 0) {
                z = Aufnahmezeit(quelle + andere);
                if (z.isValid()) break;
            }
    }
    if (!z.isValid()) return datei;
    if (aufnahme) *aufnahme = true;
    return z;
}

QString TKameraImport::QuelleVerweigert() const {
    if (!LiegtIn(Quelle, Zielordner)) return {};
    return QStringLiteral("Der Kameraordner\r%1\rliegt im Album. Bitte wählen Sie den Ordner der Kamera.")
        .arg(Quelle);
}

QStringList TKameraImport::Dateien() const {
    // "*.*" as the platform lists it: every file, also one without a dot in its name.
    QStringList namen;
    DateienToItems(AddBackslash(Quelle), QStringLiteral("*"), namen);
    std::sort(namen.begin(), namen.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return namen;
}

QString TKameraImport::TagOrdner(const QDateTime& dateiDatum) const {
    // The correction moves the time as the clock shows it: a picture of 23:30 stays on
    // its day across a change to or from summer time.
    const QDate d = QDateTime(dateiDatum.date(), dateiDatum.time(), Qt::UTC).addMSecs(Versatz).date();
    return AddBackslash(Zielordner) + QString::number(d.year()) + PfadTrenner + TagOrdnerName(d, Modus) +
           PfadTrenner;
}

bool TKameraImport::Ausfuehren(const QStringList& namen) {
    const QString verweigert = QuelleVerweigert();
    if (!verweigert.isEmpty()) {
        FehlerAnzeigen(verweigert);
        return false;
    }
    const QString quelle = AddBackslash(Quelle);
    for (const QString& name : namen) {
        // A caption file belongs to an album, not to a day's new pictures.
        if (name.compare(QLatin1String("ALBUM.DAT"), Qt::CaseInsensitive) == 0) {
            ++AlbumDateien;
            if (Schritt) Schritt();
            continue;
        }
        // Gone since the listing (taken out, deleted by another program): no date, no folder.
        bool aufnahme = false;
        const QDateTime datum = Zeit(name, &aufnahme);
        if (!datum.isValid()) {
            ++Verschwunden;
            if (Schritt) Schritt();
            continue;
        }
        const QString ordner = TagOrdner(datum);
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
            ++(aufnahme ? NachAufnahme : NachDateidatum);
            if (Loeschen && !QFile::remove(quelle + name))
                FehlerAnzeigen(QStringLiteral("Die Datei \r") + quelle + name +
                               QStringLiteral("\r konnte nicht gelöscht werden."));
        }
        if (Schritt) Schritt();
    }
    return true;
}
