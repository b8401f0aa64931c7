// SPDX-License-Identifier: GPL-3.0-or-later
// A logbook file of any contents through every file operation the program performs.
// Runs in a private directory on a memory file system.
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "logbook/logbook.h"
#include "model/model.h"
#include "config/config.h"
#include "config/logbook_file.h"
#include "fuzz_workdir.h"

using namespace fuzz_workdir;

namespace {

time_t FixedClock() { return 1078218300; }

long SizeOf(const char* name) {
    struct stat st;
    return stat(name, &st) == 0 ? long(st.st_size) : -1;
}

// Every rewrite leaves whole records only.
void CheckWhole(const char* name) {
    long size = SizeOf(name);
    if (size >= 0 && size % long(kLogEntryBytes) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    EnterPrivateWorkDirectory(argc, argv);
    // An administrator's list naming users 0 and 7 (records scrambled as stored).
    static const unsigned char kKey[7] = {0x3C, 0x91, 0x5E, 0x07, 0xD4, 0x6A, 0xB2};
    unsigned char list[16 + 2 * 112] = {};
    for (int r = 0; r < 2; ++r) {
        unsigned char plain[112] = {};
        plain[108] = r == 0 ? 0 : 7;
        for (int i = 0; i < 112; ++i) list[16 + 112 * r + i] = uint8_t(~plain[i] ^ kKey[i % 7]);
    }
    WriteFile("../Administrator/admin.bin", list, sizeof list);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first byte picks the mode and the editor's text; the rest is "logbook.bin".
    uint8_t control = size ? data[0] : 0;
    if (size) ++data, --size;
    ResetConfiguration();
    ConfigRecord config;
    config.logbookEnabled = 1;
    ApplyConfiguration(config);
    ResetLogbookFileState();
    ResetLogbookState();
    gLogbook.clock = FixedClock;
    std::remove("logbook.tmp");
    WriteFile("logbook.bin", data, size);

    if ((control & 1) && CleanLogbookAtStartUp()) CheckWhole("logbook.bin");
    ChooseLogbookFileForOpen();
    BuildWorkingCopy();
    if (EntryCount() < 0 || EntryCount() > kLogbookSlotCount) std::abort();
    if (EntryCount() > 0) {
        LoadLogbookSlots();
        for (int i = 0; i < EntryCount(); ++i) {
            LogEntry& slot = LogbookSlots()[i];
            if (strnlen(slot.madeAt, kMadeAtSize) >= kMadeAtSize) std::abort();
            if (std::strlen(slot.comments) > kCommentsMaxChars) std::abort();
            (void)IsSoundRun(slot.run);
        }
        for (int i = 0; i < EntryCount(); ++i) {
            LoadShownEntry(i, (control & 2) != 0, (control & 4) ? "fuzzed comments" : "");
            if (LogEntry* shown = ShownEntry()) {
                if (std::strlen(shown->comments) > kCommentsMaxChars) std::abort();
                if (control & 8) ToggleDeletionMark(shown->serialNumber);
                if (LoadShownEntry(i, false, nullptr)) EntryToModel(*ShownEntry());
            }
            CheckWhole("logbook.tmp");
        }
        LoadShownEntry(EntryCount() + int(control >> 5), false, nullptr);
        StoreShownComments("last words");
        CommitLogbook();
        CheckWhole("logbook.bin");
    }
    ChooseLogbookFileForSave();
    if (control & 16) {
        bool saved = SaveInLogbook();
        CheckWhole("logbook.bin");
        if (saved && SizeOf("logbook.bin") > long(kLogbookMaxEntries * kLogEntryBytes))
            std::abort();
    }
    CleanLogbookAtExit();
    if (SizeOf("logbook.bin") != 0) std::abort();
    return 0;
}
