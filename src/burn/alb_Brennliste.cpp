#include "burn/alb_Brennliste.h"

#include "album/alb_Basis.h"
#include "display/zpt_FotoListe.h"
#include "sys/alb_Konflikt.h"
#include "sys/zpt_Fehler.h"
#include "sys/zpt_Papierkorb.h"
#include "sys/zpt_Plattform.h"
#include "sys/zpt_Regulaer.h"
#include "sys/zpt_Sperre.h"
#include "sys/zpt_sys.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace {
// The conflict copies beside a list file, oldest first (the same order on every computer).
QStringList ListenKopien(const QString& datei) {
    const QFileInfo fi(datei);
    QVector<std::pair<QDateTime, QString>> kopien;
    const QStringList namen =
        fi.dir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : namen)
        if (const auto k = KonfliktKopie(name);
            k && k->original.compare(fi.fileName(), Qt::CaseInsensitive) == 0)
            kopien.append({k->zeit, name});
    std::sort(kopien.begin(), kopien.end());
    QStringList pfade;
    for (const auto& k : kopien)
        pfade << AddBackslash(fi.path()) + k.second;
    return pfade;
}

// The platform's separator inside an entry, whichever the file used.
QString Nativ(QString eintrag) {
    eintrag.replace(u'\\', plattform::PfadTrenner);
    eintrag.replace(u'/', plattform::PfadTrenner);
    return eintrag;
}
} // namespace

QString TBrennliste::EintragVon(const QString& pfad) const {
    if (!Grundpfad.isEmpty() && pfad.startsWith(Grundpfad, Qt::CaseInsensitive))
        return pfad.mid(Grundpfad.size());
    return pfad;
}

QString TBrennliste::PfadVon(const QString& eintrag) const {
    return QDir::isAbsolutePath(eintrag) ? eintrag : Grundpfad + eintrag;
}

