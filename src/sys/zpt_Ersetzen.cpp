#include "sys/zpt_Ersetzen.h"

#include <QSaveFile>

bool AllesSchreiben(QFileDevice& ziel, const char* daten, qint64 laenge) {
    while (laenge > 0) {
        // A short write is no error by itself; the next one names the reason.
        const qint64 n = ziel.write(daten, laenge);
        if (n <= 0) return false;
        daten += n;
        laenge -= n;
    }
    return true;
}

bool DateiErsetzen(const QString& pfad, const QByteArray& bytes, QString* fehler) {
    // Unbuffered: a buffered QSaveFile reports a failed final flush as a successful
    // commit and renames a short file over the old one.
    QSaveFile f(pfad);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        !AllesSchreiben(f, bytes.constData(), bytes.size())) {
        if (fehler) *fehler = f.errorString();
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        if (fehler) *fehler = f.errorString();
        return false;
    }
    return true;
}
