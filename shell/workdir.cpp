// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/workdir.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "config/config.h"

namespace {

bool IsAbsolute(const std::string& path) { return !path.empty() && path[0] == '/'; }

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

std::string Why(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

// Writes all of `bytes` to fd; false on any short or failed write.
bool WriteAll(int fd, const char* bytes, size_t size) {
    while (size > 0) {
        const ssize_t n = write(fd, bytes, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes += n;
        size -= size_t(n);
    }
    return true;
}

// Copies `from` into the new file `temp`, flushed to disk before it is given its name.
bool CopyToTemp(const std::string& from, std::string& temp, std::string& error) {
    const int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        error = Why("cannot read", from);
        return false;
    }
    std::vector<char> buf(temp.begin(), temp.end());
    buf.push_back('\0');
    const int out = mkstemp(buf.data());
    if (out < 0) {
        error = Why("cannot write into", temp.substr(0, temp.rfind('/')));
        close(in);
        return false;
    }
    temp = buf.data();
    bool ok = true;
    char chunk[65536];
    for (;;) {
        const ssize_t n = read(in, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = Why("cannot read", from);
            ok = false;
            break;
        }
        if (n == 0) break;
        if (!WriteAll(out, chunk, size_t(n))) {
            error = Why("cannot write", temp);
            ok = false;
            break;
        }
    }
    if (ok && (fchmod(out, 0644) != 0 || fsync(out) != 0)) {
        error = Why("cannot write", temp);
        ok = false;
    }
    close(in);
    if (close(out) != 0 && ok) {
        error = Why("cannot write", temp);
        ok = false;
    }
    if (!ok) unlink(temp.c_str());
    return ok;
}

// Gives the finished temporary copy its name unless a file of that name appeared meanwhile
// (another instance seeding the same folder): link() never replaces. Folders whose file
// system has no hard links (FAT on a memory stick) get a rename after a last look.
bool Publish(const std::string& temp, const std::string& target, std::string& error) {
    bool ok = true;
    if (link(temp.c_str(), target.c_str()) != 0 && errno != EEXIST) {
        struct stat st {};
        if (lstat(target.c_str(), &st) != 0 && rename(temp.c_str(), target.c_str()) != 0) {
            error = Why("cannot write", target);
            ok = false;
        }
    }
    unlink(temp.c_str());
    return ok;
}

}  // namespace

WorkdirChoice ChooseWorkdir(const WorkdirSources& s) {
    WorkdirChoice c;
    if (!s.option.empty()) {
        c.dir = s.option;
        c.seedFrom = !s.installedData.empty() ? s.installedData : s.sourceData;
        c.shipped = !s.installedData.empty();
        return c;
    }
    // Run from the build tree: the current folder, as tools/run.sh and the tests expect.
    if (s.installedData.empty()) return c;
    c.seedFrom = s.installedData;
    c.shipped = true;
    // Relative values are to be ignored, as the base-directory rules for desktops say.
    if (IsAbsolute(s.xdgDataHome)) {
        c.dir = s.xdgDataHome + "/heliora";
    } else if (IsAbsolute(s.home)) {
        c.dir = s.home + "/.local/share/heliora";
    } else {
        c.seedFrom.clear();
        c.error = "neither $XDG_DATA_HOME nor $HOME names a folder to keep the configuration "
                  "and the logbook in; name one with --workdir DIR";
    }
    return c;
}

std::string InstalledDataDir(const std::string& exePath) {
    const size_t slash = exePath.rfind('/');
    if (slash == std::string::npos) return "";
    const std::string dir = exePath.substr(0, slash) + "/../share/heliora";
    return IsDirectory(dir) ? dir : "";
}

WorkdirSources ReadWorkdirSources(const std::string& option) {
    WorkdirSources s;
    s.option = option;
    s.xdgDataHome = Env("XDG_DATA_HOME");
    s.home = Env("HOME");
    if (s.home.empty()) {
        // Started without $HOME (from a service, or `env -i`): the account's own folder.
        if (const passwd* pw = getpwuid(getuid())) s.home = pw->pw_dir ? pw->pw_dir : "";
    }
    char exe[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n > 0) s.installedData = InstalledDataDir(std::string(exe, size_t(n)));
#ifdef HELIORA_SOURCE_DATA_DIR
    if (IsDirectory(HELIORA_SOURCE_DATA_DIR)) s.sourceData = HELIORA_SOURCE_DATA_DIR;
#endif
    return s;
}

bool MakeFolders(const std::string& dir, std::string& error) {
    for (size_t pos = 1; pos <= dir.size(); ++pos) {
        if (pos < dir.size() && dir[pos] != '/') continue;
        const std::string part = dir.substr(0, pos);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            error = Why("cannot make the folder", part);
            return false;
        }
    }
    if (!IsDirectory(dir)) {
        errno = ENOTDIR;
        error = Why("cannot make the folder", dir);
        return false;
    }
    return true;
}

bool SeedMissingFiles(const std::string& from, const std::string& to, std::string& error) {
    DIR* d = opendir(from.c_str());
    if (!d) {
        error = Why("cannot read the folder", from);
        return false;
    }
    std::vector<std::string> names;
    while (const dirent* e = readdir(d)) {
        const std::string name = e->d_name;
        struct stat st {};
        if (name[0] == '.' || stat((from + "/" + name).c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        names.push_back(name);
    }
    closedir(d);
    for (const std::string& name : names) {
        const std::string target = to + "/" + name;
        struct stat st {};
        if (lstat(target.c_str(), &st) == 0) continue;  // the user's own copy stays
        std::string temp = to + "/." + name + ".XXXXXX";
        if (!CopyToTemp(from + "/" + name, temp, error) || !Publish(temp, target, error))
            return false;
    }
    return true;
}

bool PutBackShippedConfiguration(const std::string& from, const std::string& dir,
                                 std::string& notice) {
    notice.clear();
    const std::string name = kConfigFileName;
    const std::string path = dir + "/" + name, aside = path + ".damaged";
    std::string problem, error;
    if (!CheckConfigurationFile(path.c_str(), problem) || problem.empty()) return false;
    std::string shipped;
    if (!CheckConfigurationFile((from + "/" + name).c_str(), shipped) || !shipped.empty())
        return false;  // nothing sound to put back: the start reports the damage instead
    if (rename(path.c_str(), aside.c_str()) != 0) return false;
    if (!SeedMissingFiles(from, dir, error)) {
        rename(aside.c_str(), path.c_str());
        return false;
    }
    notice = path + " was damaged (" + problem + "): the shipped configuration is back in its "
             "place, and the damaged one is kept as " + name + ".damaged";
    return true;
}

int PrepareWorkdir(const std::string& option, std::FILE* err, std::string* said) {
    const WorkdirChoice c = ChooseWorkdir(ReadWorkdirSources(option));
    std::string error = c.error, notice;
    if (error.empty() && !c.dir.empty()) {
        if (MakeFolders(c.dir, error) && (c.seedFrom.empty() || SeedMissingFiles(c.seedFrom, c.dir, error)) &&
            chdir(c.dir.c_str()) != 0)
            error = Why("cannot enter the folder", c.dir);
        if (error.empty() && c.shipped && PutBackShippedConfiguration(c.seedFrom, c.dir, notice))
            std::fprintf(err, "heliora: %s\n", notice.c_str());
    }
    if (said) *said = error.empty() ? notice : error;
    if (error.empty()) return -1;
    std::fprintf(err, "heliora: %s\n", error.c_str());
    return 1;
}
