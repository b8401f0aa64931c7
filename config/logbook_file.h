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
void ResetLogbookFileState();

// Each puts "logbook.bin" into the shared name, sets its own result flag to 1 and returns 1.
int ChooseLogbookFileForSave();
int ChooseLogbookFileForOpen();

// Operations on the file named by the shared buffer, through the seam of logbook_file_ops.h.
FILE* OpenLogbookFile();  // for reading
void CloseLogbookFile(FILE* file);
bool DeleteLogbookFile();
// Renames `from` over the named file in one step; the target is replaced, never deleted first.
bool RenameToLogbookFile(const char* from);
