// SPDX-License-Identifier: GPL-3.0-or-later
// The logbook files and slots: working copy, comments, deletion marks, commit and the
// start-up and exit clean-ups.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <type_traits>
#include <vector>

#include "logbook/logbook.h"
#include "logbook/logbook_io.h"
#include "config/config.h"
#include "config/logbook_file.h"
#include "config/logbook_file_ops.h"

static_assert(std::is_trivially_copyable<LogbookState>::value, "reset by zeroing");

LogbookState gLogbook;

void ResetLogbookState() {
    std::memset(&gLogbook, 0, sizeof gLogbook);
    gLogbook.shownIndex = -1;
    gLogbook.clock = nullptr;
}

// ---- shared helpers -------------------------------------------------------------------

bool MemoryOnlyLogbook() { return LogbookFilesOff() != 0 || gLogbook.folderHeldElsewhere; }

uint32_t CurrentUser() { return uint32_t(CurrentUserNumber()); }

void EnsureLogbookFileName() {
    // The clean-ups run before any screen has chosen a file; they mean the fixed file.
    if (gLogbookFile.fileName[0] == '\0')
        std::snprintf(gLogbookFile.fileName, sizeof gLogbookFile.fileName, "%s", kLogbookFixedName);
}

FILE* OpenWorkingCopy() { return FileOpen(kWorkingCopyName); }

// The scratch name is the logbook's alone: whatever a crash or a hand left there goes first,
// so a left-over folder cannot block every rewrite, and a link cannot send one elsewhere.
FILE* CreateScratch() {
    FileClearStale(kScratchName);
    return FileCreate(kScratchName);
}

namespace {

// Closes the scratch file after flushing it to disk. On any failure the scratch file is
// removed and the target is left as it was.
bool CloseScratch(FILE* scratch, bool writtenOk) {
    bool ok = writtenOk && FileSync(scratch);
    if (!FileClose(scratch)) ok = false;
    if (!ok) FileRemove(kScratchName);
    return ok;
}

bool Publish(FILE* scratch, bool writtenOk, bool (*rename)()) {
    if (!CloseScratch(scratch, writtenOk)) return false;
    if (!rename()) {
        FileRemove(kScratchName);
        return false;
    }
    // Makes the rename itself durable. It has happened whatever this gives: the new file is
    // the one every reader sees.
    FileSyncFolder(".");
    return true;
}

bool RenameOverLogbook() { return RenameToLogbookFile(kScratchName); }
bool RenameOverWorkingCopy() { return FileRename(kScratchName, kWorkingCopyName); }

}  // namespace

bool PublishScratchAsLogbook(FILE* scratch, bool writtenOk) {
    return Publish(scratch, writtenOk, RenameOverLogbook);
}

bool PublishScratchAsWorkingCopy(FILE* scratch, bool writtenOk) {
    return Publish(scratch, writtenOk, RenameOverWorkingCopy);
}

