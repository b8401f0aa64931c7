#include "config/logbook_file_ops.h"

#include <cerrno>

#include <fcntl.h>
#include <stdio_ext.h>
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
void ClearFileError() { gFileOps.firstError = 0; }

namespace {

enum class Step { kPerform, kFail, kDie };

void Note(int error) {
    if (gFileOps.firstError == 0) gFileOps.firstError = error != 0 ? error : EIO;
}

bool Fail(int error) {
    errno = error;
    Note(error);
    return false;
}

bool Hits(const FileFault& f, long n) {
    if (n == f.at) return true;
    return f.every > 0 && n > f.at && (n - f.at) % f.every == 0;
}

// Counts the call and decides its fate. A dead process performs nothing at all.
Step Begin(int op) {
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
            Fail(s.faults[i].error);
            return Step::kFail;
        }
    return Step::kPerform;
}

// What a dead process leaves of an open file: whatever already reached the kernel, not
// the bytes still in the stdio buffer.
void Abandon(FILE* file) {
    __fpurge(file);
    std::fclose(file);
}

}  // namespace

FILE* FileOpen(const char* name) {
    if (Begin(kFileOpen) != Step::kPerform) return nullptr;
    FILE* f = std::fopen(name, "rb");
    // A missing file is an empty logbook, not a failure.
    if (!f && errno != ENOENT) Note(errno);
    return f;
}

FILE* FileCreate(const char* name) {
    const Step step = Begin(kFileCreate);
    if (step == Step::kFail) return nullptr;
    FILE* f = std::fopen(name, "wb");  // a kill just after creating leaves the file empty
    if (!f) Note(errno);
    return f;
}

long FileRead(FILE* file, void* buffer, size_t size) {
    if (!file) return -1;
    if (Begin(kFileRead) != Step::kPerform) return -1;
    const size_t n = std::fread(buffer, 1, size, file);
    if (n < size && std::ferror(file)) {
        Note(errno);
        std::clearerr(file);
        return -1;
    }
    return long(n);
}

bool FileWrite(FILE* file, const void* data, size_t size) {
    if (!file) return false;
    const Step step = Begin(kFileWrite);
    if (step == Step::kFail) return false;
    if (step == Step::kDie) {
        // Killed in the middle of the write: half of it reached the file.
        std::fwrite(data, 1, size / 2, file);
        std::fflush(file);
        return false;
    }
    if (std::fwrite(data, 1, size, file) == size) return true;
    return Fail(errno);
}

bool FileRewind(FILE* file) { return file && std::fseek(file, 0, SEEK_SET) == 0; }

bool FileSync(FILE* file) {
    if (!file) return false;
    const Step step = Begin(kFileSync);
    if (step == Step::kFail) return false;
    if (std::fflush(file) != 0) return Fail(errno);
    if (step == Step::kDie) return false;  // the bytes reached the kernel, not yet the disk
    return fsync(fileno(file)) == 0 || Fail(errno);
}

bool FileSyncFolder(const char* folder) {
    if (Begin(kFileSync) != Step::kPerform) return false;
    const int fd = open(folder, O_RDONLY | O_DIRECTORY);
    if (fd < 0) return Fail(errno);
    const bool ok = fsync(fd) == 0 || Fail(errno);
    close(fd);
    return ok;
}

bool FileClose(FILE* file) {
    if (!file) return false;
    if (Begin(kFileClose) != Step::kPerform) {
        Abandon(file);  // the buffered bytes are lost, as with a failing disk or a kill
        return false;
    }
    return std::fclose(file) == 0 || Fail(errno);
}

bool FileRename(const char* from, const char* to) {
    if (Begin(kFileRename) != Step::kPerform) return false;  // a rename is done or not at all
    return std::rename(from, to) == 0 || Fail(errno);
}

bool FileRemove(const char* name) {
    if (Begin(kFileRemove) != Step::kPerform) return false;
    if (std::remove(name) == 0) return true;
    if (errno == ENOENT) return false;  // nothing to remove is no failure to report
    return Fail(errno);
}
