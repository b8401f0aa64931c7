// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/export_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>

#include "graphics/png.h"
#include "platform/platform.h"

ExportFolderState gExportFolder;

namespace {

std::string Why(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT: return "the disk is full";
    case EACCES:
    case EPERM:
    case EROFS: return "there is no permission to write there";
    default: return std::strerror(error);
    }
}

bool IsFolder(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Makes the folder and its parents; true when it exists afterwards.
bool MakeFolders(const std::string& path) {
    if (path.empty()) return false;
    for (size_t at = 1; at <= path.size(); ++at) {
        if (at < path.size() && path[at] != '/') continue;
        const std::string part = path.substr(0, at);
        if (!IsFolder(part) && mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    return IsFolder(path);
}

// XDG_PICTURES_DIR from the environment, else from the user's user-dirs.dirs.
std::string PicturesFolder(const std::string& home) {
    if (const char* dir = std::getenv("XDG_PICTURES_DIR"); dir && dir[0] == '/') return dir;
    if (home.empty()) return "";
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string file =
        (config && config[0] == '/' ? std::string(config) : home + "/.config") + "/user-dirs.dirs";
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        const std::string key = "XDG_PICTURES_DIR=\"";
        if (line.compare(0, key.size(), key) != 0 || line.back() != '"') continue;
        std::string value = line.substr(key.size(), line.size() - key.size() - 1);
        if (value.compare(0, 5, "$HOME") == 0) value = home + value.substr(5);
        if (!value.empty() && value[0] == '/') return value;
    }
    return home + "/Pictures";
}

void Say(char* message, int size, const std::string& text) {
    if (message && size > 0) std::snprintf(message, size_t(size), "%s", text.c_str());
}

// Flushes a written file to the disk and renames it over `path`.
bool Publish(const std::string& temp, const std::string& path, std::string& why) {
    const int fd = open(temp.c_str(), O_RDONLY);
    if (fd < 0 || fsync(fd) != 0) {
        why = Why(errno);
        if (fd >= 0) close(fd);
        unlink(temp.c_str());
        return false;
    }
    close(fd);
    if (rename(temp.c_str(), path.c_str()) != 0) {
        why = Why(errno);
        unlink(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace

bool ChooseExportFolder(std::string& folder, std::string& why) {
    if (!gExportFolder.overrideFolder.empty()) {
        folder = gExportFolder.overrideFolder;
        if (MakeFolders(folder)) return true;
        why = Why(errno);
        return false;
    }
    const char* homeVar = std::getenv("HOME");
    const std::string home = homeVar && homeVar[0] == '/' ? homeVar : "";
    const std::string pictures = PicturesFolder(home);
    std::string candidates[3];
    int n = 0;
    if (!pictures.empty()) candidates[n++] = pictures + "/Heliora";
    if (!home.empty()) candidates[n++] = home + "/Pictures/Heliora";
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd)) candidates[n++] = cwd;
    why = "there is no folder to write to";
    for (int i = 0; i < n; ++i) {
        if (MakeFolders(candidates[i]) && access(candidates[i].c_str(), W_OK) == 0) {
            folder = candidates[i];
            return true;
        }
        why = Why(errno ? errno : EACCES);
    }
    return false;
}

std::string NewExportPath(const std::string& folder, const char* extension) {
    const time_t now = std::time(nullptr);
    struct tm local {};
    localtime_r(&now, &local);
    char stamp[64];
    std::strftime(stamp, sizeof stamp, "heliora-%Y-%m-%d-%H%M%S", &local);
    std::string path = folder + "/" + stamp + "." + extension;
    for (int n = 2; access(path.c_str(), F_OK) == 0 && n < 1000; ++n)
        path = folder + "/" + stamp + "-" + std::to_string(n) + "." + extension;
    return path;
}

bool WriteExportFile(const std::string& path, const std::string& bytes, std::string& why) {
    const std::string temp = path + ".part";
    FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) {
        why = Why(errno);
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    int error = errno;
    if (std::fflush(f) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (std::fclose(f) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        why = Why(error);
        unlink(temp.c_str());
        return false;
    }
    return Publish(temp, path, why);
}

bool SaveScreenPicture(char* message, int size) {
    std::string folder, why;
    if (ChooseExportFolder(folder, why)) {
        const std::string path = NewExportPath(folder, "png");
        const std::string temp = path + ".part";
        errno = 0;
        if (WriteCanvasPng(temp.c_str())) {
            if (Publish(temp, path, why)) {
                PlatformOfferFile(path.c_str());
                Say(message, size, "Picture saved in " + path);
                return true;
            }
        } else {
            why = Why(errno ? errno : EIO);
            unlink(temp.c_str());
        }
    }
    Say(message, size, "The picture could not be saved: " + why + ".");
    return false;
}

bool SaveExportText(const std::string& csv, const char* what, char* message, int size) {
    std::string folder, why;
    if (ChooseExportFolder(folder, why)) {
        const std::string path = NewExportPath(folder, "csv");
        if (WriteExportFile(path, csv, why)) {
            PlatformOfferFile(path.c_str());
            Say(message, size, std::string("The numbers of ") + what + " are saved in " + path);
            return true;
        }
    }
    Say(message, size, std::string("The numbers of ") + what + " could not be saved: " + why + ".");
    return false;
}
