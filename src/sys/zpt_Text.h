#pragma once
// Text files of the album (captions, settings, index, lists) are read as UTF-8 when
// they are valid UTF-8, otherwise as Windows-1252, and written in Windows-1252 when
// every character fits, otherwise in UTF-8. A file that already is UTF-8 with
// non-ASCII text stays UTF-8, so its untouched bytes stay as they were.
#include "sys/zpt_Regulaer.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace text {

struct Gelesen {
    QString inhalt;
    bool utf8 = false;                        // valid UTF-8 holding at least one non-ASCII character
    bool bom = false;                         // started with a UTF-8 byte order mark
    enum Utf16 { Nein, Le, Be } utf16 = Nein; // UTF-16 with its byte order mark
};

Gelesen Dekodieren(const QByteArray& bytes);
// True when NUL characters stand between the text: a picture or other binary file, not
// one of our text files. Zeros only at the end (left by a crash on some file systems) do
// not count.
bool KeinText(const QString& inhalt);
// Without blanks and control characters at both ends.
QString Bereinigt(const QString& s);
QString Cp1252Dekodieren(const QByteArray& bytes);
// True when every character has a Windows-1252 byte.
bool PasstInCp1252(const QString& s);
QByteArray Cp1252Kodieren(const QString& s);
// Encoding for writing `s` back to a file read as `vorher` (UTF-16 stays UTF-16).
QByteArray Kodieren(const QString& s, const Gelesen& vorher = {});
// Encoding of a burn list, whose lines are file names that must come back unchanged:
// Windows-1252 when every character fits and the bytes read back as the same text
// (not when they would pass for UTF-8), otherwise UTF-8 with a byte order mark.
QByteArray ListeKodieren(const QString& s);

// Reads the whole file when it is a regular file of a sensible size, through a link only
// as far as `verweise` allows; the German reason in `fehler` when it is Unlesbar.
regulaer::Lesestand Einlesen(const QString& pfad, Gelesen& ergebnis,
                             regulaer::Verweise verweise = regulaer::Verweise::ImOrdner,
                             QString* fehler = nullptr);
// The same for a file that must be read when it is there: false when it is missing, an
// EFehler with the reason when it is there but unreadable.
bool EinlesenOderFehler(const QString& pfad, Gelesen& ergebnis);
// The same; false when it cannot be read (a missing file included).
bool DateiLesen(const QString& pfad, Gelesen& ergebnis);
// True when the file exists and carries no write permission at all.
bool IstSchreibgeschuetzt(const QString& pfad);
// Replaces the file atomically (temporary file in the same folder, then rename). A
// symbolic link is never replaced by a copy: pass its target (regulaer::Ziel).
// `nochGueltig` as DateiErsetzen takes it.
bool DateiSchreiben(const QString& pfad, const QByteArray& bytes, QString* fehler = nullptr,
                    const std::function<bool()>& nochGueltig = {});

} // namespace text
