// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/logbook_file_ops.h"

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <ftw.h>
#include <stdio_ext.h>
#include <sys/stat.h>
#include <unistd.h>

FileOpsState gFileOps;

void ResetFileOps() { gFileOps = FileOpsState(); }

bool AddFileFault(int op, int error, long at, long every) {
    FileOpsState& s = gFileOps;
    if (s.faultCount >= kMaxFileFaults) return false;
    s.faults[s.faultCount++] = FileFault{op, error, at, every};
    return true;
}

int FirstFileError() { return gFileOps.firstError; }
const char* FirstFileErrorName() { return gFileOps.firstErrorName; }
void ClearFileError() {
    gFileOps.firstError = 0;
    gFileOps.firstErrorName[0] = '\0';
}

namespace {

enum class Step { kPerform, kFail, kDie };

void Note(int error, const char* name) {
    FileOpsState& s = gFileOps;
    if (s.firstError != 0) return;
    s.firstError = error != 0 ? error : EIO;
    std::snprintf(s.firstErrorName, sizeof s.firstErrorName, "%s", name ? name : "");
}

bool Fail(int error, const char* name) {
    errno = error;
    Note(error, name);
    return false;
}

// The name an open file was opened by ("" for one opened elsewhere).
const char* NameOf(const FILE* file) {
    for (int i = 0; i < kMaxOpenFiles; ++i)
        if (file && gFileOps.openFiles[i] == file) return gFileOps.openNames[i];
    return "";
}

FILE* Opened(FILE* file, const char* name) {
    FileOpsState& s = gFileOps;
    for (int i = 0; file && i < kMaxOpenFiles; ++i)
        if (!s.openFiles[i]) {
            s.openFiles[i] = file;
            std::snprintf(s.openNames[i], sizeof s.openNames[i], "%s", name);
            break;
        }
    return file;
}

void Closed(const FILE* file) {
    for (FILE*& f : gFileOps.openFiles)
        if (f == file) f = nullptr;
}

bool Hits(const FileFault& f, long n) {
    if (n == f.at) return true;
    return f.every > 0 && n > f.at && (n - f.at) % f.every == 0;
}

// Counts the call and decides its fate. A dead process performs nothing at all.
Step Begin(int op, const char* name) {
    FileOpsState& s = gFileOps;
    if (s.dead) {
        errno = EIO;
        return Step::kFail;
    }
    ++s.calls[op];
    ++s.total;
    if (s.killAt > 0 && s.total == s.killAt) {
        s.dead = true;
        return Step::kDie;
    }
    for (int i = 0; i < s.faultCount; ++i)
        if (s.faults[i].op == op && Hits(s.faults[i], s.calls[op])) {
            Fail(s.faults[i].error, name);
            return Step::kFail;
        }
    return Step::kPerform;
}

// What a dead process leaves of an open file: whatever already reached the kernel, not
// the bytes still in the stdio buffer.
void Abandon(FILE* file) {
    Closed(file);
    __fpurge(file);
    std::fclose(file);
}

}  // namespace

FILE* FileOpen(const char* name) {
    if (Begin(kFileOpen, name) != Step::kPerform) return nullptr;
    FILE* f = std::fopen(name, "rb");
    // A missing file is an empty logbook, not a failure.
    if (!f && errno != ENOENT) Note(errno, name);
    return Opened(f, name);
}

FILE* FileCreate(const char* name) {
    const Step step = Begin(kFileCreate, name);
    if (step == Step::kFail) return nullptr;
    FILE* f = std::fopen(name, "wb");  // a kill just after creating leaves the file empty
    if (!f) Note(errno, name);
    return Opened(f, name);
}

long FileRead(FILE* file, void* buffer, size_t size) {
    if (!file) return -1;
    if (Begin(kFileRead, NameOf(file)) != Step::kPerform) return -1;
    const size_t n = std::fread(buffer, 1, size, file);
    if (n < size && std::ferror(file)) {
        Note(errno, NameOf(file));
        std::clearerr(file);
        return -1;
    }
    return long(n);
}

bool FileWrite(FILE* file, const void* data, size_t size) {
    if (!file) return false;
    const Step step = Begin(kFileWrite, NameOf(file));
    if (step == Step::kFail) return false;
    if (step == Step::kDie) {
        // Killed in the middle of the write: half of it reached the file.
        std::fwrite(data, 1, size / 2, file);
        std::fflush(file);
        return false;
    }
    if (std::fwrite(data, 1, size, file) == size) return true;
    return Fail(errno, NameOf(file));
}

bool FileRewind(FILE* file) { return file && std::fseek(file, 0, SEEK_SET) == 0; }

bool FileSync(FILE* file) {
    if (!file) return false;
    const Step step = Begin(kFileSync, NameOf(file));
    if (step == Step::kFail) return false;
    if (std::fflush(file) != 0) return Fail(errno, NameOf(file));
    if (step == Step::kDie) return false;  // the bytes reached the kernel, not yet the disk
    return fsync(fileno(file)) == 0 || Fail(errno, NameOf(file));
}

bool FileSyncFolder(const char* folder) {
    if (Begin(kFileSync, folder) != Step::kPerform) return false;
    const int fd = open(folder, O_RDONLY | O_DIRECTORY);
    if (fd < 0) return Fail(errno, folder);
    const bool ok = fsync(fd) == 0 || Fail(errno, folder);
    close(fd);
    return ok;
}

bool FileClose(FILE* file) {
    if (!file) return false;
    char name[kFileNameSize];
    std::snprintf(name, sizeof name, "%s", NameOf(file));
    if (Begin(kFileClose, name) != Step::kPerform) {
        Abandon(file);  // the buffered bytes are lost, as with a failing disk or a kill
        return false;
    }
    Closed(file);
    return std::fclose(file) == 0 || Fail(errno, name);
}

bool FileRename(const char* from, const char* to) {
    // A rename is done or not at all. What fails is the target: a folder in its place, or
    // the folder it goes into.
    if (Begin(kFileRename, to) != Step::kPerform) return false;
    return std::rename(from, to) == 0 || Fail(errno, to);
}

bool FileRemove(const char* name) {
    if (Begin(kFileRemove, name) != Step::kPerform) return false;
    if (std::remove(name) == 0) return true;
    if (errno == ENOENT) return false;  // nothing to remove is no failure to report
    return Fail(errno, name);
}

namespace {
int RemoveOne(const char* path, const struct stat*, int type, struct FTW*) {
    return (type == FTW_DP ? rmdir(path) : unlink(path)) == 0 ? 0 : -1;
}
}  // namespace

bool FileClearStale(const char* name) {
    struct stat st;
    if (lstat(name, &st) != 0) return errno == ENOENT;  // nothing there: free
    if (Begin(kFileRemove, name) != Step::kPerform) return false;
    const bool gone = S_ISDIR(st.st_mode) ? nftw(name, RemoveOne, 16, FTW_DEPTH | FTW_PHYS) == 0
                                          : unlink(name) == 0;
    return gone || Fail(errno, name);
}
