#include "display/zpt_HeifGrenzen.h"

#include <QHash>
#include <QList>

namespace {
constexpr quint32 Typ(const char (&s)[5]) {
    return quint32(uchar(s[0])) << 24 | quint32(uchar(s[1])) << 16 | quint32(uchar(s[2])) << 8 |
           quint32(uchar(s[3]));
}

// Big-endian numbers from a range of the file; reading past its end sets `ok` false.
struct Leser {
    const QByteArray& d;
    quint64 pos, ende;
    bool ok = true;
    quint64 Zahl(int bytes) {
        if (!ok || bytes < 0 || bytes > 8 || ende - pos < quint64(bytes)) {
            ok = false;
            return 0;
        }
        quint64 v = 0;
        for (int i = 0; i < bytes; ++i)
            v = v << 8 | uchar(d[qsizetype(pos + quint64(i))]);
        pos += quint64(bytes);
        return v;
    }
};

struct Box {
    quint32 typ = 0;
    quint64 inhalt = 0, ende = 0; // the payload, after the header
};

// The boxes lying in [anfang, ende); false when one claims more than there is.
bool Boxen(const QByteArray& d, quint64 anfang, quint64 ende, QList<Box>& boxen, bool nurBisMeta = false) {
    quint64 pos = anfang;
    while (pos < ende) {
        Leser l{d, pos, ende};
        quint64 groesse = l.Zahl(4);
        const quint32 typ = quint32(l.Zahl(4));
        if (groesse == 1)
            groesse = l.Zahl(8);
        else if (groesse == 0)
            groesse = ende - pos; // up to the end of what holds it
        if (typ == Typ("uuid")) l.Zahl(8), l.Zahl(8);
        if (!l.ok || groesse < l.pos - pos || groesse > ende - pos) return false;
        boxen.append({typ, l.pos, pos + groesse});
        if (nurBisMeta && typ == Typ("meta")) return true;
        pos += groesse;
    }
    return true;
}

struct Ort {
    int methode = 0;
    quint64 basis = 0;
    QList<QPair<quint64, quint64>> stuecke; // offset, length
};

bool Ablehnen(QString* fehler, const QString& grund) {
    if (fehler) *fehler = grund;
    return false;
}

// The most bytes read from a derived picture's data (an overlay's header with 32-bit
// fields), so also the most of its pieces that can matter.
constexpr int kKopfBytes = 2 + 8 + 8;

bool IstAbgeleitet(quint32 typ) {
    return typ == Typ("grid") || typ == Typ("iovl") || typ == Typ("iden");
}
} // namespace

