// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/heliora-replay/monkey_checks.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "config/config.h"
#include "logbook/log_entry.h"
#include "logbook/logbook.h"
#include "model/model.h"
#include "shell/dispatcher.h"
#include "shell/startup.h"

namespace {

bool Fail(std::string& why, const std::string& text) {
    why = text;
    return false;
}

// Size, change time and file number: a rewrite (a rename over the file) changes at least one.
std::string Stamp(const char* path) {
    struct stat st {};
    if (stat(path, &st) != 0) return "";
    return std::to_string(st.st_size) + ":" + std::to_string(st.st_ino) + ":" +
           std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
}

long FileSize(const char* path) {
    struct stat st {};
    return stat(path, &st) == 0 ? long(st.st_size) : -1;
}

// The serial numbers of a file of records, read as the program reads them: whole records one
// after another. `whole` is false when the file ends in a short tail or a record is one the
// program would refuse.
bool ReadRecords(const char* path, std::vector<int>& serials, std::string& why) {
    serials.clear();
    struct stat st;
    // No file, or a folder in its place (a test planted it; the program says so): no entries.
    if (stat(path, &st) == 0 && S_ISDIR(st.st_mode)) return true;
    FILE* f = std::fopen(path, "rb");
    if (!f) return true;  // no file: an empty logbook
    LogEntryBytes record;
    LogEntry entry;
    bool ok = true;
    RecordReader reader;
    reader.file = f;
    while (ReadLogEntryRecord(reader, record)) {
        DecodeLogEntry(record.b, entry);
        if (!IsSoundRun(entry.run)) {
            ok = Fail(why, std::string(path) + ": record " + std::to_string(serials.size() + 1) +
                               " holds a run the program refuses");
            break;
        }
        serials.push_back(entry.serialNumber);
    }
    std::fclose(f);
    if (!ok) return false;
    if (reader.failed) return Fail(why, std::string(path) + " could not be read");
    const long size = FileSize(path);
    if (size >= 0 && size % long(kLogEntryBytes) != 0)
        return Fail(why, std::string(path) + " is " + std::to_string(size) +
                             " bytes: not whole records");
    return true;
}

std::string List(const std::vector<int>& v) {
    std::string s;
    for (int n : v) s += (s.empty() ? "" : " ") + std::to_string(n);
    return "[" + s + "]";
}

bool AnyLogbookFile() {
    for (const char* name : {kLogbookFixedName, kWorkingCopyName, kScratchName})
        if (FileSize(name) >= 0) return true;
    return false;
}

// The entries now against those last seen: every one that went was marked for deletion, or
// was the oldest of a full logbook when a newer one came.
bool CheckNothingLost(const LogbookWatch& w, const std::vector<int>& now,
                      const std::set<int>& markedNow, std::string& why) {
    const std::set<int> present(now.begin(), now.end());
    if (present.size() != now.size()) return Fail(why, "logbook: a number twice " + List(now));
    if (int(now.size()) > kLogbookMaxEntries)
        return Fail(why, "logbook: more than 32 entries " + List(now));
    for (int n : now)
        if (n <= 0) return Fail(why, "logbook: an entry numbered " + std::to_string(n) + " " + List(now));
    const int newest = w.entries.empty() ? 0 : *std::max_element(w.entries.begin(), w.entries.end());
    const bool saved = std::any_of(now.begin(), now.end(), [&](int n) { return n > newest; });
    for (size_t i = 0; i < w.entries.size(); ++i) {
        const int n = w.entries[i];
        if (present.count(n) || w.marked.count(n) || markedNow.count(n)) continue;
        const bool droppedAsOldest =
            saved && int(w.entries.size()) == kLogbookMaxEntries && i + 1 == w.entries.size();
        if (!droppedAsOldest)
            return Fail(why, "logbook: entry " + std::to_string(n) + " was lost: it held " +
                                 List(w.entries) + ", now " + List(now));
    }
    return true;
}

}  // namespace

bool CheckScreenId(std::string& why) {
    if (gShell.shutdownDone) return true;
    const int id = CurrentScreenId();
    if (!FindScreen(id)) return Fail(why, "the program runs ScreenId " + std::to_string(id) +
                                              ", which names no screen");
    return true;
}

