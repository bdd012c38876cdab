#pragma once
// An INI file held wholly in memory: read once, answered from memory, written back
// in one pass when flushed (on destruction, on a new file name, or on request).
// Used for the album index "Pixolud.dat". Another program may write the same file:
// a flush locks it and, when it changed since it was read, applies this instance's
// changes to the file as it is now.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVector>
#include <memory>

class TBigIniFile {
public:
    explicit TBigIniFile(const QString& dateiName = {});
    // Flushes; a write error here is lost, so writers call FlushFile themselves.
    ~TBigIniFile();
    TBigIniFile(const TBigIniFile&) = delete;
    TBigIniFile& operator=(const TBigIniFile&) = delete;

    QString FileName() const { return m_dateiName; }
    // Flushes the old file, clears, and loads the new one.
    void setFileName(const QString& name);
    bool HasChanged() const { return m_geaendert; }

    // Options, all off unless a caller turns them on.
    bool ClearOnReadSectionValues = false;
    bool DropCommentLines = false;
    bool DropLinesWithoutEquals = false;
    bool DropWhiteSpace = false;
    bool DropQuotes = false;
    bool TrimRight = false;
    int TextBufferSize = 28672;

    void LoadFile(const QString& pfad);
    void Clear();
    void DeleteKey(const QString& sektion, const QString& schluessel);
    void EraseSection(const QString& sektion);
    // Writes the file when changed; throws EFehler on failure (HasChanged stays set).
    void FlushFile();
    bool SectionExists(const QString& sektion) const;
    QString ReadAnsiString(const QString& s, const QString& k, const QString& vorgabe) const {
        return ReadString(s, k, vorgabe);
    }
    void ReadAll(QStringList& ziel) const;
    bool ReadBool(const QString& s, const QString& k, bool vorgabe) const;
    QDate ReadDate(const QString& s, const QString& k, const QDate& vorgabe) const;
    QDateTime ReadDateTime(const QString& s, const QString& k, const QDateTime& vorgabe) const;
    double ReadFloat(const QString& s, const QString& k, double vorgabe) const;
    int ReadInteger(const QString& s, const QString& k, int vorgabe) const;
    void ReadSection(const QString& sektion, QStringList& ziel) const;
    void ReadSections(QStringList& ziel) const;
    void ReadSectionValues(const QString& sektion, QStringList& ziel) const;
    QString ReadString(const QString& sektion, const QString& schluessel, const QString& vorgabe) const;
    QTime ReadTime(const QString& s, const QString& k, const QTime& vorgabe) const;
    bool HasSection(const QString& sektion) const { return SectionExists(sektion); }
    void UpdateFile() { FlushFile(); }
    bool ValueExists(const QString& sektion, const QString& schluessel) const;
    void WriteAnsiString(const QString& s, const QString& k, const QString& w) { WriteString(s, k, w); }
    void WriteBool(const QString& s, const QString& k, bool w);
    void WriteDate(const QString& s, const QString& k, const QDate& w);
    void WriteDateTime(const QString& s, const QString& k, const QDateTime& w);
    void WriteFloat(const QString& s, const QString& k, double w);
    void WriteInteger(const QString& s, const QString& k, int w);
    void WriteString(const QString& sektion, const QString& schluessel, const QString& wert);
    void WriteTime(const QString& s, const QString& k, const QTime& w);

private:
    struct Sektion {
        QString name;
        QStringList zeilen;
    };
    // Engine lookup: from the last hit forward, wrapping round.
    int SektionSuchen(const QString& name) const;
    int SektionSuchenOderAnlegen(const QString& name);
    // The section list's own lookup (its own last-hit cache).
    int ListeSuchen(const QString& name) const;
    static int ZeileSuchen(const QStringList& zeilen, const QString& schluessel);
    void DoppelteEntfernen();
    QString Bild() const;
    // The file read again, this instance's changes made once more.
    void Nachladen();
    // Where locks fail: whether this instance's changes are still in the file a moment
    // after its `versuch`-th write (`dauerMs`: how long the write took).
    bool NochDa(qint64 dauerMs, int versuch) const;

    struct Aenderung {
        enum Art { Schreiben, Loeschen, SektionLoeschen } art;
        QString sektion, schluessel, wert;
    };
    void Anwenden(const QVector<Aenderung>& aenderungen);
    QVector<Aenderung> m_aenderungen; // since the file was read or written
    QByteArray m_stand;               // DateiStand when it was read or written
    qint64 m_ladedauerMs = 0;         // how long reading it took, for the check without locks
    size_t m_inhaltHash = 0;          // of the text last read, for the same

    QString m_dateiName;
    mutable int m_vorige = 0;      // the engine's previous-section index
    mutable int m_listeVorige = 0; // the section list's previous-found index
    bool m_geaendert = false;
    QVector<Sektion> m_sektionen;
    bool m_utf8 = false;     // the file was UTF-8 with non-ASCII text
    bool m_keinText = false; // the file held binary bytes: never rewritten
};

// Integer as the engine reads it: decimal with optional sign, "$" or "0x" hexadecimal.
bool BigIniZahl(const QString& text, int& zahl);
