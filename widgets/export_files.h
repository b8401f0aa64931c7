// SPDX-License-Identifier: GPL-3.0-or-later
// Files the pupil takes away: pictures of the screen (F12) and the numbers of a run (Ctrl+E).
// They go into $XDG_PICTURES_DIR/Heliora, else ~/Pictures/Heliora, else the working folder;
// each is written under a temporary name, flushed and renamed, so a full disk or a refused
// folder never leaves a half-written file under the final name.
#pragma once

#include <string>

// The folder files go to, made if needed; false with a reason when none can be made.
bool ChooseExportFolder(std::string& folder, std::string& why);
// A new file name in `folder` from the local date and time: heliora-YYYY-MM-DD-HHMMSS.EXT,
// with -2, -3, ... when that name is taken.
std::string NewExportPath(const std::string& folder, const char* extension);
// Writes the bytes to `path` through a temporary file; false with a reason (errno in words).
bool WriteExportFile(const std::string& path, const std::string& bytes, std::string& why);

// F12: the canvas as PNG. `message` says where it went or why it could not be saved.
bool SaveScreenPicture(char* message, int size);
// Ctrl+E: the text of `csv` into a new .csv file; `message` as above, `what` names the content
// ("the year", "this entry").
bool SaveExportText(const std::string& csv, const char* what, char* message, int size);

// Where the picture folder is looked for (tests point these elsewhere).
struct ExportFolderState {
    std::string overrideFolder;  // non-empty: use this folder as it is
};
extern ExportFolderState gExportFolder;
