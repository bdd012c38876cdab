#include "album/alb_Suche.h"

#include "album/alb_Loeschen.h"
#include "album/alb_ini.h"
#include "display/zpt_FotoListe.h"
#include "settings/zpt_ProfilDatei.h"
#include "sys/alb_Konflikt.h"
#include "sys/zpt_Plattform.h"
#include "sys/zpt_Regulaer.h"
#include "sys/zpt_Sperre.h"
#include "sys/zpt_Text.h"
#include "sys/zpt_sys.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace suche {

namespace {
// Letters without a decomposition, in the plain spelling one types for them.
QString Ersatz(QChar c) {
    switch (c.unicode()) {
    case u'ß':
        return QStringLiteral("ss");
    case u'æ':
        return QStringLiteral("ae");
    case u'œ':
        return QStringLiteral("oe");
    case u'þ':
        return QStringLiteral("th");
    case u'ø':
        return QStringLiteral("o");
    case u'ł':
        return QStringLiteral("l");
    case u'đ':
    case u'ð':
        return QStringLiteral("d");
    case u'ħ':
        return QStringLiteral("h");
    case u'ı':
        return QStringLiteral("i");
    case u'ŧ':
        return QStringLiteral("t");
    case u'ς': // a Greek word's last sigma; upper case has one sigma only
        return QStringLiteral("σ");
    default:
        return {};
    }
}

// The two-letter forms of the umlauts fold into the plain letter (ae, oe, ue into a, o,
// u), so all three spellings of "Köln" meet. `zerlegt` is lower case, decomposed and
// without its accents: a precomposed "ö" and an "o" with a combining diaeresis (as some
// systems write it) arrive here as the same "o" and go the same way.
QString Falten(const QString& zerlegt) {
    QString s;
    s.reserve(zerlegt.size());
    for (qsizetype i = 0; i < zerlegt.size(); ++i) {
        const QChar c = zerlegt[i];
        const QChar n = i + 1 < zerlegt.size() ? zerlegt[i + 1] : QChar();
        if ((c == u'a' || c == u'o' || c == u'u') && n == u'e') {
            s += c; // "ae" is "ä" is "a"
            ++i;
        } else {
            s += c;
        }
    }
    return s;
}

bool NurAscii(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}
} // namespace

