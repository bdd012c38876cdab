/* A network drive on the local disk, loaded with LD_PRELOAD into the program, a bench or a
 * test: every call on a path below one folder costs a round trip, reads are held to a
 * bandwidth, and the drive can hang or be gone.
 *
 *   PIXOLUDA_NETZ_ORDNER=DIR     the folder that lies "on the network" (several: DIR1:DIR2)
 *   PIXOLUDA_NETZ_MS=X           delay per call in milliseconds (fractions allowed)
 *   PIXOLUDA_NETZ_MBS=Y          read bandwidth in MB/s (0 or unset: unlimited)
 *   PIXOLUDA_NETZ_MODUS=M        "normal", "blockieren:N" (each call waits N seconds, then
 *                                fails with EIO as a soft mount gives up) or "fehler" (each
 *                                call fails with EIO at once)
 *   PIXOLUDA_NETZ_STEUERUNG=FILE words in this file override the three above while the
 *                                process runs ("fehler", "normal ms=1 mbs=20", ...); it is
 *                                re-read at most every 100 ms, and a missing or empty file
 *                                means the environment's values. A call that waits in the
 *                                blocking mode goes ahead as soon as the file says so.
 *   PIXOLUDA_NETZ_SPUR=FILE      each call that reaches the drive is written to FILE as a line
 *                                ("open64 PATH", "read fd 7"), to see where the round trips go.
 *
 * Slowed: open, openat (and their 64-bit and fortified forms), fopen, the stat family
 * (stat, lstat, fstatat, statx and the old __xstat forms), access, faccessat, opendir,
 * realpath on paths below the folder or relative to a folder fd below it; read, pread and
 * readv on fds opened below it. fstat and fstatat on such an fd itself (empty path) are
 * answered at once, as a network file system answers them from what the open brought. */
#define _GNU_SOURCE
#undef _FORTIFY_SOURCE
#include <dirent.h>
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <stdarg.h>
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <time.h>
#include <unistd.h>

enum { NORMAL = 0, BLOCKIEREN = 1, FEHLER = 2 };

enum { ORDNER = 8 };
static char g_ordner[ORDNER][PATH_MAX];
static size_t g_ordnerLaenge[ORDNER];
static int g_ordnerZahl;
static char g_steuerung[PATH_MAX];

/* What the environment says, and what is in force now (the control file may override). */
static long g_envMikro, g_envBytesProSek;
static int g_envModus, g_envSekunden;
static atomic_long g_mikro, g_bytesProSek;
static atomic_int g_modus, g_sekunden;
static atomic_llong g_gelesenUm; /* when the control file was last read, in ns */
static int g_spur = -1;

/* Inode of each fd opened below the folder (0: not ours). Checked against the fd's inode on
 * each read, so an fd number reused by a call we do not see is never taken for ours. */
enum { FDS = 65536 };
static atomic_ullong g_fdInode[FDS];

/* The fortified entry points, declared by the headers only in fortified builds. */
int __open_2(const char* pfad, int flags);
int __open64_2(const char* pfad, int flags);
int __openat_2(int dirfd, const char* pfad, int flags);
int __openat64_2(int dirfd, const char* pfad, int flags);
ssize_t __read_chk(int fd, void* p, size_t n, size_t platz);

static pthread_once_t g_einmal = PTHREAD_ONCE_INIT;
static __thread int t_drinnen; /* our own calls go straight through */

