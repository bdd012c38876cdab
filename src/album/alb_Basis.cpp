#include "album/alb_Basis.h"

#include "album/alb_Abgleich.h"
#include "album/alb_ini.h"
#include "settings/zpt_ProfilDatei.h"
#include "sys/zpt_Ersetzen.h"
#include "sys/zpt_Regulaer.h"
#include "sys/zpt_sys.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QStandardPaths>

namespace {
const QString kBild = QStringLiteral("BILD ");
const QString kPapierkorb = QStringLiteral("PAPIERKORB ");
QString g_ordner; // test seam
constexpr int kGemerkteKopien = 64;

// A base file is a few KiB; one this large is no file of ours.
constexpr qint64 kGroesteBasis = qint64(32) << 20;

QJsonObject NachJson(const QHash<QString, QStringList>& werte) {
    QJsonObject o;
    for (auto w = werte.cbegin(); w != werte.cend(); ++w)
        o.insert(w.key(), QJsonArray::fromStringList(w.value()));
    return o;
}

// False for anything but an object of string lists.
bool AusJson(const QJsonValue& wert, QHash<QString, QStringList>& werte) {
    if (!wert.isObject()) return false;
    const QJsonObject o = wert.toObject();
    for (auto w = o.begin(); w != o.end(); ++w) {
        if (!w.value().isArray()) return false;
        QStringList zeilen;
        for (const QJsonValue& z : w.value().toArray()) {
            if (!z.isString()) return false;
            zeilen << z.toString();
        }
        werte.insert(w.key(), zeilen);
    }
    return true;
}

QString Kanonisch(const QString& tagOrdner) {
    // A write reads and writes the base: the path (on a network drive a few round trips) is
    // resolved once for both.
    thread_local QString zuletzt, kanonisch;
    if (tagOrdner != zuletzt || kanonisch.isEmpty()) {
        kanonisch = KanonischerPfad(tagOrdner);
        zuletzt = tagOrdner;
    }
    return kanonisch;
}

// Conflict copies of the caption file wait beside it.
// A hash of the entries, whatever their order in the file.
QString Stand(const TEintraege& e) {
    QStringList schluessel = e.keys();
    schluessel.sort();
    QCryptographicHash h(QCryptographicHash::Sha1);
    for (const QString& s : schluessel)
        h.addData((s + u'\x1e' + e.value(s).join(u'\x1f') + u'\x1d').toUtf8());
    return QString::fromLatin1(h.result().toHex());
}

bool KopienDa(const QString& tagOrdner) {
    const QStringList namen =
        QDir(tagOrdner).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : namen)
        if (IstAlbumKonfliktkopie(name)) return true;
    return false;
}
} // namespace

// An entry's key spells a name one way: in lower case, its umlauts composed (a Mac writes
// them decomposed into the file; both spellings are one picture).
QString EintragsName(const QString& name) {
    return name.normalized(QString::NormalizationForm_C).toLower();
}

QString KopienKennung(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
}

TEintraege EintraegeLesen(const TProfilDokument& doc) {
    TEintraege e;
    const QString titel = doc.LeseString(QStringLiteral("TITEL"), QStringLiteral("TITELNAME"));
    if (!titel.isEmpty()) e.insert(kTitelEintrag, {titel});
    for (const QString& sektion : doc.Sektionen()) {
        QString schluessel;
        if (sektion.startsWith(kBild, Qt::CaseInsensitive))
            schluessel = QStringLiteral("bild ") + EintragsName(sektion.mid(kBild.size()));
        else if (sektion.startsWith(kPapierkorb, Qt::CaseInsensitive))
            schluessel = EintragsName(sektion);
        // Only the first of sections of one name counts, as for every reader.
        if (schluessel.isEmpty() || e.contains(schluessel)) continue;
        const QStringList zeilen = BildtextZeilen(doc.Werte(sektion));
        if (!zeilen.isEmpty()) e.insert(schluessel, zeilen);
    }
    return e;
}

QString EintragBild(const TProfilDokument& doc, const QString& schluessel) {
    if (schluessel == kTitelEintrag) return {};
    for (const QString& sektion : doc.Sektionen()) {
        if (sektion.startsWith(kBild, Qt::CaseInsensitive) &&
            (QStringLiteral("bild ") + EintragsName(sektion.mid(kBild.size()))) == schluessel)
            return sektion.mid(kBild.size());
        if (sektion.startsWith(kPapierkorb, Qt::CaseInsensitive) && EintragsName(sektion) == schluessel) {
            // "PAPIERKORB <identity> <name>"
            const qsizetype blank = sektion.indexOf(u' ', kPapierkorb.size());
            return blank < 0 ? QString() : sektion.mid(blank + 1);
        }
    }
    return {};
}

