#include "album/alb_Loeschen.h"

#include "album/alb_Basis.h"
#include "album/alb_ini.h"
#include "settings/zpt_ProfilDatei.h"
#include "sys/zpt_sys.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// "[PAPIERKORB 1234-89abcdef01234567 DSC0001.JPG]": the caption of a deleted picture.
// Readers that do not know it see no caption there, and the search finds none.
const QString kPapierkorb = QStringLiteral("PAPIERKORB ");
bool g_zurueckgeben = false;

QString Sektion(const QString& kennung, const QString& dateiname) {
    return kPapierkorb + kennung + u' ' + dateiname;
}

// The identity and picture name of a set-aside section; false for other sections.
bool Zerlegen(const QString& sektion, QString& kennung, QString& dateiname) {
    if (!sektion.startsWith(kPapierkorb, Qt::CaseInsensitive)) return false;
    const qsizetype blank = sektion.indexOf(u' ', kPapierkorb.size());
    if (blank < 0) return false;
    kennung = sektion.mid(kPapierkorb.size(), blank - kPapierkorb.size());
    dateiname = sektion.mid(blank + 1);
    return !kennung.isEmpty();
}

QString Groesse(const QString& kennung) {
    return kennung.left(kennung.indexOf(u'-'));
}
} // namespace

void BildtexteZurueckgeben(bool an) {
    g_zurueckgeben = an;
}

QStringList ZugehoerigeVideos(const QString& bildPfad) {
    // Listed and compared by name: a name with "[" or "*" is no pattern here.
    return ZugehoerigeVideos(
        bildPfad, QDir(QFileInfo(bildPfad).absolutePath()).entryList(QDir::Files | QDir::Hidden, QDir::Name));
}

QStringList ZugehoerigeVideos(const QString& bildPfad, const QStringList& namen) {
    static const QStringList kVideos{QStringLiteral("mov"), QStringLiteral("mp4"), QStringLiteral("m4v")};
    const QFileInfo bild(bildPfad);
    QStringList videos;
    for (const QString& name : namen) {
        const QFileInfo f(name);
        if (name != bild.fileName() && kVideos.contains(f.suffix().toLower()) &&
            f.completeBaseName().compare(bild.completeBaseName(), Qt::CaseInsensitive) == 0)
            videos << AddBackslash(bild.path()) + name;
    }
    return videos;
}

bool IstVideo(const QString& name) {
    static const QStringList kEndungen{QStringLiteral("mov"), QStringLiteral("mp4"),  QStringLiteral("m4v"),
                                       QStringLiteral("3gp"), QStringLiteral("mts"),  QStringLiteral("m2ts"),
                                       QStringLiteral("avi"), QStringLiteral("mkv"),  QStringLiteral("webm"),
                                       QStringLiteral("mpg"), QStringLiteral("mpeg"), QStringLiteral("wmv")};
    const qsizetype punkt = name.lastIndexOf(u'.');
    return punkt > 0 && kEndungen.contains(name.mid(punkt + 1).toLower());
}

QString BildKennung(const QString& pfad) {
    QFile f(pfad);
    if (!QFileInfo(pfad).isFile() || !f.open(QIODevice::ReadOnly)) return {};
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (!hash.addData(&f)) return {};
    return QString::number(f.size()) + u'-' + QString::fromLatin1(hash.result().toHex().left(16));
}

bool BildtextBeiseitelegen(const QString& ordner, const QString& dateiname, const QString& kennung) {
    if (kennung.isEmpty() || !BildnameSpeicherbar(dateiname)) return false;
    const QString bild = QStringLiteral("BILD ") + dateiname;
    const QString ziel = Sektion(kennung, dateiname);
    return TProfilDatei(AlbumDatei(ordner)).Aendern([&](TProfilDokument& d) {
        const auto werte = d.Werte(bild);
        if (werte.isEmpty()) return;
        const TProfilDokument vorher = d;
        d.LoescheSektion(ziel);
        d.SektionAnhaengen(ziel, werte);
        while (d.SektionVorhanden(bild))
            d.LoescheSektion(bild);
        basis::Vormerken(ordner, vorher, d);
    });
}

QStringList BeiseitegelegterBildtext(const TProfilDokument& doc, const QString& ordner,
                                     const QString& dateiname) {
    const QString pfad = AddBackslash(ordner) + dateiname;
    QString eigene; // the file's identity, worked out only when a size matches
    qint64 groesse = -1;
    for (const QString& sektion : doc.Sektionen()) {
        QString kennung, name;
        if (!Zerlegen(sektion, kennung, name) || name.compare(dateiname, Qt::CaseInsensitive) != 0) continue;
        if (groesse < 0) {
            const QFileInfo fi(pfad);
            if (!fi.isFile()) return {};
            groesse = fi.size();
        }
        if (Groesse(kennung) != QString::number(groesse)) continue;
        if (eigene.isEmpty()) eigene = BildKennung(pfad);
        if (eigene.compare(kennung, Qt::CaseInsensitive) != 0) continue;
        const QStringList zeilen = BildtextZeilen(doc.Werte(sektion));
        if (zeilen.isEmpty()) continue;
        // Where the file cannot be written, it is found here again next time.
        if (g_zurueckgeben && BildtextSchreiben(ordner, dateiname, zeilen))
            TProfilDatei(AlbumDatei(ordner)).LoescheSektion(sektion);
        return zeilen;
    }
    return {};
}

QVector<TBeiseitegelegt> BeiseitegelegteBildtexte(const TProfilDokument& doc) {
    QVector<TBeiseitegelegt> texte;
    for (const QString& sektion : doc.Sektionen()) {
        TBeiseitegelegt t;
        if (!Zerlegen(sektion, t.kennung, t.dateiname)) continue;
        t.zeilen = BildtextZeilen(doc.Werte(sektion));
        if (!t.zeilen.isEmpty()) texte.append(std::move(t));
    }
    return texte;
}

bool IstBildMitKennung(const QString& pfad, const QString& kennung) {
    const QFileInfo fi(pfad);
    return fi.isFile() && Groesse(kennung) == QString::number(fi.size()) &&
           BildKennung(pfad).compare(kennung, Qt::CaseInsensitive) == 0;
}
