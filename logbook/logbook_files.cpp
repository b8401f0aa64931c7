// The logbook files and slots: working copy, comments, deletion marks, commit and the
// start-up and exit clean-ups.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <type_traits>
#include <vector>

#include "logbook/logbook.h"
#include "logbook/logbook_io.h"
#include "config/config.h"
#include "config/logbook_file.h"

static_assert(std::is_trivially_copyable<LogbookState>::value, "reset by zeroing");

LogbookState gLogbook;

void ResetLogbookState() {
    std::memset(&gLogbook, 0, sizeof gLogbook);
    gLogbook.shownIndex = -1;
    gLogbook.clock = nullptr;
}

// ---- shared helpers -------------------------------------------------------------------

bool MemoryOnlyLogbook() { return LogbookFilesOff() != 0; }

uint32_t CurrentUser() { return uint32_t(CurrentUserNumber()); }

void EnsureLogbookFileName() {
    // The clean-ups run before any screen has chosen a file; they mean the fixed file.
    if (gLogbookFile.fileName[0] == '\0')
        std::snprintf(gLogbookFile.fileName, sizeof gLogbookFile.fileName, "%s", kLogbookFixedName);
}

FILE* OpenWorkingCopy() { return std::fopen(kWorkingCopyName, "rb"); }

FILE* CreateScratch() { return std::fopen(kScratchName, "wb"); }

