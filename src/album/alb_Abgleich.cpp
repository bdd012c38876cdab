#include "album/alb_Abgleich.h"

#include "album/alb_Basis.h"
#include "album/alb_ini.h"
#include "settings/zpt_ProfilDatei.h"
#include "sys/alb_Konflikt.h"
#include "sys/zpt_Papierkorb.h"
#include "sys/zpt_Regulaer.h"
#include "sys/zpt_Sperre.h"
#include "sys/zpt_Text.h"
#include "sys/zpt_sys.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace {
const QString kTitel = QStringLiteral("TITEL");
const QString kTitelName = QStringLiteral("TITELNAME");

struct TKopie {
    QString name, pfad;
    TKonfliktKopie info;
    TProfilDokument doc;
    TEintraege eintraege;
    QString kennung; // KopienKennung of its text
    // When its text was written: the sync program keeps a file's time when it puts it aside
    // (the name gives when that was, after both writes).
    QDateTime geschrieben;
};

// The conflict copies of the caption file, oldest first (the same order on every computer).
QVector<TKopie> KopienFinden(const QString& tagOrdner) {
    QVector<TKopie> kopien;
    const QStringList namen =
        QDir(tagOrdner).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : namen)
        if (const auto info = KonfliktKopie(name);
            info && info->original.compare(QLatin1String("ALBUM.DAT"), Qt::CaseInsensitive) == 0)
            kopien.append({name, AddBackslash(tagOrdner) + name, *info, {}, {}, {}, {}});
    std::sort(kopien.begin(), kopien.end(), [](const TKopie& a, const TKopie& b) {
        return a.info.zeit != b.info.zeit ? a.info.zeit < b.info.zeit : a.name < b.name;
    });
    return kopien;
}

// A caption file as the merge reads it: only a regular file with text. False with the
// German reason otherwise; a missing one counts as empty only where `fehlendLeer`.
bool DokumentLesen(const QString& pfad, TProfilDokument& doc, QString& grund, bool fehlendLeer,
                   QString* kennung = nullptr) {
    doc = {};
    const QString name = QDir::toNativeSeparators(pfad);
    if (regulaer::IstVerweis(pfad) && !fehlendLeer) {
        // A copy that is a link is no version of ours; whatever it points to stays as it is.
        grund = QStringLiteral("Die Konfliktkopie %1 ist ein Verweis.").arg(name);
        return false;
    }
    const QString ziel = regulaer::Ziel(pfad, regulaer::Verweise::ImOrdner, &grund);
    if (ziel.isEmpty()) return false;
    text::Gelesen g;
    switch (text::Einlesen(ziel, g, regulaer::Verweise::ImOrdner, &grund)) {
    case regulaer::Lesestand::Fehlt:
        if (fehlendLeer) return true;
        grund = QStringLiteral("Die Datei %1 fehlt.").arg(name);
        return false;
    case regulaer::Lesestand::Unlesbar:
        return false;
    case regulaer::Lesestand::Gelesen:
        break;
    }
    // An empty copy would remove every caption it lacks: it is no version of the file.
    if (text::KeinText(g.inhalt) || (!fehlendLeer && text::Bereinigt(g.inhalt).isEmpty())) {
        grund = QStringLiteral("Die Datei %1 enthält keinen Text.").arg(name);
        return false;
    }
    doc = TProfilDokument(g.inhalt);
    if (kennung) *kennung = KopienKennung(g.inhalt.toUtf8());
    return true;
}

// The current file's text still holds all of the copy's, kept after it ("Beide behalten"
// made before): merging again asks nothing and adds nothing.
bool Enthalten(const QString& eintrag, const QStringList& diese, const QStringList& jene) {
    if (jene.isEmpty() || diese.size() < jene.size()) return false;
    if (eintrag == kTitelEintrag)
        return diese.size() == 1 && diese[0].endsWith(QStringLiteral(" / ") + jene[0]);
    return diese.size() > jene.size() && diese.mid(diese.size() - jene.size()) == jene;
}

QStringList Beide(const QString& eintrag, const QStringList& diese, const QStringList& jene) {
    if (diese.isEmpty()) return jene;
    if (jene.isEmpty()) return diese;
    if (eintrag == kTitelEintrag) return {diese.value(0) + QStringLiteral(" / ") + jene.value(0)};
    return diese + jene;
}

