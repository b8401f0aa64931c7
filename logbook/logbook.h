// SPDX-License-Identifier: GPL-3.0-or-later
// The logbook: its files ("logbook.bin", the working copy "logbook.tmp", the scratch file
// "logbook.zzz"), the 32 in-memory slots, and every operation the program performs on them.
//
// With the configuration's logbook-files-off flag set, no file named logbook.* is ever
// opened, written, renamed or deleted: the slots are the whole logbook.
//
// Every rewrite of a logbook file is written to "logbook.zzz", flushed to disk and renamed
// over its target in one step, so "logbook.bin" and "logbook.tmp" always hold a complete
// earlier or later version, never a missing or half-written one.
#pragma once
#include <cstddef>
#include <cstdint>
#include <ctime>

#include "logbook/log_entry.h"
#include "logbook/logbook_failure.h"

constexpr int kLogbookSlotCount = 32;   // LogbookSlots
constexpr int kLogbookMaxEntries = 32;  // a save drops the oldest entry beyond this
constexpr const char* kLogbookFixedName = "logbook.bin";
constexpr const char* kWorkingCopyName = "logbook.tmp";
constexpr const char* kScratchName = "logbook.zzz";
constexpr const char* kAdminListPath = "../Administrator/admin.bin";
constexpr const char* kNewEntryComments = "Enter comments here.";

// The administrator's user list: a 16-byte header, then 112-byte scrambled user records.
constexpr size_t kAdminHeaderBytes = 16;
constexpr size_t kAdminRecordBytes = 112;
constexpr size_t kAdminUserNumberOffset = 108;
constexpr int kAdminMaxUsers = 1001;

// Gives the present time; tests put a fixed one here.
using LogbookClock = time_t (*)();

// Process-wide logbook state.
struct LogbookState {
    LogEntry slots[kLogbookSlotCount];  // LogbookSlots: newest first, empty (number 0) at the end
    RunSnapshot lastOrbitRecord;         // LastOrbitRecord: the run fields of the last file save
    int32_t entryCount;                  // the current user's entries in the working copy
    LogEntry entryBuffer;                // the shown entry in file mode
    int32_t shownIndex;                  // index of the shown entry, -1 when none is shown
    LogbookClock clock;                  // null: the system clock
    // Comments the pupil typed that the working copy could not take yet (a full disk): entry
    // i of the working copy, while its number (either sign) is unstoredNumber[i], has them.
    // Every later rewrite of the working copy, and the commit, writes them in.
    int32_t unstoredNumber[kLogbookSlotCount];
    char unstoredComments[kLogbookSlotCount][kCommentsSize];
    // The last commit failed on the disk: the working copy, not "logbook.bin", holds the
    // pupil's changes, so it is kept and the commit is tried again before anything else
    // rewrites the logbook.
    bool commitPending;
    int32_t failureTask, failureError;   // the last failure on the disk (logbook_failure.h)
    char failureFile[64];                // and the file it came from
    // Another Heliora holds this working folder's logbook: this run keeps its own in the
    // slots, as with the logbook files off, and touches no logbook file.
    bool folderHeldElsewhere;
};
extern LogbookState gLogbook;
// All zero, no entry shown, system clock: the state at program start.
void ResetLogbookState();

inline LogEntry* LogbookSlots() { return gLogbook.slots; }
inline int EntryCount() { return gLogbook.entryCount; }
// The shown entry: the entry buffer in file mode, the slot itself in memory-only mode;
// null when no entry is shown.
LogEntry* ShownEntry();

// Called when the logbook screen is entered: copies the current user's entries of
// "logbook.bin" into the working copy and sets the entry count (at most 32, the entries the
// screen can list; more stay in the working copy and survive CommitLogbook). In memory-only
// mode counts the filled slots. False when the working copy could not be written or the
// logbook could not be read (then the count is 0). After a failed commit the commit is tried
// first; while it still fails the old working copy, which holds the changes, is kept.
bool BuildWorkingCopy();

// Fills the slots with the current user's entries of "logbook.bin", in file order, so that
// slot i labels the same entry that LoadShownEntry(i) shows; unfilled slots get number 0.
// Nothing to do in memory-only mode.
bool LoadLogbookSlots();

// Makes entry `index` (0 = newest) of the working copy the shown entry. With `storeFirst`
// the comments of the entry shown so far are first stored from `editorText`. False, with
// no entry shown, when there is no such entry.
bool LoadShownEntry(int index, bool storeFirst, const char* editorText);

// Stores the comment editor's text (cut to 1023 characters) into the shown entry and the
// working copy. Nothing happens when no entry is shown, the text is null or unchanged.
// False when the working copy could not be rewritten: the text is then kept in memory and
// written by the next rewrite or the commit.
bool StoreShownComments(const char* editorText);

// Marks the entry numbered `serialNumber` for deletion, or unmarks it when it is marked.
bool ToggleDeletionMark(int32_t serialNumber);

// Called when the logbook screen is left with entries: writes "logbook.bin" as the other
// users' entries followed by the working copy's unmarked entries. Memory-only: removes the
// marked slots, keeping the order of the rest. Changes nothing when either file cannot be
// read; a failure on the disk leaves the commit pending (see LogbookState).
bool CommitLogbook();

// Start-up: first claims the working folder's logbook for this process (ClaimLogbookFolder);
// when another Heliora holds it, this run keeps its logbook in memory and LogbookNotice says
// so. Then keeps only the entries (at most 32) of users on the administrator's list.
// Skipped in memory-only mode, without "logbook.bin", or without the list.
bool CleanLogbookAtStartUp();
// Program exit: deletes the working copy, leaves "logbook.bin" empty and lets the folder go.
// Skipped in memory-only mode.
bool CleanLogbookAtExit();
// What the HelpLine tells the pupil about where the logbook lives ("" in the usual case).
const char* LogbookNotice();

// Reads the user numbers from the bytes of an administrator's list (header included) into
// `out` (room for kAdminMaxUsers); returns how many were read.
int ParseAdminUserNumbers(const unsigned char* data, size_t size, uint32_t* out);

// Saves the model's run as the newest entry. File mode needs a file chosen for saving
// (ChooseLogbookFileForSave). False when nothing was saved; LastOrbitRecord then stays as it
// was and LogbookFailureMessage tells why.
bool SaveInLogbook();

// The madeAt text for the present local time, "9:05 AM on Tuesday, March 2, 2004", into a
// buffer of `size` bytes (at least 160 for a LogEntry). False when the clock gives no time.
bool FormatEntryTime(char* out, size_t size);
// The same from a 24-character time text "Tue Mar 02 09:05:00 2004". False, with `out`
// empty, when the text does not have that form.
bool FormatEntryTimeText(const char* timeText, char* out, size_t size);
