// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line: how it starts (window or full screen) and where it keeps its
// files. --help and --version answer and end; anything unknown prints the usage.
#pragma once
#include <cstdio>

struct HelioraOptions;

// Reads argv into options. Returns -1 when the program should run, otherwise the exit status
// to end with at once (0 after --help or --version, 2 after a wrong command line). Help and
// version go to out, complaints and the usage to err.
int ParseCommandLine(int argc, char** argv, HelioraOptions& options, std::FILE* out, std::FILE* err);

// The program's version as --version and the About panel give it.
const char* HelioraVersion();
