#include "sys/zpt_Sperre.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QThread>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
int g_wartezeitMs = 5000;
thread_local QString t_letzteSperrMeldung;
// A temporary nobody locks is taken for abandoned only after this long where the file
// system has no locks to tell.
constexpr qint64 kVerlassenNachSekunden = 3600;

#ifndef Q_OS_WIN
// Open-file-description locks: held by the open file, not the process, so two threads
// or two opens in one process exclude each other too; released when the file is closed.
int Sperren(int fd, bool warten) {
    if (SperrenScheitern()) {
        errno = ENOLCK;
        return -1;
    }
    struct flock f {};
    f.l_type = F_WRLCK;
    f.l_whence = SEEK_SET;
    return ::fcntl(fd, warten ? F_OFD_SETLKW : F_OFD_SETLK, &f);
}

bool GesperrtVonAnderen(int err) {
    return err == EAGAIN || err == EACCES || err == EINTR;
}

// The path names the open file (not through a link).
bool GleicheDatei(int fd, const QByteArray& pfad) {
    struct stat a {
    }, b{};
    return ::fstat(fd, &a) == 0 && ::lstat(pfad.constData(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

// Waits at most `ms` for the lock on `fd`, in a thread of its own on a duplicate of the
// descriptor (the lock belongs to the open file, so it then holds for `fd` too). A wait
// that outlasts `ms` is left to that thread, which lets the lock go as soon as it has it.
bool Warten(int fd, qint64 ms) {
    struct Zustand {
        std::mutex m;
        std::condition_variable cv;
        bool fertig = false, erhalten = false;
    };
    auto z = std::make_shared<Zustand>();
    const int kopie = ::dup(fd);
    if (kopie < 0) return false;
    std::thread([z, kopie] {
        int r;
        do
            r = Sperren(kopie, true);
        while (r != 0 && errno == EINTR);
        std::lock_guard<std::mutex> l(z->m);
        z->fertig = true;
        z->erhalten = r == 0;
        z->cv.notify_all();
        ::close(kopie); // the lock stays with the open file while `fd` is open
    }).detach();
    std::unique_lock<std::mutex> l(z->m);
    if (z->cv.wait_for(l, std::chrono::milliseconds(qMax<qint64>(0, ms)), [&] { return z->fertig; }))
        return z->erhalten;
    return false;
}

bool IstNormaleDatei(int fd) {
    struct stat a {};
    return ::fstat(fd, &a) == 0 && S_ISREG(a.st_mode);
}
#endif
} // namespace

bool SperrenAbgeschaltet() {
    return qEnvironmentVariableIntValue("PIXOLUDA_OHNE_SPERRE") == 1;
}

bool SperrenScheitern() {
    return qEnvironmentVariableIntValue("PIXOLUDA_SPERRE_ENOLCK") == 1;
}

void DateiProblemMerken(const QString& meldung) {
    t_letzteSperrMeldung = meldung;
}

void TDateiSperre::WartezeitSetzen(int ms) {
    g_wartezeitMs = ms;
}

QString SperrMeldung(const QString& pfad) {
    return QStringLiteral(
               "Die Datei \r%1\rwird gerade von einem anderen Programm geändert. Bitte versuchen Sie es "
               "gleich noch einmal.")
        .arg(pfad);
}

QString UeberschriebenMeldung(const QString& pfad) {
    return QStringLiteral(
               "Die Datei \r%1\rwird gerade von einem anderen Programm geändert, und dieses "
               "Dateisystem kann sie nicht sperren: Die Änderung wurde immer wieder überschrieben. "
               "Bitte versuchen Sie es gleich noch einmal.")
        .arg(pfad);
}

void NachpruefenWarten(qint64 dauerMs, int versuch) {
    const qint64 grund = 2 * dauerMs + 2;
    QThread::msleep(quint64(grund + QRandomGenerator::global()->bounded(grund * (versuch + 1))));
}

QString LetzteSperrMeldung() {
    return t_letzteSperrMeldung;
}

QString SperrZusatz() {
    return t_letzteSperrMeldung.isEmpty() ? QString() : u'\r' + t_letzteSperrMeldung;
}

#ifndef Q_OS_WIN
TDateiSperre::TDateiSperre(const QString& pfad) {
    t_letzteSperrMeldung.clear();
    if (SperrenAbgeschaltet()) return;
    const QByteArray name = QFile::encodeName(pfad);
    QElapsedTimer uhr;
    uhr.start();
    for (;;) {
        // Never through a link (the writer resolves it first), never blocking on a pipe.
        constexpr int kArt = O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
        int fd = ::open(name.constData(), kArt);
        // A missing file is made empty (O_EXCL: never through a link made meanwhile).
        if (fd < 0 && errno == ENOENT) fd = ::open(name.constData(), kArt | O_CREAT | O_EXCL, 0644);
        if (fd < 0) {
            if (errno == EEXIST && uhr.elapsed() < g_wartezeitMs) continue; // made by another meanwhile
            return; // cannot be written, or a link: the write says why
        }
        if (!IstNormaleDatei(fd)) {
            ::close(fd); // no file to lock (a device, a link to one): the writer refuses it
            return;
        }
        const bool gesperrt = Sperren(fd, false) == 0;
        if (!gesperrt && !GesperrtVonAnderen(errno)) {
            ::close(fd); // no locks on this file system
            m_ohneSperre = true;
            return;
        }
        // Held by another writer: waited for in the kernel's queue (polling would lose
        // every time to a writer that locks again at once), for the rest of the wait time.
        if (!gesperrt && !Warten(fd, g_wartezeitMs - uhr.elapsed())) {
            ::close(fd);
            m_erhalten = false;
            t_letzteSperrMeldung = SperrMeldung(pfad);
            return;
        }
        if (GleicheDatei(fd, name)) {
            m_fd = fd;
            return;
        }
        ::close(fd); // replaced by another writer meanwhile: lock the new file
        if (uhr.elapsed() >= g_wartezeitMs) {
            m_erhalten = false;
            t_letzteSperrMeldung = SperrMeldung(pfad);
            return;
        }
    }
}

TDateiSperre::~TDateiSperre() {
    if (m_fd >= 0) ::close(m_fd);
}

bool TempSperren(int fd, const QString& pfad) {
    if (SperrenAbgeschaltet()) return true;
    if (Sperren(fd, false) != 0 && GesperrtVonAnderen(errno)) return false;
    return GleicheDatei(fd, QFile::encodeName(pfad));
}

bool TempEntfernenWennVerlassen(const QString& pfad) {
    const QByteArray name = QFile::encodeName(pfad);
    const int fd = ::open(name.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    bool weg = false;
    if (Sperren(fd, false) == 0) {
        // Ours now: the writer that made it is gone. Removed while held, so no writer
        // can have taken it in between.
        weg = GleicheDatei(fd, name) && ::unlink(name.constData()) == 0;
    } else if (!GesperrtVonAnderen(errno)) {
        // By its change time: a copy's temporary carries its source's old modification time.
        struct stat info {};
        weg = ::fstat(fd, &info) == 0 &&
              QDateTime::currentSecsSinceEpoch() - info.st_ctim.tv_sec > kVerlassenNachSekunden &&
              ::unlink(name.constData()) == 0;
    }
    ::close(fd);
    return weg;
}
QByteArray DateiStand(const QString& pfad) {
    struct stat i {};
    if (::stat(QFile::encodeName(pfad).constData(), &i) != 0) return {};
    return QByteArray::number(qulonglong(i.st_dev)) + ':' + QByteArray::number(qulonglong(i.st_ino)) + ':' +
           QByteArray::number(qlonglong(i.st_size)) + ':' + QByteArray::number(qlonglong(i.st_mtim.tv_sec)) +
           '.' + QByteArray::number(qlonglong(i.st_mtim.tv_nsec));
}
#else
QByteArray DateiStand(const QString& pfad) {
    const QFileInfo fi(pfad);
    if (!fi.exists()) return {};
    return QByteArray::number(fi.size()) + ':' + QByteArray::number(fi.lastModified().toMSecsSinceEpoch());
}
// Windows refuses to replace or delete a file another process has open, which covers
// the temporaries; the shared files are written without a lock there.
TDateiSperre::TDateiSperre(const QString&) {}
TDateiSperre::~TDateiSperre() {}
bool TempSperren(int, const QString&) {
    return true;
}
bool TempEntfernenWennVerlassen(const QString& pfad) {
    return QFile::remove(pfad);
}
#endif
