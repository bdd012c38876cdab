#include "album/alb_Suche.h"

#include "album/alb_ini.h"
#include "display/zpt_FotoListe.h"
#include "settings/zpt_ProfilDatei.h"
#include "sys/zpt_Plattform.h"
#include "sys/zpt_Sperre.h"
#include "sys/zpt_Text.h"
#include "sys/zpt_sys.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace suche {

namespace {
// Umlauts and ß in their plain spellings; the two-letter forms ae, oe, ue fold into the
// same, so all three spellings of "Köln" meet.
QString Falten(const QString& klein) {
    QString s;
    s.reserve(klein.size());
    for (qsizetype i = 0; i < klein.size(); ++i) {
        const QChar c = klein[i];
        const QChar n = i + 1 < klein.size() ? klein[i + 1] : QChar();
        if (c == u'ß') {
            s += QStringLiteral("ss");
        } else if ((c == u'a' || c == u'o' || c == u'u') && n == u'e') {
            s += c; // "ae" is "ä" is "a"
            ++i;
        } else if (c.decompositionTag() == QChar::Canonical) {
            s += c.decomposition().front(); // ä -> a, é -> e
        } else {
            s += c;
        }
    }
    return s;
}
} // namespace

QString Normalform(const QString& text) {
    return Falten(text.toLower());
}

QStringList Woerter(const QString& text) {
    QStringList woerter;
    const QString n = Normalform(text);
    qsizetype anfang = -1;
    for (qsizetype i = 0; i <= n.size(); ++i) {
        const bool wort = i < n.size() && n[i].isLetterOrNumber();
        if (wort && anfang < 0) anfang = i;
        if (!wort && anfang >= 0) {
            woerter << n.mid(anfang, i - anfang);
            anfang = -1;
        }
    }
    return woerter;
}

QList<QStringList> Anfrage(const QString& text) {
    QList<QStringList> teile;
    const QStringList stuecke = text.split(u'"');
    // Every second piece stood in quotes: a phrase; the others are single words.
    for (qsizetype i = 0; i < stuecke.size(); ++i) {
        const QStringList w = Woerter(stuecke[i]);
        if (w.isEmpty()) continue;
        if (i % 2 == 1)
            teile << w;
        else
            for (const QString& einzeln : w)
                teile << QStringList{einzeln};
    }
    return teile;
}

QString Suchtext(const QStringList& woerter) {
    return u' ' + woerter.join(u' ') + u' ';
}

QStringList Nadeln(const QList<QStringList>& anfrage) {
    QStringList nadeln;
    for (const QStringList& teil : anfrage)
        nadeln << u' ' + teil.join(u' ');
    return nadeln;
}

bool Passt(const QStringList& nadeln, const QString& suchtext) {
    if (nadeln.isEmpty()) return false;
    for (const QString& n : nadeln)
        if (!suchtext.contains(n)) return false;
    return true;
}

QList<QPair<int, int>> Fundstellen(const QString& text, const QList<QStringList>& anfrage) {
    // Word by word through the text, each compared in its normal form.
    QList<QPair<int, int>> stellen;
    qsizetype anfang = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool wort = i < text.size() && text[i].isLetterOrNumber();
        if (wort && anfang < 0) anfang = i;
        if (wort || anfang < 0) continue;
        const QString n = Normalform(text.mid(anfang, i - anfang));
        for (const QStringList& teil : anfrage)
            if (std::any_of(teil.begin(), teil.end(), [&](const QString& w) { return n.startsWith(w); })) {
                stellen.append({int(anfang), int(i - anfang)});
                break;
            }
        anfang = -1;
    }
    return stellen;
}

} // namespace suche

namespace {
constexpr quint32 kKennung = 0x50585331; // "PXS1"

QString DatumText(const QString& ordner) {
    return VerzeichnisDatumText(ordner);
}
} // namespace

TSuchIndex::TSuchIndex(const QString& grundpfad, const QString& cacheDatei, bool nurZahlJahre)
    : m_grundpfad(AddBackslash(grundpfad)), m_cacheDatei(cacheDatei), m_nurZahlJahre(nurZahlJahre) {}

