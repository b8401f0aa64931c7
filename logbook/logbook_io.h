// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers shared by the logbook's own source files; not for screens.
#pragma once
#include <cstdint>
#include <cstdio>

// True when the configuration keeps the logbook in memory only.
bool MemoryOnlyLogbook();
// The current user's number as records store it.
uint32_t CurrentUser();
// Puts the fixed logbook name into the shared buffer when no screen has chosen one yet.
void EnsureLogbookFileName();

FILE* OpenWorkingCopy();  // "logbook.tmp" for reading
FILE* CreateScratch();    // "logbook.zzz", truncated, for writing

// Flushes the scratch file to disk, closes it and renames it over "logbook.bin" (the shared
// file name) or "logbook.tmp". When `writtenOk` is false or any step fails, the scratch file
// is removed and the target keeps its old contents.
bool PublishScratchAsLogbook(FILE* scratch, bool writtenOk);
bool PublishScratchAsWorkingCopy(FILE* scratch, bool writtenOk);
