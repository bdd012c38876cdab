#include "camera/alb_Import.h"

#include "display/zpt_Heif.h"
#include "display/zpt_Metadaten.h"
#include "display/zpt_grafik.h"
#include "sys/zpt_Ersetzen.h"
#include "sys/zpt_Meldungen.h"
#include "sys/zpt_Plattform.h"
#include "sys/zpt_sys.h"

#include <QDir>
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

namespace {
constexpr int kHoechstens = 30;

// The rest of a list cut after a few dozen entries, so the message still fits the screen.
QString Weitere(const QStringList& liste) {
    return liste.size() > kHoechstens ? QStringLiteral(" und %1 weitere").arg(liste.size() - kHoechstens)
                                      : QString();
}

// The names of a summary line, on a line of their own.
QString Namen(const QStringList& namen) {
    return u'\r' + namen.mid(0, kHoechstens).join(QStringLiteral(", ")) + Weitere(namen);
}
} // namespace

QString TKameraImport::Meldung() const {
    QString text =
        QStringLiteral("Es wurden ") + QString::number(Kopiert) + QStringLiteral(" Dateien heruntergeladen.");
    if (NachAufnahme > 0)
        text += QStringLiteral("\r%1 Dateien nach Aufnahmedatum, %2 nach Dateidatum eingeordnet.")
                    .arg(NachAufnahme)
                    .arg(NachDateidatum);
    // Said plainly, so nobody formats the card believing everything is in the album.
    if (!Fehlgeschlagen.isEmpty())
        text += u'\r' + QString::number(Fehlgeschlagen.size()) +
                QStringLiteral(" Dateien konnten nicht kopiert werden und sind noch auf der Kamera:") +
                u'\r' + Fehlgeschlagen.mid(0, kHoechstens).join(u'\r') + Weitere(Fehlgeschlagen);
    if (Uebersprungen > 0)
        text += u'\r' + QString::number(Uebersprungen) +
                QStringLiteral(" Dateien wurden übersprungen, weil es sie im Album schon gibt.") +
                Namen(UebersprungenNamen);
    if (Verschwunden > 0)
        text += u'\r' + QString::number(Verschwunden) +
                QStringLiteral(" Dateien waren nicht mehr im Kameraordner und wurden übersprungen.") +
                Namen(VerschwundenNamen);
    if (AlbumDateien > 0)
        text += u'\r' + QString::number(AlbumDateien) +
                QStringLiteral(" Bildunterschriften-Dateien (ALBUM.DAT) wurden nicht heruntergeladen.");
    if (!NichtGeloescht.isEmpty())
        text +=
            u'\r' + QString::number(NichtGeloescht.size()) +
            QStringLiteral(" Dateien wurden kopiert, konnten aber nicht von der Kamera gelöscht werden.") +
            Namen(NichtGeloescht);
    return text;
}

QString DcimOrdner(const QString& kameraordner) {
    const QString dcim = plattform::NameOhneGrossKlein(kameraordner, QStringLiteral("DCIM"));
    if (dcim.isEmpty() || !QFileInfo(AddBackslash(kameraordner) + dcim).isDir()) return {};
    QStringList eigene;
    DateienToItems(AddBackslash(kameraordner), QStringLiteral("*"), eigene);
    if (std::any_of(eigene.begin(), eigene.end(), [](const QString& n) { return IstBildName(n); })) return {};
    return dcim;
}

QStringList DcimDateien(const QString& kameraordner) {
    const QString dcim = plattform::NameOhneGrossKlein(kameraordner, QStringLiteral("DCIM"));
    if (dcim.isEmpty()) return {};
    const auto nachName = [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    };
    // Hidden folders (".thumbnails", ".trashed-…") hold no pictures of the camera.
    QStringList ordner = QDir(AddBackslash(kameraordner) + dcim).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ordner.removeIf([](const QString& o) { return o.startsWith(u'.'); });
    std::sort(ordner.begin(), ordner.end(), nachName);
    QStringList namen;
    for (const QString& o : ordner) {
        const QString relativ = dcim + PfadTrenner + o + PfadTrenner;
        QStringList dateien;
        DateienToItems(AddBackslash(kameraordner) + relativ, QStringLiteral("*"), dateien);
        dateien.removeIf([](const QString& d) { return d.startsWith(u'.'); });
        std::sort(dateien.begin(), dateien.end(), nachName);
        for (const QString& d : dateien)
            namen << relativ + d;
    }
    return namen;
}

