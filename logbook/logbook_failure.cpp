// SPDX-License-Identifier: GPL-3.0-or-later
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

// Why, in words; `reason` has room for a file's name.
const char* ReasonText(int error, const char* fileName, char* reason, size_t size) {
    switch (error) {
    case kErrorNoNumberLeft: return "the logbook has no entry number left";
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return "the disk is full";
    case EROFS:
    case EACCES:
    case EPERM: return "this folder cannot be written to";
    case EISDIR:
        std::snprintf(reason, size, "%s is a folder, not a file",
                      fileName && *fileName ? fileName : "a logbook file");
        return reason;
    default: return "the disk reported an error";
    }
}

}  // namespace

void ClearLogbookFailure() {
    gLogbook.failureTask = kTaskNone;
    gLogbook.failureError = 0;
    gLogbook.failureFile[0] = '\0';
    ClearFileError();
}

void NoteLogbookFailure(int task) {
    const int error = FirstFileError();
    if (error == 0) return;  // not the disk's doing
    gLogbook.failureTask = task;
    gLogbook.failureError = error;
    std::snprintf(gLogbook.failureFile, sizeof gLogbook.failureFile, "%s", FirstFileErrorName());
}

void NoteLogbookRefusal(int task, int error) {
    gLogbook.failureTask = task;
    gLogbook.failureError = error;
    gLogbook.failureFile[0] = '\0';
}

const char* LogbookFailureMessage() {
    if (gLogbook.failureTask == kTaskNone) return "";
    return LogbookFailureText(gLogbook.failureTask, gLogbook.failureError, gLogbook.failureFile);
}

const char* LogbookFailureText(int task, int error, const char* fileName) {
    static char text[160];
    char reason[96];
    std::snprintf(text, sizeof text, "%s: %s.", TaskText(task),
                  ReasonText(error, fileName, reason, sizeof reason));
    return text;
}
