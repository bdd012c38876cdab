#pragma once
// The burn list without the screen: the chosen pictures as entries relative to the
// base folder (full paths outside it), unique without regard to case, sorted, and
// the text file they are kept in.
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

class TBrennliste {
public:
    // The base folder, ending with the separator.
    QString Grundpfad;

    const QStringList& Eintraege() const { return m_eintraege; }
    int Anzahl() const { return int(m_eintraege.size()); }

    // The entry naming this picture: the rest after the base folder (compared without
    // regard to case), else the full path.
    QString EintragVon(const QString& pfad) const;
    // The picture an entry names.
    QString PfadVon(const QString& eintrag) const;
    // Index of the entry, found without regard to case; -1 when missing.
    int Index(const QString& eintrag) const;
    // Adds the entry at its sorted place unless present; returns its index either way
    // and in `neu` whether it was added.
    int Hinzufuegen(const QString& eintrag, bool* neu = nullptr);
    // Removes the entries at these indexes (from the last to the first).
    void Entfernen(QList<int> indexe);
    void Leeren();
    // The list; with `datei`, as read from that file: what is added or removed from here
    // on is what this instance changed there.
    void Setzen(const QStringList& eintraege, const QString& datei = {});

    // The entries of a burn list file: lines without blanks at their ends, empty ones
    // skipped, "\" and "/" both read as separators, except where the name with its "\"
    // names a file below `grundpfad` (a Linux name may hold one). A missing file is an
    // empty list; one that cannot be read, or is no text (NUL bytes), throws EFehler.
    static QStringList DateiLesen(const QString& datei, const QString& grundpfad = {});
    // Writes the sorted entries, one a line, with the platform's separator; the old file
    // is replaced only by a complete new one. Another program may have changed the file
    // the list was read from meanwhile: under the file's lock, the entries this instance
    // added or removed are applied to the file as it is now, and the list becomes that. Throws EFehler when
    // it cannot be read or written.
    void Speichern(const QString& datei);

    // The conflict copies a sync program left beside the list file `datei`
    // (NAME.sync-conflict-….EXT, NAME (conflicted copy …).EXT, NAME_conflict-….EXT) merged
    // into it against the list as this computer last read or wrote it (kept in the cache
    // folder): every entry added on either side stays, an entry removed on one side goes
    // where the base shows it was there. Written under the file's lock; each copy goes
    // into the trash only after that. Never throws.
    struct TAbgleich {
        int kopien = 0;       // conflict copies found
        int hinzu = 0;        // entries taken from the copies
        int entfernt = 0;     // entries removed because a copy removed them
        int imPapierkorb = 0; // copies merged and put into the trash
        QStringList unlesbar; // copies that cannot be read: left where they are
        QStringList fehler;
    };
    static TAbgleich KonfliktkopienAbgleichen(const QString& datei, const QString& grundpfad = {});
    // The list as this computer last read or wrote the file (nothing when not known).
    static std::optional<QStringList> ListenBasis(const QString& datei);

private:
    // Setzen without recording the base.
    void Uebernehmen(const QStringList& eintraege, const QString& datei);
    void Merken(const QString& eintrag, bool hinzu);
    // Where locks fail: whether this instance's changes are still in the file a moment
    // after its `versuch`-th save (`dauerMs`: how long the save took).
    bool NochDa(const QString& datei, qint64 dauerMs, int versuch) const;
    QStringList m_eintraege;
    QString m_datei; // the file the list was read from or last written to
    // Changes since Setzen or Speichern, by lower-case entry: true added, false removed.
    QHash<QString, std::pair<QString, bool>> m_aenderungen;
};