QDateTime TKameraImport::Zeit(const QString& name, bool* aufnahme) const {
    const QString quelle = AddBackslash(Quelle);
    if (aufnahme) *aufnahme = false;
    const QDateTime datei = DateiDatum(quelle + name);
    if (!datei.isValid()) return datei;
    QDateTime z = Aufnahmezeit(quelle + name);
    if (!z.isValid()) {
        // A video or sound of a picture's base name: the picture's capture time.
        const QFileInfo datei(quelle + name);
        const QString basis = datei.completeBaseName(), ordner = AddBackslash(datei.path());
        // The name as it is, not as a pattern: "Urlaub [2]" is no class of characters.
        QString maske;
        for (const QChar c : basis)
            maske += c == u'*' || c == u'?' || c == u'[' ? u'[' + QString(c) + u']' : QString(c);
        QStringList alle;
        DateienToItems(ordner, maske + QStringLiteral(".*"), alle);
        for (const QString& andere : alle)
            if (andere != datei.fileName() && IstBildName(andere) &&
                QFileInfo(andere).completeBaseName().compare(basis, Qt::CaseInsensitive) == 0) {
                z = Aufnahmezeit(ordner + andere);
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
    if (MitDcim) return DcimDateien(Quelle);
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
    // Every file's day first: once a picture is copied and deleted, its video would no
    // longer find its capture time. Invalid for a file gone since the listing.
    struct Datei {
        QString name;
        QDateTime zeit;
        bool aufnahme = false;
        bool albumDatei = false;
    };
    QVector<Datei> plan;
    plan.reserve(namen.size());
    for (const QString& name : namen) {
        Datei d{name};
        // A caption file belongs to an album, not to a day's new pictures.
        d.albumDatei =
            QFileInfo(name).fileName().compare(QLatin1String("ALBUM.DAT"), Qt::CaseInsensitive) == 0;
        if (!d.albumDatei) d.zeit = Zeit(name, &d.aufnahme);
        plan << d;
        if (Schritt) Schritt(); // a phone's thousands of pictures take a while to read
    }
    const auto verschwunden = [this](const QString& name) {
        ++Verschwunden;
        VerschwundenNamen << name;
    };
    const auto einordnen = [&](const Datei& d) {
        const QString& name = d.name;
        if (d.albumDatei) {
            ++AlbumDateien;
            return;
        }
        // Gone since the listing (taken out, deleted by another program): no date, no folder.
        if (!d.zeit.isValid()) return verschwunden(name);
        const QString ordner = TagOrdner(d.zeit), dateiname = QFileInfo(name).fileName();
        VerzeichnisErzwingen(ordner);
        if (!VerzeichnisExistiert(ordner)) {
            Fehlgeschlagen << name + QStringLiteral(": Sie haben keine Schreibrechte für ") + ordner;
            return;
        }
        // Whatever the case of its name: a file of the album is never overwritten.
        if (!plattform::NameOhneGrossKlein(ordner, dateiname).isEmpty()) {
            ++Uebersprungen;
            UebersprungenNamen << name;
            // What an import of it stopped in mid-placement left beside it (a copy into a
            // target made with O_EXCL keeps its temporary until the end).
            ResteEntfernen(ordner + dateiname);
            return;
        }
        // Counted, and deletable from the camera, only once the copy is on the medium and
        // reads back equal to the source.
        QString grund;
        bool neu = true;
        if (plattform::DateiKopierenAtomar(quelle + name, ordner + dateiname, true, grund, &neu)) {
            ++Kopiert;
            ++(d.aufnahme ? NachAufnahme : NachDateidatum);
            if (Loeschen && !QFile::remove(quelle + name)) NichtGeloescht << name;
        } else if (!neu) {
            // Another import put a file of that name there meanwhile: it stays, and so does
            // this one on the camera.
            ++Uebersprungen;
            UebersprungenNamen << name;
        } else if (!QFileInfo::exists(quelle + name)) {
            verschwunden(name);
        } else {
            Fehlgeschlagen << name + QStringLiteral(": ") + grund;
        }
    };
    for (const Datei& d : plan) {
        einordnen(d);
        if (Schritt) Schritt();
    }
    return true;
}
