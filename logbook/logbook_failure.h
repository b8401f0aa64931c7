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

// Each logbook operation starts by forgetting the last failure and, when it fails on a
// file, records it with the first file error it met. Failures that are not the disk's
// (no such entry, no number left) record nothing.
void ClearLogbookFailure();
void NoteLogbookFailure(int task);
// The HelpLine message for the last recorded failure; "" when there is none.
const char* LogbookFailureMessage();
// The message for a task and an errno value.
const char* LogbookFailureText(int task, int error);
