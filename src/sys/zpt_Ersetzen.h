#pragma once
// Replacing files without ever leaving a short one: a temporary file beside the
// target, written unbuffered to the last byte, renamed over the target only then.
#include <QByteArray>
#include <QString>

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

// Writes every byte to a device opened with QIODevice::Unbuffered, going on after
// short writes, so a full disk ends in the system's error rather than a short file.
bool AllesSchreiben(QFileDevice& ziel, const char* daten, qint64 laenge);
// Replaces `pfad` atomically. False with the system's reason in `fehler` when any
// byte could not be written; the old file then stays as it was. `nochGueltig`, where
// given, is asked right before the rename: false leaves the old file as it is, too.
bool DateiErsetzen(const QString& pfad, const QByteArray& bytes, QString* fehler = nullptr,
                   const std::function<bool()>& nochGueltig = {});
