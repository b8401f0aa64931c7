// SPDX-License-Identifier: GPL-3.0-or-later
// Kept apart from platform_sdl.cpp: the X11 headers define short macros (None, Success,
// Status) that would collide with the program's own names.
#include "platform/platform_x11.h"

#include <SDL.h>
#include <SDL_syswm.h>

#if defined(HELIORA_HAVE_X11) && defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#include <X11/Xlib.h>

bool NoWindowManager(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    Display* display = info.info.x11.display;
    // A running window manager names its check window on the root (EWMH).
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) return true;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const bool found = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False,
                                          XA_WINDOW, &type, &format, &count, &after,
                                          &data) == Success &&
                       type == XA_WINDOW && count == 1;
    if (data) XFree(data);
    return !found;
}

#else

bool NoWindowManager(SDL_Window*) { return false; }  // ask for full screen as always

#endif
