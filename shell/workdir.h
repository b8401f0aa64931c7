// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program keeps its configuration and logbook. An installed program uses a folder of
// its own per user ($XDG_DATA_HOME/heliora, else ~/.local/share/heliora), made on first start
// and given the shipped files from <prefix>/share/heliora; a program run from its build tree
// stays in the current folder as it always did. --workdir DIR names the folder outright.
#pragma once
#include <cstdio>
#include <string>

// Everything the choice depends on, read once from the process's surroundings.
struct WorkdirSources {
    std::string option;         // --workdir, empty when not given
    std::string xdgDataHome;    // $XDG_DATA_HOME, empty when unset
    std::string home;           // $HOME, else the account's home folder; empty when neither
    std::string installedData;  // <folder of the executable>/../share/heliora if it exists
    std::string sourceData;     // the source tree's data/ if it exists (a build-tree program)
};

struct WorkdirChoice {
    std::string dir;       // the folder to work in; empty: stay in the current folder
    std::string seedFrom;  // the folder whose files a missing one is copied from; empty: none
    std::string error;     // why no folder could be chosen; empty when one was
    bool shipped = false;  // seedFrom is the installed program's own data
};

// Decides the folder; touches nothing.
WorkdirChoice ChooseWorkdir(const WorkdirSources& sources);

// Reads the environment, the account and the executable's place.
WorkdirSources ReadWorkdirSources(const std::string& option);

// <dir of exe>/../share/heliora when that folder exists, else "".
std::string InstalledDataDir(const std::string& exePath);

// Makes `dir` and any missing parents (0700, as per-user data folders are made).
bool MakeFolders(const std::string& dir, std::string& error);

// Copies each regular file of `from` that `to` lacks. An existing file is never replaced;
// each copy is written under a temporary name and renamed, so a failed copy leaves no
// half-written file under the real name.
bool SeedMissingFiles(const std::string& from, const std::string& to, std::string& error);

// A damaged hlra_cfg.bin in `dir` is moved aside as hlra_cfg.bin.damaged and the shipped copy
// of `from` put back. True when that was done, with `notice` saying so for the teacher; false
// when the configuration is sound, missing or could not be put back (`notice` then empty).
bool PutBackShippedConfiguration(const std::string& from, const std::string& dir,
                                 std::string& notice);

// The whole start: chooses, makes, seeds and enters the folder; an installed program puts the
// shipped configuration back in place of a damaged one. Returns -1 to go on, or the exit status
// (1) after saying on err what went wrong. `said`, when given, receives what was said on err
// (the error, or the notice of a configuration put back), to be shown in a message box too.
int PrepareWorkdir(const std::string& option, std::FILE* err, std::string* said = nullptr);