// Writes the entry's text into the document; an empty text removes it.
void Setzen(TProfilDokument& d, const QString& eintrag, const QStringList& text, const TKopie& kopie,
            const QString& bild) {
    if (eintrag == kTitelEintrag) {
        if (text.isEmpty()) {
            d.LoescheSchluessel(kTitel, kTitelName);
            if (d.SektionVorhanden(kTitel) && d.Schluessel(kTitel).isEmpty()) d.LoescheSektion(kTitel);
        } else {
            d.SchreibeString(kTitel, kTitelName, text.value(0));
        }
        return;
    }
    if (eintrag.startsWith(QLatin1String("bild "))) {
        BildtextSetzen(d, bild, text);
        return;
    }
    // A set-aside caption goes over whole, with its section as the copy has it.
    QString sektion;
    for (const QString& s : kopie.doc.Sektionen())
        if (EintragsName(s) == eintrag) sektion = s;
    while (true) {
        bool weg = false;
        for (const QString& s : d.Sektionen())
            if (EintragsName(s) == eintrag) {
                d.LoescheSektion(s);
                weg = true;
                break;
            }
        if (!weg) break;
    }
    if (!text.isEmpty() && !sektion.isEmpty()) d.SektionAnhaengen(sektion, kopie.doc.Werte(sektion));
}

struct TLauf {
    QVector<TKonfliktFrage> fragen; // every question met, answered or not
    int uebernommen = 0, gefragt = 0, offen = 0;
    QSet<QString> erledigt; // copies whose every entry is in the file now
};

// Merges the copies one after the other into `d`, each against the same base (the copies
// all branched off from it), answering with `wahlen`.
TLauf Zusammenfuehren(TProfilDokument& d, const QVector<TKopie>& kopien, const TBasis& basis,
                      const QDateTime& zeitDiese, const QHash<QString, TWahl>& wahlen) {
    TLauf lauf;
    for (const TKopie& kopie : kopien) {
        if (basis.abgeglichen.contains(kopie.kennung)) {
            lauf.erledigt.insert(kopie.name);
            continue;
        }
        TEintraege aktuell = EintraegeLesen(d);
        QStringList schluessel = aktuell.keys() + kopie.eintraege.keys();
        schluessel.removeDuplicates();
        schluessel.sort(); // the same file on every computer
        bool offen = false;
        for (const QString& e : schluessel) {
            const QStringList diese = aktuell.value(e), jene = kopie.eintraege.value(e);
            if (diese == jene) continue;
            const QString bild = EintragBild(diese.isEmpty() ? kopie.doc : d, e);
            const bool beiseite = e.startsWith(QLatin1String("papierkorb "));
            const bool nurJene = basis.bekannt && diese == basis.werte.value(e);
            const bool nurDiese = basis.bekannt && jene == basis.werte.value(e);
            // A set-aside caption is kept wherever one side has it; it names its picture's
            // identity, so it never competes with another text.
            const bool nehmen = nurJene || (!nurDiese && beiseite && diese.isEmpty());
            if (nehmen) {
                Setzen(d, e, jene, kopie, bild);
                ++lauf.uebernommen;
                continue;
            }
            if (nurDiese || beiseite || Enthalten(e, diese, jene)) continue;
            TKonfliktFrage f;
            f.kopie = kopie.name;
            f.bild = bild;
            f.diese = diese;
            f.jene = jene;
            f.geraet = kopie.info.geraet;
            f.zeitDiese = zeitDiese;
            f.zeitJene = kopie.geschrieben.isValid() ? kopie.geschrieben : kopie.info.zeit;
            f.eintrag = e;
            lauf.fragen.append(f);
            switch (wahlen.value(f.Schluessel(), TWahl::Offen)) {
            case TWahl::Offen:
                ++lauf.offen;
                offen = true;
                break;
            case TWahl::Diese:
                ++lauf.gefragt;
                break;
            case TWahl::Jene:
                Setzen(d, e, jene, kopie, bild);
                ++lauf.gefragt;
                break;
            case TWahl::Beide:
                Setzen(d, e, Beide(e, diese, jene), kopie, bild);
                ++lauf.gefragt;
                break;
            }
        }
        if (!offen) lauf.erledigt.insert(kopie.name);
    }
    return lauf;
}

// The copies read; those that cannot be read are named in `unlesbar` and left out.
QVector<TKopie> KopienLesen(const QString& tagOrdner, QStringList& unlesbar, QStringList& alle) {
    QVector<TKopie> lesbar;
    for (TKopie& k : KopienFinden(tagOrdner)) {
        alle << k.name;
        QString grund;
        if (!DokumentLesen(k.pfad, k.doc, grund, false, &k.kennung)) {
            unlesbar << k.name;
            continue;
        }
        k.eintraege = EintraegeLesen(k.doc);
        k.geschrieben = QFileInfo(k.pfad).lastModified();
        lesbar.append(std::move(k));
    }
    return lesbar;
}

// The base the copies are merged against. Where the caption file itself is gone, its
// entries did not go one by one: every text of a copy is asked about.
TBasis Basis(const QString& tagOrdner, const QString& datei) {
    return QFileInfo::exists(datei) || regulaer::IstVerweis(datei) ? basis::Lesen(tagOrdner) : TBasis();
}

