#include "album/alb_ini.h"

#include "album/alb_Basis.h"
#include "album/alb_Loeschen.h"
#include "settings/zpt_ProfilDatei.h"
#include "sys/zpt_Plattform.h"
#include "sys/zpt_sys.h"

#include <QHash>

using plattform::PfadTrenner;

namespace {
const QString kTitel = QStringLiteral("TITEL");
const QString kTitelName = QStringLiteral("TITELNAME");

QString Sektion(const QString& dateiname) {
    return QStringLiteral("BILD ") + dateiname;
}

// Folder part of a path: everything up to the last separator.
QString OrdnerVon(const QString& pfad) {
    return pfad.left(pfad.lastIndexOf(PfadTrenner) + 1);
}
QString NameVon(const QString& pfad) {
    return pfad.mid(pfad.lastIndexOf(PfadTrenner) + 1);
}

// Number of a caption key ("ZEILE07" -> 7), -1 for other keys.
int ZeilenNummer(const QString& schluessel) {
    if (!schluessel.startsWith(QLatin1String("ZEILE"), Qt::CaseInsensitive)) return -1;
    bool ok = false;
    const int n = schluessel.mid(5).toInt(&ok);
    return ok && n >= 0 && schluessel.size() > 5 && schluessel[5].isDigit() ? n : -1;
}
} // namespace

QString ZeilenSchluessel(int i) {
    return QStringLiteral("ZEILE%1").arg(i, 2, 10, QChar(u'0'));
}

QString AlbumDatei(const QString& ordner) {
    const QString basis = AddBackslash(ordner);
    const QString vorhanden = plattform::NameOhneGrossKlein(basis.isEmpty() ? QStringLiteral(".") : basis,
                                                            QStringLiteral("ALBUM.DAT"));
    return basis + (vorhanden.isEmpty() ? QStringLiteral("ALBUM.DAT") : vorhanden);
}

QString TitelLesen(const QString& pfad, const QString& vorgabe) {
    return TProfilDatei(AlbumDatei(OrdnerVon(pfad))).LeseString(kTitel, kTitelName, vorgabe);
}

bool TitelSchreiben(const QString& ordner, const QString& titel) {
    return TProfilDatei(AlbumDatei(ordner)).Aendern([&](TProfilDokument& d) {
        const TProfilDokument vorher = d;
        d.SchreibeString(kTitel, kTitelName, titel);
        // The base a sync program's conflict copy is merged against.
        basis::Vormerken(ordner, vorher, d);
    });
}

QStringList BildtextZeilen(const QVector<std::pair<QString, QString>>& werte) {
    // The lines in order up to the first missing or empty one.
    QHash<int, QString> nummern;
    for (const auto& [schluessel, wert] : werte) {
        const int n = ZeilenNummer(schluessel);
        if (n >= 0 && ZeilenSchluessel(n).compare(schluessel, Qt::CaseInsensitive) == 0 &&
            !nummern.contains(n))
            nummern.insert(n, wert);
    }
    QStringList zeilen;
    for (int i = 0;; ++i) {
        const QString wert = nummern.value(i);
        if (wert.isEmpty()) break;
        zeilen << wert;
    }
    return zeilen;
}

void BildtextLesen(const QString& ordner, const QString& dateiname, QStringList& zeilen) {
    const TProfilDokument doc = TProfilDatei(AlbumDatei(ordner)).Lesen();
    zeilen = BildtextZeilen(doc.Werte(Sektion(dateiname)));
    // A picture back from the trash: its own caption, not the one a new picture of its
    // name got meanwhile.
    const QStringList zurueck = BeiseitegelegterBildtext(doc, ordner, dateiname);
    if (!zurueck.isEmpty()) zeilen = zurueck;
}

QVector<std::pair<QString, QStringList>> AlleBildtexte(const TProfilDokument& doc, QString* titel) {
    if (titel) *titel = doc.LeseString(kTitel, kTitelName, {});
    QVector<std::pair<QString, QStringList>> texte;
    for (const QString& sektion : doc.Sektionen()) {
        if (!sektion.startsWith(QLatin1String("BILD "), Qt::CaseInsensitive)) continue;
        const QStringList zeilen = BildtextZeilen(doc.Werte(sektion));
        if (!zeilen.isEmpty()) texte.append({sektion.mid(5), zeilen});
    }
    return texte;
}

