// SPDX-License-Identifier: GPL-3.0-or-later
// Saving the watched run as the newest logbook entry, and the entry's time text.
#include <clocale>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <locale.h>

#include "logbook/logbook.h"
#include "logbook/logbook_io.h"
#include "config/config.h"
#include "config/logbook_file.h"
#include "config/logbook_file_ops.h"

namespace {

const char* const kShortDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kLongDays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                  "Thursday", "Friday", "Saturday"};
const char* const kShortMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kLongMonths[12] = {"January", "February", "March",     "April",
                                     "May",     "June",     "July",      "August",
                                     "September", "October", "November", "December"};

int MatchName(const char* text, const char* const* names, int count) {
    for (int i = 0; i < count; ++i)
        if (std::strncmp(text, names[i], 3) == 0) return i;
    return -1;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Builds the new entry from the model and the current user.
void BuildNewEntry(LogEntry& entry) {
    ClearLogEntry(entry);
    EntryFromModel(entry);
    entry.userNumber = CurrentUser();
    CopyTextField(entry.userName, kUserNameSize, CurrentUserName());
    CopyTextField(entry.comments, kCommentsSize, kNewEntryComments);
    FormatEntryTime(entry.madeAt, kMadeAtSize);
}

bool SaveInSlots(LogEntry& entry) {
    LogEntry* slots = gLogbook.slots;
    int64_t largest = 0;
    for (int i = 0; i < kLogbookSlotCount - 1; ++i)
        if (slots[i].serialNumber > largest) largest = slots[i].serialNumber;
    if (largest >= INT32_MAX) {  // no number left; keep the logbook as it is
        NoteLogbookRefusal(kTaskSave, kErrorNoNumberLeft);
        return false;
    }
    // The oldest slot falls off the end; the shown entry, if any, moved with its slot.
    std::memmove(&slots[1], &slots[0], sizeof(LogEntry) * (kLogbookSlotCount - 1));
    entry.serialNumber = int32_t(largest + 1);
    slots[0] = entry;
    return true;
}

bool SaveInFile(LogEntry& entry) {
    if (gLogbookFile.saveResult == 0) return false;  // no file chosen
    // Changes of the logbook screen still waiting for the disk go first: a save now would be
    // overwritten by them, or they by it.
    if (gLogbook.commitPending && !CommitLogbook()) return false;
    ClearLogbookFailure();
    // First pass: the largest number in the logbook. A logbook that is there but cannot be
    // read is not an empty one: saving over it would lose every entry.
    int64_t largest = 0;
    FILE* bin = OpenLogbookFile();
    if (!bin && FirstFileError() != 0) return false;
    RecordReader first{bin};
    LogEntryBytes record;
    while (ReadLogEntryRecord(first, record))
        if (StoredSerialNumber(record) > largest) largest = StoredSerialNumber(record);
    if (first.failed || largest >= INT32_MAX) {
        CloseLogbookFile(bin);
        // Unreadable, or no number left: keep the logbook as it is.
        if (!first.failed) NoteLogbookRefusal(kTaskSave, kErrorNoNumberLeft);
        return false;
    }
    entry.serialNumber = int32_t(largest + 1);

    // Second pass: the new entry, then the newest older records up to the limit.
    bool saved = false;
    if (FILE* scratch = CreateScratch()) {
        EncodeLogEntry(entry, record.b);
        bool ok = WriteLogEntryRecord(scratch, record);
        if (bin) {
            ok = ok && FileRewind(bin);
            RecordReader again{bin};
            for (int n = 1; ok && n < kLogbookMaxEntries && ReadLogEntryRecord(again, record); ++n)
                ok = WriteLogEntryRecord(scratch, record);
            if (again.failed) ok = false;
        }
        saved = PublishScratchAsLogbook(scratch, ok);
    }
    CloseLogbookFile(bin);
    // The Last Orbit column shows what is in the logbook, so only a run that got there.
    if (saved) gLogbook.lastOrbitRecord = entry.run;
    return saved;
}

time_t PresentTime() { return gLogbook.clock ? gLogbook.clock() : std::time(nullptr); }

// The time text always uses English names, whatever locale the process runs in.
locale_t CLocale() {
    static locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return c;
}

}  // namespace

bool SaveInLogbook() {
    ClearLogbookFailure();
    LogEntry entry;
    BuildNewEntry(entry);
    if (MemoryOnlyLogbook()) return SaveInSlots(entry);
    if (SaveInFile(entry)) return true;
    if (gLogbook.failureError != kErrorNoNumberLeft) NoteLogbookFailure(kTaskSave);
    return false;
}

bool FormatEntryTimeText(const char* t, char* out, size_t size) {
    if (!out || size == 0) return false;
    out[0] = '\0';
    if (!t || strnlen(t, 25) != 24) return false;
    if (t[3] != ' ' || t[7] != ' ' || t[10] != ' ' || t[13] != ':' || t[16] != ':' ||
        t[19] != ' ')
        return false;
    for (int i : {9, 11, 12, 14, 15, 20, 21, 22, 23})
        if (!IsDigit(t[i])) return false;
    // A day padded with a blank reads like one padded with a zero.
    if (!IsDigit(t[8]) && t[8] != ' ') return false;
    int weekday = MatchName(t, kShortDays, 7);
    int month = MatchName(t + 4, kShortMonths, 12);
    int hour = (t[11] - '0') * 10 + (t[12] - '0');
    if (weekday < 0 || month < 0 || hour > 23) return false;

    char day[3] = {t[8], t[9], '\0'};
    const char* dayText = (t[8] == '0' || t[8] == ' ') ? day + 1 : day;
    const char* suffix = hour < 12 ? "AM" : "PM";
    int shownHour = hour == 0 ? 12 : hour > 12 ? hour - 12 : hour;
    int n = std::snprintf(out, size, "%d:%c%c %s on %s, %s %s, %c%c%c%c", shownHour, t[14],
                          t[15], suffix, kLongDays[weekday], kLongMonths[month], dayText, t[20],
                          t[21], t[22], t[23]);
    if (n < 0 || size_t(n) >= size) {
        out[0] = '\0';
        return false;
    }
    return true;
}

bool FormatEntryTime(char* out, size_t size) {
    if (!out || size == 0) return false;
    out[0] = '\0';
    time_t now = PresentTime();
    struct tm local;
    if (now == time_t(-1) || !localtime_r(&now, &local)) return false;
    char text[64];
    locale_t c = CLocale();
    size_t n = c ? strftime_l(text, sizeof text, "%a %b %d %H:%M:%S %Y", &local, c)
                 : std::strftime(text, sizeof text, "%a %b %d %H:%M:%S %Y", &local);
    if (n == 0) return false;
    return FormatEntryTimeText(text, out, size);
}