QDateTime Geaendert(const QString& datei) {
    const QFileInfo fi(datei);
    return fi.exists() ? fi.lastModified() : QDateTime();
}
} // namespace

QString TKonfliktFrage::Schluessel() const {
    QCryptographicHash h(QCryptographicHash::Sha1);
    for (const QString& teil :
         {kopie, eintrag.isEmpty() ? bild.toLower() : eintrag, diese.join(u'\n'), jene.join(u'\n')}) {
        h.addData(teil.toUtf8());
        h.addData(QByteArrayView("\x1f", 1));
    }
    return QString::fromLatin1(h.result().toHex());
}

bool IstAlbumKonfliktkopie(const QString& name) {
    const auto k = KonfliktKopie(name);
    return k && k->original.compare(QLatin1String("ALBUM.DAT"), Qt::CaseInsensitive) == 0;
}

TAbgleichPlan AbgleichPruefen(const QString& tagOrdner) {
    TAbgleichPlan plan;
    const QVector<TKopie> kopien = KopienLesen(tagOrdner, plan.unlesbar, plan.kopien);
    if (kopien.isEmpty()) return plan;
    const QString datei = AlbumDatei(tagOrdner);
    TProfilDokument doc;
    if (!DokumentLesen(datei, doc, plan.fehler, true)) return plan;
    const TLauf lauf = Zusammenfuehren(doc, kopien, Basis(tagOrdner, datei), Geaendert(datei), {});
    plan.fragen = lauf.fragen;
    plan.automatisch = lauf.uebernommen;
    return plan;
}

TAbgleichErgebnis AbgleichAnwenden(const QString& tagOrdner, const QHash<QString, TWahl>& wahlen) {
    TAbgleichErgebnis erg;
    QStringList alle;
    const QVector<TKopie> kopien = KopienLesen(tagOrdner, erg.unlesbar, alle);
    if (kopien.isEmpty()) return erg;
    const QString datei = AlbumDatei(tagOrdner);
    const QDateTime zeitDiese = Geaendert(datei);

    // A merge that changes nothing leaves the file untouched: the sync program then has no
    // new version to send, and the other computers none to put aside again.
    TProfilDokument probe;
    QString grund;
    if (!DokumentLesen(datei, probe, grund, true)) {
        erg.fehler << grund;
        return erg;
    }
    const QString vorher = probe.Text();
    TLauf lauf = Zusammenfuehren(probe, kopien, Basis(tagOrdner, datei), zeitDiese, wahlen);
    if (probe.Text() != vorher) {
        bool geaendert = false;
        const bool ok = TProfilDatei(datei).Aendern([&](TProfilDokument& d) {
            const QString text = d.Text();
            TLauf runde = Zusammenfuehren(d, kopien, Basis(tagOrdner, datei), zeitDiese, wahlen);
            // Where locks fail, the change is made again on the file as written to check it
            // is still there; that round finds everything merged and counts nothing.
            const bool aendert = d.Text() != text;
            if (aendert || !geaendert) lauf = std::move(runde);
            geaendert = geaendert || aendert;
        });
        if (!ok) {
            erg.fehler << QStringLiteral("Die Bildunterschriften in %1 konnten nicht zusammengeführt werden.")
                                  .arg(QDir::toNativeSeparators(datei)) +
                              SperrZusatz();
            erg.offen = lauf.offen;
            return erg;
        }
    }
    erg.uebernommen = lauf.uebernommen;
    erg.gefragt = lauf.gefragt;
    erg.offen = lauf.offen;
    // Only now that the merged file is on disk.
    QStringList kennungen;
    for (const TKopie& k : kopien) {
        if (!lauf.erledigt.contains(k.name)) continue;
        // Another merge of the day (a second window, another instance) may have been first.
        const auto weg = [&] { return !QFileInfo::exists(k.pfad) && !regulaer::IstVerweis(k.pfad); };
        if (weg()) continue;
        if (InPapierkorb(k.pfad)) {
            ++erg.imPapierkorb;
            kennungen << k.kennung;
        } else if (!weg()) {
            erg.fehler << QStringLiteral(
                              "Die Konfliktkopie %1 konnte nicht in den Papierkorb verschoben werden.")
                              .arg(QDir::toNativeSeparators(k.pfad));
        }
    }
    // With every copy merged, the merged file is what all computers branch off from next.
    if (KopienFinden(tagOrdner).isEmpty()) {
        const QString ziel = regulaer::Ziel(datei, regulaer::Verweise::ImOrdner);
        const TDateiSperre sperre(ziel.isEmpty() ? datei : ziel);
        TProfilDokument jetzt;
        if (sperre.Erhalten() && DokumentLesen(datei, jetzt, grund, true))
            basis::NachAbgleich(tagOrdner, EintraegeLesen(jetzt), kennungen);
    }
    return erg;
}