QString TSuchIndex::CacheDateiFuer(const QString& grundpfad) {
    const QByteArray hash =
        QCryptographicHash::hash(KanonischerPfad(grundpfad).toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/Pixolud/suche-") + QString::fromLatin1(hash) + QStringLiteral(".idx");
}

QString TSuchIndex::Ordner(const Tag& t) const {
    return m_grundpfad + t.jahr + plattform::PfadTrenner + t.name + plattform::PfadTrenner;
}

int TSuchIndex::Bildtexte() const {
    int n = 0;
    for (const Tag& t : m_tage)
        n += int(t.eintraege.size());
    return n;
}

int TSuchIndex::Unlesbar() const {
    return int(std::count_if(m_tage.begin(), m_tage.end(), [](const Tag& t) { return t.unlesbar; }));
}

void TSuchIndex::TagLesen(Tag& t) const {
    const QString datei = AlbumDatei(Ordner(t));
    t.stand = DateiStand(datei);
    t.eintraege.clear();
    t.titel.clear();
    t.unlesbar = false;
    if (t.stand.isEmpty()) return; // no caption file: nothing to find
    text::Gelesen g;
    // Only read, never written: an unreadable or binary file is counted and skipped.
    if (!text::DateiLesen(datei, g) || g.inhalt.contains(QChar(0))) {
        t.unlesbar = true;
        return;
    }
    const TProfilDokument doc(g.inhalt);
    const auto texte = AlleBildtexte(doc, &t.titel);
    const QString titel = suche::Suchtext(suche::Woerter(t.titel));
    for (const auto& [bild, zeilen] : texte)
        t.eintraege.append({bild, zeilen, suche::Suchtext(suche::Woerter(zeilen.join(u'\n'))) + titel});
    // A day with a title but no captions is found by its title, at its first picture.
    if (t.eintraege.isEmpty() && !t.titel.isEmpty()) t.eintraege.append({{}, {}, titel});
}

void TSuchIndex::TagGeaendert(const QString& tagOrdner) {
    m_geaendert << tagOrdner;
}

bool TSuchIndex::CacheLesen() {
    if (m_cacheDatei.isEmpty()) return false;
    QFile f(m_cacheDatei);
    if (!f.open(QIODevice::ReadOnly)) return false;
    QDataStream ein(&f);
    ein.setVersion(QDataStream::Qt_6_4);
    quint32 kennung = 0;
    QString grundpfad;
    qint32 anzahl = 0;
    ein >> kennung >> grundpfad >> anzahl;
    // Someone else's, older or damaged: read the album afresh.
    if (kennung != kKennung || grundpfad != m_grundpfad || anzahl < 0 || ein.status() != QDataStream::Ok)
        return false;
    QVector<Tag> tage;
    tage.reserve(qMin(anzahl, 1 << 20));
    for (qint32 i = 0; i < anzahl && ein.status() == QDataStream::Ok; ++i) {
        Tag t;
        qint32 n = 0;
        ein >> t.jahr >> t.name >> t.stand >> t.unlesbar >> t.titel >> n;
        const QString titel = suche::Suchtext(suche::Woerter(t.titel));
        for (qint32 j = 0; j < n && ein.status() == QDataStream::Ok; ++j) {
            Eintrag e;
            ein >> e.bild >> e.zeilen;
            e.suchtext = suche::Suchtext(suche::Woerter(e.zeilen.join(u'\n'))) + titel;
            t.eintraege.append(std::move(e));
        }
        tage.append(std::move(t));
    }
    if (ein.status() != QDataStream::Ok) return false;
    m_tage = std::move(tage);
    return true;
}

void TSuchIndex::CacheSchreiben() const {
    if (m_cacheDatei.isEmpty()) return;
    QByteArray bytes;
    QDataStream aus(&bytes, QIODevice::WriteOnly);
    aus.setVersion(QDataStream::Qt_6_4);
    aus << kKennung << m_grundpfad << qint32(m_tage.size());
    for (const Tag& t : m_tage) {
        aus << t.jahr << t.name << t.stand << t.unlesbar << t.titel << qint32(t.eintraege.size());
        for (const Eintrag& e : t.eintraege)
            aus << e.bild << e.zeilen;
    }
    // Only a cache: a folder that cannot be made or written costs the next start time.
    QDir().mkpath(QFileInfo(m_cacheDatei).absolutePath());
    text::DateiSchreiben(m_cacheDatei, bytes);
}

void TSuchIndex::Aktualisieren() {
    bool geaendert = false;
    if (!m_geladen) {
        m_geladen = true;
        geaendert = !CacheLesen();
    }
    QHash<QString, int> alt;
    for (int i = 0; i < m_tage.size(); ++i)
        alt.insert((m_tage[i].jahr + u'/' + m_tage[i].name).toLower(), i);
    QVector<Tag> neu;
    QStringList jahre;
    VerzeichnisseToItems(m_grundpfad, jahre);
    FotoDateienSortieren(jahre);
    for (const QString& jahr : jahre) {
        if (m_nurZahlJahre && !(jahr.size() > 0 && std::all_of(jahr.begin(), jahr.end(), [](QChar c) {
                                    return c.unicode() >= '0' && c.unicode() <= '9';
                                })))
            continue;
        QStringList tage;
        VerzeichnisseToItems(m_grundpfad + jahr, tage);
        FotoDateienSortieren(tage);
        for (const QString& name : tage) {
            const auto bisher = alt.constFind((jahr + u'/' + name).toLower());
            Tag t;
            if (bisher != alt.cend()) t = std::move(m_tage[*bisher]);
            t.jahr = jahr;
            t.name = name;
            if (bisher == alt.cend() || DateiStand(AlbumDatei(Ordner(t))) != t.stand) {
                TagLesen(t);
                geaendert = true;
            }
            neu.append(std::move(t));
        }
    }
    geaendert = geaendert || neu.size() != m_tage.size();
    m_tage = std::move(neu);
    m_nachOrdner.clear();
    for (int i = 0; i < m_tage.size(); ++i)
        m_nachOrdner.insert((m_tage[i].jahr + u'/' + m_tage[i].name).toLower(), i);
    m_geaendert.clear();
    m_pruefen = false;
    if (geaendert) CacheSchreiben();
}

QList<TSuchTreffer> TSuchIndex::Suchen(const QString& text, int hoechstens) {
    if (m_pruefen || !m_geladen) Aktualisieren();
    if (!m_geaendert.isEmpty()) {
        for (const QString& ordner : std::as_const(m_geaendert)) {
            QDir d(ordner);
            const QString name = d.dirName();
            d.cdUp();
            const auto i = m_nachOrdner.constFind((d.dirName() + u'/' + name).toLower());
            if (i != m_nachOrdner.cend()) TagLesen(m_tage[*i]);
        }
        m_geaendert.clear();
        CacheSchreiben();
    }
    QList<TSuchTreffer> treffer;
    // Long or odd input is just words: no pattern syntax, at most a few hundred characters.
    const QList<QStringList> anfrage = suche::Anfrage(text.left(500));
    if (anfrage.isEmpty()) return treffer;
    const QStringList nadeln = suche::Nadeln(anfrage);
    for (const Tag& t : std::as_const(m_tage))
        for (const Eintrag& e : t.eintraege) {
            if (!suche::Passt(nadeln, e.suchtext)) continue;
            // A picture deleted since (in the trash, its caption kept) is no hit.
            if (!e.bild.isEmpty() && !QFileInfo::exists(Ordner(t) + e.bild) &&
                plattform::NameOhneGrossKlein(Ordner(t), e.bild).isEmpty())
                continue;
            TSuchTreffer h{t.jahr, t.name, e.bild, DatumText(Ordner(t)), t.titel, {}, {}};
            // The line that holds most of the words.
            int beste = -1;
            for (const QString& z : e.zeilen) {
                const auto m = suche::Fundstellen(z, anfrage);
                if (int(m.size()) > beste) {
                    beste = int(m.size());
                    h.zeile = z;
                    h.marken = m;
                }
            }
            treffer << h;
            if (treffer.size() >= hoechstens) return treffer;
        }
    return treffer;
}
