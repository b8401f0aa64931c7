// SPDX-License-Identifier: GPL-3.0-or-later
// The SDL2 backend's functions (its record, kSdlBackend, is what platform.cpp calls). The web
// backend takes its input and pointer shapes from here too, since SDL runs in the browser.
#pragma once
#include "platform/platform.h"
#include "platform/present_region.h"

struct SDL_Window;

// Starts SDL's video and events once; later calls only report whether that worked. quiet
// leaves saying why it failed to the caller (SDL_GetError()).
bool SdlStartVideo(bool quiet = false);
// For a backend that shows the picture itself but takes SDL's events: the window the events
// come from, and the canvas size pointer positions map onto.
void SdlAttachWindow(SDL_Window* window, int canvasWidth, int canvasHeight);

bool SdlScreenSize(int& width, int& height);
bool SdlHasRealDisplay(std::string& why);
void SdlShowMessageBox(bool error, const char* title, const char* text);
// Opens the window in gPlatform's mode (fullscreen, windowedWidth x windowedHeight) and stores
// its client size there.
bool SdlOpenWindow(const char* title, bool softwareOnly);
// Between the whole screen and the window of gPlatform's windowed size; reports the new size.
bool SdlSetFullscreen(bool on);
void SdlCloseWindow();
bool SdlSetCanvasSize(int width, int height);
// Shows `frame` (width x height, 0xAARRGGBB); `changed` is what differs from the last one.
void SdlPresent(const uint32_t* frame, int width, int height, const PresentRegion& changed);
int SdlRefreshMs();
uint64_t SdlTicks();
void SdlDelay(int ms);
// Turns SDL events into messages on gPlatform.queue; waits up to timeoutMs for the first one
// (0: do not wait, negative: without limit). Returns true when the queue holds a message;
// false at once while no window is open.
bool SdlFetchMessages(int timeoutMs);
bool SdlWaitForEvent(int timeoutMs);
bool SdlSetCursorImage(int slot, const uint32_t* argb, int width, int height, int hotX, int hotY);
void SdlShowCursor(int slot);
bool SdlSetWindowIcon(const uint32_t* argb, int width, int height);
void SdlCaptureMouse(bool on);
void SdlConfinePointer(bool on, int left, int top, int right, int bottom);
void SdlMinimise();
void SdlRestore();
void SdlHideWindow();
