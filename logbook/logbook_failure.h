// SPDX-License-Identifier: GPL-3.0-or-later
// What the pupil is told when the logbook's files let it down: which work failed and why,
// in one line for the HelpLine.
#pragma once

// The logbook's work that can fail on the disk.
enum LogbookTask : int {
    kTaskNone = 0,
    kTaskSave,      // Save In Logbook
    kTaskOpen,      // reading the logbook for its screen
    kTaskComments,  // writing the pupil's comments into the working copy
    kTaskMark,      // marking or unmarking an entry for deletion
    kTaskCommit,    // writing the screen's changes into the logbook
};

// Not the disk's doing: every entry number up to the largest is taken.
constexpr int kErrorNoNumberLeft = -1;

// Each logbook operation starts by forgetting the last failure and, when it fails on a
// file, records it with the first file error it met and the file that gave it. Failures
// that are not the disk's record nothing (no such entry), except a save refused for want
// of a number, which NoteLogbookRefusal records.
void ClearLogbookFailure();
void NoteLogbookFailure(int task);
void NoteLogbookRefusal(int task, int error);
// The HelpLine message for the last recorded failure; "" when there is none.
const char* LogbookFailureMessage();
// The message for a task, an errno value (or kErrorNoNumberLeft) and the file that failed.
const char* LogbookFailureText(int task, int error, const char* fileName = "logbook.bin");
