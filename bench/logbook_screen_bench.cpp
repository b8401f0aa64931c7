// SPDX-License-Identifier: GPL-3.0-or-later
// The logbook screen on the headless backend at 1024 x 768 with a full logbook of 32 entries
// in files: entering the screen (working copy, controls, list and entry view), and what a
// click on another entry button costs (comments stored, entry read, view redrawn).
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench/bench_program.h"
#include "config/logbook_file.h"
#include "logbook/logbook.h"
#include "logbook_screen/logbook_screen.h"
#include "model/model.h"
#include "widgets/screen_loop.h"

namespace {

// 32 saved runs of the model's year, numbered 32 (newest) down to 1.
bool WriteFullLogbook() {
    ResetModelToEarthNormal();
    if (!RebuildYearSeries()) return false;
    FILE* f = std::fopen("logbook.bin", "wb");
    if (!f) return false;
    bool ok = true;
    for (int n = kLogbookMaxEntries; n >= 1; --n) {
        LogEntry e;
        ClearLogEntry(e);
        EntryFromModel(e);
        CopyTextField(e.madeAt, kMadeAtSize, "9:05 AM on Tuesday, March 2, 2004");
        CopyTextField(e.userName, kUserNameSize, "Guest User");
        CopyTextField(e.comments, kCommentsSize, kNewEntryComments);
        e.serialNumber = n;
        LogEntryBytes r;
        EncodeLogEntry(e, r.b);
        ok = ok && WriteLogEntryRecord(f, r);
    }
    return std::fclose(f) == 0 && ok;
}

bool Prepare(benchmark::State& state) {
    if (!bench_program::StartProgram({"newcoast.txt"}) || !WriteFullLogbook()) {
        state.SkipWithError("the program could not start");
        return false;
    }
    ChooseLogbookFileForOpen();
    return true;
}

void BM_LogbookScreenEnter(benchmark::State& state) {
    if (!Prepare(state)) return;
    for (auto _ : state) {
        ScreenLoop loop;
        EnterLogbookScreen(loop);
        state.PauseTiming();
        LeaveLogbookScreen(loop, true);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LogbookScreenEnter)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_LogbookScreenSelectEntry(benchmark::State& state) {
    if (!Prepare(state)) return;
    ScreenLoop loop;
    EnterLogbookScreen(loop);
    int i = 1;
    for (auto _ : state) {
        SelectListEntry(i);
        i = (i + 1) % kListButtons;
    }
    LeaveLogbookScreen(loop, true);
}
BENCHMARK(BM_LogbookScreenSelectEntry)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