namespace {

bool SameNumber(int32_t a, int32_t b) { return std::llabs(int64_t(a)) == std::llabs(int64_t(b)); }

// The most negative number has no positive partner, so it cannot be toggled.
bool Negatable(int32_t n) { return n != INT32_MIN; }

void ForgetUnstoredComments() {
    std::memset(gLogbook.unstoredNumber, 0, sizeof gLogbook.unstoredNumber);
}

bool HasUnstoredComments(int index, int32_t serialNumber) {
    return index >= 0 && index < kLogbookSlotCount && gLogbook.unstoredNumber[index] != 0 &&
           SameNumber(gLogbook.unstoredNumber[index], serialNumber);
}

// Writes the kept comments of working-copy entry `index` into its stored record.
void ApplyUnstoredComments(int index, LogEntryBytes& record) {
    if (!HasUnstoredComments(index, StoredSerialNumber(record))) return;
    CopyTextField(reinterpret_cast<char*>(record.b + kOffComments), kCommentsSize,
                  gLogbook.unstoredComments[index]);
}

// Rewrites the working copy with the kept comments written in and, when `toggle` is not 0,
// the mark of the entry numbered `toggle` turned over. False, with the working copy as it
// was, when a file fails or there is no such entry to toggle.
bool RewriteWorkingCopy(int32_t toggle) {
    FILE* tmp = OpenWorkingCopy();
    if (!tmp) return false;
    FILE* scratch = CreateScratch();
    if (!scratch) {
        FileClose(tmp);
        return false;
    }
    bool ok = true, toggled = false;
    RecordReader in{tmp};
    LogEntryBytes record;
    for (int i = 0; ok && ReadLogEntryRecord(in, record); ++i) {
        ApplyUnstoredComments(i, record);
        const int32_t n = StoredSerialNumber(record);
        if (toggle != 0 && !toggled && SameNumber(n, toggle)) {
            SetStoredSerialNumber(record, -n);
            toggled = true;
        }
        ok = WriteLogEntryRecord(scratch, record);
    }
    FileClose(tmp);
    if (in.failed || (toggle != 0 && !toggled)) ok = false;
    if (!PublishScratchAsWorkingCopy(scratch, ok)) return false;
    ForgetUnstoredComments();  // they are in the working copy now
    return true;
}

// The records in the working copy, or -1 when it cannot be read.
int CountWorkingCopy() {
    FILE* tmp = OpenWorkingCopy();
    if (!tmp) return -1;
    RecordReader in{tmp};
    LogEntryBytes record;
    int count = 0;
    while (ReadLogEntryRecord(in, record)) ++count;
    FileClose(tmp);
    return in.failed ? -1 : count;
}

// A commit that still fails: the old working copy, with the pupil's changes, stays the one
// the screen shows.
bool KeepWorkingCopy() {
    const int count = CountWorkingCopy();
    gLogbook.entryCount = count < 0 ? 0 : count < kLogbookSlotCount ? count : kLogbookSlotCount;
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
    ClearLogbookFailure();
    if (MemoryOnlyLogbook()) {
        int count = 0;
        for (const LogEntry& slot : gLogbook.slots)
            if (slot.serialNumber > 0) ++count;
        gLogbook.entryCount = count;
        return true;
    }
    if (gLogbook.commitPending && !CommitLogbook()) return KeepWorkingCopy();
    ForgetUnstoredComments();
    gLogbook.entryCount = 0;
    FILE* bin = OpenLogbookFile();
    if (!bin) {  // no logbook yet: an empty one; one that cannot be opened: say so
        NoteLogbookFailure(kTaskOpen);
        return FirstFileError() == 0;
    }
    FILE* scratch = CreateScratch();
    if (!scratch) {
        CloseLogbookFile(bin);
        NoteLogbookFailure(kTaskOpen);
        return false;
    }
    int count = 0;
    bool ok = true;
    RecordReader in{bin};
    LogEntryBytes record;
    while (ok && ReadLogEntryRecord(in, record)) {
        if (StoredUserNumber(record) != CurrentUser()) continue;
        ok = WriteLogEntryRecord(scratch, record);
        ++count;
    }
    CloseLogbookFile(bin);
    if (in.failed) ok = false;  // a part of the logbook is no logbook to edit and commit
    if (!PublishScratchAsWorkingCopy(scratch, ok)) {
        NoteLogbookFailure(kTaskOpen);
        return false;
    }
    // The screen lists at most as many entries as there are slots; any beyond stay in the
    // working copy and are written back by CommitLogbook.
    gLogbook.entryCount = count < kLogbookSlotCount ? count : kLogbookSlotCount;
    return true;
}

bool LoadLogbookSlots() {
    if (MemoryOnlyLogbook()) return true;
    ClearLogbookFailure();
    int filled = 0;
    FILE* bin = OpenLogbookFile();
    RecordReader in{bin};
    if (bin) {
        LogEntryBytes record;
        // Only the current user's entries: the same entries, in the same order, as the
        // working copy, so a list button shows the entry it selects.
        while (filled < kLogbookSlotCount && ReadLogEntryRecord(in, record)) {
            if (StoredUserNumber(record) != CurrentUser()) continue;
            DecodeLogEntry(record.b, gLogbook.slots[filled++]);
        }
        CloseLogbookFile(bin);
    }
    for (int i = filled; i < kLogbookSlotCount; ++i) gLogbook.slots[i].serialNumber = 0;
    if (!bin || in.failed) NoteLogbookFailure(kTaskOpen);
    return bin && !in.failed;
}

bool LoadShownEntry(int index, bool storeFirst, const char* editorText) {
    if (gLogbook.entryCount <= 0) {
        gLogbook.shownIndex = -1;
        return false;
    }
    if (index >= 0) ClearLogbookFailure();  // leaving the screen keeps what it was told
    if (storeFirst && ShownEntry()) StoreShownComments(editorText);
    gLogbook.shownIndex = -1;
    if (index < 0) return false;
    if (MemoryOnlyLogbook()) {
        if (index >= kLogbookSlotCount || gLogbook.slots[index].serialNumber == 0) return false;
        gLogbook.shownIndex = index;
        return true;
    }
    FILE* tmp = OpenWorkingCopy();
    if (!tmp) {
        NoteLogbookFailure(kTaskOpen);
        return false;
    }
    RecordReader in{tmp};
    LogEntryBytes record;
    int read = 0;
    while (read <= index && ReadLogEntryRecord(in, record)) ++read;
    FileClose(tmp);
    // A working copy shorter than expected, or unreadable, shows nothing rather than a
    // stale record.
    if (read != index + 1) {
        NoteLogbookFailure(kTaskOpen);
        return false;
    }
    ApplyUnstoredComments(index, record);
    DecodeLogEntry(record.b, gLogbook.entryBuffer);
    gLogbook.shownIndex = index;
    return true;
}

bool StoreShownComments(const char* editorText) {
    LogEntry* shown = ShownEntry();
    // No editor text is no edit, never an emptied comment.
    if (!shown || !editorText) return false;
    ClearLogbookFailure();
    char text[kCommentsSize];
    CopyTextField(text, kCommentsMaxChars + 1, editorText);
    if (std::strcmp(text, shown->comments) == 0) return true;
    CopyTextField(shown->comments, kCommentsSize, text);
    if (MemoryOnlyLogbook()) return true;  // the shown entry is the slot

    // Kept in memory first, so that a disk that fails loses none of it; the entry at the
    // shown position, with the shown number, takes it.
    const int k = gLogbook.shownIndex;
    if (k >= kLogbookSlotCount) return false;
    gLogbook.unstoredNumber[k] = shown->serialNumber;
    CopyTextField(gLogbook.unstoredComments[k], kCommentsSize, text);
    if (RewriteWorkingCopy(0)) return true;
    NoteLogbookFailure(kTaskComments);
    return false;
}

bool ToggleDeletionMark(int32_t serialNumber) {
    if (serialNumber == 0 || !Negatable(serialNumber)) return false;
    ClearLogbookFailure();
    if (MemoryOnlyLogbook()) {
        for (LogEntry& slot : gLogbook.slots)
            if (SameNumber(slot.serialNumber, serialNumber)) {
                slot.serialNumber = -slot.serialNumber;
                return true;
            }
        return false;
    }
    if (RewriteWorkingCopy(serialNumber)) return true;
    NoteLogbookFailure(kTaskMark);
    return false;
}

namespace {

// Other users' entries of "logbook.bin", then the working copy's unmarked ones with the
// kept comments written in.
bool WriteCommit(FILE* bin, FILE* tmp, FILE* scratch) {
    bool ok = true;
    LogEntryBytes record;
    RecordReader others{bin};
    while (ok && ReadLogEntryRecord(others, record))
        if (StoredUserNumber(record) != CurrentUser()) ok = WriteLogEntryRecord(scratch, record);
    RecordReader own{tmp};
    for (int i = 0; ok && ReadLogEntryRecord(own, record); ++i) {
        ApplyUnstoredComments(i, record);
        if (StoredSerialNumber(record) > 0) ok = WriteLogEntryRecord(scratch, record);
    }
    return ok && !others.failed && !own.failed;
}

}  // namespace

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
    ClearLogbookFailure();
    bool ok = false;
    FILE* bin = OpenLogbookFile();
    // Without a readable working copy the current user's entries would vanish: keep all.
    FILE* tmp = bin ? OpenWorkingCopy() : nullptr;
    FILE* scratch = tmp ? CreateScratch() : nullptr;
    if (scratch) {
        ok = WriteCommit(bin, tmp, scratch);
        ok = PublishScratchAsLogbook(scratch, ok);
    }
    if (tmp) FileClose(tmp);
    if (bin) CloseLogbookFile(bin);
    // A missing logbook or working copy changes nothing; a failing disk keeps the changes
    // for the next try.
    gLogbook.commitPending = !ok && FirstFileError() != 0;
    if (ok) ForgetUnstoredComments();
    if (!ok) NoteLogbookFailure(kTaskCommit);
    return ok;
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

// Reads the administrator's list; false when it cannot be opened or read. A list cut short
// by a read error would leave users out, and their entries would be dropped.
bool ReadAdminUserNumbers(std::vector<uint32_t>& users) {
    FILE* list = FileOpen(kAdminListPath);
    if (!list) return false;
    std::vector<unsigned char> bytes(kAdminHeaderBytes + kAdminRecordBytes * kAdminMaxUsers);
    const long got = FileRead(list, bytes.data(), bytes.size());
    FileClose(list);
    if (got < 0) return false;
    users.resize(kAdminMaxUsers);
    users.resize(size_t(ParseAdminUserNumbers(bytes.data(), size_t(got), users.data())));
    return true;
}

bool IsListedUser(const std::vector<uint32_t>& users, uint32_t number) {
    for (uint32_t u : users)
        if (u == number) return true;
    return false;
}

}  // namespace