namespace basis {

void OrdnerSetzen(const QString& ordner) {
    g_ordner = ordner;
}

QString Datei(const QString& tagOrdner) {
    const QString ordner = !g_ordner.isEmpty()
                               ? g_ordner
                               : QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                                     QStringLiteral("/Pixolud/basen");
    const QByteArray hash =
        QCryptographicHash::hash(Kanonisch(tagOrdner).toUtf8(), QCryptographicHash::Sha1).toHex().left(24);
    return ordner + u'/' + QString::fromLatin1(hash) + QStringLiteral(".json");
}

TBasis Lesen(const QString& tagOrdner) {
    TBasis b;
    QByteArray bytes;
    if (regulaer::Lesen(Datei(tagOrdner), bytes, nullptr, kGroesteBasis) != regulaer::Lesestand::Gelesen)
        return b;
    QJsonParseError fehler{};
    const QJsonDocument json = QJsonDocument::fromJson(bytes, &fehler);
    if (fehler.error != QJsonParseError::NoError || !json.isObject()) return b;
    const QJsonObject o = json.object();
    // A hash shared by two folders must not give one the other's base.
    if (o.value(QStringLiteral("ordner")).toString() != Kanonisch(tagOrdner)) return b;
    TBasis gelesen;
    if (!AusJson(o.value(QStringLiteral("werte")), gelesen.werte) ||
        !AusJson(o.value(QStringLiteral("meine")), gelesen.meine))
        return b;
    for (const QJsonValue& k : o.value(QStringLiteral("abgeglichen")).toArray())
        gelesen.abgeglichen << k.toString();
    gelesen.geschrieben = o.value(QStringLiteral("geschrieben")).toString();
    gelesen.bekannt = true;
    return gelesen;
}

bool Schreiben(const QString& tagOrdner, const TBasis& basis) {
    const QString datei = Datei(tagOrdner);
    if (!QDir().mkpath(datei.left(datei.lastIndexOf(u'/')))) return false;
    QJsonObject o;
    o.insert(QStringLiteral("ordner"), Kanonisch(tagOrdner));
    o.insert(QStringLiteral("werte"), NachJson(basis.werte));
    o.insert(QStringLiteral("meine"), NachJson(basis.meine));
    o.insert(QStringLiteral("abgeglichen"), QJsonArray::fromStringList(basis.abgeglichen));
    o.insert(QStringLiteral("geschrieben"), basis.geschrieben);
    return DateiErsetzen(datei, QJsonDocument(o).toJson(QJsonDocument::Compact));
}

void Vormerken(const QString& tagOrdner, const TProfilDokument& vorher, const TProfilDokument& nachher) {
    const TEintraege v = EintraegeLesen(vorher), n = EintraegeLesen(nachher);
    TBasis alt = Lesen(tagOrdner);
    if (KopienDa(tagOrdner)) {
        // The copies are merged against the base as it is; without one, none is made from
        // a file that may already hold only one side's entries.
        if (!alt.bekannt) return;
        TBasis b = alt;
        for (const QString& s :
             QSet<QString>(v.keyBegin(), v.keyEnd()) + QSet<QString>(n.keyBegin(), n.keyEnd()))
            if (v.value(s) != n.value(s)) b.meine.insert(s, n.value(s));
        b.geschrieben = Stand(n);
        Schreiben(tagOrdner, b);
        return;
    }
    QSet<QString> alle(v.keyBegin(), v.keyEnd());
    alle.unite(QSet<QString>(n.keyBegin(), n.keyEnd()));
    alle.unite(QSet<QString>(alt.werte.keyBegin(), alt.werte.keyEnd()));
    alle.unite(QSet<QString>(alt.meine.keyBegin(), alt.meine.keyEnd()));
    // Another computer's file that had this one's writes: they are no longer only ours.
    if (alt.geschrieben != Stand(v)) alt.meine.clear();
    TBasis b;
    b.bekannt = true;
    b.abgeglichen = alt.abgeglichen;
    b.geschrieben = Stand(n);
    for (const QString& s : alle) {
        const QStringList platte = v.value(s); // empty: absent
        // The file still holds what this computer wrote last: the sync program brought
        // nothing newer, so the entry's base is still the one from before that write.
        const bool eigenes = alt.meine.contains(s) && alt.meine.value(s) == platte;
        if (eigenes) {
            if (alt.werte.contains(s)) b.werte.insert(s, alt.werte.value(s));
        } else if (!platte.isEmpty()) {
            b.werte.insert(s, platte);
        }
        if (platte != n.value(s))
            b.meine.insert(s, n.value(s));
        else if (eigenes)
            b.meine.insert(s, platte);
    }
    Schreiben(tagOrdner, b);
}

namespace {
QString ListenDatei(const QString& datei) {
    QString pfad = Datei(datei);
    return pfad.insert(pfad.size() - 5, QStringLiteral(".liste"));
}
} // namespace

namespace {
struct TListe {
    bool bekannt = false;
    QStringList basis;
    std::optional<QStringList> meine;
};

TListe ListeLaden(const QString& datei) {
    TListe l;
    QByteArray bytes;
    if (regulaer::Lesen(ListenDatei(datei), bytes, nullptr, kGroesteBasis) != regulaer::Lesestand::Gelesen)
        return l;
    const QJsonObject o = QJsonDocument::fromJson(bytes).object();
    if (o.value(QStringLiteral("datei")).toString() != Kanonisch(datei)) return l;
    QHash<QString, QStringList> werte;
    if (!AusJson(o.value(QStringLiteral("liste")), werte) || !werte.contains(QStringLiteral("basis")))
        return l;
    l.bekannt = true;
    l.basis = werte.value(QStringLiteral("basis"));
    if (werte.contains(QStringLiteral("meine"))) l.meine = werte.value(QStringLiteral("meine"));
    return l;
}

void ListeSpeichern(const QString& datei, const TListe& l) {
    const QString ziel = ListenDatei(datei);
    if (!QDir().mkpath(ziel.left(ziel.lastIndexOf(u'/')))) return;
    QHash<QString, QStringList> werte{{QStringLiteral("basis"), l.basis}};
    if (l.meine) werte.insert(QStringLiteral("meine"), *l.meine);
    QJsonObject o;
    o.insert(QStringLiteral("datei"), Kanonisch(datei));
    o.insert(QStringLiteral("liste"), NachJson(werte));
    DateiErsetzen(ziel, QJsonDocument(o).toJson(QJsonDocument::Compact));
}

// The same entries, whatever their order and case.
bool Gleich(const std::optional<QStringList>& a, const QStringList& b) {
    if (!a) return false;
    QStringList x, y;
    for (const QString& e : *a)
        x << e.toLower();
    for (const QString& e : b)
        y << e.toLower();
    x.sort();
    y.sort();
    x.removeDuplicates();
    y.removeDuplicates();
    return x == y;
}
} // namespace

std::optional<QStringList> ListeLesen(const QString& datei) {
    const TListe l = ListeLaden(datei);
    return l.bekannt ? std::optional<QStringList>(l.basis) : std::nullopt;
}

void ListeGelesen(const QString& datei, const QStringList& eintraege) {
    const TListe alt = ListeLaden(datei);
    // Still this computer's own last write: the base from before it stays.
    if (alt.bekannt && Gleich(alt.meine, eintraege)) return;
    ListeSpeichern(datei, {true, eintraege, std::nullopt});
}

void ListeGeschrieben(const QString& datei, const QStringList& vorher, const QStringList& nachher,
                      bool halten) {
    TListe l = ListeLaden(datei);
    if (halten && !l.bekannt) return;
    if (!halten && !(l.bekannt && Gleich(l.meine, vorher))) l.basis = vorher;
    l.bekannt = true;
    l.meine = nachher;
    ListeSpeichern(datei, l);
}

void ListeNachAbgleich(const QString& datei, const QStringList& eintraege) {
    ListeSpeichern(datei, {true, eintraege, std::nullopt});
}

void NachAbgleich(const QString& tagOrdner, const TEintraege& gemergt, const QStringList& kopien) {
    TBasis b;
    b.bekannt = true;
    b.werte = gemergt;
    // The last few are enough: a copy comes again soon or never.
    b.abgeglichen = Lesen(tagOrdner).abgeglichen + kopien;
    b.abgeglichen.removeDuplicates();
    if (b.abgeglichen.size() > kGemerkteKopien)
        b.abgeglichen = b.abgeglichen.mid(b.abgeglichen.size() - kGemerkteKopien);
    Schreiben(tagOrdner, b);
}

} // namespace basis
