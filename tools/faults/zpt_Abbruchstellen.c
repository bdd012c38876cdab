/* Crash points for the fault injection, loaded with LD_PRELOAD into a writer:
 * every call that changes a file (write, truncate, copy, sync, rename, link, unlink;
 * syncfs and sync, which flush whole file systems)
 * on a regular file or a folder is counted and, with PIXOLUDA_SPUR=FILE, written to
 * that file as one line ("fsync PATH", "rename FROM\tTO", ...). With
 * PIXOLUDA_KILL_BEI=K the process kills itself with SIGKILL just before its K-th such
 * call, as a power cut at that boundary would leave the files. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

static atomic_long zaehler;
static int spur = -2; /* -2 not opened yet, -1 none */

static void Spur(const char* art, const char* a, const char* b) {
    if (spur == -2) {
        const char* datei = getenv("PIXOLUDA_SPUR");
        spur = datei ? (int)syscall(SYS_openat, AT_FDCWD, datei, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644)
                     : -1;
    }
    if (spur < 0) return;
    char zeile[2 * PATH_MAX + 64];
    const int n = snprintf(zeile, sizeof zeile, "%s %s%s%s\n", art, a, b ? "\t" : "", b ? b : "");
    if (n > 0) syscall(SYS_write, spur, zeile, (size_t)(n < (int)sizeof zeile ? n : (int)sizeof zeile - 1));
}

/* Counts the call and dies when it is the chosen one. */
static void Grenze(const char* art, const char* a, const char* b) {
    const long k = atomic_fetch_add(&zaehler, 1) + 1;
    const char* bei = getenv("PIXOLUDA_KILL_BEI");
    if (bei && atol(bei) == k) raise(SIGKILL);
    Spur(art, a, b);
}

/* Only regular files and folders count: the writer's messages on a pipe do not. */
static int Zaehlt(int fd, char* pfad) {
    struct stat s;
    if (fstat(fd, &s) != 0 || !(S_ISREG(s.st_mode) || S_ISDIR(s.st_mode))) return 0;
    char link[64];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, pfad, PATH_MAX - 1);
    pfad[n > 0 ? n : 0] = 0;
    return 1;
}

#define ECHT(name)                                                                                           \
    static __typeof__(&name) echt_##name;                                                                    \
    if (!echt_##name) echt_##name = (__typeof__(&name))dlsym(RTLD_NEXT, #name)

#define FD_AUFRUF(art, fd)                                                                          \
    do {                                                                                                     \
        char pfad[PATH_MAX];                                                                                 \
        if (Zaehlt(fd, pfad)) Grenze(art, pfad, NULL);                                                       \
    } while (0)

ssize_t write(int fd, const void* p, size_t n) {
    ECHT(write);
    FD_AUFRUF("write", fd);
    return echt_write(fd, p, n);
}
ssize_t pwrite64(int fd, const void* p, size_t n, off64_t o) {
    ECHT(pwrite64);
    FD_AUFRUF("write", fd);
    return echt_pwrite64(fd, p, n, o);
}
ssize_t pwrite(int fd, const void* p, size_t n, off_t o) {
    ECHT(pwrite);
    FD_AUFRUF("write", fd);
    return echt_pwrite(fd, p, n, o);
}
ssize_t writev(int fd, const struct iovec* v, int n) {
    ECHT(writev);
    FD_AUFRUF("write", fd);
    return echt_writev(fd, v, n);
}
ssize_t copy_file_range(int a, off_t* ao, int b, off_t* bo, size_t n, unsigned int f) {
    ECHT(copy_file_range);
    FD_AUFRUF("write", b);
    return echt_copy_file_range(a, ao, b, bo, n, f);
}
int ftruncate64(int fd, off64_t n) {
    ECHT(ftruncate64);
    FD_AUFRUF("truncate", fd);
    return echt_ftruncate64(fd, n);
}
int ftruncate(int fd, off_t n) {
    ECHT(ftruncate);
    FD_AUFRUF("truncate", fd);
    return echt_ftruncate(fd, n);
}
int fsync(int fd) {
    ECHT(fsync);
    FD_AUFRUF("fsync", fd);
    return echt_fsync(fd);
}
int fdatasync(int fd) {
    ECHT(fdatasync);
    FD_AUFRUF("fsync", fd);
    return echt_fdatasync(fd);
}
int syncfs(int fd) {
    ECHT(syncfs);
    FD_AUFRUF("syncfs", fd);
    return echt_syncfs(fd);
}
void sync(void) {
    ECHT(sync);
    Grenze("sync", "", NULL);
    echt_sync();
}
int rename(const char* a, const char* b) {
    ECHT(rename);
    Grenze("rename", a, b);
    return echt_rename(a, b);
}
int renameat(int da, const char* a, int db, const char* b) {
    ECHT(renameat);
    Grenze("rename", a, b);
    return echt_renameat(da, a, db, b);
}
int renameat2(int da, const char* a, int db, const char* b, unsigned int f) {
    ECHT(renameat2);
    Grenze("rename", a, b);
    return echt_renameat2(da, a, db, b, f);
}
int link(const char* a, const char* b) {
    ECHT(link);
    Grenze("link", a, b);
    return echt_link(a, b);
}
int unlink(const char* a) {
    ECHT(unlink);
    Grenze("unlink", a, NULL);
    return echt_unlink(a);
}
int unlinkat(int d, const char* a, int f) {
    ECHT(unlinkat);
    Grenze("unlink", a, NULL);
    return echt_unlinkat(d, a, f);
}
