// The registry on POSIX: one plain-text store file per root in the folder
// named by PONDRAREGISTRY, else $XDG_CONFIG_HOME/Brevant/Pondra, else
// ~/.config/Brevant/Pondra. Readers read the file as it stands; writers hold
// an advisory lock on a lock file beside it, read the current file, write a
// new one and rename it over the old one, so that concurrent writers in
// several processes each keep their values and a reader never sees half a
// file.
#include "platform/Registry.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "RegistryStore.h"

// A store larger than this is taken as damaged: it reads as empty and is not
// rewritten.
constexpr off_t StoreSizeLimit = 16 * 1024 * 1024;

static const char *RootName(PlatRegRoot root)
{
    return root == PlatRegLocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

static bool StoreFolder(std::string *folder)
{
    const char *named = getenv("PONDRAREGISTRY");
    if (named && *named) {
        *folder = named;
        return true;
    }
    const char *config = getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') {
        *folder = config;
    } else {
        const char *home = getenv("HOME");
        if (!home || !*home) {
            passwd *user = getpwuid(getuid());
            home = user ? user->pw_dir : nullptr;
        }
        if (!home || !*home) return false;
        *folder = home;
        *folder += "/.config";
    }
    *folder += "/Brevant/Pondra";
    return true;
}

// Creates the folder and the ones above it.
static bool MakeFolders(const std::string &folder)
{
    for (size_t i = 1; i <= folder.size(); i++) {
        if (i < folder.size() && folder[i] != '/') continue;
        std::string part = folder.substr(0, i);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    return true;
}

enum ReadResult { ReadDone, ReadMissing, ReadFailed };

static ReadResult ReadStoreFile(const std::string &path, std::string *content)
{
    content->clear();
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? ReadMissing : ReadFailed;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > StoreSizeLimit) {
        close(fd);
        return ReadFailed;
    }
    char buffer[8192];
    for (;;) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 || content->size() > static_cast<size_t>(StoreSizeLimit)) {
            close(fd);
            return ReadFailed;
        }
        if (n == 0) break;
        content->append(buffer, static_cast<size_t>(n));
    }
    close(fd);
    return ReadDone;
}

static bool WriteAll(int fd, const std::string &content)
{
    size_t done = 0;
    while (done < content.size()) {
        ssize_t n = write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

void PlatRegGetString(PlatRegRoot root, const char *key, const char *name, char *value)
{
    memset(value, 0, PlatRegValueSize);
    std::string folder;
    if (!StoreFolder(&folder)) return;
    std::string content;
    if (ReadStoreFile(folder + "/" + RootName(root), &content) != ReadDone) return;
    std::vector<RegStoreLine> lines;
    RegStoreParse(content, &lines);
    int found = RegStoreFind(lines, RegStorePath(key, name));
    if (found < 0) return;
    const RegStoreLine &line = lines[static_cast<size_t>(found)];
    // As with the system registry: the text and its NUL must fit the buffer.
    if (!line.isText || line.text.size() >= static_cast<size_t>(PlatRegValueSize)) return;
    memcpy(value, line.text.data(), line.text.size());
}

static const char StoreHeader[] =
    "# Pondra registry store: one value per line, \"key\\name\"=\"text\".\n"
    "# Inside quotes \\\" is a quote, \\\\ a backslash and \\xHH a byte.\n";

// The update procedures: each changes the parsed lines of the store.
enum UpdateKind { UpdateText, UpdateDelete, UpdateNumber, UpdateTree };

struct StoreUpdate {
    UpdateKind kind;
    std::string path;
    const char *text;
    uint32_t number;
};

static bool UpdateStore(PlatRegRoot root, const StoreUpdate &update)
{
    std::string folder;
    if (!StoreFolder(&folder) || !MakeFolders(folder)) return false;
    std::string storePath = folder + "/" + RootName(root);
    std::string lockPath = storePath + ".lock";
    int lock = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock < 0) return false;
    int locked;
    do locked = flock(lock, LOCK_EX);
    while (locked != 0 && errno == EINTR);
    bool done = false;
    std::string content;
    ReadResult read = locked == 0 ? ReadStoreFile(storePath, &content) : ReadFailed;
    // A store that exists but cannot be read is left alone rather than lost.
    if (read != ReadFailed) {
        std::vector<RegStoreLine> lines;
        RegStoreParse(content, &lines);
        if (read == ReadMissing) RegStoreParse(StoreHeader, &lines);
        size_t before = lines.size();
        switch (update.kind) {
        case UpdateText:
            RegStoreUpdate(&lines, update.path, update.text);
            break;
        case UpdateDelete:
            RegStoreUpdate(&lines, update.path, nullptr);
            break;
        case UpdateNumber: {
            char right[32];
            snprintf(right, sizeof right, "dword:%08x", update.number);
            RegStoreUpdateRaw(&lines, update.path, right);
            break;
        }
        case UpdateTree:
            RegStoreRemoveTree(&lines, update.path);
            break;
        }
        bool unchanged = (update.kind == UpdateDelete || update.kind == UpdateTree) && lines.size() == before;
        if (unchanged) {
            done = true;
        } else {
            std::string fresh = storePath + ".new";
            int fd = open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
            if (fd >= 0) {
                bool written = WriteAll(fd, RegStoreFormat(lines)) && fsync(fd) == 0;
                written = close(fd) == 0 && written;
                done = written && rename(fresh.c_str(), storePath.c_str()) == 0;
                if (!done) unlink(fresh.c_str());
            }
        }
    }
    close(lock);
    return done;
}

void PlatRegSetString(PlatRegRoot root, const char *key, const char *name, const char *text)
{
    UpdateStore(root, StoreUpdate{UpdateText, RegStorePath(key, name), text, 0});
}

void PlatRegDeleteValue(PlatRegRoot root, const char *key, const char *name)
{
    UpdateStore(root, StoreUpdate{UpdateDelete, RegStorePath(key, name), nullptr, 0});
}

bool PlatRegSetNumber(PlatRegRoot root, const char *key, const char *name, uint32_t number)
{
    return UpdateStore(root, StoreUpdate{UpdateNumber, RegStorePath(key, name), nullptr, number});
}

bool PlatRegDeleteTree(PlatRegRoot root, const char *key)
{
    return UpdateStore(root, StoreUpdate{UpdateTree, key, nullptr, 0});
}