static long long Jetzt(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

static void Schlafen(long long ns) {
    if (ns <= 0) return;
    struct timespec t = {(time_t)(ns / 1000000000LL), (long)(ns % 1000000000LL)};
    while (nanosleep(&t, &t) != 0 && errno == EINTR) {
    }
}

/* Parses "normal", "fehler", "blockieren:N", "ms=X", "mbs=Y" words into the values given. */
static void Woerter(const char* text, int* modus, int* sekunden, long* mikro, long* bytesProSek) {
    char puffer[512];
    snprintf(puffer, sizeof puffer, "%s", text);
    char* rest = puffer;
    for (char* wort; (wort = strtok_r(rest, " \t\r\n,;", &rest));) {
        if (strcmp(wort, "normal") == 0) {
            *modus = NORMAL;
        } else if (strcmp(wort, "fehler") == 0) {
            *modus = FEHLER;
        } else if (strncmp(wort, "blockieren", 10) == 0) {
            *modus = BLOCKIEREN;
            *sekunden = wort[10] == ':' ? atoi(wort + 11) : 30;
        } else if (strncmp(wort, "ms=", 3) == 0) {
            *mikro = (long)(strtod(wort + 3, NULL) * 1000.0);
        } else if (strncmp(wort, "mbs=", 4) == 0) {
            *bytesProSek = (long)(strtod(wort + 4, NULL) * 1000000.0);
        }
    }
}

static void Einrichten(void) {
    const char* ordner = getenv("PIXOLUDA_NETZ_ORDNER");
    for (const char* teil = ordner; teil && *teil && g_ordnerZahl < ORDNER;) {
        const char* ende = strchr(teil, ':');
        const size_t l = ende ? (size_t)(ende - teil) : strlen(teil);
        char* o = g_ordner[g_ordnerZahl];
        if (l > 0 && l < PATH_MAX) {
            memcpy(o, teil, l);
            o[l] = 0;
            size_t n = l;
            while (n > 1 && o[n - 1] == '/')
                o[--n] = 0;
            g_ordnerLaenge[g_ordnerZahl++] = n;
        }
        teil = ende ? ende + 1 : NULL;
    }
    const char* ms = getenv("PIXOLUDA_NETZ_MS");
    g_envMikro = ms ? (long)(strtod(ms, NULL) * 1000.0) : 0;
    const char* mbs = getenv("PIXOLUDA_NETZ_MBS");
    g_envBytesProSek = mbs ? (long)(strtod(mbs, NULL) * 1000000.0) : 0;
    g_envModus = NORMAL;
    g_envSekunden = 30;
    const char* modus = getenv("PIXOLUDA_NETZ_MODUS");
    long unbenutzt1 = 0, unbenutzt2 = 0;
    if (modus) Woerter(modus, &g_envModus, &g_envSekunden, &unbenutzt1, &unbenutzt2);
    const char* spur = getenv("PIXOLUDA_NETZ_SPUR");
    if (spur && *spur)
        g_spur = (int)syscall(SYS_openat, AT_FDCWD, spur, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    const char* steuerung = getenv("PIXOLUDA_NETZ_STEUERUNG");
    if (steuerung) snprintf(g_steuerung, sizeof g_steuerung, "%s", steuerung);
    atomic_store(&g_mikro, g_envMikro);
    atomic_store(&g_bytesProSek, g_envBytesProSek);
    atomic_store(&g_modus, g_envModus);
    atomic_store(&g_sekunden, g_envSekunden);
    atomic_store(&g_gelesenUm, Jetzt() - 1000000000LL);
}

/* Re-reads the control file, with raw system calls, at most every 100 ms (one thread does). */
static void Auffrischen(void) {
    if (!g_steuerung[0]) return;
    const long long jetzt = Jetzt();
    long long zuletzt = atomic_load(&g_gelesenUm);
    if (jetzt - zuletzt < 100000000LL) return;
    if (!atomic_compare_exchange_strong(&g_gelesenUm, &zuletzt, jetzt)) return;
    char text[512];
    ssize_t n = 0;
    const int fd = (int)syscall(SYS_openat, AT_FDCWD, g_steuerung, O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        n = syscall(SYS_read, fd, text, sizeof text - 1);
        syscall(SYS_close, fd);
    }
    text[n > 0 ? n : 0] = 0;
    int modus = g_envModus, sekunden = g_envSekunden;
    long mikro = g_envMikro, bytesProSek = g_envBytesProSek;
    Woerter(text, &modus, &sekunden, &mikro, &bytesProSek);
    atomic_store(&g_mikro, mikro);
    atomic_store(&g_bytesProSek, bytesProSek);
    atomic_store(&g_sekunden, sekunden);
    atomic_store(&g_modus, modus);
}

static int Unter(const char* pfad) {
    for (int i = 0; i < g_ordnerZahl; ++i) {
        const size_t l = g_ordnerLaenge[i];
        if (strncmp(pfad, g_ordner[i], l) == 0 && (pfad[l] == '/' || pfad[l] == 0)) return 1;
    }
    return 0;
}

static unsigned long long Inode(int fd) {
    struct stat s;
    return syscall(SYS_fstat, fd, &s) == 0 ? (unsigned long long)s.st_ino : 0;
}

static int FdUnter(int fd) {
    if (fd < 0) return 0;
    if (fd < FDS) {
        const unsigned long long ino = atomic_load(&g_fdInode[fd]);
        return ino != 0 && Inode(fd) == ino;
    }
    char link[64], ziel[PATH_MAX];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const long n = syscall(SYS_readlinkat, AT_FDCWD, link, ziel, sizeof ziel - 1);
    if (n <= 0) return 0;
    ziel[n] = 0;
    return Unter(ziel);
}

/* Whether a call on (dirfd, path) reaches the folder. */
static int Betroffen(int dirfd, const char* pfad) {
    pthread_once(&g_einmal, Einrichten);
    if (t_drinnen || !g_ordnerZahl || !pfad) return 0;
    if (pfad[0] == '/') return Unter(pfad);
    if (dirfd != AT_FDCWD) return FdUnter(dirfd);
    char voll[PATH_MAX];
    if (syscall(SYS_getcwd, voll, sizeof voll) <= 0) return 0;
    const size_t l = strlen(voll);
    snprintf(voll + l, sizeof voll - l, "/%s", pfad);
    return Unter(voll);
}

/* With PIXOLUDA_NETZ_SPUR=FILE each call that reaches the drive is written to FILE. */
static void Spur(const char* art, const char* pfad, int fd) {
    if (g_spur < 0) return;
    char zeile[PATH_MAX + 64];
    const int n = pfad ? snprintf(zeile, sizeof zeile, "%s %s\n", art, pfad)
                       : snprintf(zeile, sizeof zeile, "%s fd %d\n", art, fd);
    if (n > 0) syscall(SYS_write, g_spur, zeile, (size_t)(n < (int)sizeof zeile ? n : (int)sizeof zeile - 1));
}

/* The round trip of one call: 0 to go ahead, -1 (errno EIO) when the drive is gone. */
static int Anfrage(const char* art, const char* pfad, int fd) {
    const int fehlerVorher = errno; /* a call that succeeds leaves errno as it was */
    Spur(art, pfad, fd);
    Auffrischen();
    if (atomic_load(&g_modus) == BLOCKIEREN) {
        const long long bis = Jetzt() + (long long)atomic_load(&g_sekunden) * 1000000000LL;
        while (atomic_load(&g_modus) == BLOCKIEREN && Jetzt() < bis) {
            Schlafen(20000000LL);
            Auffrischen();
        }
        if (atomic_load(&g_modus) == BLOCKIEREN) {
            errno = EIO;
            return -1;
        }
    }
    if (atomic_load(&g_modus) == FEHLER) {
        errno = EIO;
        return -1;
    }
    Schlafen(atomic_load(&g_mikro) * 1000LL);
    errno = fehlerVorher;
    return 0;
}

/* The time the bytes take on the wire. */
static void Uebertragung(ssize_t bytes) {
    const long rate = atomic_load(&g_bytesProSek);
    if (bytes > 0 && rate > 0) Schlafen((long long)bytes * 1000000000LL / rate);
}

static void Merken(int fd, int unter) {
    if (fd < 0 || fd >= FDS) return;
    atomic_store(&g_fdInode[fd], unter ? Inode(fd) : 0);
}

#define ECHT(name)                                                                                           \
    static __typeof__(&name) echt_##name;                                                                    \
    if (!echt_##name) echt_##name = (__typeof__(&name))dlsym(RTLD_NEXT, #name)

static mode_t Modus(int flags, va_list a) {
    return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? (mode_t)va_arg(a, int) : 0;
}

#define OEFFNEN(name, dirfd, pfad, flags, aufruf)                                                            \
    do {                                                                                                     \
        const int unter = Betroffen(dirfd, pfad);                                                            \
        if (unter && Anfrage(__func__, pfad, -1) != 0) return -1;                                            \
        const int fd = aufruf;                                                                               \
        if (fd >= 0) Merken(fd, unter);                                                                      \
        return fd;                                                                                           \
    } while (0)

int open(const char* pfad, int flags, ...) {
    ECHT(open);
    va_list a;
    va_start(a, flags);
    const mode_t m = Modus(flags, a);
    va_end(a);
    OEFFNEN(open, AT_FDCWD, pfad, flags, echt_open(pfad, flags, m));
}
int open64(const char* pfad, int flags, ...) {
    ECHT(open64);
    va_list a;
    va_start(a, flags);
    const mode_t m = Modus(flags, a);
    va_end(a);
    OEFFNEN(open64, AT_FDCWD, pfad, flags, echt_open64(pfad, flags, m));
}
int openat(int dirfd, const char* pfad, int flags, ...) {
    ECHT(openat);
    va_list a;
    va_start(a, flags);
    const mode_t m = Modus(flags, a);
    va_end(a);
    OEFFNEN(openat, dirfd, pfad, flags, echt_openat(dirfd, pfad, flags, m));
}
int openat64(int dirfd, const char* pfad, int flags, ...) {
    ECHT(openat64);
    va_list a;
    va_start(a, flags);
    const mode_t m = Modus(flags, a);
    va_end(a);
    OEFFNEN(openat64, dirfd, pfad, flags, echt_openat64(dirfd, pfad, flags, m));
}
int __open_2(const char* pfad, int flags) {
    ECHT(__open_2);
    OEFFNEN(__open_2, AT_FDCWD, pfad, flags, echt___open_2(pfad, flags));
}
int __open64_2(const char* pfad, int flags) {
    ECHT(__open64_2);
    OEFFNEN(__open64_2, AT_FDCWD, pfad, flags, echt___open64_2(pfad, flags));
}
int __openat_2(int dirfd, const char* pfad, int flags) {
    ECHT(__openat_2);
    OEFFNEN(__openat_2, dirfd, pfad, flags, echt___openat_2(dirfd, pfad, flags));
}
int __openat64_2(int dirfd, const char* pfad, int flags) {
    ECHT(__openat64_2);
    OEFFNEN(__openat64_2, dirfd, pfad, flags, echt___openat64_2(dirfd, pfad, flags));
}

FILE* fopen(const char* pfad, const char* art) {
    ECHT(fopen);
    const int unter = Betroffen(AT_FDCWD, pfad);
    if (unter && Anfrage(__func__, pfad, -1) != 0) return NULL;
    FILE* f = echt_fopen(pfad, art);
    if (f) Merken(fileno(f), unter);
    return f;
}
FILE* fopen64(const char* pfad, const char* art) {
    ECHT(fopen64);
    const int unter = Betroffen(AT_FDCWD, pfad);
    if (unter && Anfrage(__func__, pfad, -1) != 0) return NULL;
    FILE* f = echt_fopen64(pfad, art);
    if (f) Merken(fileno(f), unter);
    return f;
}
int fclose(FILE* f) {
    ECHT(fclose);
    if (f) Merken(fileno(f), 0);
    return echt_fclose(f);
}

int close(int fd) {
    ECHT(close);
    Merken(fd, 0);
    return echt_close(fd);
}

DIR* opendir(const char* pfad) {
    ECHT(opendir);
    const int unter = Betroffen(AT_FDCWD, pfad);
    if (unter && Anfrage(__func__, pfad, -1) != 0) return NULL;
    DIR* d = echt_opendir(pfad);
    if (d) Merken(dirfd(d), unter);
    return d;
}
int closedir(DIR* d) {
    ECHT(closedir);
    Merken(dirfd(d), 0);
    return echt_closedir(d);
}

/* Calls with a path: the round trip first, then the call itself. */
#define PFAD_AUFRUF(dirfd, pfad, aufruf)                                                                     \
    do {                                                                                                     \
        if (Betroffen(dirfd, pfad) && Anfrage(__func__, pfad, -1) != 0) return -1;                           \
        return aufruf;                                                                                       \
    } while (0)

/* An empty path with AT_EMPTY_PATH asks about the fd itself, as fstat does. */
static int AufFd(const char* pfad, int flags) {
    return pfad && !pfad[0] && (flags & AT_EMPTY_PATH);
}

int stat(const char* pfad, struct stat* s) {
    ECHT(stat);
    PFAD_AUFRUF(AT_FDCWD, pfad, echt_stat(pfad, s));
}
int stat64(const char* pfad, struct stat64* s) {
    ECHT(stat64);
    PFAD_AUFRUF(AT_FDCWD, pfad, echt_stat64(pfad, s));
}
int lstat(const char* pfad, struct stat* s) {
    ECHT(lstat);
    PFAD_AUFRUF(AT_FDCWD, pfad, echt_lstat(pfad, s));
}
int lstat64(const char* pfad, struct stat64* s) {
    ECHT(lstat64);
    PFAD_AUFRUF(AT_FDCWD, pfad, echt_lstat64(pfad, s));
}
int fstatat(int dirfd, const char* pfad, struct stat* s, int flags) {
    ECHT(fstatat);
    if (AufFd(pfad, flags)) return echt_fstatat(dirfd, pfad, s, flags);
    PFAD_AUFRUF(dirfd, pfad, echt_fstatat(dirfd, pfad, s, flags));
}
int fstatat64(int dirfd, const char* pfad, struct stat64* s, int flags) {
    ECHT(fstatat64);
    if (AufFd(pfad, flags)) return echt_fstatat64(dirfd, pfad, s, flags);
    PFAD_AUFRUF(dirfd, pfad, echt_fstatat64(dirfd, pfad, s, flags));
}
int statx(int dirfd, const char* pfad, int flags, unsigned int maske, struct statx* s) {
    ECHT(statx);
    if (AufFd(pfad, flags)) return echt_statx(dirfd, pfad, flags, maske, s);
    PFAD_AUFRUF(dirfd, pfad, echt_statx(dirfd, pfad, flags, maske, s));
}

/* Programs built against an older C library still call these. */
typedef int (*XStat)(int, const char*, struct stat*);
typedef int (*FxStatAt)(int, int, const char*, struct stat*, int);
#define ALT_STAT(name)                                                                                       \
    int name(int version, const char* pfad, struct stat* s) {                                                \
        static XStat echt;                                                                                   \
        if (!echt) echt = (XStat)dlsym(RTLD_NEXT, #name);                                                    \
        PFAD_AUFRUF(AT_FDCWD, pfad, echt(version, pfad, s));                                                 \
    }
ALT_STAT(__xstat)
ALT_STAT(__xstat64)
ALT_STAT(__lxstat)
ALT_STAT(__lxstat64)
#define ALT_STATAT(name)                                                                                     \
    int name(int version, int dirfd, const char* pfad, struct stat* s, int flags) {                          \
        static FxStatAt echt;                                                                                \
        if (!echt) echt = (FxStatAt)dlsym(RTLD_NEXT, #name);                                                 \
        if (AufFd(pfad, flags)) return echt(version, dirfd, pfad, s, flags);                                 \
        PFAD_AUFRUF(dirfd, pfad, echt(version, dirfd, pfad, s, flags));                                      \
    }
ALT_STATAT(__fxstatat)
ALT_STATAT(__fxstatat64)

int access(const char* pfad, int art) {
    ECHT(access);
    PFAD_AUFRUF(AT_FDCWD, pfad, echt_access(pfad, art));
}
int euidaccess(const char* pfad, int art) {
    ECHT(euidaccess);
    PFAD_AUFRUF(AT_FDCWD, pfad, echt_euidaccess(pfad, art));
}
int eaccess(const char* pfad, int art) {
    ECHT(eaccess);
    PFAD_AUFRUF(AT_FDCWD, pfad, echt_eaccess(pfad, art));
}
int faccessat(int dirfd, const char* pfad, int art, int flags) {
    ECHT(faccessat);
    PFAD_AUFRUF(dirfd, pfad, echt_faccessat(dirfd, pfad, art, flags));
}

char* realpath(const char* pfad, char* aufgeloest) {
    ECHT(realpath);
    if (Betroffen(AT_FDCWD, pfad) && Anfrage(__func__, pfad, -1) != 0) return NULL;
    t_drinnen = 1;
    char* r = echt_realpath(pfad, aufgeloest);
    t_drinnen = 0;
    return r;
}
char* canonicalize_file_name(const char* pfad) {
    ECHT(canonicalize_file_name);
    if (Betroffen(AT_FDCWD, pfad) && Anfrage(__func__, pfad, -1) != 0) return NULL;
    t_drinnen = 1;
    char* r = echt_canonicalize_file_name(pfad);
    t_drinnen = 0;
    return r;
}

/* Reads on an fd opened below the folder: a round trip each, and the bytes at the bandwidth. */
#define LESEN(fd, aufruf)                                                                                    \
    do {                                                                                                     \
        pthread_once(&g_einmal, Einrichten);                                                                 \
        const int unter = !t_drinnen && g_ordnerZahl && FdUnter(fd);                                         \
        if (unter && Anfrage(__func__, NULL, fd) != 0) return -1;                                            \
        const ssize_t gelesen = aufruf;                                                                      \
        if (unter) Uebertragung(gelesen);                                                                    \
        return gelesen;                                                                                      \
    } while (0)

ssize_t read(int fd, void* p, size_t n) {
    ECHT(read);
    LESEN(fd, echt_read(fd, p, n));
}
ssize_t __read_chk(int fd, void* p, size_t n, size_t platz) {
    ECHT(__read_chk);
    LESEN(fd, echt___read_chk(fd, p, n, platz));
}
ssize_t pread(int fd, void* p, size_t n, off_t o) {
    ECHT(pread);
    LESEN(fd, echt_pread(fd, p, n, o));
}
ssize_t pread64(int fd, void* p, size_t n, off64_t o) {
    ECHT(pread64);
    LESEN(fd, echt_pread64(fd, p, n, o));
}
ssize_t readv(int fd, const struct iovec* v, int n) {
    ECHT(readv);
    LESEN(fd, echt_readv(fd, v, n));
}
