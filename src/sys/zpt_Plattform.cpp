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
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
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

// Test switch: PIXOLUDA_OHNE_NOREPLACE=1 makes the placement act as on a file system
// that has neither renameat2's RENAME_NOREPLACE nor hard links (sshfs, exFAT over FUSE).
bool OhneNoreplace() {
    return qEnvironmentVariableIntValue("PIXOLUDA_OHNE_NOREPLACE") == 1;
}

// The folder a file is placed into, locked for the check of its names and the placement
// (flock on the folder itself, which leaves no file behind): two importers cannot both
// find a name free, in whatever case, and both place it. Where the file system has no
// such locks the two steps go ahead without it, as they did before.
class OrdnerSperre {
public:
    explicit OrdnerSperre(const QByteArray& ordner) {
        if (SperrenAbgeschaltet()) return;
        m_fd = ::open(ordner.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (m_fd < 0) return;
        // Holders keep it for a listing and a rename; one that stops for good (a stopped
        // process) is waited for a few seconds only.
        for (int versuch = 0; ::flock(m_fd, LOCK_EX | LOCK_NB) != 0; ++versuch) {
            if (errno != EWOULDBLOCK && errno != EINTR) return; // no locks here
            if (versuch == 500) {
                m_erhalten = false;
                return;
            }
            ::usleep(10'000);
        }
    }
    ~OrdnerSperre() {
        if (m_fd >= 0) ::close(m_fd);
    }
    OrdnerSperre(const OrdnerSperre&) = delete;
    OrdnerSperre& operator=(const OrdnerSperre&) = delete;
    bool Erhalten() const { return m_erhalten; }

private:
    int m_fd = -1;
    bool m_erhalten = true;
};

// Copies `groesse` bytes of `ein` from its current position to `aus`. The kernel copies
// where it can; a short count just goes on. The number copied (fewer when the source got
// shorter meanwhile), or -1 with errno.
off_t Uebertragen(int ein, int aus, off_t groesse) {
    off_t kopiert = 0;
    while (kopiert < groesse) {
        const ssize_t n = ::copy_file_range(ein, nullptr, aus, nullptr, size_t(groesse - kopiert), 0);
        if (n < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) break;
        if (n < 0) return -1;
        if (n == 0) break;
        kopiert += n;
    }
    char puffer[1 << 16];
    for (ssize_t n; kopiert < groesse && (n = ::read(ein, puffer, sizeof puffer)) != 0;) {
        if (n < 0) return -1;
        for (ssize_t w = 0; w < n;) {
            const ssize_t m = ::write(aus, puffer + w, size_t(n - w));
            if (m < 0) return -1;
            w += m;
        }
        kopiert += n;
    }
    return kopiert;
}

// Fills a target claimed with O_EXCL (where the file system can neither rename without
// replacing nor link) as the temporary was filled: the whole source, its permissions and
// times, flushed, and with `sichern` read back from the medium. False with the reason.
bool InAngelegteKopieren(int ein, int aus, const struct stat& info, bool sichern, QString& fehler) {
    struct stat neu {};
    if (::lseek(ein, 0, SEEK_SET) != 0) return fehler = Grund(), false;
    const off_t kopiert = Uebertragen(ein, aus, info.st_size);
    if (kopiert < 0) return fehler = Grund(), false;
    if (kopiert != info.st_size || ::fstat(aus, &neu) != 0 || neu.st_size != info.st_size)
        return fehler = QString::fromLocal8Bit(std::strerror(EIO)), false;
    const mode_t maske = ::umask(0);
    ::umask(maske);
    const mode_t rechte = ((info.st_mode & 0777) & ~maske) | S_IRUSR | S_IWUSR;
    const struct timespec zeiten[2] = {info.st_atim, info.st_mtim};
    if (::fchmod(aus, rechte) != 0 || ::futimens(aus, zeiten) != 0 || ::fsync(aus) != 0)
        return fehler = Grund(), false;
    if (!sichern) return true;
    ::posix_fadvise(aus, 0, 0, POSIX_FADV_DONTNEED);
    return InhaltGleich(ein, aus, info.st_size, fehler);
}

// Renames without replacing: renameat2's RENAME_NOREPLACE, else link and unlink. Where
// the file system knows neither (sshfs, exFAT over FUSE), the name is claimed by a file
// made with O_EXCL, left open in `angelegt` for the caller to copy into. False with
// EEXIST when the name is taken.
bool NeuAnlegen(const QByteArray& von, const QByteArray& nach, int& angelegt) {
    angelegt = -1;
    if (!OhneNoreplace()) {
        if (::renameat2(AT_FDCWD, von.constData(), AT_FDCWD, nach.constData(), RENAME_NOREPLACE) == 0)
            return true;
        if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return false;
        if (::link(von.constData(), nach.constData()) == 0) {
            ::unlink(von.constData());
            return true;
        }
        if (errno != EPERM && errno != ENOSYS && errno != EOPNOTSUPP) return false;
    }
    angelegt =
        ::open(nach.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR); // read back too
    return angelegt >= 0;
}
} // namespace

bool UmbenennenOhneErsetzen(const QString& von, const QString& nach, QString& fehler) {
    const QByteArray a = QFile::encodeName(von), b = QFile::encodeName(nach);
    if (!OhneNoreplace()) {
        if (::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE) == 0) return true;
        if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return fehler = Grund(), false;
    }
    if (::link(a.constData(), b.constData()) == 0) {
        ::unlink(a.constData());
        return true;
    }
    return fehler = Grund(), false;
}

bool DateiKopierenAtomar(const QString& quelle, const QString& ziel, bool sichern, QString& fehler,
                         bool* neu) {
    if (neu) *neu = true;
    // A regular file only: a pipe or device put in its place would never end.
    Deskriptor ein;
    ein.fd = ::open(QFile::encodeName(quelle).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat info {};
    if (ein.fd < 0 || ::fstat(ein.fd, &info) != 0) {
        fehler = Grund();
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        fehler = QStringLiteral("Die Datei ist keine gewöhnliche Datei.");
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
    const off_t kopiert = Uebertragen(ein.fd, aus.fd, info.st_size);
    if (kopiert < 0) return scheitern();
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
        // Never over a file another writer put there since the caller looked, nor beside
        // one whose name differs only in case (both would share one caption section).
        const QFileInfo zielInfo(ziel);
        Deskriptor angelegt;
        {
            OrdnerSperre sperre(QFile::encodeName(zielInfo.absolutePath()));
            if (!sperre.Erhalten()) {
                ::unlink(temp.constData());
                fehler = QStringLiteral("Ein anderes Programm hält den Ordner %1 gesperrt.")
                             .arg(zielInfo.absolutePath());
                return false;
            }
            if (!NameOhneGrossKlein(zielInfo.absolutePath(), zielInfo.fileName()).isEmpty()) {
                *neu = false;
                errno = EEXIST;
                return scheitern();
            }
            if (!NeuAnlegen(temp, endname, angelegt.fd)) {
                if (errno == EEXIST) *neu = false;
                return scheitern();
            }
        }
        if (angelegt.fd >= 0) {
            // The name is ours; the copy goes into it outside the folder's lock. Anything
            // short of a whole copy is removed again.
            bool ganz = InAngelegteKopieren(ein.fd, angelegt.fd, info, sichern, fehler);
            if (ganz && ::close(std::exchange(angelegt.fd, -1)) != 0) {
                fehler = Grund();
                ganz = false;
            }
            if (!ganz) {
                ::unlink(endname.constData());
                ::unlink(temp.constData());
                return false;
            }
            ::unlink(temp.constData());
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
