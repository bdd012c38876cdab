#include "album/alb_BildKonflikt.h"

#include "album/alb_ini.h"
#include "display/zpt_Heif.h"
#include "sys/alb_Konflikt.h"
#include "sys/zpt_Papierkorb.h"
#include "sys/zpt_Plattform.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString Pfad(const QString& ordner, const QString& name) {
    return QDir(ordner).filePath(name);
}

// Exchanges the files at a and b through a hidden third name in the same folder; every
// step that fails undoes the ones before. False with the reason.
bool Tauschen(const QString& ordner, const QString& a, const QString& b, QString& fehler) {
    QString park;
    for (int i = 0; park.isEmpty() || QFileInfo::exists(park) || QFileInfo(park).isSymLink(); ++i)
        park = Pfad(ordner, QStringLiteral(".%1.tausch%2").arg(QFileInfo(a).fileName()).arg(i));
    if (!plattform::UmbenennenOhneErsetzen(a, park, fehler)) return false;
    // Where even the way back fails, the user learns where the picture waits.
    const QString geparkt = QStringLiteral(" Das Bild %1 liegt jetzt unter %2.")
                                .arg(QFileInfo(a).fileName(), QFileInfo(park).fileName());
    QString egal;
    if (!plattform::UmbenennenOhneErsetzen(b, a, fehler)) {
        if (!plattform::UmbenennenOhneErsetzen(park, a, egal)) fehler += geparkt;
        return false;
    }
    if (!plattform::UmbenennenOhneErsetzen(park, b, fehler)) {
        if (!plattform::UmbenennenOhneErsetzen(a, b, egal) ||
            !plattform::UmbenennenOhneErsetzen(park, a, egal))
            fehler += geparkt;
        return false;
    }
    return true;
}
} // namespace

QVector<TBildKonflikt> BildKonflikteSuchen(const QString& tagOrdner) {
    QVector<TBildKonflikt> liste;
    const QDir ordner(tagOrdner);
    const QStringList namen =
        ordner.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : namen) {
        const auto kopie = KonfliktKopie(name);
        if (!kopie || !IstBildName(kopie->original)) continue;
        // A link could point out of the album: it is no picture of the day.
        if (QFileInfo(ordner.filePath(name)).isSymLink()) continue;
        TBildKonflikt k;
        k.kopie = name;
        const QString echt = plattform::NameOhneGrossKlein(tagOrdner, kopie->original);
        k.original = echt.isEmpty() ? kopie->original : echt;
        k.originalDa = !echt.isEmpty();
        k.geraet = kopie->geraet;
        k.zeit = kopie->zeit;
        k.zeitJene = QFileInfo(ordner.filePath(name)).lastModified();
        if (k.originalDa) k.zeitDiese = QFileInfo(ordner.filePath(echt)).lastModified();
        liste << k;
    }
    return liste;
}

QString FreierBildname(const QString& tagOrdner, const QString& name) {
    const QFileInfo fi(name);
    const QString endung = fi.suffix().isEmpty() ? QString() : u'.' + fi.suffix();
    for (int i = 2;; ++i) {
        const QString kandidat = QStringLiteral("%1_%2%3").arg(fi.completeBaseName()).arg(i).arg(endung);
        if (plattform::NameOhneGrossKlein(tagOrdner, kandidat).isEmpty()) return kandidat;
    }
}

TBildLoesung BildKonfliktLoesen(const QString& tagOrdner, const TBildKonflikt& konflikt, TBildWahl wahl) {
    TBildLoesung l;
    const QString kopie = Pfad(tagOrdner, konflikt.kopie), original = Pfad(tagOrdner, konflikt.original);
    if (!QFileInfo(kopie).isFile()) {
        l.erledigt = true; // resolved elsewhere meanwhile (the other computer, a second window)
        return l;
    }
    QString grund;
    switch (wahl) {
    case TBildWahl::Diese:
        // The picture of the day is gone (meanwhile, or it never was): the copy is the only
        // version left and stays.
        if (!QFileInfo::exists(original) && !QFileInfo(original).isSymLink())
            l.fehler = QStringLiteral("Das Bild %1 ist nicht mehr im Album; die Konfliktkopie %2 bleibt.")
                           .arg(konflikt.original, konflikt.kopie);
        else if (!InPapierkorb(kopie))
            l.fehler =
                QStringLiteral("Die Konfliktkopie %1 konnte nicht in den Papierkorb verschoben werden.")
                    .arg(konflikt.kopie);
        else
            l.erledigt = true;
        return l;
    case TBildWahl::Jene:
        if (!QFileInfo::exists(original) && !QFileInfo(original).isSymLink()) {
            // Only the copy is left: it just takes the name.
            if (plattform::UmbenennenOhneErsetzen(kopie, original, grund))
                l.erledigt = true;
            else
                l.fehler = QStringLiteral("Die Konfliktkopie %1 konnte nicht in %2 umbenannt werden: %3")
                               .arg(konflikt.kopie, konflikt.original, grund);
            return l;
        }
        // The two change places first: the picture that goes leaves under the copy's name,
        // so the trash never holds the only version of either.
        if (!Tauschen(tagOrdner, original, kopie, grund)) {
            l.fehler = QStringLiteral("Die Bilder %1 und %2 konnten nicht getauscht werden: %3")
                           .arg(konflikt.original, konflikt.kopie, grund);
            return l;
        }
        if (InPapierkorb(kopie)) {
            l.erledigt = true;
            return l;
        }
        // Back as they were, so the notice and the choice still tell the truth.
        l.fehler =
            QStringLiteral("Das Bild %1 konnte nicht in den Papierkorb verschoben werden; beide Bilder "
                           "bleiben.")
                .arg(konflikt.original);
        if (!Tauschen(tagOrdner, original, kopie, grund))
            l.fehler += QStringLiteral(" Die gewählte Fassung liegt jetzt unter %1, die andere unter %2.")
                            .arg(konflikt.original, konflikt.kopie);
        return l;
    case TBildWahl::Beide: {
        QString neu;
        bool umbenannt = false;
        // Another writer may take the free name between the look and the rename.
        for (int versuch = 0; versuch < 5 && !umbenannt; ++versuch) {
            neu = FreierBildname(tagOrdner, konflikt.original);
            umbenannt = plattform::UmbenennenOhneErsetzen(kopie, Pfad(tagOrdner, neu), grund);
        }
        if (!umbenannt) {
            l.fehler = QStringLiteral("Die Konfliktkopie %1 konnte nicht umbenannt werden: %2")
                           .arg(konflikt.kopie, grund);
            return l;
        }
        l.erledigt = true;
        l.neuerName = neu;
        QStringList zeilen;
        BildtextLesen(tagOrdner, konflikt.original, zeilen);
        if (!zeilen.isEmpty() && !BildtextSchreiben(tagOrdner, neu, zeilen))
            l.fehler = QStringLiteral("Die Bildunterschrift von %1 konnte nicht für %2 übernommen werden.")
                           .arg(konflikt.original, neu);
        return l;
    }
    }
    return l;
}
