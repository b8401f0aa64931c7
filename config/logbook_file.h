// SPDX-License-Identifier: GPL-3.0-or-later
// The shared logbook file name and the few file operations the logbook uses over it.
#pragma once
#include <cstdio>

constexpr int kLogbookFileNameSize = 256;

struct LogbookFileState {
    char fileName[kLogbookFileNameSize] = "";
    int saveResult = 0;  // 1 once a file has been chosen for saving
    int openResult = 0;  // 1 once a file has been chosen for opening
};
extern LogbookFileState gLogbookFile;
// Also lets the folder's lock go: a program at its start holds none.
void ResetLogbookFileState();

// One Heliora at a time owns a working folder's logbook files: it holds an advisory lock on
// "logbook.lck" from start-up to exit. Another copy started in the same folder must leave
// the files alone, or its start-up and exit clean-ups would empty the first one's logbook.
constexpr const char* kLogbookLockName = "logbook.lck";
enum LogbookClaim : int {
    kClaimHeld,          // this process holds the folder's logbook (also when it already did)
    kClaimedByAnother,   // another process holds it
    kClaimUnavailable,   // no lock can be had here (a read-only folder): go on without one
};
int ClaimLogbookFolder();
// Lets the lock go (nothing when none is held).
void ReleaseLogbookFolder();

// Each puts "logbook.bin" into the shared name, sets its own result flag to 1 and returns 1.
int ChooseLogbookFileForSave();
int ChooseLogbookFileForOpen();

// Operations on the file named by the shared buffer, through the seam of logbook_file_ops.h.
FILE* OpenLogbookFile();  // for reading
void CloseLogbookFile(FILE* file);
bool DeleteLogbookFile();
// Renames `from` over the named file in one step; the target is replaced, never deleted first.
bool RenameToLogbookFile(const char* from);
