#pragma once
// The search over every title and caption of an album. The caption files are read into
// an index that lives in memory and, between runs, in the user's cache folder (never in
// the album: a CD is read-only, a shared album belongs to everyone; and only for the user:
// it holds every caption). It is only a cache: each day is checked against its caption
// file's identity, size and time and read again when it changed; the cache file may be
// deleted at any time. A time close to the moment the file was read proves nothing (file
// systems that count whole or even seconds), so such a day is read again at each search
// until its time lies safely in the past.
#include <QHash>
#include <QList>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

namespace suche {
// The form words are compared in: lower case, umlauts and their plain spellings alike
// ("Köln", "Koeln" and "koln" all become "koln"), ß as ss, every accent dropped ("Hà Nội"
// is "ha noi", precomposed or not), letters such as ø, ł, æ in their plain spelling.
QString Normalform(const QString& text);
// The words of a text in their normal form, in order.
QStringList Woerter(const QString& text);
// What was typed: each part one word, or a phrase in double quotes.
QList<QStringList> Anfrage(const QString& text);
// The words as one string to search in: " w1 w2 w3 ". Texts searched together are
// joined with two blanks between them, so no phrase runs from one into the next.
QString Suchtext(const QStringList& woerter);
// What Passt looks for in a search text, made once per query.
QStringList Nadeln(const QList<QStringList>& anfrage);
// True when every part occurs in `suchtext`: a word at the start of one of its words, a
// phrase as consecutive words (its last one again at the start of a word).
bool Passt(const QStringList& nadeln, const QString& suchtext);
inline bool Passt(const QList<QStringList>& anfrage, const QString& suchtext) {
    return Passt(Nadeln(anfrage), suchtext);
}
// Where the parts of the query stand in `text` (start and length of each word hit).
QList<QPair<int, int>> Fundstellen(const QString& text, const QList<QStringList>& anfrage);
} // namespace suche

struct TSuchTreffer {
    QString jahr, tag; // the keys of the year and day lists
    QString bild;      // the picture's file name; empty for a day found by its title only
    QString datum, titel;
    QString zeile;                 // the caption line that holds the words (the first line otherwise)
    QList<QPair<int, int>> marken; // the words found in `zeile`
};

class TSuchIndex {
public:
    // `cacheDatei` empty: no cache file (tests that want none).
    TSuchIndex(const QString& grundpfad, const QString& cacheDatei, bool nurZahlJahre = true);

    // The cache file of an album: ~/.cache/Pixolud/suche-<hash of the base folder>.idx.
    static QString CacheDateiFuer(const QString& grundpfad);
    // The day titles a cache file holds for the album, by year and day; none when it is not
    // this album's or cannot be read.
    static QHash<QPair<QString, QString>, QString> TitelImCache(const QString& cacheDatei,
                                                                const QString& grundpfad);

    // Brings the index up to date with the album: the cache file read on the first call,
    // then every day whose caption file changed read again, days gone dropped, new ones
    // added; the cache file rewritten when anything changed.
    void Aktualisieren();
    // The next search checks the whole album first (after an import, opening the window).
    void AllesPruefen() { m_pruefen = true; }
    // The next search reads every day again, whatever its file's time says (Ctrl+R).
    void AllesNeuLesen() { m_pruefen = m_neuLesen = true; }
    // The next search reads this day again (after a caption or title was written here).
    void TagGeaendert(const QString& tagOrdner);

    // The hits in album order, at most `hoechstens`; none for an empty search.
    QList<TSuchTreffer> Suchen(const QString& text, int hoechstens = 1000);
    // The hits as the index in memory knows them, without a single file-system call (the
    // cache file aside, read at the first call): a picture counts as there when the last
    // search that checked it found it, or when it was never checked.
    QList<TSuchTreffer> SuchenImSpeicher(const QString& text, int hoechstens = 1000);

    int Tage() const { return int(m_tage.size()); }
    int Bildtexte() const;
    // Days whose caption file could not be read (skipped, never rewritten).
    int Unlesbar() const;
    // Folder listings the searches made so far to find pictures whose name differs in case
    // or that are gone (each costs time on a big album).
    int Auflistungen() const { return m_auflistungen; }

private:
    struct Eintrag {
        QString bild;
        QStringList zeilen;
        QString suchtext; // of the caption and the day's title
        // The identity of the picture a caption was set aside for when it was deleted: a
        // hit only while that very picture is there (back from the trash); empty otherwise.
        QString kennung;
        bool operator==(const Eintrag& e) const {
            return bild == e.bild && zeilen == e.zeilen && kennung == e.kennung;
        }
    };
    struct Tag {
        QString jahr, name;
        QByteArray stand;      // DateiStand of the caption file
        bool unsicher = false; // its time was too close to the reading to vouch for it
        bool unlesbar = false;
        QString titel;
        QVector<Eintrag> eintraege;
    };
    QString Ordner(const Tag& t) const;
    void TagEinlesen(Tag& t) const;
    // Reads the day's caption file; true when anything the cache holds of it changed.
    bool TagLesen(Tag& t) const;
    bool BildDa(int tag, const QString& bild, QHash<int, QSet<QString>>& listen);
    // The hits, each checked by `da` before it counts.
    QList<TSuchTreffer> Treffer(const QString& text, int hoechstens,
                                const std::function<bool(int tag, const Eintrag& e)>& da) const;
    QString BildSchluessel(int tag, const Eintrag& e) const;
    bool CacheLesen();
    void CacheSchreiben() const;
    QString m_grundpfad, m_cacheDatei;
    bool m_nurZahlJahre;
    bool m_geladen = false, m_pruefen = true, m_neuLesen = false;
    int m_auflistungen = 0;
    QVector<Tag> m_tage;
    QHash<QString, int> m_nachOrdner; // lower-case "jahr/tag" -> index in m_tage
    QStringList m_geaendert;          // day folders to read again
    QHash<QString, bool> m_bildDa;    // what the checking searches found, by BildSchluessel
};