QString Normalform(const QString& text) {
    if (NurAscii(text)) return Falten(text.toLower()); // the same under any normalisation
    // Compatibility forms too (ligatures, full-width letters), then lower case, which can
    // bring marks of its own ("İ").
    const QString klein = text.normalized(QString::NormalizationForm_KD).toLower();
    QString zerlegt;
    zerlegt.reserve(klein.size());
    for (const QChar c : klein) {
        if (c.isMark()) continue; // every accent, however many a letter carries
        const QString e = Ersatz(c);
        if (e.isEmpty())
            zerlegt += c;
        else
            zerlegt += e;
    }
    return Falten(zerlegt);
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
        // A combining accent belongs to its letter ("Ko\u0308ln" is one word).
        const bool wort =
            i < text.size() && (text[i].isLetterOrNumber() || (anfang >= 0 && text[i].isMark()));
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
constexpr quint32 kKennung = 0x50585333; // "PXS3"
// How close to the moment of reading a file's time must not be to vouch for its content:
// FAT counts in steps of two seconds, many file systems in whole seconds, and a file
// server's clock is a little off.
constexpr qint64 kUnsicherMs = 5000;

QString DatumText(const QString& ordner) {
    return VerzeichnisDatumText(ordner);
}

// Makes the folders of `ordner` that are missing, for the user only.
void OrdnerAnlegen(const QString& ordner) {
    const QFileInfo fi(ordner);
    if (fi.exists() || fi.isRoot() || fi.isSymLink()) return;
    const QString oben = fi.absolutePath();
    if (oben != fi.absoluteFilePath()) OrdnerAnlegen(oben);
    QDir().mkdir(fi.absoluteFilePath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The cache holds every caption of the album: its folder and file are the user's alone,
// also where an earlier version made them readable to all (a rewritten file keeps the
// old one's permissions, so those are narrowed first).
void NurFuerMich(const QString& cacheDatei) {
    const QString ordner = QFileInfo(cacheDatei).absolutePath();
    OrdnerAnlegen(ordner);
    QFile::setPermissions(ordner, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (QFileInfo(cacheDatei).isFile())
        QFile::setPermissions(cacheDatei, QFile::ReadOwner | QFile::WriteOwner);
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

void TSuchIndex::TagEinlesen(Tag& t) const {
    const QString datei = AlbumDatei(Ordner(t));
    t.stand = DateiStand(datei);
    t.eintraege.clear();
    t.titel.clear();
    t.unlesbar = false;
    // No caption file: nothing to find. A link that leads nowhere (dangling, a loop) is
    // one that cannot be read.
    if (t.stand.isEmpty() && !regulaer::IstVerweis(datei)) return;
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
    for (const TBeiseitegelegt& b : BeiseitegelegteBildtexte(doc))
        t.eintraege.append({b.dateiname, b.zeilen,
                            suche::Suchtext(suche::Woerter(b.zeilen.join(u'\n'))) + titel, b.kennung});
    // A day with a title but no captions is found by its title, at its first picture.
    if (t.eintraege.isEmpty() && !t.titel.isEmpty()) t.eintraege.append({{}, {}, titel});
}

bool TSuchIndex::TagLesen(Tag& t) const {
    const Tag vorher = t;
    const qint64 jetzt = QDateTime::currentMSecsSinceEpoch();
    TagEinlesen(t);
    // Asked after the identity: a change in between makes the time later, never earlier.
    const QDateTime zeit = QFileInfo(AlbumDatei(Ordner(t))).lastModified();
    t.unsicher = !t.stand.isEmpty() && (!zeit.isValid() || zeit.toMSecsSinceEpoch() > jetzt - kUnsicherMs);
    return t.stand != vorher.stand || t.unsicher != vorher.unsicher || t.unlesbar != vorher.unlesbar ||
           t.titel != vorher.titel || t.eintraege != vorher.eintraege;
}

void TSuchIndex::TagGeaendert(const QString& tagOrdner) {
    m_geaendert << tagOrdner;
}

bool TSuchIndex::CacheLesen() {
    // A cache that is no regular file (a pipe would block) is no cache.
    if (m_cacheDatei.isEmpty() || !QFileInfo(m_cacheDatei).isFile()) return false;
    QFile f(m_cacheDatei);
    if (!f.open(QIODevice::ReadOnly)) return false;
    NurFuerMich(m_cacheDatei);
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
        ein >> t.jahr >> t.name >> t.stand >> t.unsicher >> t.unlesbar >> t.titel >> n;
        const QString titel = suche::Suchtext(suche::Woerter(t.titel));
        for (qint32 j = 0; j < n && ein.status() == QDataStream::Ok; ++j) {
            Eintrag e;
            ein >> e.bild >> e.zeilen >> e.kennung;
            e.suchtext = suche::Suchtext(suche::Woerter(e.zeilen.join(u'\n'))) + titel;
            t.eintraege.append(std::move(e));
        }
        tage.append(std::move(t));
    }
    if (ein.status() != QDataStream::Ok) return false;
    m_tage = std::move(tage);
    return true;
}

QHash<QPair<QString, QString>, QString> TSuchIndex::TitelImCache(const QString& cacheDatei,
                                                                 const QString& grundpfad) {
    QHash<QPair<QString, QString>, QString> titel;
    if (cacheDatei.isEmpty() || !QFileInfo(cacheDatei).isFile()) return titel;
    QFile f(cacheDatei);
    if (!f.open(QIODevice::ReadOnly)) return titel;
    QDataStream ein(&f);
    ein.setVersion(QDataStream::Qt_6_4);
    quint32 kennung = 0;
    QString pfad;
    qint32 anzahl = 0;
    ein >> kennung >> pfad >> anzahl;
    if (kennung != kKennung || pfad != AddBackslash(grundpfad) || anzahl < 0) return titel;
    for (qint32 i = 0; i < anzahl && ein.status() == QDataStream::Ok; ++i) {
        Tag t;
        qint32 n = 0;
        ein >> t.jahr >> t.name >> t.stand >> t.unsicher >> t.unlesbar >> t.titel >> n;
        Eintrag e;
        for (qint32 j = 0; j < n && ein.status() == QDataStream::Ok; ++j)
            ein >> e.bild >> e.zeilen >> e.kennung;
        if (ein.status() == QDataStream::Ok) titel.insert({t.jahr, t.name}, t.titel);
    }
    return titel;
}

void TSuchIndex::CacheSchreiben() const {
    if (m_cacheDatei.isEmpty()) return;
    QByteArray bytes;
    QDataStream aus(&bytes, QIODevice::WriteOnly);
    aus.setVersion(QDataStream::Qt_6_4);
    aus << kKennung << m_grundpfad << qint32(m_tage.size());
    for (const Tag& t : m_tage) {
        aus << t.jahr << t.name << t.stand << t.unsicher << t.unlesbar << t.titel
            << qint32(t.eintraege.size());
        for (const Eintrag& e : t.eintraege)
            aus << e.bild << e.zeilen << e.kennung;
    }
    // Only a cache: a folder that cannot be made or written costs the next start time.
    NurFuerMich(m_cacheDatei);
    if (text::DateiSchreiben(m_cacheDatei, bytes)) NurFuerMich(m_cacheDatei);
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
            if (bisher == alt.cend()) {
                TagLesen(t);
                geaendert = true;
            } else if (m_neuLesen || t.unsicher || DateiStand(AlbumDatei(Ordner(t))) != t.stand) {
                geaendert = TagLesen(t) || geaendert;
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
    m_pruefen = m_neuLesen = false;
    if (geaendert) CacheSchreiben();
}

bool TSuchIndex::BildDa(int tag, const QString& bild, QHash<int, QSet<QString>>& listen) {
    // A name with a path in it (a hand-edited file) names no picture of this day.
    // Nor does a sync program's conflict copy or temporary: the day never lists it.
    if (bild.contains(u'/') || bild.contains(plattform::PfadTrenner) || IstSyncDatei(bild)) return false;
    const auto liste = listen.constFind(tag);
    if (liste != listen.cend()) return liste->contains(bild.toCaseFolded());
    const QString ordner = Ordner(m_tage[tag]);
    if (QFileInfo::exists(ordner + bild)) return true;
    // Gone, or named in another case: one listing of the folder answers for every other
    // hit of the day in this search.
    ++m_auflistungen;
    QSet<QString> namen;
    const QStringList eintraege = QDir(ordner).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QString& e : eintraege)
        namen.insert(e.toCaseFolded());
    return listen.insert(tag, namen)->contains(bild.toCaseFolded());
}

QList<TSuchTreffer> TSuchIndex::Suchen(const QString& text, int hoechstens) {
    if (m_pruefen || !m_geladen) Aktualisieren();
    bool geaendert = false;
    for (const QString& ordner : std::as_const(m_geaendert)) {
        QDir d(ordner);
        const QString name = d.dirName();
        d.cdUp();
        const auto i = m_nachOrdner.constFind((d.dirName() + u'/' + name).toLower());
        if (i != m_nachOrdner.cend()) geaendert = TagLesen(m_tage[*i]) || geaendert;
    }
    m_geaendert.clear();
    // Days read too soon after their last change: the file's time cannot tell a later
    // change of the same size, so they are read again until it can.
    for (Tag& t : m_tage)
        if (t.unsicher) geaendert = TagLesen(t) || geaendert;
    if (geaendert) CacheSchreiben();
    QHash<int, QSet<QString>> listen; // folders listed in this search, by day
    return Treffer(text, hoechstens, [&](int i, const Eintrag& e) {
        const Tag& t = m_tage[i];
        // A picture deleted since (in the trash, its caption kept) is no hit.
        const bool da = (e.bild.isEmpty() || BildDa(i, e.bild, listen)) &&
                        (e.kennung.isEmpty() || IstBildMitKennung(Ordner(t) + e.bild, e.kennung));
        m_bildDa.insert(BildSchluessel(i, e), da);
        return da;
    });
}

QList<TSuchTreffer> TSuchIndex::SuchenImSpeicher(const QString& text, int hoechstens) {
    if (!m_geladen) {
        m_geladen = true;
        CacheLesen(); // the user's own cache folder; the album is checked by Suchen
        m_nachOrdner.clear();
        for (int i = 0; i < m_tage.size(); ++i)
            m_nachOrdner.insert((m_tage[i].jahr + u'/' + m_tage[i].name).toLower(), i);
    }
    return Treffer(text, hoechstens, [&](int i, const Eintrag& e) {
        const auto da = m_bildDa.constFind(BildSchluessel(i, e));
        // A set-aside caption counts only for the very picture, known to be there.
        if (da == m_bildDa.cend()) return e.kennung.isEmpty();
        return *da;
    });
}

QString TSuchIndex::BildSchluessel(int tag, const Eintrag& e) const {
    const Tag& t = m_tage[tag];
    return (t.jahr + u'/' + t.name + u'/' + e.bild + u'/' + e.kennung).toCaseFolded();
}

QList<TSuchTreffer> TSuchIndex::Treffer(const QString& text, int hoechstens,
                                        const std::function<bool(int, const Eintrag&)>& da) const {
    QList<TSuchTreffer> treffer;
    // Long or odd input is just words: no pattern syntax, at most a few hundred characters.
    const QList<QStringList> anfrage = suche::Anfrage(text.left(500));
    if (anfrage.isEmpty()) return treffer;
    const QStringList nadeln = suche::Nadeln(anfrage);
    for (int i = 0; i < m_tage.size(); ++i) {
        const Tag& t = m_tage[i];
        for (const Eintrag& e : t.eintraege) {
            if (!suche::Passt(nadeln, e.suchtext)) continue;
            if (!da(i, e)) continue;
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
    }
    return treffer;
}
