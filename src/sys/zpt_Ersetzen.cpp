#include "sys/zpt_Ersetzen.h"

#include "sys/zpt_Sperre.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
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

// The name part of the temporary: the target's name, shortened where the 17 characters
// added would pass the file system's limit of 255 bytes for a name.
QString TempPraefix(const QString& ziel) {
    constexpr qsizetype kGrenze = 255 - 17;
    QString name = QFileInfo(ziel).fileName();
    while (QFile::encodeName(name).size() > kGrenze)
        name.chop(name.size() >= 2 && name.back().isLowSurrogate() ? 2 : 1);
    return name + kMuster;
}
} // namespace

bool OrdnerSichern(const QString& datei) {
#ifdef Q_OS_WIN
    Q_UNUSED(datei);
    return true;
#else
    const int fd = ::open(QFile::encodeName(QFileInfo(datei).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool ok = fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0) ::close(fd);
    return ok;
#endif
}

namespace {
thread_local TSammelSicherung* t_sammlung = nullptr;
} // namespace

TSammelSicherung::TSammelSicherung() : m_vorige(t_sammlung) {
    t_sammlung = this;
}

TSammelSicherung::~TSammelSicherung() {
    Abschliessen();
    t_sammlung = m_vorige;
}

void TSammelSicherung::Ordner(const QString& ordner) {
#ifdef Q_OS_WIN
    Q_UNUSED(ordner);
#else
    // Opened now, before the files' data go out: syncfs reports the write errors of its
    // file system since its descriptor was opened.
    const int fd = ::open(QFile::encodeName(ordner).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return; // nothing taken over: its files are flushed one by one
    m_fds << fd;
    QString pfad = QDir::cleanPath(QFileInfo(ordner).absoluteFilePath());
    if (!pfad.endsWith(u'/')) pfad += u'/';
    m_ordner << pfad;
#endif
}

bool TSammelSicherung::Uebernimmt(const QString& datei) {
    if (!t_sammlung) return false;
    const QString pfad = QDir::cleanPath(QFileInfo(datei).absoluteFilePath());
    for (const TSammelSicherung* s = t_sammlung; s; s = s->m_vorige)
        for (const QString& o : s->m_ordner)
            if (pfad.startsWith(o)) return true;
    return false;
}

bool TSammelSicherung::Abschliessen(QString* fehler) {
    bool ok = true;
#ifndef Q_OS_WIN
    for (int fd : std::as_const(m_fds)) {
        if (::syncfs(fd) != 0) {
            if (fehler && ok) *fehler = QString::fromLocal8Bit(std::strerror(errno));
            ok = false;
        }
        ::close(fd);
    }
#endif
    m_fds.clear();
    m_ordner.clear();
    return ok;
}

QString TempVorlage(const QString& ziel) {
    const QString ordner = ziel.left(ziel.size() - QFileInfo(ziel).fileName().size());
    return ordner + TempPraefix(ziel) + QStringLiteral("XXXXXX");
}

bool IstTempName(const QString& name) {
    static const QRegularExpression muster(QStringLiteral("\\.pixoluda-[A-Za-z0-9]{6}$"));
    return muster.match(name).hasMatch();
}

void ResteEntfernen(const QString& ziel) {
    // Only what nobody holds: another writer may be writing its temporary right now.
    const QFileInfo fi(ziel);
    const QString praefix = TempPraefix(ziel);
    // Compared as text: a name filter would read "[1]" or "?" in the name as a pattern.
    for (const QString& name : fi.dir().entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (name.size() == praefix.size() + 6 && name.startsWith(praefix) && IstTempName(name))
            TempEntfernenWennVerlassen(fi.dir().filePath(name));
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

namespace {
// A new file of our own name beside the target, made with O_EXCL and locked at once
// (so another writer's cleanup leaves it alone); removed again unless it was renamed.
class TTempDatei {
public:
    explicit TTempDatei(const QString& ziel) {
        static const char zeichen[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        for (int versuch = 0; versuch < 100; ++versuch) {
            QString name = TempVorlage(ziel);
            for (qsizetype i = name.size() - 6; i < name.size(); ++i)
                name[i] = QLatin1Char(zeichen[QRandomGenerator::global()->bounded(62)]);
            datei.setFileName(name);
            if (!datei.open(QIODevice::ReadWrite | QIODevice::NewOnly | QIODevice::Unbuffered)) {
                if (datei.error() == QFileDevice::OpenError && QFile::exists(name)) continue; // taken
                return;
            }
            if (TempSperren(int(datei.handle()), name)) return;
            datei.close(); // removed by another writer's cleanup before it was locked
        }
    }
    ~TTempDatei() {
        if (!umbenannt && datei.isOpen()) {
            datei.close();
            QFile::remove(datei.fileName());
        }
    }
    QFile datei;
    bool umbenannt = false;
};
} // namespace

bool DateiErsetzen(const QString& pfad, const QByteArray& bytes, QString* fehler) {
    // Beside the target under a name of our own, written through, flushed to the
    // medium, and only then renamed over it (Qt's buffered QSaveFile reports a failed
    // final flush as success and renames a short file over the old one).
    TTempDatei temp(pfad);
    QFile& f = temp.datei;
    auto scheitern = [&] {
        if (fehler) *fehler = f.errorString();
        return false;
    };
    if (!f.isOpen()) return scheitern();
    // A full disk shows at the write, with its reason.
    if (!AllesSchreiben(f, bytes.constData(), bytes.size())) return scheitern();
    // In a batch the flush comes once for all its files, before anyone is told.
    const bool sammlung = TSammelSicherung::Uebernimmt(pfad);
    if (!sammlung && !Sichern(f)) return scheitern();
    // The old file's permissions, or those of a new file of the user.
    if (QFile::exists(pfad))
        f.setPermissions(QFile::permissions(pfad));
    else
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                         QFileDevice::ReadOther);
#ifdef Q_OS_WIN
    f.close(); // Windows renames no open file
#endif
    // Renamed while still open: its lock holds through the rename.
    if (!Umbenennen(f.fileName(), pfad)) {
        if (fehler) *fehler = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    temp.umbenannt = true;
    f.close();
    // The rename itself on the medium, before anyone is told the file is written.
    if (!sammlung && !OrdnerSichern(pfad)) {
        if (fehler) *fehler = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    ResteEntfernen(pfad);
    return true;
}
