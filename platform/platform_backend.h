// SPDX-License-Identifier: GPL-3.0-or-later
// The seam between the shared half of the platform layer (platform.cpp: queue, routing,
// coalesced presents) and the backends that own a display, a clock and an input source.
// Each backend fills one record of these functions; PlatformSelectBackend picks the record
// once, before the window opens. Nothing outside platform/ sees this file.
#pragma once
#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "platform/present_region.h"

struct PlatformBackendFunctions {
    // The converted picture's words hold the bytes R, G, B, A in memory order, as a page's
    // canvas takes them, instead of 0xAARRGGBB: the picture then goes out without a second
    // conversion.
    bool frameInRgbaBytes;
    // Pictures reach the screen only when the program yields (sleeps or waits for input), and
    // the backend presents what is dirty before each yield: an earlier present would only
    // convert the picture twice.
    bool showsOnlyOnYield;
    // Whether a window would be seen; why not, in words, when it would not.
    bool (*hasRealDisplay)(std::string& why);
    // Tells the user something that cannot wait for a window (a failed start).
    void (*showMessageBox)(bool error, const char* title, const char* text);
    // The size of the screen the window will cover, in pixels.
    bool (*screenSize)(int& width, int& height);
    // Opens the window in gPlatform's mode and stores its client size in gPlatform.
    bool (*openWindow)(const char* title, bool softwareOnly);
    // Closes the window and frees what it held.
    void (*closeWindow)();
    // Gets ready to show a canvas of this size.
    bool (*setCanvasSize)(int width, int height);
    // Shows the converted picture (0xAARRGGBB unless frameInRgbaBytes); `changed` is what
    // differs from the last one.
    void (*present)(const uint32_t* frame, int width, int height, const PresentRegion& changed);
    // The display's refresh interval in milliseconds.
    int (*refreshMs)();
    // Milliseconds since the platform started.
    uint64_t (*ticks)();
    // Waits ms milliseconds.
    void (*sleep)(int ms);
    // Turns input into messages on gPlatform.queue, waiting up to timeoutMs for the first
    // (0: not at all, negative: without limit); true when the queue holds a message.
    bool (*fetchMessages)(int timeoutMs);
    // Waits up to timeoutMs until input is waiting, without taking it.
    bool (*waitForInput)(int timeoutMs);
    // Between the whole screen and the window; reports the new size through
    // PlatformWindowResized.
    bool (*setFullscreen)(bool on);
    // Makes cursor slot `slot` from an image of 0xAARRGGBB pixels.
    bool (*setCursorImage)(int slot, const uint32_t* argb, int width, int height, int hotX,
                           int hotY);
    // Shows the pointer of a loaded slot, or hides it (0 or an empty slot).
    void (*showCursor)(int slot);
    // Gives the window its icon.
    bool (*setWindowIcon)(const uint32_t* argb, int width, int height);
    // Keeps every mouse message for the window, or lets go.
    void (*captureMouse)(bool on);
    // Keeps the pointer inside a canvas rectangle (right and bottom exclusive), or frees it.
    void (*confinePointer)(bool on, int left, int top, int right, int bottom);
    // The program asks for the window to be iconised; the answer comes as SysMinimise.
    void (*requestMinimise)();
    // The program asks for the window back; the answer comes as SysRestore.
    void (*requestRestore)();
    // Iconises the window (what it does with a SysMinimise nobody handled).
    void (*minimise)();
    // Restores it (what it does with a SysRestore nobody handled).
    void (*restore)();
    // Hides the window; it is about to be destroyed.
    void (*hideWindow)();
    // A file the user asked for (a picture, the numbers) has been written at `path`.
    void (*offerFile)(const char* path);
};

// The three records; PlatformSelectBackend chooses among them.
extern const PlatformBackendFunctions kSdlBackend;
extern const PlatformBackendFunctions kHeadlessBackend;
extern const PlatformBackendFunctions kWebBackend;  // only in the WebAssembly build
