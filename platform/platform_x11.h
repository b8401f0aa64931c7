// SPDX-License-Identifier: GPL-3.0-or-later
// What SDL does not tell about the X server under the window.
#pragma once

struct SDL_Window;

// True when the window is on an X server that no window manager runs on (a virtual server, a
// kiosk). A full-screen request there goes unanswered, and SDL waits a tenth of a second for
// the answer; a window the size of the screen is the same thing, shown at once.
bool NoWindowManager(SDL_Window* window);
