#include "sys/zpt_Plattform.h"

#include "sys/zpt_Ersetzen.h"
#include "sys/zpt_Sperre.h"

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

// Compares two open files byte for byte from their start.
bool InhaltGleich(int a, int b, off_t groesse, QString& fehler) {
    QByteArray pa(1 << 20, Qt::Uninitialized), pb(1 << 20, Qt::Uninitialized);
    for (off_t stelle = 0; stelle < groesse;) {
        const size_t stueck = size_t(qMin<off_t>(pa.size(), groesse - stelle));
        const ssize_t na = ::pread(a, pa.data(), stueck, stelle);
        const ssize_t nb = ::pread(b, pb.data(), stueck, stelle);
        if (na < 0 || nb < 0) {
            fehler = Grund();
            return false;
        }
        if (na != nb || na == 0 || std::memcmp(pa.constData(), pb.constData(), size_t(na)) != 0) {
            fehler = QStringLiteral("Die Kopie weicht vom Original ab.");
            return false;
        }
        stelle += na;
    }
    return true;
}

// Renames without replacing: renameat2's RENAME_NOREPLACE, or link and unlink where the
// file system lacks it. False with EEXIST when the name is taken.
bool NeuAnlegen(const QByteArray& von, const QByteArray& nach) {
    if (::renameat2(AT_FDCWD, von.constData(), AT_FDCWD, nach.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return false;
    if (::link(von.constData(), nach.constData()) != 0) return false;
    ::unlink(von.constData());
    return true;
}
} // namespace

bool DateiKopierenAtomar(const QString& quelle, const QString& ziel, bool sichern, QString& fehler,
                         bool* neu) {
    if (neu) *neu = true;
    Deskriptor ein;
    ein.fd = ::open(QFile::encodeName(quelle).constData(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (ein.fd < 0 || ::fstat(ein.fd, &info) != 0) {
        fehler = Grund();
        return false;
    }
    // The temporary, locked at once so no other writer's cleanup takes it.
    QByteArray temp;
    Deskriptor aus;
    for (int versuch = 0; aus.fd < 0; ++versuch) {
        temp = QFile::encodeName(TempVorlage(ziel));
        aus.fd = ::mkstemp(temp.data());
        if (aus.fd < 0) {
            fehler = Grund();
            return false;
        }
        if (!TempSperren(aus.fd, QFile::decodeName(temp))) {
            ::close(aus.fd);
            aus.fd = -1;
            if (versuch == 10) {
                fehler = QString::fromLocal8Bit(std::strerror(EBUSY));
                return false;
            }
        }
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
    // On the medium before it takes the target's name; in a batch (an export) once for
    // all its files. What may allow deleting the source is always flushed on its own.
    const bool sammlung = !sichern && !neu && TSammelSicherung::Uebernimmt(ziel);
    if (!sammlung && ::fsync(aus.fd) != 0) return scheitern();
    if (sichern) {
        // Out of the cache, then read back: a comparison against the cache alone would
        // prove nothing.
        ::posix_fadvise(aus.fd, 0, 0, POSIX_FADV_DONTNEED);
        QString abweichung;
        if (!InhaltGleich(ein.fd, aus.fd, info.st_size, abweichung)) {
            ::unlink(temp.constData());
            fehler = abweichung;
            return false;
        }
    }
    // The lock is held through the rename by a second descriptor of the file.
    Deskriptor halter;
    halter.fd = ::dup(aus.fd);
    if (::close(aus.fd) != 0) {
        aus.fd = -1;
        return scheitern();
    }
    aus.fd = -1;
    const QByteArray endname = QFile::encodeName(ziel);
    if (neu) {
        // Never over a file another writer put there since the caller looked.
        if (!NeuAnlegen(temp, endname)) {
            if (errno == EEXIST) *neu = false;
            return scheitern();
        }
    } else if (std::rename(temp.constData(), endname.constData()) != 0) {
        return scheitern();
    }
    ::close(halter.fd);
    halter.fd = -1;
    if (!sammlung && !OrdnerSichern(ziel)) {
        fehler = Grund();
        return false;
    }
    ResteEntfernen(ziel);
    return true;
}
#else
bool DateiKopierenAtomar(const QString& quelle, const QString& ziel, bool, QString& fehler, bool* neu) {
    if (neu && QFileInfo::exists(ziel)) {
        *neu = false;
        fehler = QStringLiteral("Die Datei existiert bereits.");
        return false;
    }
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
