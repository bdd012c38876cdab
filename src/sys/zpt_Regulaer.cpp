#include "sys/zpt_Regulaer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace regulaer {

namespace {
// As the kernel allows: a longer chain is a loop.
constexpr int kMaxVerweisKette = 40;

QString VerweisMeldung(const QString& pfad, const QString& ziel) {
    return QStringLiteral("Die Datei \r%1\rist eine Verknüpfung auf \r%2\rund wird nicht verwendet: Eine "
                          "Verknüpfung gilt nur, wenn sie auf eine gewöhnliche Datei im selben Ordner zeigt.")
        .arg(QDir::toNativeSeparators(pfad), QDir::toNativeSeparators(ziel));
}

QString KeineDateiMeldung(const QString& pfad) {
    return QStringLiteral("Die Datei \r%1\rist keine gewöhnliche Datei (sondern ein Ordner, eine Pipe oder "
                          "ein Gerät) und wird nicht gelesen.")
        .arg(QDir::toNativeSeparators(pfad));
}

QString ZuGrossMeldung(const QString& pfad, qint64 grenze) {
    return QStringLiteral("Die Datei \r%1\rist größer als %2 MB und wird nicht gelesen.")
        .arg(QDir::toNativeSeparators(pfad))
        .arg(grenze >> 20);
}
} // namespace

namespace {
// Where the link `pfad` points, as the system resolves it: a relative target counts from
// the folder the link really lies in, which differs from its path where that passes a
// linked folder ("../x" beside a linked ~/.config leads out of the link's real folder).
QString VerweisZiel(const QString& pfad) {
#ifndef Q_OS_WIN
    QByteArray roh(4096, Qt::Uninitialized);
    const ssize_t n = ::readlink(QFile::encodeName(pfad).constData(), roh.data(), size_t(roh.size()));
    const QString ordner = QFileInfo(pfad).dir().canonicalPath();
    if (n > 0 && n < roh.size() && !ordner.isEmpty()) {
        const QString ziel = QFile::decodeName(roh.left(n));
        // Not cleaned: ".." must stay for the system to take from the real folder.
        return ziel.startsWith(u'/') ? ziel : ordner + u'/' + ziel;
    }
#endif
    return QDir::cleanPath(QFileInfo(pfad).symLinkTarget());
}
} // namespace

bool IstVerweis(const QString& pfad) {
    return QFileInfo(pfad).isSymbolicLink();
}

QString Ziel(const QString& pfad, Verweise verweise, QString* fehler) {
    if (!IstVerweis(pfad)) return pfad;
    // Link by link: the last target may not exist yet (a dotfile manager's settings file).
    QString ziel = pfad;
    for (int i = 0; i < kMaxVerweisKette && IstVerweis(ziel); ++i)
        ziel = VerweisZiel(ziel);
    const QFileInfo zielInfo(ziel);
    if (verweise == Verweise::Folgen) {
        if (!IstVerweis(ziel)) {
            // Through linked folders too, so the path holds no link any more.
            const QString ordner = zielInfo.dir().canonicalPath();
            return ordner.isEmpty() ? ziel : QDir(ordner).filePath(zielInfo.fileName());
        }
    } else {
        const QString eigenerOrdner = QFileInfo(pfad).dir().canonicalPath();
        const QString kanonisch = zielInfo.canonicalFilePath();
        if (!kanonisch.isEmpty() && !eigenerOrdner.isEmpty() && QFileInfo(kanonisch).isFile() &&
            QFileInfo(kanonisch).dir().canonicalPath() == eigenerOrdner)
            return kanonisch;
    }
    if (fehler) *fehler = VerweisMeldung(pfad, QDir::cleanPath(ziel));
    return {};
}

#ifndef Q_OS_WIN
Lesestand Lesen(const QString& pfad, QByteArray& bytes, QString* fehler, qint64 grenze) {
    bytes.clear();
    auto unlesbar = [&](const QString& grund) {
        if (fehler) *fehler = grund;
        bytes.clear();
        return Lesestand::Unlesbar;
    };
    auto systemFehler = [&](int nummer) {
        return unlesbar(
            QStringLiteral("Die Datei \r%1\rkann nicht gelesen werden: %2")
                .arg(QDir::toNativeSeparators(pfad), QString::fromLocal8Bit(std::strerror(nummer))));
    };
    // Non-blocking: opening a pipe nobody writes to would wait for good.
    const int fd =
        ::open(QFile::encodeName(pfad).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return Lesestand::Fehlt;
        if (errno == ELOOP) return unlesbar(VerweisMeldung(pfad, QFileInfo(pfad).symLinkTarget()));
        return systemFehler(errno);
    }
    struct Schliessen {
        int fd;
        ~Schliessen() { ::close(fd); }
    } schliessen{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0) return systemFehler(errno);
    if (!S_ISREG(info.st_mode)) return unlesbar(KeineDateiMeldung(pfad));
    if (info.st_size > grenze) return unlesbar(ZuGrossMeldung(pfad, grenze));
    // One byte more than allowed tells a file that grew since fstat.
    bytes.resize(qsizetype(info.st_size) + 1);
    qsizetype gelesen = 0;
    for (;;) {
        if (gelesen == bytes.size()) {
            if (gelesen > grenze) return unlesbar(ZuGrossMeldung(pfad, grenze));
            bytes.resize(qMin<qint64>(grenze + 1, bytes.size() * 2 + 4096));
        }
        const ssize_t n = ::read(fd, bytes.data() + gelesen, size_t(bytes.size() - gelesen));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return systemFehler(errno);
        if (n == 0) break;
        gelesen += n;
    }
    bytes.truncate(gelesen);
    return Lesestand::Gelesen;
}
#else
Lesestand Lesen(const QString& pfad, QByteArray& bytes, QString* fehler, qint64 grenze) {
    bytes.clear();
    const QFileInfo info(pfad);
    if (!info.exists() && !info.isSymbolicLink()) return Lesestand::Fehlt;
    QString grund;
    if (info.isSymbolicLink())
        grund = VerweisMeldung(pfad, info.symLinkTarget());
    else if (!info.isFile())
        grund = KeineDateiMeldung(pfad);
    else if (info.size() > grenze)
        grund = ZuGrossMeldung(pfad, grenze);
    QFile f(pfad);
    if (grund.isEmpty() && f.open(QIODevice::ReadOnly)) {
        bytes = f.read(grenze + 1);
        if (f.error() == QFileDevice::NoError && bytes.size() <= grenze) return Lesestand::Gelesen;
        grund = bytes.size() > grenze ? ZuGrossMeldung(pfad, grenze) : f.errorString();
    } else if (grund.isEmpty()) {
        grund = f.errorString();
    }
    bytes.clear();
    if (fehler) *fehler = grund;
    return Lesestand::Unlesbar;
}
#endif

} // namespace regulaer