bool HeifLeinwaendeZulaessig(const QByteArray& d, qint64 maxPixel, QString* fehler) {
    const QString kaputt = QStringLiteral("HEIF-Kopf unlesbar");
    const quint64 n = quint64(d.size());
    QList<Box> oben;
    if (!Boxen(d, 0, n, oben, true) || oben.isEmpty() || oben.back().typ != Typ("meta"))
        return Ablehnen(fehler, kaputt);
    // libheif takes the first of each box; a second one would be read differently by us.
    QList<Box> inMeta;
    const Box meta = oben.back();
    if (!Boxen(d, meta.inhalt + 4, meta.ende, inMeta)) return Ablehnen(fehler, kaputt);
    const Box *iinf = nullptr, *iloc = nullptr, *idat = nullptr, *iref = nullptr;
    for (const Box& b : inMeta) {
        const Box** ziel = b.typ == Typ("iinf")   ? &iinf
                           : b.typ == Typ("iloc") ? &iloc
                           : b.typ == Typ("idat") ? &idat
                           : b.typ == Typ("iref") ? &iref
                                                  : nullptr;
        if (!ziel) continue;
        if (*ziel) return Ablehnen(fehler, kaputt);
        *ziel = &b;
    }
    if (!iinf || !iloc) return Ablehnen(fehler, kaputt);

    // The items' types.
    QHash<quint32, quint32> typen;
    int abgeleitet = 0;
    {
        Leser l{d, iinf->inhalt, iinf->ende};
        const int version = int(l.Zahl(1));
        l.Zahl(3);
        l.Zahl(version == 0 ? 2 : 4);
        QList<Box> eintraege;
        if (!l.ok || !Boxen(d, l.pos, iinf->ende, eintraege)) return Ablehnen(fehler, kaputt);
        for (const Box& e : eintraege) {
            if (e.typ != Typ("infe")) continue;
            Leser f{d, e.inhalt, e.ende};
            const int v = int(f.Zahl(1));
            f.Zahl(3);
            if (v < 2) continue; // no item type before version 2
            const quint32 id = quint32(f.Zahl(v == 2 ? 2 : 4));
            f.Zahl(2);
            const quint32 typ = quint32(f.Zahl(4));
            if (!f.ok || (typen.contains(id) && typen.value(id) != typ)) return Ablehnen(fehler, kaputt);
            typen.insert(id, typ);
            if (IstAbgeleitet(typ) && ++abgeleitet > kMaxHeifKacheln)
                return Ablehnen(fehler, QStringLiteral("zu viele abgeleitete HEIF-Bilder"));
        }
    }

    // Where each item's data lies.
    QHash<quint32, Ort> orte;
    {
        Leser l{d, iloc->inhalt, iloc->ende};
        const int version = int(l.Zahl(1));
        l.Zahl(3);
        const int a = int(l.Zahl(1)), b = int(l.Zahl(1));
        const int versatzLaenge = a >> 4, laengeLaenge = a & 15, basisLaenge = b >> 4;
        const int indexLaenge = version == 1 || version == 2 ? b & 15 : 0;
        for (int s : {versatzLaenge, laengeLaenge, basisLaenge, indexLaenge})
            if (s != 0 && s != 4 && s != 8) return Ablehnen(fehler, kaputt);
        if (version > 2) return Ablehnen(fehler, kaputt);
        const quint64 anzahl = l.Zahl(version < 2 ? 2 : 4);
        for (quint64 i = 0; i < anzahl && l.ok; ++i) {
            const quint32 id = quint32(l.Zahl(version < 2 ? 2 : 4));
            Ort ort;
            if (version >= 1) ort.methode = int(l.Zahl(2) & 15);
            l.Zahl(2);
            ort.basis = l.Zahl(basisLaenge);
            // Bounded as libheif bounds them (32 here, 128 in later versions): with fields of
            // no bytes, any number would cost nothing to claim.
            const quint64 stuecke = l.Zahl(2);
            if (stuecke > 128) return Ablehnen(fehler, kaputt);
            // Kept only for derived pictures, and only the pieces their first bytes can
            // come from: a million items of 128 empty pieces would otherwise take gigabytes.
            const bool gebraucht = IstAbgeleitet(typen.value(id));
            for (quint64 k = 0; k < stuecke && l.ok; ++k) {
                l.Zahl(indexLaenge);
                const quint64 versatz = l.Zahl(versatzLaenge);
                const quint64 laenge = l.Zahl(laengeLaenge);
                if (gebraucht && ort.stuecke.size() < kKopfBytes) ort.stuecke.append({versatz, laenge});
            }
            if (!gebraucht) continue;
            if (orte.contains(id)) return Ablehnen(fehler, kaputt);
            orte.insert(id, ort);
        }
        if (!l.ok) return Ablehnen(fehler, kaputt);
    }

    // What each derived picture is made of.
    QHash<quint32, QList<quint32>> teile;
    if (iref) {
        Leser l{d, iref->inhalt, iref->ende};
        const int version = int(l.Zahl(1));
        l.Zahl(3);
        QList<Box> verweise;
        if (!l.ok || !Boxen(d, l.pos, iref->ende, verweise)) return Ablehnen(fehler, kaputt);
        const int idLaenge = version == 0 ? 2 : 4;
        for (const Box& v : verweise) {
            if (v.typ != Typ("dimg")) continue;
            Leser r{d, v.inhalt, v.ende};
            QList<quint32>& liste = teile[quint32(r.Zahl(idLaenge))];
            const quint64 anzahl = r.Zahl(2);
            for (quint64 k = 0; k < anzahl && r.ok; ++k)
                liste.append(quint32(r.Zahl(idLaenge)));
            if (!r.ok) return Ablehnen(fehler, kaputt);
        }
    }

    // The first bytes of an item's data, read where libheif reads them.
    const auto anfangLesen = [&](quint32 id, int bedarf) {
        QByteArray daten;
        const Ort ort = orte.value(id);
        if (!orte.contains(id) || ort.methode > 1 || (ort.methode == 1 && !idat)) return daten;
        for (const auto& [versatz, laenge] : ort.stuecke) {
            const quint64 bezug = ort.methode == 1 ? idat->inhalt : 0;
            if (versatz > n || ort.basis > n || bezug + ort.basis + versatz > n) return QByteArray();
            const quint64 start = bezug + ort.basis + versatz;
            const quint64 bis = laenge == 0 ? n : qMin(n, start + qMin(laenge, n));
            daten.append(d.mid(qsizetype(start), qsizetype(qMin<quint64>(bis - start, quint64(bedarf)))));
            if (daten.size() >= bedarf) break;
        }
        return daten;
    };

    for (auto it = typen.cbegin(); it != typen.cend(); ++it) {
        const quint32 typ = it.value();
        if (!IstAbgeleitet(typ)) continue;
        const QList<quint32> aus = teile.value(it.key());
        if (aus.size() > kMaxHeifKacheln)
            return Ablehnen(fehler, QStringLiteral("zu viele Kacheln (%1)").arg(aus.size()));
        // A tile is a coded picture; an identity may show a grid or an overlay, nothing deeper.
        for (quint32 teil : aus) {
            const quint32 t = typen.value(teil);
            if (IstAbgeleitet(t) && (typ != Typ("iden") || t == Typ("iden")))
                return Ablehnen(fehler, QStringLiteral("verschachteltes HEIF-Bild"));
        }
        if (typ == Typ("iden")) continue;
        quint64 breite = 0, hoehe = 0;
        if (typ == Typ("grid")) {
            const QByteArray g = anfangLesen(it.key(), 12);
            const bool lang = g.size() >= 2 && (uchar(g[1]) & 1);
            if (g.size() < (lang ? 12 : 8)) return Ablehnen(fehler, kaputt);
            Leser l{g, 2, quint64(g.size())};
            const quint64 kacheln = (l.Zahl(1) + 1) * (l.Zahl(1) + 1);
            breite = l.Zahl(lang ? 4 : 2);
            hoehe = l.Zahl(lang ? 4 : 2);
            if (kacheln > quint64(kMaxHeifKacheln))
                return Ablehnen(fehler, QStringLiteral("zu viele Kacheln (%1)").arg(kacheln));
        } else {
            const QByteArray o = anfangLesen(it.key(), kKopfBytes);
            const bool lang = o.size() >= 2 && (uchar(o[1]) & 1);
            if (o.size() < (lang ? 18 : 14)) return Ablehnen(fehler, kaputt);
            Leser l{o, 10, quint64(o.size())};
            breite = l.Zahl(lang ? 4 : 2);
            hoehe = l.Zahl(lang ? 4 : 2);
        }
        if (breite == 0 || hoehe == 0 || breite * hoehe > quint64(maxPixel))
            return Ablehnen(fehler, QStringLiteral("Bild zu groß (%1x%2)").arg(breite).arg(hoehe));
    }
    return true;
}
