#include "sys/zpt_Papierkorb.h"

#include "sys/zpt_Meldungen.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
bool g_ohnePapierkorb = false;
[[maybe_unused]] PapierkorbStoerung g_stoerung = PapierkorbStoerung::Keine;

#ifndef Q_OS_WIN
// Names tried in one trash: a name taken this often means something else is wrong, and
// the user gets the question instead of a program that never answers.
constexpr int kVersuche = 1000;

struct Korb {
    QByteArray ordner; // holds files/ and info/
    QByteArray basis;  // Path= is relative to this folder; empty: absolute
};

bool IstOrdner(const QByteArray& pfad) {
    struct stat st {};
    return ::stat(pfad.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The folder and the missing ones above it, made 0700 as the user's data folders are.
bool PfadAnlegen(const QByteArray& pfad) {
    if (IstOrdner(pfad)) return true;
    const qsizetype schnitt = pfad.lastIndexOf('/');
    if (schnitt > 0 && !PfadAnlegen(pfad.left(schnitt))) return false;
    if (::mkdir(pfad.constData(), 0700) != 0 && errno != EEXIST) return false;
    return IstOrdner(pfad);
}

// A folder of a trash outside the home: made when missing, and used only when it is a
// real folder (no link someone else put there to read what others delete).
bool EigenerOrdner(const QByteArray& pfad, bool eigentuemerPruefen) {
    if (::mkdir(pfad.constData(), 0700) != 0 && errno != EEXIST) return false;
    struct stat st {};
    return ::lstat(pfad.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           (!eigentuemerPruefen || st.st_uid == ::getuid());
}

QByteArray DatenOrdner() {
    const QByteArray xdg = qgetenv("XDG_DATA_HOME");
    // A relative setting is no setting.
    if (xdg.startsWith('/')) return xdg;
    QByteArray heim = qgetenv("HOME");
    if (!heim.startsWith('/'))
        if (const passwd* pw = ::getpwuid(::getuid())) heim = pw->pw_dir;
    return heim.startsWith('/') ? heim + "/.local/share" : QByteArray();
}

// The mount a folder is reached through; 0 where the system does not say. A bind mount
// shows the same device as the file system it comes from, but no rename crosses it.
quint64 MountVon(const QByteArray& pfad) {
    struct statx stx {};
    if (::statx(AT_FDCWD, pfad.constData(), 0, STATX_MNT_ID, &stx) != 0 || !(stx.stx_mask & STATX_MNT_ID))
        return 0;
    return stx.stx_mnt_id;
}

bool GleicheMounts(quint64 a, quint64 b) {
    return a == 0 || b == 0 || a == b;
}

// Device and mount of the folder, or of the nearest one above it that exists.
bool GeraetVon(QByteArray pfad, dev_t& geraet, quint64& mount) {
    struct stat st {};
    while (::stat(pfad.constData(), &st) != 0) {
        const qsizetype schnitt = pfad.lastIndexOf('/');
        if (schnitt <= 0) return false;
        pfad.truncate(schnitt);
    }
    geraet = st.st_dev;
    mount = MountVon(pfad);
    return true;
}

// The mount point of the file system that holds the resolved folder `ordner`.
QByteArray Wurzel(QByteArray ordner, dev_t geraet) {
    const quint64 mount = MountVon(ordner);
    while (ordner != "/") {
        const qsizetype schnitt = ordner.lastIndexOf('/');
        const QByteArray eltern = schnitt > 0 ? ordner.left(schnitt) : QByteArray("/");
        struct stat st {};
        if (::stat(eltern.constData(), &st) != 0 || st.st_dev != geraet ||
            !GleicheMounts(mount, MountVon(eltern)))
            break;
        ordner = eltern;
    }
    return ordner;
}

// $topdir/.Trash/$uid when the administrator made $topdir/.Trash a sticky folder,
// else $topdir/.Trash-$uid.
bool ObersterKorb(const QByteArray& wurzel, Korb& korb) {
    const QByteArray uid = QByteArray::number(::getuid());
    const QByteArray oben = wurzel == "/" ? QByteArray() : wurzel;
    korb.basis = wurzel;
    struct stat st {};
    const QByteArray gemeinsam = oben + "/.Trash";
    if (::lstat(gemeinsam.constData(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX) &&
        EigenerOrdner(gemeinsam + '/' + uid, true)) {
        korb.ordner = gemeinsam + '/' + uid;
    } else {
        korb.ordner = oben + "/.Trash-" + uid;
        if (!EigenerOrdner(korb.ordner, true)) return false;
    }
    return EigenerOrdner(korb.ordner + "/files", false) && EigenerOrdner(korb.ordner + "/info", false);
}

// The trash for the file at the resolved path `pfad` on device `geraet`.
bool KorbFuer(const QByteArray& ordner, dev_t geraet, Korb& korb) {
    const QByteArray daten = DatenOrdner();
    dev_t heim = 0;
    quint64 heimMount = 0;
    if (!daten.isEmpty() && GeraetVon(daten, heim, heimMount) && heim == geraet &&
        GleicheMounts(heimMount, MountVon(ordner))) {
        korb.ordner = daten + "/Trash";
        korb.basis.clear();
        return PfadAnlegen(korb.ordner + "/files") && PfadAnlegen(korb.ordner + "/info");
    }
    return ObersterKorb(Wurzel(ordner, geraet), korb);
}

// The name in the trash: the file's own, then "NAME.2.jpg", "NAME.3.jpg", ..., short
// enough that ".trashinfo" still fits into a name of 255 bytes.
QByteArray Kandidat(const QString& name, int versuch) {
    QString stamm = name;
    QString endung;
    const qsizetype punkt = name.lastIndexOf(u'.');
    if (punkt > 0) {
        stamm = name.left(punkt);
        endung = name.mid(punkt);
    }
    const QString zusatz = versuch == 0 ? QString() : u'.' + QString::number(versuch + 1);
    while (stamm.size() > 1 && QFile::encodeName(stamm + zusatz + endung).size() > 255 - 10)
        stamm.chop(stamm.size() >= 2 && stamm.back().isLowSurrogate() ? 2 : 1);
    return QFile::encodeName(stamm + zusatz + endung);
}

bool AllesSchreiben(int fd, const QByteArray& daten) {
    qsizetype stelle = 0;
    while (stelle < daten.size()) {
        const ssize_t n = ::write(fd, daten.constData() + stelle, size_t(daten.size() - stelle));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        stelle += n;
    }
    return true;
}

void OrdnerSichern(const QByteArray& ordner) {
    const int fd = ::open(ordner.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// The .trashinfo, created new (never over another's) and flushed; removed again when any
// byte could not be written, so no empty one is left that no file manager can read.
// EEXIST when the name is taken.
bool InfoSchreiben(const QByteArray& info, const QByteArray& inhalt) {
    int fd = -1;
    if (g_stoerung == PapierkorbStoerung::InfoAnlegen)
        errno = ENOSPC;
    else
        fd = ::open(info.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    bool ok =
        g_stoerung != PapierkorbStoerung::InfoSchreiben && AllesSchreiben(fd, inhalt) && ::fsync(fd) == 0;
    if (g_stoerung == PapierkorbStoerung::InfoSchreiben) errno = ENOSPC;
    const int grund = errno;
    if (::close(fd) != 0) ok = false;
    if (!ok) {
        ::unlink(info.constData());
        errno = grund == EEXIST ? EIO : grund;
    }
    return ok;
}

// Renames without replacing what is there: a file in files/ whose .trashinfo got lost
// keeps its name.
bool Verschieben(const QByteArray& von, const QByteArray& nach) {
    if (::renameat2(AT_FDCWD, von.constData(), AT_FDCWD, nach.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return false;
    struct stat st {};
    if (::lstat(nach.constData(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return std::rename(von.constData(), nach.constData()) == 0;
}
#endif
} // namespace

void PapierkorbAbschalten(bool an) {
    g_ohnePapierkorb = an;
}

void PapierkorbStoeren(PapierkorbStoerung stoerung) {
    g_stoerung = stoerung;
}

bool InPapierkorb(const QString& datei) {
#ifdef Q_OS_WIN
    QFile f(datei);
    return f.moveToTrash();
#else
    const QFileInfo fi(datei);
    char* echt = ::realpath(QFile::encodeName(fi.absolutePath()).constData(), nullptr);
    if (!echt) return false;
    const QByteArray ordner(echt);
    std::free(echt);
    const QByteArray pfad = (ordner == "/" ? QByteArray() : ordner) + '/' + QFile::encodeName(fi.fileName());
    struct stat st {};
    Korb korb;
    if (::lstat(pfad.constData(), &st) != 0 || !KorbFuer(ordner, st.st_dev, korb)) return false;

    // The original place as the file manager restores it: relative to the top folder for
    // a trash there, bytes other than letters, digits, "-._~" and "/" percent-encoded.
    QByteArray ort = pfad;
    if (!korb.basis.isEmpty()) ort = ort.mid(korb.basis == "/" ? 1 : korb.basis.size() + 1);
    const QByteArray inhalt =
        "[Trash Info]\nPath=" + ort.toPercentEncoding("/") + "\nDeletionDate=" +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")).toLatin1() + '\n';

    for (int versuch = 0; versuch < kVersuche; ++versuch) {
        const QByteArray name = Kandidat(fi.fileName(), versuch);
        const QByteArray info = korb.ordner + "/info/" + name + ".trashinfo";
        if (!InfoSchreiben(info, inhalt)) {
            if (errno == EEXIST) continue;
            return false;
        }
        OrdnerSichern(korb.ordner + "/info");
        if (Verschieben(pfad, korb.ordner + "/files/" + name)) {
            OrdnerSichern(korb.ordner + "/files");
            OrdnerSichern(ordner);
            return true;
        }
        const int grund = errno;
        ::unlink(info.constData());
        if (grund != EEXIST) return false;
    }
    return false;
#endif
}

Entsorgung BildEntsorgen(const QString& datei, const QString& art) {
    if (!g_ohnePapierkorb && InPapierkorb(datei)) return Entsorgung::Entfernt;
    if (!JaNeinFrage(QStringLiteral("Das ") + art +
                     QStringLiteral(" kann nicht in den Papierkorb verschoben werden.\rSoll es endgültig "
                                    "gelöscht werden?")))
        return Entsorgung::Behalten;
    return QFile::remove(datei) ? Entsorgung::Entfernt : Entsorgung::Fehler;
}
