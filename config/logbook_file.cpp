#include "config/logbook_file.h"

#include <cstring>

#include <unistd.h>

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

FILE* OpenLogbookFile(const char* mode) {
    if (gLogbookFile.fileName[0] == '\0') return nullptr;
    return std::fopen(gLogbookFile.fileName, mode);
}

void CloseLogbookFile(FILE* file) {
    if (file) std::fclose(file);
}

bool DeleteLogbookFile() {
    if (gLogbookFile.fileName[0] == '\0') return false;
    return std::remove(gLogbookFile.fileName) == 0;
}

bool RenameToLogbookFile(const char* from) {
    if (gLogbookFile.fileName[0] == '\0') return false;
    return std::rename(from, gLogbookFile.fileName) == 0;
}

bool FlushFileToDisk(FILE* file) {
    if (!file) return false;
    if (std::fflush(file) != 0) return false;
    return fsync(fileno(file)) == 0;
}