void BildtextLesen(const QString& pfad, QStringList& zeilen) {
    BildtextLesen(OrdnerVon(pfad), NameVon(pfad), zeilen);
}

bool BildnameSpeicherbar(const QString& dateiname) {
    return !dateiname.contains(u'\r') && !dateiname.contains(u'\n');
}

bool BildtextSchreiben(const QString& ordner, const QString& dateiname, const QStringList& zeilen) {
    // A line break would split the section header: the caption could never be found.
    if (!BildnameSpeicherbar(dateiname)) return false;
    return TProfilDatei(AlbumDatei(ordner)).Aendern([&](TProfilDokument& d) {
        const TProfilDokument vorher = d;
        BildtextSetzen(d, dateiname, zeilen);
        // The base a sync program's conflict copy is merged against.
        basis::Vormerken(ordner, vorher, d);
    });
}

void BildtextSetzen(TProfilDokument& d, const QString& dateiname, const QStringList& zeilen) {
    // Reading stops at the first empty line, so empty lines are left out: every line
    // with text reads back, in order.
    QStringList text;
    for (const QString& zeile : zeilen)
        if (!zeile.trimmed().isEmpty()) text << zeile;
    const QString sektion = Sektion(dateiname);
    d.WeitereSektionenLoeschen(sektion);
    for (int i = 0; i < text.size(); ++i)
        d.SchreibeString(sektion, ZeilenSchluessel(i), text[i]);
    // A shorter caption must not read back with lines of the longer one.
    for (const QString& schluessel : d.Schluessel(sektion))
        if (ZeilenNummer(schluessel) >= text.size()) d.LoescheSchluessel(sektion, schluessel);
    if (d.SektionVorhanden(sektion) && d.Schluessel(sektion).isEmpty()) d.LoescheSektion(sektion);
}

bool BildtextSchreiben(const QString& pfad, const QStringList& zeilen) {
    return BildtextSchreiben(OrdnerVon(pfad), NameVon(pfad), zeilen);
}

QString TagDatumText(const QString& tagName) {
    QString s = tagName.left(tagName.indexOf(u' ') < 0 ? tagName.size() : tagName.indexOf(u' '));
    s.remove(u'_');
    s.remove(u'-');
    bool ok = false;
    const int zahl = s.toInt(&ok);
    if (!ok || zahl < 0) return {};
    if (s.size() == 6) {
        const int jahr = s.left(2).toInt();
        return s.mid(4, 2) + u'.' + s.mid(2, 2) + u'.' +
               QString::number(jahr < 50 ? 2000 + jahr : 1900 + jahr);
    }
    if (s.size() == 8) return s.mid(6, 2) + u'.' + s.mid(4, 2) + u'.' + s.left(4);
    return s;
}

QString VerzeichnisDatumText(const QString& pfad) {
    QString p = pfad;
    if (p.endsWith(PfadTrenner)) p.chop(1);
    return TagDatumText(p.mid(p.lastIndexOf(PfadTrenner) + 1));
}

QString TagBeschriftung(const QString& jahrOrdner, const QString& tagName) {
    return TagDatumText(tagName) + QStringLiteral(" - ") +
           TitelLesen(AddBackslash(jahrOrdner) + tagName + PfadTrenner, {});
}

TTagTexte TagTexteLesen(const QString& ordner) {
    TTagTexte t;
    const TProfilDokument doc = TProfilDatei(AlbumDatei(ordner)).Lesen();
    for (const auto& [bild, zeilen] : AlleBildtexte(doc, &t.titel))
        if (!t.zeilen.contains(bild.toLower())) t.zeilen.insert(bild.toLower(), zeilen);
    // A picture back from the trash: its own caption, as BildtextLesen gives it.
    for (const TBeiseitegelegt& b : BeiseitegelegteBildtexte(doc))
        if (IstBildMitKennung(AddBackslash(ordner) + b.dateiname, b.kennung))
            t.zeilen.insert(b.dateiname.toLower(), b.zeilen);
    return t;
}
