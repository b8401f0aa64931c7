// SPDX-License-Identifier: GPL-3.0-or-later
// Every file operation of the logbook goes through these few calls, so that tests can make any
// of them fail the way a full or read-only disk would, or stop them all the way a process
// killed half-way through a rewrite would. Outside tests no fault is set and each call is the
// plain stdio or POSIX call it wraps.
#pragma once
#include <cstddef>
#include <cstdio>

enum FileOp : int {
    kFileOpen,    // opening an existing file for reading
    kFileCreate,  // creating (truncating) a file for writing
    kFileRead,
    kFileWrite,
    kFileSync,    // flushing a written file, or the folder, down to the disk
    kFileClose,
    kFileRename,
    kFileRemove,
    kFileOpCount
};

// One injected fault: the `at`-th call (counting from 1) of `op` fails with `error`, and,
// when `every` is above 0, each `every`-th call after it too.
struct FileFault {
    int op = -1;
    int error = 0;
    long at = 0;
    long every = 0;
};

constexpr int kMaxFileFaults = 4;
constexpr int kFileNameSize = 64;   // the logbook's own names are short
constexpr int kMaxOpenFiles = 8;    // a rewrite has at most three open at once

struct FileOpsState {
    FileFault faults[kMaxFileFaults];
    int faultCount = 0;
    // The process "dies" at the killAt-th operation of any kind (0: never): that operation is
    // left half done (a write puts down half its bytes) and nothing after it reaches the disk.
    long killAt = 0;
    bool dead = false;
    long calls[kFileOpCount] = {};
    long total = 0;      // every operation so far, for killAt
    int firstError = 0;  // errno of the first failure since ClearFileError, injected or real
    char firstErrorName[kFileNameSize] = "";  // the file that failed first
    // The open files and their names, so that a failing read or write can name its file.
    FILE* openFiles[kMaxOpenFiles] = {};
    char openNames[kMaxOpenFiles][kFileNameSize] = {};
};
extern FileOpsState gFileOps;
// No faults, no counts: the state at program start.
void ResetFileOps();
// Adds a fault; false when kMaxFileFaults are already set.
bool AddFileFault(int op, int error, long at, long every = 0);

// The first failure since the last ClearFileError (0 when none); the logbook's operations
// clear it on starting and read it to tell the pupil why they failed.
int FirstFileError();
// The name of the file that failed first ("" when none failed).
const char* FirstFileErrorName();
void ClearFileError();

FILE* FileOpen(const char* name);    // for reading, binary
FILE* FileCreate(const char* name);  // truncated, for writing, binary
// Reads up to `size` bytes; returns how many, or -1 on a read error (never taken for the end).
long FileRead(FILE* file, void* buffer, size_t size);
bool FileWrite(FILE* file, const void* data, size_t size);
bool FileRewind(FILE* file);
// fflush, then fsync: a rename that follows never publishes contents still in flight.
bool FileSync(FILE* file);
bool FileSyncFolder(const char* folder);
// Closes the file whatever happens; false when its last buffered bytes could not be written.
bool FileClose(FILE* file);
bool FileRename(const char* from, const char* to);
bool FileRemove(const char* name);
// Clears away whatever a name holds before it is used as scratch: a file, a link, or a folder
// with all it holds (links inside are removed, never followed). True when the name is free.
bool FileClearStale(const char* name);
