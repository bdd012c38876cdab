#pragma once
// INI text files as the settings file and ALBUM.DAT use them: case-insensitive
// section and key names, blanks and one pair of enclosing quotes removed on reading,
// values cut at 2047 characters, new keys appended after the last key of their
// section, new sections at the end, every untouched byte kept, writes in the file
// when the call returns (replacing it atomically).
#include "sys/zpt_Regulaer.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <utility>

class TProfilDokument {
public:
    TProfilDokument() = default;
    explicit TProfilDokument(const QString& inhalt);

    QString Text() const;

    QString LeseString(const QString& sektion, const QString& schluessel, const QString& vorgabe = {}) const;
    bool SchluesselVorhanden(const QString& sektion, const QString& schluessel) const;
    bool SektionVorhanden(const QString& sektion) const;
    QStringList Sektionen() const;
    // Keys of the section in file order (the first of duplicates only).
    QStringList Schluessel(const QString& sektion) const;
    // Key/value pairs of the section in file order, values read as LeseString does.
    QVector<std::pair<QString, QString>> Werte(const QString& sektion) const;

    void SchreibeString(const QString& sektion, const QString& schluessel, const QString& wert);
    // Removes every copy of the key in the section.
    void LoescheSchluessel(const QString& sektion, const QString& schluessel);
    void LoescheSektion(const QString& sektion);
    // Appends a new section with these keys at the end (the section must not exist).
    void SektionAnhaengen(const QString& sektion, const QVector<std::pair<QString, QString>>& werte);
    // Removes the copies of the section that follow its first one.
    void WeitereSektionenLoeschen(const QString& sektion);

    static constexpr int kMaxWertLaenge = 2047;

private:
    struct Zeile {
        QString text;
        QString ende; // "\r\n", "\r", "\n" or empty for a last line without break
    };
    // Index of the header line of the first matching section, -1 when missing.
    int SektionsKopf(const QString& sektion) const;
    // One past the last line of the section whose header is at `kopf`.
    int SektionsEnde(int kopf) const;
    int SchluesselZeile(int kopf, const QString& schluessel) const;

    QVector<Zeile> m_zeilen;
};

class TProfilDatei {
public:
    // A caption file that is a symbolic link is used only where it points to a regular
    // file in its own folder; a settings file (regulaer::Verweise::Folgen) wherever it points.
    // Either way the link stays: writes go to its target.
    explicit TProfilDatei(const QString& pfad, regulaer::Verweise verweise = regulaer::Verweise::ImOrdner)
        : m_pfad(pfad), m_verweise(verweise) {}
    const QString& Pfad() const { return m_pfad; }

    QString LeseString(const QString& sektion, const QString& schluessel, const QString& vorgabe = {}) const;
    bool SektionVorhanden(const QString& sektion) const;
    QStringList Schluessel(const QString& sektion) const;
    QVector<std::pair<QString, QString>> Werte(const QString& sektion) const;
    // The file's content as a document (empty when missing or unreadable).
    TProfilDokument Lesen() const;

    // Each write changes the file at once; false when the file cannot be written, or
    // exists but cannot be read (the old file then stays as it was).
    bool SchreibeString(const QString& sektion, const QString& schluessel, const QString& wert);
    bool LoescheSchluessel(const QString& sektion, const QString& schluessel);
    bool LoescheSektion(const QString& sektion);
    // Several changes in one write: under the file's lock, on the file as it is now, so
    // the entries another program wrote meanwhile stay. The change must give the same
    // file when made twice (it is made again where a file system without locks let
    // another writer's replace take it away). False also when another writer holds the
    // file too long, or the file is refused (LetzteSperrMeldung tells then).
    bool Aendern(const std::function<void(TProfilDokument&)>& aenderung);

private:
    QString m_pfad;
    regulaer::Verweise m_verweise;
};