const char* LogbookNotice() {
    return gLogbook.folderHeldElsewhere
               ? "The logbook here belongs to the Heliora already running: this one keeps its "
                 "own in memory."
               : "";
}

bool CleanLogbookAtStartUp() {
    if (MemoryOnlyLogbook()) return false;
    if (ClaimLogbookFolder() == kClaimedByAnother) {
        gLogbook.folderHeldElsewhere = true;
        return false;
    }
    EnsureLogbookFileName();
    FILE* bin = OpenLogbookFile();
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
    RecordReader in{bin};
    LogEntryBytes record;
    while (ok && kept < kLogbookMaxEntries && ReadLogEntryRecord(in, record)) {
        if (!IsListedUser(users, StoredUserNumber(record))) continue;
        ok = WriteLogEntryRecord(scratch, record);
        ++kept;
    }
    CloseLogbookFile(bin);
    return PublishScratchAsLogbook(scratch, ok && !in.failed);
}

bool CleanLogbookAtExit() {
    if (MemoryOnlyLogbook()) return false;
    EnsureLogbookFileName();
    // The run's logbook ends here, and with it any changes still waiting for the disk.
    gLogbook.commitPending = false;
    ForgetUnstoredComments();
    FileRemove(kWorkingCopyName);
    // An empty logbook replaces the old one in one step.
    FILE* scratch = CreateScratch();
    const bool emptied = scratch && PublishScratchAsLogbook(scratch, true);
    ReleaseLogbookFolder();
    return emptied;
}
