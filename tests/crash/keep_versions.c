/* Preloaded into the program by crash_safety.sh: every file the program puts
 * in place (a rename over its name, or a link of an unnamed temporary file) is
 * first copied into $TIRAVON_VERSIONS as NAME.<pid>.<n>. Those copies are the
 * whole versions the program wrote; after a kill each file must be one of them
 * or the file it started with. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static int counter;

static void keep(int dirfd, const char *from, int emptyPath, const char *to)
{
    const char *folder = getenv("TIRAVON_VERSIONS");
    if (!folder)
        return;
    int in = emptyPath && from[0] == '\0' ? dup(dirfd) : openat(dirfd, from, O_RDONLY);
    if (in < 0)
        return;
    const char *base = strrchr(to, '/');
    char copy[4096];
    snprintf(copy, sizeof copy, "%s/%s.%d.%d", folder, base ? base + 1 : to, (int)getpid(),
             __atomic_add_fetch(&counter, 1, __ATOMIC_SEQ_CST));
    int out = open(copy, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out >= 0) {
        char buffer[65536];
        off_t offset = 0;
        ssize_t n;
        while ((n = pread(in, buffer, sizeof buffer, offset)) > 0) {
            if (write(out, buffer, (size_t)n) != n)
                break;
            offset += n;
        }
        close(out);
    }
    close(in);
}

int rename(const char *from, const char *to)
{
    static int (*real)(const char *, const char *);
    if (!real)
        real = (int (*)(const char *, const char *))dlsym(RTLD_NEXT, "rename");
    keep(AT_FDCWD, from, 0, to);
    return real(from, to);
}

int renameat(int fromDir, const char *from, int toDir, const char *to)
{
    static int (*real)(int, const char *, int, const char *);
    if (!real)
        real = (int (*)(int, const char *, int, const char *))dlsym(RTLD_NEXT, "renameat");
    keep(fromDir, from, 0, to);
    return real(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char *from, int toDir, const char *to, unsigned int flags)
{
    static int (*real)(int, const char *, int, const char *, unsigned int);
    if (!real)
        real = (int (*)(int, const char *, int, const char *, unsigned int))dlsym(RTLD_NEXT, "renameat2");
    keep(fromDir, from, 0, to);
    return real(fromDir, from, toDir, to, flags);
}

int linkat(int fromDir, const char *from, int toDir, const char *to, int flags)
{
    static int (*real)(int, const char *, int, const char *, int);
    if (!real)
        real = (int (*)(int, const char *, int, const char *, int))dlsym(RTLD_NEXT, "linkat");
    keep(fromDir, from, flags & AT_EMPTY_PATH, to);
    return real(fromDir, from, toDir, to, flags);
}
