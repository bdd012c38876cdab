#pragma once
// Replacing files without ever leaving a short one: a temporary file beside the
// target, written unbuffered to the last byte, renamed over the target only then.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QFileDevice;

// The temporary name beside a target: `ziel` + ".pixoluda-XXXXXX", the name shortened
// where the whole would be too long for the file system.
QString TempVorlage(const QString& ziel);
// True for such a name: what a write that was cut off may have left.
bool IstTempName(const QString& name);
// Removes what cut-off writes of `ziel` left beside it (after a successful write).
void ResteEntfernen(const QString& ziel);

// Flushes the folder of `datei` to the medium (after a rename in it).
bool OrdnerSichern(const QString& datei);

// Flushing a batch at once (an export of thousands of files): while one lives on this
// thread, DateiErsetzen and the atomic copy still write each file below its folders to a
// temporary and rename it only when complete, but leave the flushing to it. Abschliessen
// flushes the file system of each folder once (syncfs); a write error the system met on
// the way shows there. Files elsewhere are flushed one by one as always. The destructor
// flushes what is left.
class TSammelSicherung {
public:
    TSammelSicherung();
    ~TSammelSicherung();
    TSammelSicherung(const TSammelSicherung&) = delete;
    TSammelSicherung& operator=(const TSammelSicherung&) = delete;
    // Takes over the flushing of the files below `ordner` (which must exist).
    void Ordner(const QString& ordner);
    // True when a batch of this thread takes over the flushing of `datei`.
    static bool Uebernimmt(const QString& datei);
    // False with the system's reason when a file system could not be flushed.
    bool Abschliessen(QString* fehler = nullptr);

private:
    QList<int> m_fds;     // the folders, open from the start of the batch
    QStringList m_ordner; // their paths, with a final "/"
    TSammelSicherung* m_vorige;
};

// Writes every byte to a device opened with QIODevice::Unbuffered, going on after
// short writes, so a full disk ends in the system's error rather than a short file.
bool AllesSchreiben(QFileDevice& ziel, const char* daten, qint64 laenge);
// Replaces `pfad` atomically. False with the system's reason in `fehler` when any
// byte could not be written; the old file then stays as it was. `nochGueltig`, where
// given, is asked right before the rename: false leaves the old file as it is, too.
bool DateiErsetzen(const QString& pfad, const QByteArray& bytes, QString* fehler = nullptr,
                   const std::function<bool()>& nochGueltig = {});
