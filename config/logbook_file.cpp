// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/logbook_file.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "config/logbook_file_ops.h"

LogbookFileState gLogbookFile;

namespace {
int gLockFd = -1;  // the open lock file while this process holds the folder's logbook
}  // namespace

void ResetLogbookFileState() {
    ReleaseLogbookFolder();
    gLogbookFile = LogbookFileState();
}

int ClaimLogbookFolder() {
    if (gLockFd >= 0) return kClaimHeld;
    // The lock file is never removed: removing it would let two copies lock two files.
    const int fd = open(kLogbookLockName, O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return kClaimUnavailable;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool taken = errno == EWOULDBLOCK;
        close(fd);
        return taken ? kClaimedByAnother : kClaimUnavailable;
    }
    gLockFd = fd;
    return kClaimHeld;
}

void ReleaseLogbookFolder() {
    if (gLockFd < 0) return;
    close(gLockFd);  // closing the only descriptor lets the lock go
    gLockFd = -1;
}

namespace {
void ChooseLogbookFileName() {
    std::snprintf(gLogbookFile.fileName, sizeof gLogbookFile.fileName, "%s", "logbook.bin");
}
}  // namespace

int ChooseLogbookFileForSave() {
    ChooseLogbookFileName();
    gLogbookFile.saveResult = 1;
    return 1;
}

int ChooseLogbookFileForOpen() {
    ChooseLogbookFileName();
    gLogbookFile.openResult = 1;
    return 1;
}

FILE* OpenLogbookFile() {
    if (gLogbookFile.fileName[0] == '\0') return nullptr;
    return FileOpen(gLogbookFile.fileName);
}

void CloseLogbookFile(FILE* file) {
    if (file) FileClose(file);
}

bool DeleteLogbookFile() {
    if (gLogbookFile.fileName[0] == '\0') return false;
    return FileRemove(gLogbookFile.fileName);
}

bool RenameToLogbookFile(const char* from) {
    if (gLogbookFile.fileName[0] == '\0') return false;
    return FileRename(from, gLogbookFile.fileName);
}
