#pragma once
// Exclusive locks for the files that several programs write (caption files, settings,
// burn lists, album index): another instance of the program, or another machine on a
// shared album folder, may write the same file at the same moment. A writer locks the
// file, reads it as it is now, changes its own entries, replaces it and unlocks.
#include <QString>

class TDateiSperre {
public:
    // Locks `pfad` (made as an empty file when missing), waiting for another writer at
    // most the wait time. After the lock, the path is checked to still name the locked
    // file: a writer that renamed a new file over it meanwhile means locking that one.
    explicit TDateiSperre(const QString& pfad);
    ~TDateiSperre();
    TDateiSperre(const TDateiSperre&) = delete;
    TDateiSperre& operator=(const TDateiSperre&) = delete;

    // False only when another writer held the file for the whole wait time. A file that
    // cannot be opened for writing, or a file system without locks, gives true: the write
    // itself then fails or goes ahead as it did without locks.
    bool Erhalten() const { return m_erhalten; }
    // True when the file system refused the lock call itself (a network mount without
    // locks): the writer then has to check its write by reading it back.
    bool OhneSperre() const { return m_ohneSperre; }

    // The longest wait for another writer, in milliseconds (a few seconds by default).
    static void WartezeitSetzen(int ms);

private:
    int m_fd = -1;
    bool m_erhalten = true;
    bool m_ohneSperre = false;
};

// The message for a file another writer keeps locked.
QString SperrMeldung(const QString& pfad);
// The message for a write that another writer's replace took away again and again, on a
// file system without locks.
QString UeberschriebenMeldung(const QString& pfad);
// Where locks fail, a writer reads its write back and makes it again when another
// writer's replace took it away, this often at most.
inline constexpr int kNachpruefVersuche = 12;
// Waits before that reading back: a writer that read the file before this write (which
// took `dauerMs`) has replaced it by then; a random while more, growing with `versuch`,
// keeps writers that took each other's writes away from meeting again.
void NachpruefenWarten(qint64 dauerMs, int versuch);
// SperrMeldung of the last lock of this thread that was not had; empty after one was.
QString LetzteSperrMeldung();
// The same on a line of its own, to follow a failure message; empty when no lock failed.
QString SperrZusatz();
// Why a shared file was refused although its lock was had (a link out of its folder, a
// pipe, a file too large): told by LetzteSperrMeldung and SperrZusatz as well.
void DateiProblemMerken(const QString& meldung);

// Locks an open temporary file of ours, so the leftover cleanup of another writer
// leaves it alone; false when the path no longer names it (then make a new one).
bool TempSperren(int fd, const QString& pfad);
// True when nobody holds the temporary file `pfad`: a writer's lock, or failing locks
// on this file system, its age tells. Removes it then (under the lock).
bool TempEntfernenWennVerlassen(const QString& pfad);

// Test switch: PIXOLUDA_OHNE_SPERRE=1 turns every lock off (the concurrency tool's
// check must then find lost entries).
bool SperrenAbgeschaltet();
// Test switch: PIXOLUDA_SPERRE_ENOLCK=1 makes every lock call fail with ENOLCK, as on a
// file system without locks; the writers must then keep their entries by checking.
bool SperrenScheitern();

// What tells whether a file was replaced or changed since it was read: its identity,
// size and modification time; empty when it is missing.
QByteArray DateiStand(const QString& pfad);
