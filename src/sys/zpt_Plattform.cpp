#include "sys/zpt_Plattform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#ifndef Q_OS_WIN
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace plattform {

namespace {
QString& programmDateiUeberschrieben() {
    static QString pfad;
    return pfad;
}
} // namespace

void ProgrammDateiSetzen(const QString& pfad) {
    programmDateiUeberschrieben() = pfad;
}

QString ProgrammDatei() {
    if (!programmDateiUeberschrieben().isEmpty()) return programmDateiUeberschrieben();
    if (QCoreApplication::instance())
        return QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
    return {};
}

QString ProgrammOrdner() {
    const QString datei = ProgrammDatei();
    if (datei.isEmpty()) return QDir::toNativeSeparators(QDir::currentPath());
    return QDir::toNativeSeparators(QFileInfo(datei).absolutePath());
}

QString KonfigurationsOrdner() {
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

QString DokumenteOrdner() {
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

QString TempOrdner() {
    return QDir::toNativeSeparators(QDir::tempPath());
}

QString NameOhneGrossKlein(const QString& ordner, const QString& name) {
    QDir dir(ordner);
    if (QFileInfo::exists(dir.filePath(name))) return name;
    const QStringList eintraege =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& e : eintraege)
        if (e.compare(name, Qt::CaseInsensitive) == 0) return e;
    return {};
}

#ifndef Q_OS_WIN
namespace {
// Closes a descriptor at the end of a scope.
struct Deskriptor {
    int fd = -1;
    ~Deskriptor() {
        if (fd >= 0) ::close(fd);
    }
};

QString Grund() {
    return QString::fromLocal8Bit(std::strerror(errno));
}
} // namespace

bool DateiKopierenAtomar(const QString& quelle, const QString& ziel, bool sichern, QString& fehler) {
    Deskriptor ein;
    ein.fd = ::open(QFile::encodeName(quelle).constData(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (ein.fd < 0 || ::fstat(ein.fd, &info) != 0) {
        fehler = Grund();
        return false;
    }
    QByteArray temp = QFile::encodeName(ziel) + ".XXXXXX";
    Deskriptor aus;
    aus.fd = ::mkstemp(temp.data());
    if (aus.fd < 0) {
        fehler = Grund();
        return false;
    }
    auto scheitern = [&] {
        fehler = Grund();
        ::unlink(temp.constData());
        return false;
    };
    // The kernel copies where it can; a short count just goes on.
    off_t kopiert = 0;
    while (kopiert < info.st_size) {
        const ssize_t n =
            ::copy_file_range(ein.fd, nullptr, aus.fd, nullptr, size_t(info.st_size - kopiert), 0);
        if (n < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) break;
        if (n < 0) return scheitern();
        if (n == 0) break; // the source got shorter meanwhile: caught below
        kopiert += n;
    }
    char puffer[1 << 16];
    for (ssize_t n; kopiert < info.st_size && (n = ::read(ein.fd, puffer, sizeof puffer)) != 0;) {
        if (n < 0) return scheitern();
        for (ssize_t w = 0; w < n;) {
            const ssize_t m = ::write(aus.fd, puffer + w, size_t(n - w));
            if (m < 0) return scheitern();
            w += m;
        }
        kopiert += n;
    }
    if (kopiert != info.st_size) {
        errno = EIO;
        return scheitern();
    }
    // The source's permissions as cp gives them (mkstemp makes the file private), and
    // writable for the user, so a later copy can replace it.
    const mode_t maske = ::umask(0);
    ::umask(maske);
    const mode_t rechte = ((info.st_mode & 0777) & ~maske) | S_IRUSR | S_IWUSR;
    const struct timespec zeiten[2] = {info.st_atim, info.st_mtim};
    if (::fchmod(aus.fd, rechte) != 0 || ::futimens(aus.fd, zeiten) != 0) return scheitern();
    if (sichern && ::fsync(aus.fd) != 0) return scheitern();
    if (::close(aus.fd) != 0) {
        aus.fd = -1;
        return scheitern();
    }
    aus.fd = -1;
    if (std::rename(temp.constData(), QFile::encodeName(ziel).constData()) != 0) return scheitern();
    return true;
}
#else
bool DateiKopierenAtomar(const QString& quelle, const QString& ziel, bool, QString& fehler) {
    QFile ein(quelle);
    QSaveFile aus(ziel);
    if (!ein.open(QIODevice::ReadOnly) || !aus.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        fehler = ein.isOpen() ? aus.errorString() : ein.errorString();
        return false;
    }
    const QByteArray daten = ein.readAll();
    if (aus.write(daten) != daten.size() || !aus.commit()) {
        fehler = aus.errorString();
        return false;
    }
    QFile z(ziel);
    if (z.open(QIODevice::ReadWrite))
        z.setFileTime(QFileInfo(quelle).lastModified(), QFileDevice::FileModificationTime);
    return true;
}
#endif

} // namespace plattform
