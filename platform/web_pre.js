// SPDX-License-Identifier: GPL-3.0-or-later
// Runs inside the module before the program starts (linked with --pre-js).
// The program works in /heliora, in the page's memory: the packed hlra_cfg.bin, newcoast.txt
// and coast5.bin are there, and so is the logbook for as long as the page stays open.
if (!Module['arguments']) Module['arguments'] = ['--workdir', '/heliora'];