bool CheckModelSettings(std::string& why) {
    if (gShell.shutdownDone || !gShell.userInterfaceBuilt) return true;
    const ModelSettings& s = Settings();
    char text[160];
    if (!(s.axisTilt >= -90 && s.axisTilt <= 90)) {
        std::snprintf(text, sizeof text, "axis tilt %.17g outside -90..90", s.axisTilt);
        return Fail(why, text);
    }
    if (!(s.orbitShape >= 0 && s.orbitShape <= 0.5 + 1e-9)) {
        std::snprintf(text, sizeof text, "orbit shape %.17g outside 0..0.50", s.orbitShape);
        return Fail(why, text);
    }
    // The latitudes of the Select Latitudes buttons: every 15 degrees, home and its opposite.
    const int home = std::min(std::max(HomeLatitude(), -90), 90);
    for (int i = 0; i < 2; ++i) {
        const int lat = s.latitude[i];
        const bool ok = lat == kNoLatitude || lat == home || lat == -home ||
                        (lat >= -90 && lat <= 90 && lat % 15 == 0);
        if (!ok) return Fail(why, "latitude " + std::to_string(i + 1) + " is " + std::to_string(lat) +
                                      ", no button's latitude");
    }
    if (s.latitude[0] != kNoLatitude && s.latitude[0] == s.latitude[1])
        return Fail(why, "both latitudes are " + std::to_string(s.latitude[0]));
    // Select Latitudes works on the pair itself and puts it in order when it is left.
    if (CurrentScreenId() != kScreenSelectLatitudes && s.latitude[0] == kNoLatitude &&
        s.latitude[1] != kNoLatitude)
        return Fail(why, "a second latitude without a first");
    const int v = s.earthView;
    if (v != kViewTemperature && v != kViewEnergy && v != kViewDaylight && v != kViewDistance)
        return Fail(why, "Earth view " + std::to_string(v) + " is none of the views");
    if (s.animationSpeed < 0 || s.animationSpeed > 6)
        return Fail(why, "animation speed " + std::to_string(s.animationSpeed) + " outside 0..6");
    return true;
}

bool CheckLogbook(LogbookWatch& w, std::string& why) {
    if (!gShell.userInterfaceBuilt && !gShell.shutdownDone) return true;
    std::vector<int> now;
    std::set<int> markedNow;
    if (LogbookFilesOff() || gLogbook.folderHeldElsewhere) {
        // The logbook never leaves memory: no logbook file may appear (unless another copy
        // holds the folder's), and the slots are it.
        if (LogbookFilesOff() && AnyLogbookFile())
            return Fail(why, "a logbook file appeared although the files are off");
        if (gShell.shutdownDone) return true;
        for (const LogEntry& e : gLogbook.slots) {
            if (e.serialNumber == 0) continue;
            now.push_back(std::abs(e.serialNumber));
            if (e.serialNumber < 0) markedNow.insert(-e.serialNumber);
        }
    } else {
        if (gShell.shutdownDone) {
            // The exit clean-up: the working copy goes and the logbook is left empty.
            if (FileSize(kWorkingCopyName) >= 0) return Fail(why, "logbook.tmp is left after the program ended");
            if (FileSize(kLogbookFixedName) > 0)
                return Fail(why, "logbook.bin holds " + std::to_string(FileSize(kLogbookFixedName)) +
                                     " bytes after the program ended");
            w = LogbookWatch{};
            return true;
        }
        const std::string binStamp = Stamp(kLogbookFixedName), tmpStamp = Stamp(kWorkingCopyName);
        if (w.known && binStamp == w.binStamp && tmpStamp == w.tmpStamp) return true;
        if (!ReadRecords(kLogbookFixedName, now, why)) return false;
        std::vector<int> working;
        if (!ReadRecords(kWorkingCopyName, working, why)) return false;
        for (int n : working)
            if (n < 0) markedNow.insert(-n);
        w.binStamp = binStamp;
        w.tmpStamp = tmpStamp;
    }
    if (w.known && !CheckNothingLost(w, now, markedNow, why)) return false;
    w.known = true;
    w.entries = now;
    w.marked = markedNow;
    return true;
}
