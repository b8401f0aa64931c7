// SPDX-License-Identifier: GPL-3.0-or-later
// What must hold after every step the monkey makes, whatever it clicked.
#pragma once
#include <set>
#include <string>
#include <vector>

// The logbook as last seen: the serial numbers of the entries in "logbook.bin" (or in the
// slots when the files are off), in order, and those marked for deletion in the working copy.
struct LogbookWatch {
    bool known = false;          // false until the first look of a run
    std::vector<int> entries;
    std::set<int> marked;
    // "logbook.bin" and "logbook.tmp" are read again only when they changed.
    std::string binStamp, tmpStamp;
};

// The ScreenId names one of the program's screens (while it runs).
bool CheckScreenId(std::string& why);
// ModelSettings within the ranges the screens can reach.
bool CheckModelSettings(std::string& why);
// "logbook.bin" is whole records the program's reader accepts, and every entry that was in it
// is still there unless it was marked for deletion (and the screen left) or was the oldest of
// a full logbook when a save came. Once the program has ended the files must be emptied.
bool CheckLogbook(LogbookWatch& watch, std::string& why);
