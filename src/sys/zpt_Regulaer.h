#pragma once
// The shared text files (captions, settings, album index, burn lists) are read only
// where they are what their name says: a regular file of a sensible size. A pipe, a
// device or a folder in their place would block the reader or feed it without end; a
// symbolic link may point anywhere, and its target's content must not be copied into
// the album. Every reader of such a file goes through here.
#include <QByteArray>
#include <QString>

namespace regulaer {

// How far a symbolic link in place of the file is followed.
enum class Verweise {
    ImOrdner, // to a regular file in the link's own folder only (files of the album)
    Folgen,   // to its target wherever it is (a settings file kept by a dotfile manager)
};

// A caption file this large holds tens of thousands of captions; anything larger is no
// file of ours and is reported instead of read.
inline constexpr qint64 kGroesteTextdatei = qint64(8) << 20;

// The file that reads and writes of `pfad` go to: `pfad` itself, or where it is a
// symbolic link, its target as far as `verweise` allows (the target then has no link
// left in its path). Empty with the German reason in `fehler` when refused.
QString Ziel(const QString& pfad, Verweise verweise, QString* fehler = nullptr);

enum class Lesestand { Gelesen, Fehlt, Unlesbar };
// Reads `pfad` when it is a regular file of at most `grenze` bytes; a final link is not
// followed (resolve it with Ziel first), a pipe or device never blocks the call. The
// German reason in `fehler` when it is Unlesbar.
Lesestand Lesen(const QString& pfad, QByteArray& bytes, QString* fehler = nullptr,
                qint64 grenze = kGroesteTextdatei);

// True when `pfad` itself is a symbolic link (dangling or not).
bool IstVerweis(const QString& pfad);

} // namespace regulaer
