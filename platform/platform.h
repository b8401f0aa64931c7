// SPDX-License-Identifier: GPL-3.0-or-later
// The platform layer: window, input messages, presenting the indexed canvas, time and pointer.
// Three backends stand behind this one interface (platform_backend.h), one chosen before the
// window opens: SDL2 for the desktop program, the page's canvas for the program in a browser,
// and a headless one for tests and tools (scripted messages, virtual clock).
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/letterbox.h"
#include "platform/present_region.h"

// Sdl asks for the real display: a desktop window, or in the browser build the page (Web).
enum class PlatformBackend : uint8_t { Sdl, Headless, Web };

enum class MessageKind : uint8_t {
    None,
    MouseMove,
    LeftDown,
    LeftUp,
    RightDown,
    RightUp,
    KeyDown,
    KeyUp,
    SysKeyDown,    // a key pressed together with Alt, or F10
    SysKeyUp,
    Character,     // one Windows-1252 byte of typed text
    CloseRequest,  // the window's close button, or a posted request to close
    Destroy,       // the window has been destroyed
    Quit,          // the message loop should end
    SysMinimise,
    SysRestore,
    SysClose,
    Enable,
    Disable,
    Show,
    Hide,
    Other,
};

enum class MessageTarget : uint8_t { MainWindow, EditBox };

// One input message. Positions are device pixels of the canvas (the backends map the window's
// own pixels through the letterbox, so screens never see the window's size).
struct Message {
    MessageKind kind = MessageKind::None;
    int x = 0;
    int y = 0;
    int key = 0;        // key code below, for key messages
    int character = 0;  // 0..255, a Windows-1252 byte, for Character messages
    MessageTarget target = MessageTarget::MainWindow;
    int childId = 0;    // the edit box's child id when target is EditBox
    uint64_t time = 0;  // milliseconds of the platform clock
    bool addressed = false;  // posted to exactly this target: the focus does not redirect it
    uint8_t modifiers = 0;   // key messages: kModShift, kModControl held
};

// Modifier bits of a key message.
enum : uint8_t { kModShift = 1, kModControl = 2 };

// Key codes: letters and digits are their upper-case ASCII codes, the rest as listed.
enum : int {
    KeyBackspace = 8,
    KeyTab = 9,
    KeyEnter = 13,
    KeyShift = 16,
    KeyControl = 17,
    KeyAlt = 18,
    KeyEscape = 27,
    KeySpace = 32,
    KeyPageUp = 33,
    KeyPageDown = 34,
    KeyEnd = 35,
    KeyHome = 36,
    KeyLeft = 37,
    KeyUp = 38,
    KeyRight = 39,
    KeyDown = 40,
    KeyInsert = 45,
    KeyPrint = 44,
    KeyDelete = 46,
    KeyF1 = 112,
    KeyF2 = 113,
    KeyF10 = 121,
    KeyF11 = 122,
    KeyF12 = 123,
};

struct PlatformColour {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

// A rectangle of canvas pixels owned by a child window (an edit box): mouse messages inside
// it are addressed to the child.
struct ChildArea {
    int id = 0;
    int left = 0, top = 0, right = 0, bottom = 0;
};

constexpr int kCursorSlots = 21;  // slots 0..20; 0 is never loaded (no pointer shown)

struct PlatformState {
    PlatformBackend backend = PlatformBackend::Sdl;
    bool windowOpen = false;
    bool minimised = false;

    // The window's mode and its client area in window pixels; the canvas is letterboxed into
    // it. The windowed size is what F11 goes back to (the user may have resized the window).
    bool startWindowed = false;  // the mode the next window opens in
    bool fullscreen = true;
    int windowWidth = 0;
    int windowHeight = 0;
    int windowedWidth = 1024;
    int windowedHeight = 768;
    // The window and letterbox the last present filled (the headless backend's picture).
    int presentedWindowWidth = 0;
    int presentedWindowHeight = 0;
    WindowRect presentedBox;

    // The canvas shown by a present: palette indices and the palette they go through.
    const uint8_t* canvas = nullptr;
    int canvasWidth = 0;
    int canvasHeight = 0;
    const PlatformColour* palette = nullptr;  // 256 entries
    std::vector<uint32_t> frame;  // the last converted picture, in the backend's pixel order
    // What `frame` was made from, so a present converts only what changed since.
    std::vector<uint8_t> shownCanvas;
    std::vector<RowSpan> changedRows;  // the last present's changed spans
    uint32_t shownColours[256] = {};
    bool shownRing = false;
    int shownRingLeft = 0, shownRingTop = 0, shownRingRight = 0, shownRingBottom = 0;

