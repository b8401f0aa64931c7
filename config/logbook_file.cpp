#include "config/logbook_file.h"

#include <cstring>

#include "config/logbook_file_ops.h"

LogbookFileState gLogbookFile;

void ResetLogbookFileState() { gLogbookFile = LogbookFileState(); }

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