int TBrennliste::Index(const QString& eintrag) const {
    for (int i = 0; i < m_eintraege.size(); ++i)
        if (m_eintraege[i].compare(eintrag, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int TBrennliste::Hinzufuegen(const QString& eintrag, bool* neu) {
    const int da = Index(eintrag);
    if (neu) *neu = da < 0;
    if (da >= 0) return da;
    Merken(eintrag, true);
    m_eintraege << eintrag;
    FotoDateienSortieren(m_eintraege);
    return Index(eintrag);
}

void TBrennliste::Entfernen(QList<int> indexe) {
    std::sort(indexe.begin(), indexe.end(), std::greater<int>());
    for (int i : indexe)
        if (i >= 0 && i < m_eintraege.size()) {
            Merken(m_eintraege[i], false);
            m_eintraege.removeAt(i);
        }
}

void TBrennliste::Leeren() {
    for (const QString& e : m_eintraege)
        Merken(e, false);
    m_eintraege.clear();
}

void TBrennliste::Merken(const QString& eintrag, bool hinzu) {
    m_aenderungen.insert(eintrag.toLower(), {eintrag, hinzu});
}

void TBrennliste::Setzen(const QStringList& eintraege, const QString& datei) {
    Uebernehmen(eintraege, datei);
    // The base a sync program's conflict copy of the list is merged against; while copies
    // wait beside the file, it stays the one they branched off from.
    if (!datei.isEmpty() && ListenKopien(datei).isEmpty()) basis::ListeGelesen(datei, m_eintraege);
}

void TBrennliste::Uebernehmen(const QStringList& eintraege, const QString& datei) {
    m_datei = datei;
    m_aenderungen.clear();
    m_eintraege.clear();
    QSet<QString> gesehen; // a list of thousands of entries loads in linear time
    for (const QString& e : eintraege)
        if (!gesehen.contains(e.toLower())) {
            gesehen.insert(e.toLower());
            m_eintraege << e;
        }
    FotoDateienSortieren(m_eintraege);
}

QStringList TBrennliste::DateiLesen(const QString& datei, const QString& grundpfad) {
    // A picture or other binary file chosen by mistake is never taken for a list (and so
    // never rewritten as one).
    // Only a regular file, never a link out of its folder, a pipe or a device.
    QString grund;
    const QString ziel = regulaer::Ziel(datei, regulaer::Verweise::ImOrdner, &grund);
    if (ziel.isEmpty()) throw EFehler(grund);
    QByteArray bytes;
    const regulaer::Lesestand stand = regulaer::Lesen(ziel, bytes, &grund);
    if (stand == regulaer::Lesestand::Fehlt) return {};
    if (stand == regulaer::Lesestand::Unlesbar) throw EFehler(grund);
    const QByteArray anfang = bytes.left(1 << 16);
    const bool utf16 = anfang.startsWith("\xFF\xFE") || anfang.startsWith("\xFE\xFF");
    if (!utf16 && anfang.contains('\0'))
        throw EFehler(QStringLiteral("Die Datei %1 ist keine Brennliste.").arg(datei));
    QStringList zeilen;
    TextDateiToItems(ziel, zeilen);
    for (QString& z : zeilen) {
        const bool mitRueckstrich = plattform::PfadTrenner != u'\\' && z.contains(u'\\');
        if (mitRueckstrich && QFileInfo::exists(QDir::isAbsolutePath(z) ? z : AddBackslash(grundpfad) + z))
            continue;
        z = Nativ(z);
    }
    return zeilen;
}

bool TBrennliste::NochDa(const QString& datei, qint64 dauerMs, int versuch) const {
    // A writer that read the list before this save replaces it within about the time
    // this save took; then the file tells whether this instance's changes are in it.
    NachpruefenWarten(dauerMs, versuch);
    QSet<QString> drin;
    for (const QString& e : DateiLesen(datei, Grundpfad))
        drin.insert(e.toLower());
    for (auto a = m_aenderungen.cbegin(); a != m_aenderungen.cend(); ++a)
        if (drin.contains(a.key()) != a->second) return false;
    return true;
}

void TBrennliste::Speichern(const QString& datei) {
    // A link is written through to its target (ItemsToTextDatei), locked there.
    QString grund;
    const QString ziel = regulaer::Ziel(datei, regulaer::Verweise::ImOrdner, &grund);
    if (ziel.isEmpty()) throw EFehler(grund);
    const TDateiSperre sperre(ziel);
    if (!sperre.Erhalten()) throw EFehler(SperrMeldung(datei));
    // Another list's entries, or the whole list for a file it did not come from.
    const bool andereDatei = datei != m_datei;
    if (andereDatei)
        for (const QString& e : m_eintraege)
            Merken(e, true);
    for (int versuch = 1;; ++versuch) {
        QElapsedTimer uhr;
        uhr.start();
        const QStringList jetzt = andereDatei && versuch == 1 ? QStringList() : DateiLesen(datei, Grundpfad);
        QStringList zeilen;
        QSet<QString> drin;
        for (const QString& e : jetzt) {
            const auto a = m_aenderungen.constFind(e.toLower());
            if ((a != m_aenderungen.cend() && !a->second) || drin.contains(e.toLower())) continue;
            drin.insert(e.toLower());
            zeilen << e;
        }
        for (const auto& [eintrag, hinzu] : m_aenderungen)
            if (hinzu && !drin.contains(eintrag.toLower())) {
                drin.insert(eintrag.toLower());
                zeilen << eintrag;
            }
        FotoDateienSortieren(zeilen);
        // Without locks, only over the list as it was read: another writer's replace
        // since then means merging again with that one.
        bool veraltet = false;
        std::function<bool()> nochGueltig;
        if (sperre.OhneSperre() && !(andereDatei && versuch == 1))
            nochGueltig = [&] {
                veraltet = DateiLesen(datei, Grundpfad) != jetzt;
                return !veraltet;
            };
        try {
            ItemsToTextDatei(datei, zeilen, nochGueltig);
        } catch (const EFehler&) {
            if (!veraltet) throw;
            if (versuch == kNachpruefVersuche) throw EFehler(UeberschriebenMeldung(datei));
            continue;
        }
        // Without locks another writer's replace may take this save away: made again.
        if (!sperre.OhneSperre() || NochDa(datei, uhr.elapsed(), versuch)) {
            Uebernehmen(zeilen, datei);
            // The base a sync program's conflict copy of the list is merged against.
            basis::ListeGeschrieben(datei, jetzt, zeilen, !ListenKopien(datei).isEmpty());
            return;
        }
        if (versuch == kNachpruefVersuche) throw EFehler(UeberschriebenMeldung(datei));
    }
}

std::optional<QStringList> TBrennliste::ListenBasis(const QString& datei) {
    return basis::ListeLesen(datei);
}

TBrennliste::TAbgleich TBrennliste::KonfliktkopienAbgleichen(const QString& datei, const QString& grundpfad) {
    TAbgleich a;
    const QStringList kopien = ListenKopien(datei);
    a.kopien = int(kopien.size());
    if (kopien.isEmpty()) return a;
    // Every copy against the same base: they all branched off from it.
    const std::optional<QStringList> basis = basis::ListeLesen(datei);
    // One picture however its name is spelt: any case, umlauts composed or not (a Mac
    // writes them decomposed).
    const auto schluessel = [](const QString& e) {
        return e.normalized(QString::NormalizationForm_C).toLower();
    };
    QSet<QString> vorher;
    if (basis)
        for (const QString& e : *basis)
            vorher.insert(schluessel(e));
    TBrennliste liste;
    liste.Grundpfad = grundpfad;
    try {
        liste.Uebernehmen(DateiLesen(datei, grundpfad), datei);
    } catch (const EFehler& e) {
        a.fehler << e.meldung;
        return a;
    }
    QStringList gelesen;
    for (const QString& kopie : kopien) {
        QStringList jene;
        try {
            // A link is no version of the list; an empty copy would remove every entry.
            if (regulaer::IstVerweis(kopie)) throw EFehler({});
            jene = DateiLesen(kopie, grundpfad);
            if (jene.isEmpty()) throw EFehler({});
        } catch (const EFehler&) {
            a.unlesbar << QFileInfo(kopie).fileName();
            continue;
        }
        gelesen << kopie;
        QSet<QString> drin, schonDa;
        for (const QString& e : jene)
            drin.insert(schluessel(e));
        for (const QString& e : liste.Eintraege())
            schonDa.insert(schluessel(e));
        for (const QString& e : jene)
            if (!vorher.contains(schluessel(e)) && !schonDa.contains(schluessel(e))) {
                bool neu = false;
                liste.Hinzufuegen(e, &neu);
                schonDa.insert(schluessel(e));
                a.hinzu += neu ? 1 : 0;
            }
        QList<int> weg;
        for (int i = 0; i < liste.Anzahl(); ++i) {
            const QString e = schluessel(liste.Eintraege()[i]);
            if (!drin.contains(e) && vorher.contains(e)) weg << i;
        }
        a.entfernt += int(weg.size());
        liste.Entfernen(weg);
    }
    try {
        if (!liste.m_aenderungen.isEmpty()) liste.Speichern(datei);
    } catch (const EFehler& e) {
        a.fehler << e.meldung;
        return a;
    }
    // Only now that the merged list is on disk.
    for (const QString& kopie : gelesen) {
        if (InPapierkorb(kopie))
            ++a.imPapierkorb;
        else
            a.fehler << QStringLiteral(
                            "Die Konfliktkopie %1 konnte nicht in den Papierkorb verschoben werden.")
                            .arg(QDir::toNativeSeparators(kopie));
    }
    if (ListenKopien(datei).isEmpty()) {
        try {
            basis::ListeNachAbgleich(datei, DateiLesen(datei, grundpfad));
        } catch (const EFehler&) {
        }
    }
    return a;
}
