// POSIX files, folders, environment, file times and program runners.
#include "platform/OsFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

bool PlatGetCurrentDir(char *buffer, int size)
{
    if (size <= 0) return false;
    if (getcwd(buffer, static_cast<size_t>(size))) return true;
    buffer[0] = 0;
    return false;
}

bool PlatChangeDir(const char *path) { return chdir(path) == 0; }
bool PlatMakeDir(const char *path) { return mkdir(path, 0777) == 0; }
bool PlatRemoveDir(const char *path) { return rmdir(path) == 0; }
bool PlatPathExists(const char *path) { return access(path, F_OK) == 0; }

bool PlatCanOpenReadWrite(const char *path)
{
    int fd = open(path, O_RDWR | O_CLOEXEC);
    if (fd < 0) return false;
    close(fd);
    return true;
}

// A file, not a folder, as remove does on Windows.
bool PlatRemove(const char *path) { return unlink(path) == 0; }

bool PlatMakeWritable(const char *path)
{
    struct stat info;
    if (stat(path, &info) != 0) return false;
    return chmod(path, (info.st_mode & 07777) | S_IRUSR | S_IWUSR) == 0;
}

bool PlatRename(const char *oldName, const char *newName) { return rename(oldName, newName) == 0; }

// rename that fails when the new name exists, as MoveFileA does.
static bool RenameNoReplace(const char *oldName, const char *newName)
{
    if (renameat2(AT_FDCWD, oldName, AT_FDCWD, newName, RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system without the flag: test, then rename.
    if (access(newName, F_OK) == 0 || errno != ENOENT) {
        errno = EEXIST;
        return false;
    }
    return rename(oldName, newName) == 0;
}

// Copies the content and the modification time to a new file beside the
// target, then puts it in place; a failed copy never damages the target.
static bool CopyContent(const char *oldName, const char *newName, bool failIfExists)
{
    int in = open(oldName, O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    struct stat info;
    if (fstat(in, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (errno == 0 || S_ISDIR(info.st_mode)) errno = EISDIR;
        close(in);
        return false;
    }
    std::string temporary = std::string(newName) + ".copy" + std::to_string(getpid());
    int out = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, info.st_mode & 0777);
    if (out < 0) {
        close(in);
        return false;
    }
    bool ok = true;
    char buffer[65536];
    for (;;) {
        ssize_t n = read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0) break;
        for (ssize_t done = 0; done < n;) {
            ssize_t w = write(out, buffer + done, static_cast<size_t>(n - done));
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) {
                ok = false;
                break;
            }
            done += w;
        }
        if (!ok) break;
    }
    timespec times[2] = {info.st_atim, info.st_mtim};
    if (ok) futimens(out, times);
    int error = errno;
    if (close(out) != 0) ok = false;
    close(in);
    if (ok) ok = failIfExists ? RenameNoReplace(temporary.c_str(), newName)
                              : rename(temporary.c_str(), newName) == 0;
    if (!ok) {
        error = errno;
        unlink(temporary.c_str());
        errno = error;
    }
    return ok;
}

// There is no sharing violation on POSIX: a file held open elsewhere can be
// moved and copied, so the result is only done (0) or failed (-1).
int PlatMoveFile(const char *oldName, const char *newName)
{
    if (RenameNoReplace(oldName, newName)) return 0;
    if (errno != EXDEV) return -1;
    // Another file system: copy, then remove the original.
    if (!CopyContent(oldName, newName, true)) return -1;
    return unlink(oldName) == 0 ? 0 : -1;
}

int PlatCopyFile(const char *oldName, const char *newName, bool failIfExists)
{
    if (failIfExists && access(newName, F_OK) == 0) {
        errno = EEXIST;
        return -1;
    }
    return CopyContent(oldName, newName, failIfExists) ? 0 : -1;
}

int PlatOpenRawRead(const char *path) { return open(path, O_RDONLY | O_CLOEXEC); }

int PlatOpenRawWrite(const char *path, bool truncate)
{
    return open(path, O_RDWR | O_CREAT | O_CLOEXEC | (truncate ? O_TRUNC : O_EXCL), 0666);
}

const char *PlatGetEnv(const char *name) { return getenv(name); }
bool PlatPutEnv(char *entry) { return putenv(entry) == 0; }

bool PlatFileModifiedTime(const char *path, int64_t *seconds)
{
    struct stat info;
    if (stat(path, &info) != 0) return false;
    *seconds = static_cast<int64_t>(info.st_mtime);
    return true;
}

bool PlatSetFileTimes(const char *path, int64_t seconds)
{
    timespec times[2];
    times[0].tv_sec = static_cast<time_t>(seconds);
    times[0].tv_nsec = 0;
    times[1] = times[0];
    return utimensat(AT_FDCWD, path, times, 0) == 0;
}

// A pipe that closes on exec tells the parent whether the program could be
// started: an exec that fails writes its errno into it.
//
// Tokens may keep the double quotes that group their spaces; the Windows
// runtime removes them when the child reads its command line, and here they
// are removed before the program sees its arguments.
int PlatSpawn(bool wait, const char *program, char *const *arguments)
{
    std::vector<std::string> stripped;
    for (char *const *a = arguments; *a; a++) {
        std::string argument;
        for (const char *c = *a; *c; c++)
            if (*c != '"') argument += *c;
        stripped.push_back(argument);
    }
    std::vector<char *> argv;
    for (std::string &argument : stripped) argv.push_back(argument.data());
    argv.push_back(nullptr);
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) return -1;
    pid_t pid = fork();
    if (pid < 0) {
        close(report[0]);
        close(report[1]);
        return -1;
    }
    if (pid == 0) {
        close(report[0]);
        if (!wait) {
            // Detached: a grandchild in a session of its own, so that nothing
            // waits for it and it leaves no zombie behind.
            setsid();
            pid_t grandchild = fork();
            if (grandchild != 0) _exit(grandchild < 0 ? 1 : 0);
        }
        execvp(program, argv.data());
        int error = errno;
        ssize_t ignored = write(report[1], &error, sizeof error);
        (void)ignored;
        _exit(127);
    }
    close(report[1]);
    int error = 0;
    ssize_t n;
    do n = read(report[0], &error, sizeof error);
    while (n < 0 && errno == EINTR);
    close(report[0]);
    int status = 0;
    pid_t result;
    do result = waitpid(pid, &status, 0);
    while (result < 0 && errno == EINTR);
    if (n > 0) {
        errno = error;
        return -1;
    }
    if (result < 0) return -1;
    if (!wait) return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : -1;
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

void PlatSetBinaryFileMode() {}
