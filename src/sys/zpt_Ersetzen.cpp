#include "sys/zpt_Ersetzen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
const QString kMuster = QStringLiteral(".pixoluda-");

bool Umbenennen(const QString& von, const QString& nach) {
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(von).utf16()),
                       reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(nach).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(QFile::encodeName(von).constData(), QFile::encodeName(nach).constData()) == 0;
#endif
}

bool Sichern(QFile& f) {
#ifdef Q_OS_WIN
    return f.flush();
#else
    return f.flush() && ::fsync(f.handle()) == 0;
#endif
}
} // namespace

QString TempVorlage(const QString& ziel) {
    return ziel + kMuster + QStringLiteral("XXXXXX");
}

bool IstTempName(const QString& name) {
    static const QRegularExpression muster(QStringLiteral("\\.pixoluda-[A-Za-z0-9]{6}$"));
    return muster.match(name).hasMatch();
}

void ResteEntfernen(const QString& ziel) {
    const QFileInfo fi(ziel);
    const QString praefix = fi.fileName() + kMuster;
    for (const QString& name :
         fi.dir().entryList({praefix + QStringLiteral("*")}, QDir::Files | QDir::Hidden))
        if (name.size() == praefix.size() + 6 && IstTempName(name)) QFile::remove(fi.dir().filePath(name));
}

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
    // Beside the target under a name of our own, written through, flushed to the
    // medium, and only then renamed over it (Qt's buffered QSaveFile reports a failed
    // final flush as success and renames a short file over the old one).
    QTemporaryFile f(TempVorlage(pfad));
    f.setAutoRemove(true);
    auto scheitern = [&] {
        if (fehler) *fehler = f.errorString();
        return false;
    };
    if (!f.open()) return scheitern();
    {
        // Unbuffered through the same handle: a full disk shows at the write, with its reason.
        QFile roh;
        roh.open(f.handle(), QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle);
        if (!AllesSchreiben(roh, bytes.constData(), bytes.size())) {
            if (fehler) *fehler = roh.errorString();
            return false;
        }
    }
    if (!Sichern(f)) return scheitern();
    // The old file's permissions, or those of a new file of the user.
    if (QFile::exists(pfad))
        f.setPermissions(QFile::permissions(pfad));
    else
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                         QFileDevice::ReadOther);
    f.close();
    if (!Umbenennen(f.fileName(), pfad)) {
        if (fehler) *fehler = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    f.setAutoRemove(false);
    ResteEntfernen(pfad);
    return true;
}
