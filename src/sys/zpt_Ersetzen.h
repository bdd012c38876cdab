#pragma once
// Replacing files without ever leaving a short one: a temporary file beside the
// target, written unbuffered to the last byte, renamed over the target only then.
#include <QByteArray>
#include <QString>

class QFileDevice;

// Writes every byte to a device opened with QIODevice::Unbuffered, going on after
// short writes, so a full disk ends in the system's error rather than a short file.
bool AllesSchreiben(QFileDevice& ziel, const char* daten, qint64 laenge);
// Replaces `pfad` atomically. False with the system's reason in `fehler` when any
// byte could not be written; the old file then stays as it was.
bool DateiErsetzen(const QString& pfad, const QByteArray& bytes, QString* fehler = nullptr);