    // Coalesced presents.
    bool dirty = false;
    bool presentedOnce = false;
    uint64_t lastPresent = 0;
    int refreshMs = 16;
    long presentCount = 0;
    int screenId = 0;  // the screen running now, as the program last said (0: none)

    // Messages posted by the program, and those an SDL event expanded into several.
    std::deque<Message> queue;
    bool displayLost = false;

    int focusChild = 0;  // 0: the main window has the keyboard focus
    std::vector<ChildArea> children;
    bool captured = false;
    bool confined = false;
    int confineLeft = 0, confineTop = 0, confineRight = 0, confineBottom = 0;

    // The keyboard's focus ring, in device pixels: drawn over each presented picture, never
    // into the canvas, so nothing the screens draw is disturbed by it.
    bool focusRing = false;
    int ringLeft = 0, ringTop = 0, ringRight = 0, ringBottom = 0;

    int cursorSlot = -1;  // -1 until a shape was chosen
    bool cursorLoaded[kCursorSlots] = {};
    int windowIconWidth = 0;  // the icon the window was given (0: none)

    // Headless backend: the screen it pretends to have, and its virtual clock.
    int headlessScreenWidth = 1024;
    int headlessScreenHeight = 768;
    uint64_t headlessClock = 0;
    // Called whenever the headless backend finds its queue empty, so a driver (the replay
    // tool) can feed the next scripted input exactly when the program asks for it.
    void (*headlessFeeder)() = nullptr;
};
extern PlatformState gPlatform;

// Closes any window and returns every field to its start value (tests call it).
void PlatformReset();
// Chooses the backend; only while no window is open. Returns false otherwise.
bool PlatformSelectBackend(PlatformBackend backend);

// Whether a window would be seen: false, with `why` in one line, when there is no display to
// show it on (neither an X11 nor a Wayland display is named, or SDL could find only a driver
// that draws nowhere). The headless backend, which tests ask for, always has one.
bool PlatformHasRealDisplay(std::string& why);
// A start-up problem in a message box where a display exists, since a program started from the
// desktop's menu has no terminal (error: an error box, else a notice); waits for the box to be
// closed. Nothing on the headless backend.
void PlatformShowMessageBox(bool error, const char* title, const char* text);

// The size of the screen the window will cover, in pixels.
bool PlatformScreenSize(int& width, int& height);
// The mode the next window opens in: a resizable window of 1024 x 768 (smaller, keeping 4:3,
// where the desktop has no room for that and the window's frame), or the whole screen (the
// default).
void PlatformStartWindowed(bool windowed);
// Opens the one main window. softwareOnly asks for a renderer without hardware help.
bool PlatformOpenWindow(const char* title, bool softwareOnly);
void PlatformCloseWindow();
// Tells the platform which canvas and palette to present; sets the canvas size.
bool PlatformSetCanvas(const uint8_t* pixels, int width, int height, const PlatformColour* palette);
void PlatformClearCanvas();

// Presents the canvas now (waits for the refresh where the display offers that).
void PlatformPresent();
// A finished drawing: presents when at least one refresh has passed since the last present,
// otherwise only marks the canvas dirty.
void PlatformPresentCoalesced();
void PlatformMarkDirty();
// Presents the canvas if it is dirty.
void PlatformFlush();
// Shows the focus ring round the device rectangle (right and bottom exclusive) from the next
// present on, or takes it away; either way the picture is presented again.
void PlatformSetFocusRing(bool on, int left, int top, int right, int bottom);
// Draws the ring into a converted picture of width x height pixels.
void DrawFocusRing(uint32_t* frame, int width, int height);
// Converts count palette indices to 0xAARRGGBB through a 256-entry palette.
void PlatformConvertCanvas(const uint8_t* pixels, size_t count, const PlatformColour* palette,
                           uint32_t* out);

// F11: between the whole screen and the window, at any time. The screens notice nothing: the
// whole picture is presented again and the pointer maps through the new letterbox.
bool PlatformToggleFullscreen();
bool PlatformIsFullscreen();
// Where the canvas sits in the window now.
WindowRect PlatformLetterbox();
// The backends report a new client size here (a resize, a toggle): the letterbox follows, a
// confined pointer is confined again, and the whole picture is presented afresh.
void PlatformWindowResized(int width, int height);

// Milliseconds since the platform started (virtual on the headless backend).
uint64_t PlatformTicks();
// Sleeps; a dirty canvas is presented first. The headless clock just advances.
void PlatformSleep(int ms);

// Takes the next message if there is one; never waits. A dirty canvas is presented when the
// queue is found empty.
bool PlatformPollMessage(Message& message);
// Waits up to timeoutMs (negative: without limit) for a message and takes it. On the headless
// backend an unlimited wait on an empty script yields a Quit message rather than hanging.
bool PlatformWaitMessage(Message& message, int timeoutMs);
// Waits up to timeoutMs until a message is waiting, without taking it: for screens with no idle
// work, so they do not spin.
bool PlatformWaitForMessage(int timeoutMs);
// The program wrote a file the user asked for (a picture, the numbers): where files are not
// simply left on a disk the user can open, the backend hands it over (a browser downloads it).
void PlatformOfferFile(const char* path);
// The program says which screen runs now (0: none), for whoever watches it from outside (the
// web page's test hook).
void PlatformNoteScreen(int screenId);
// Adds a message to the end of the queue, delivered to the target it names.
void PlatformPostMessage(const Message& message);
// What the window does with a message nobody else handles: iconise, restore, destroy on close.
void PlatformDefaultHandling(const Message& message);
void PlatformMinimise();
void PlatformRestore();
// Posts Destroy and then Quit, and hides the window.
void PlatformDestroyWindow();
// True once after the display was reset (a lost renderer, or a test's simulated loss): the
// canvas must be redrawn. A restore after a minimise is not a loss.
bool PlatformTakeDisplayLost();
bool PlatformDisplayLostPending();

// Cursor shapes: an image of palette indices (transparentIndex left out) turned into a pointer.
bool PlatformSetCursorImage(int slot, const uint8_t* indices, int width, int height, int hotX,
                            int hotY, int transparentIndex, const PlatformColour* palette);
// The window's icon, an image of palette indices like a cursor's.
bool PlatformSetWindowIcon(const uint8_t* indices, int width, int height, int transparentIndex,
                           const PlatformColour* palette);
// Slots 0..20 become current and are shown (an empty slot hides the pointer); -1 re-applies the
// current one if any was chosen; other values are ignored.
void PlatformShowCursor(int slot);
// Built-in pointer shapes for slots 1..3 until the program supplies its own.
void PlatformLoadFallbackCursors();

void PlatformCaptureMouse(bool on);
// Keeps the pointer inside the device rectangle (right and bottom exclusive); on = false frees it.
void PlatformConfinePointer(bool on, int left, int top, int right, int bottom);

void PlatformAddChild(const ChildArea& area);
void PlatformMoveChild(const ChildArea& area);
void PlatformRemoveChild(int id);
void PlatformSetKeyboardFocus(int childId);
int PlatformKeyboardFocus();

// Windows-1252 byte for a Unicode code point, or -1 when the code page has none.
int UnicodeToCp1252(uint32_t codePoint);
// Code point of a Windows-1252 byte (0 for the five unassigned bytes).
uint32_t Cp1252ToUnicode(uint8_t byte);
// Appends the Windows-1252 bytes of UTF-8 text; characters outside the code page are skipped.
void Utf8ToCp1252(const char* utf8, std::vector<uint8_t>& out);

// Headless backend helpers for tests and tools.
void HeadlessSetScreenSize(int width, int height);
void HeadlessPushMessage(const Message& message);
void HeadlessAdvanceClock(uint64_t ms);
// The display is lost as when the graphics device resets: the flag is set and a message
// queued for the screen to notice it by.
void HeadlessLoseDisplay();
// Installs (or with null removes) the callback run when the headless queue is found empty.
void HeadlessSetIdleFeeder(void (*feeder)());
// The colour (0xAARRGGBB) of a pixel in the last presented frame.
uint32_t PresentedPixel(int x, int y);
// The user drags the windowed window to width x height (ignored on the whole screen).
bool HeadlessResizeWindow(int width, int height);
// Queues a pointer message whose position is in window pixels, as the window system gives it.
void HeadlessPushWindowMessage(const Message& message);
// What a window pixel shows after the last present: black on the bars, else the canvas pixel
// the letterbox puts there.
uint32_t HeadlessWindowPixel(int wx, int wy);