namespace {

// Makes the renames themselves durable, not only the data they point to.
void SyncWorkingDirectory() {
    int fd = open(".", O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// Closes the scratch file after flushing it to disk. On any failure the scratch file is
// removed and the target is left as it was.
bool CloseScratch(FILE* scratch, bool writtenOk) {
    bool ok = writtenOk && FlushFileToDisk(scratch);
    if (std::fclose(scratch) != 0) ok = false;
    if (!ok) std::remove(kScratchName);
    return ok;
}

}  // namespace

bool PublishScratchAsLogbook(FILE* scratch, bool writtenOk) {
    if (!CloseScratch(scratch, writtenOk)) return false;
    if (!RenameToLogbookFile(kScratchName)) {
        std::remove(kScratchName);
        return false;
    }
    SyncWorkingDirectory();
    return true;
}

bool PublishScratchAsWorkingCopy(FILE* scratch, bool writtenOk) {
    if (!CloseScratch(scratch, writtenOk)) return false;
    if (std::rename(kScratchName, kWorkingCopyName) != 0) {
        std::remove(kScratchName);
        return false;
    }
    SyncWorkingDirectory();
    return true;
}

namespace {

// Opens the working copy for reading and the scratch file for its rewrite; false, with
// neither open, when either cannot be opened.
bool BeginWorkingCopyRewrite(FILE*& tmp, FILE*& scratch) {
    tmp = OpenWorkingCopy();
    if (!tmp) return false;
    scratch = CreateScratch();
    if (scratch) return true;
    std::fclose(tmp);
    return false;
}

}  // namespace

// ---- the operations -------------------------------------------------------------------

LogEntry* ShownEntry() {
    int k = gLogbook.shownIndex;
    if (k < 0) return nullptr;
    if (MemoryOnlyLogbook()) return k < kLogbookSlotCount ? &gLogbook.slots[k] : nullptr;
    return &gLogbook.entryBuffer;
}

bool BuildWorkingCopy() {
    gLogbook.shownIndex = -1;
    if (MemoryOnlyLogbook()) {
        int count = 0;
        for (const LogEntry& slot : gLogbook.slots)
            if (slot.serialNumber > 0) ++count;
        gLogbook.entryCount = count;
        return true;
    }
    gLogbook.entryCount = 0;
    FILE* bin = OpenLogbookFile("rb");
    if (!bin) return true;  // no logbook yet: an empty one
    FILE* scratch = CreateScratch();
    if (!scratch) {
        CloseLogbookFile(bin);
        return false;
    }
    int count = 0;
    bool ok = true;
    LogEntryBytes record;
    while (ok && ReadLogEntryRecord(bin, record)) {
        if (StoredUserNumber(record) != CurrentUser()) continue;
        ok = WriteLogEntryRecord(scratch, record);
        ++count;
    }
    CloseLogbookFile(bin);
    if (!PublishScratchAsWorkingCopy(scratch, ok)) return false;
    // The screen lists at most as many entries as there are slots; any beyond stay in the
    // working copy and are written back by CommitLogbook.
    gLogbook.entryCount = count < kLogbookSlotCount ? count : kLogbookSlotCount;
    return true;
}

bool LoadLogbookSlots() {
    if (MemoryOnlyLogbook()) return true;
    int filled = 0;
    FILE* bin = OpenLogbookFile("rb");
    if (bin) {
        LogEntryBytes record;
        // Only the current user's entries: the same entries, in the same order, as the
        // working copy, so a list button shows the entry it selects.
        while (filled < kLogbookSlotCount && ReadLogEntryRecord(bin, record)) {
            if (StoredUserNumber(record) != CurrentUser()) continue;
            DecodeLogEntry(record.b, gLogbook.slots[filled++]);
        }
        CloseLogbookFile(bin);
    }
    for (int i = filled; i < kLogbookSlotCount; ++i) gLogbook.slots[i].serialNumber = 0;
    return bin != nullptr;
}

bool LoadShownEntry(int index, bool storeFirst, const char* editorText) {
    if (gLogbook.entryCount <= 0) {
        gLogbook.shownIndex = -1;
        return false;
    }
    if (storeFirst && ShownEntry()) StoreShownComments(editorText);
    gLogbook.shownIndex = -1;
    if (index < 0) return false;
    if (MemoryOnlyLogbook()) {
        if (index >= kLogbookSlotCount || gLogbook.slots[index].serialNumber == 0) return false;
        gLogbook.shownIndex = index;
        return true;
    }
    FILE* tmp = OpenWorkingCopy();
    if (!tmp) return false;
    LogEntryBytes record;
    int read = 0;
    while (read <= index && ReadLogEntryRecord(tmp, record)) ++read;
    std::fclose(tmp);
    // A working copy shorter than expected shows nothing rather than a stale record.
    if (read != index + 1) return false;
    DecodeLogEntry(record.b, gLogbook.entryBuffer);
    gLogbook.shownIndex = index;
    return true;
}

bool StoreShownComments(const char* editorText) {
    LogEntry* shown = ShownEntry();
    // No editor text is no edit, never an emptied comment.
    if (!shown || !editorText) return false;
    char text[kCommentsSize];
    CopyTextField(text, kCommentsMaxChars + 1, editorText);
    if (std::strcmp(text, shown->comments) == 0) return true;
    CopyTextField(shown->comments, kCommentsSize, text);
    if (MemoryOnlyLogbook()) return true;  // the shown entry is the slot

    FILE *tmp, *scratch;
    if (!BeginWorkingCopyRewrite(tmp, scratch)) return false;
    // The shown entry replaces the record it was read from: the one at its position, which
    // still carries its number (sign included).
    bool ok = true, replaced = false;
    LogEntryBytes record;
    for (int i = 0; ok && ReadLogEntryRecord(tmp, record); ++i) {
        if (i == gLogbook.shownIndex && StoredSerialNumber(record) == shown->serialNumber) {
            EncodeLogEntry(*shown, record.b);
            replaced = true;
        }
        ok = WriteLogEntryRecord(scratch, record);
    }
    std::fclose(tmp);
    if (!replaced) ok = false;  // nothing to change: keep the working copy as it is
    return PublishScratchAsWorkingCopy(scratch, ok);
}

namespace {

bool SameNumber(int32_t a, int32_t b) { return std::llabs(int64_t(a)) == std::llabs(int64_t(b)); }

// The most negative number has no positive partner, so it cannot be toggled.
bool Negatable(int32_t n) { return n != INT32_MIN; }

}  // namespace

bool ToggleDeletionMark(int32_t serialNumber) {
    if (serialNumber == 0 || !Negatable(serialNumber)) return false;
    if (MemoryOnlyLogbook()) {
        for (LogEntry& slot : gLogbook.slots)
            if (SameNumber(slot.serialNumber, serialNumber)) {
                slot.serialNumber = -slot.serialNumber;
                return true;
            }
        return false;
    }
    FILE *tmp, *scratch;
    if (!BeginWorkingCopyRewrite(tmp, scratch)) return false;
    bool ok = true, toggled = false;
    LogEntryBytes record;
    while (ok && ReadLogEntryRecord(tmp, record)) {
        int32_t n = StoredSerialNumber(record);
        if (!toggled && SameNumber(n, serialNumber)) {
            SetStoredSerialNumber(record, -n);
            toggled = true;
        }
        ok = WriteLogEntryRecord(scratch, record);
    }
    std::fclose(tmp);
    if (!toggled) ok = false;
    return PublishScratchAsWorkingCopy(scratch, ok);
}

bool CommitLogbook() {
    if (MemoryOnlyLogbook()) {
        int kept = 0;
        for (int i = 0; i < kLogbookSlotCount; ++i) {
            if (gLogbook.slots[i].serialNumber < 0) continue;
            if (kept != i) gLogbook.slots[kept] = gLogbook.slots[i];
            ++kept;
        }
        for (int i = kept; i < kLogbookSlotCount; ++i) ClearLogEntry(gLogbook.slots[i]);
        gLogbook.shownIndex = -1;
        return true;
    }
    FILE* bin = OpenLogbookFile("rb");
    if (!bin) return false;
    // Without a readable working copy the current user's entries would vanish: keep all.
    FILE* tmp = OpenWorkingCopy();
    if (!tmp) {
        CloseLogbookFile(bin);
        return false;
    }
    FILE* scratch = CreateScratch();
    if (!scratch) {
        CloseLogbookFile(bin);
        std::fclose(tmp);
        return false;
    }
    bool ok = true;
    LogEntryBytes record;
    while (ok && ReadLogEntryRecord(bin, record))
        if (StoredUserNumber(record) != CurrentUser()) ok = WriteLogEntryRecord(scratch, record);
    CloseLogbookFile(bin);
    while (ok && ReadLogEntryRecord(tmp, record))
        if (StoredSerialNumber(record) > 0) ok = WriteLogEntryRecord(scratch, record);
    std::fclose(tmp);
    return PublishScratchAsLogbook(scratch, ok);
}

// ---- clean-ups ------------------------------------------------------------------------

int ParseAdminUserNumbers(const unsigned char* data, size_t size, uint32_t* out) {
    static const unsigned char kKey[7] = {0x3C, 0x91, 0x5E, 0x07, 0xD4, 0x6A, 0xB2};
    if (!data || size < kAdminHeaderBytes) return 0;
    int count = 0;
    size_t at = kAdminHeaderBytes;
    while (count < kAdminMaxUsers && size - at >= kAdminRecordBytes) {
        const unsigned char* p = data + at + kAdminUserNumberOffset;
        uint32_t number = 0;
        for (size_t i = 0; i < 4; ++i) {
            size_t k = kAdminUserNumberOffset + i;
            unsigned char plain = uint8_t(~(kKey[k % 7] ^ p[i]));
            number |= uint32_t(plain) << (8 * i);
        }
        out[count++] = number;
        at += kAdminRecordBytes;
    }
    return count;
}

namespace {

// Reads the administrator's list; false when it cannot be opened.
bool ReadAdminUserNumbers(std::vector<uint32_t>& users) {
    FILE* list = std::fopen(kAdminListPath, "rb");
    if (!list) return false;
    std::vector<unsigned char> bytes(kAdminHeaderBytes + kAdminRecordBytes * kAdminMaxUsers);
    size_t got = std::fread(bytes.data(), 1, bytes.size(), list);
    std::fclose(list);
    users.resize(kAdminMaxUsers);
    users.resize(size_t(ParseAdminUserNumbers(bytes.data(), got, users.data())));
    return true;
}

bool IsListedUser(const std::vector<uint32_t>& users, uint32_t number) {
    for (uint32_t u : users)
        if (u == number) return true;
    return false;
}

}  // namespace

bool CleanLogbookAtStartUp() {
    if (MemoryOnlyLogbook()) return false;
    EnsureLogbookFileName();
    FILE* bin = OpenLogbookFile("rb");
    if (!bin) return false;
    std::vector<uint32_t> users;
    if (!ReadAdminUserNumbers(users)) {
        CloseLogbookFile(bin);
        return false;
    }
    FILE* scratch = CreateScratch();
    if (!scratch) {
        CloseLogbookFile(bin);
        return false;
    }
    bool ok = true;
    int kept = 0;
    LogEntryBytes record;
    while (ok && kept < kLogbookMaxEntries && ReadLogEntryRecord(bin, record)) {
        if (!IsListedUser(users, StoredUserNumber(record))) continue;
        ok = WriteLogEntryRecord(scratch, record);
        ++kept;
    }
    CloseLogbookFile(bin);
    return PublishScratchAsLogbook(scratch, ok);
}

bool CleanLogbookAtExit() {
    if (MemoryOnlyLogbook()) return false;
    EnsureLogbookFileName();
    std::remove(kWorkingCopyName);
    // An empty logbook replaces the old one in one step.
    FILE* scratch = CreateScratch();
    if (!scratch) return false;
    return PublishScratchAsLogbook(scratch, true);
}
