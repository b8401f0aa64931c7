#include "logbook/logbook_failure.h"

#include <cerrno>
#include <cstdio>

#include "config/logbook_file_ops.h"
#include "logbook/logbook.h"

namespace {

const char* TaskText(int task) {
    switch (task) {
    case kTaskSave: return "The run could not be saved";
    case kTaskOpen: return "The logbook could not be opened";
    // The comments and the changes stay in memory and are written on the next chance.
    case kTaskComments: return "Your comments are kept but could not be written";
    case kTaskMark: return "The entry could not be marked";
    case kTaskCommit: return "Your changes are kept but could not be saved";
    default: return "The logbook could not be written";
    }
}

const char* ReasonText(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return "the disk is full";
    case EROFS:
    case EACCES:
    case EPERM: return "this folder cannot be written to";
    case EISDIR: return "logbook.bin is a folder, not a file";
    default: return "the disk reported an error";
    }
}

}  // namespace

void ClearLogbookFailure() {
    gLogbook.failureTask = kTaskNone;
    gLogbook.failureError = 0;
    ClearFileError();
}

void NoteLogbookFailure(int task) {
    const int error = FirstFileError();
    if (error == 0) return;  // not the disk's doing
    gLogbook.failureTask = task;
    gLogbook.failureError = error;
}

const char* LogbookFailureMessage() {
    if (gLogbook.failureTask == kTaskNone) return "";
    return LogbookFailureText(gLogbook.failureTask, gLogbook.failureError);
}

const char* LogbookFailureText(int task, int error) {
    static char text[128];
    std::snprintf(text, sizeof text, "%s: %s.", TaskText(task), ReasonText(error));
    return text;
}
