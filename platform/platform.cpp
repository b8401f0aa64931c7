// SPDX-License-Identifier: GPL-3.0-or-later
// The shared half of the platform layer: message queue and routing, coalesced presents, time.
// Everything a display, a clock or an input source does is the chosen backend's
// (platform_backend.h): platform_sdl.cpp, platform_headless.cpp, platform_web.cpp.
#include "platform/platform.h"

#include "platform/platform_backend.h"
#include "platform/present_region.h"

#include <algorithm>
#include <cstring>

PlatformState gPlatform;

namespace {

const PlatformBackendFunctions& Backend() {
    switch (gPlatform.backend) {
    case PlatformBackend::Headless: return kHeadlessBackend;
#ifdef __EMSCRIPTEN__
    case PlatformBackend::Web: return kWebBackend;
    default: return kWebBackend;  // the browser build has no desktop window to open
#else
    default: return kSdlBackend;
#endif
    }
}

bool Headless() { return gPlatform.backend == PlatformBackend::Headless; }

bool IsMouseKind(MessageKind k) {
    return k == MessageKind::MouseMove || k == MessageKind::LeftDown || k == MessageKind::LeftUp ||
           k == MessageKind::RightDown || k == MessageKind::RightUp;
}

bool IsKeyboardKind(MessageKind k) {
    return k == MessageKind::KeyDown || k == MessageKind::KeyUp || k == MessageKind::SysKeyDown ||
           k == MessageKind::SysKeyUp || k == MessageKind::Character;
}

// Addresses a message to an edit box when the pointer is over one (and the main window has not
// captured the mouse) or when an edit box holds the keyboard focus.
void RouteMessage(Message& m) {
    if (m.addressed || m.target != MessageTarget::MainWindow || m.childId != 0) return;
    if (IsMouseKind(m.kind) && !gPlatform.captured) {
        for (auto it = gPlatform.children.rbegin(); it != gPlatform.children.rend(); ++it) {
            if (m.x >= it->left && m.x < it->right && m.y >= it->top && m.y < it->bottom) {
                m.target = MessageTarget::EditBox;
                m.childId = it->id;
                return;
            }
        }
    } else if (IsKeyboardKind(m.kind) && gPlatform.focusChild != 0) {
        m.target = MessageTarget::EditBox;
        m.childId = gPlatform.focusChild;
    }
}

// Gives a headless driver the chance to queue its next input when the program finds none.
void FeedIfEmpty() {
    if (Headless() && gPlatform.queue.empty() && gPlatform.headlessFeeder) gPlatform.headlessFeeder();
}

// Takes the front of the queue and notes what it says about the window.
bool TakeQueued(Message& m) {
    FeedIfEmpty();
    if (gPlatform.queue.empty()) return false;
    m = gPlatform.queue.front();
    gPlatform.queue.pop_front();
    if (m.time == 0) m.time = PlatformTicks();
    if (m.kind == MessageKind::SysMinimise) gPlatform.minimised = true;
    if (m.kind == MessageKind::SysRestore) {
        // The picture lives in our own memory and outlasts the iconised spell: it is only
        // shown again, and the screen carries on where it was.
        if (gPlatform.minimised) PlatformMarkDirty();
        gPlatform.minimised = false;
    }
    RouteMessage(m);
    return true;
}

uint32_t Argb(uint8_t r, uint8_t g, uint8_t b) {
    return 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}

// A colour as the backend's picture holds it (see frameInRgbaBytes).
uint32_t FramePixel(uint8_t r, uint8_t g, uint8_t b) {
    return Backend().frameInRgbaBytes ? Argb(b, g, r) : Argb(r, g, b);
}

void MakeColourTable(const PlatformColour* palette, uint32_t* lut) {
    for (int i = 0; i < 256; ++i) lut[i] = Argb(palette[i].r, palette[i].g, palette[i].b);
}

void MakeFrameColourTable(const PlatformColour* palette, uint32_t* lut) {
    for (int i = 0; i < 256; ++i) lut[i] = FramePixel(palette[i].r, palette[i].g, palette[i].b);
}

// A cursor or icon image (at most 256 pixels a side) as 0xAARRGGBB, the transparent index
// fully see-through. False for a missing or oversized image.
bool SmallImageToArgb(const uint8_t* indices, int width, int height, int transparentIndex,
                      const PlatformColour* palette, std::vector<uint32_t>& argb) {
    if (!indices || !palette || width <= 0 || height <= 0 || width > 256 || height > 256)
        return false;
    argb.resize(size_t(width) * size_t(height));
    PlatformConvertCanvas(indices, argb.size(), palette, argb.data());
    for (size_t i = 0; i < argb.size(); ++i)
        if (int(indices[i]) == transparentIndex) argb[i] = 0;
    return true;
}

}  // namespace

void PlatformReset() {
    if (gPlatform.windowOpen) PlatformCloseWindow();
    gPlatform = PlatformState{};
}

bool PlatformSelectBackend(PlatformBackend backend) {
    if (gPlatform.windowOpen) return false;
#ifdef __EMSCRIPTEN__
    // In the browser the real display is the page's canvas.
    if (backend == PlatformBackend::Sdl) backend = PlatformBackend::Web;
#else
    if (backend == PlatformBackend::Web) return false;
#endif
    gPlatform.backend = backend;
    return true;
}

bool PlatformHasRealDisplay(std::string& why) { return Backend().hasRealDisplay(why); }

void PlatformShowMessageBox(bool error, const char* title, const char* text) {
    Backend().showMessageBox(error, title ? title : "", text ? text : "");
}

bool PlatformScreenSize(int& width, int& height) { return Backend().screenSize(width, height); }

void PlatformStartWindowed(bool windowed) { gPlatform.startWindowed = windowed; }

bool PlatformOpenWindow(const char* title, bool softwareOnly) {
    if (gPlatform.windowOpen) return true;
    PlatformState& p = gPlatform;
    p.fullscreen = !p.startWindowed;
    // The backend chooses the window's size (ChooseWindowSize: 1024 x 768 where there is room,
    // else the largest 4:3 size that fits) from what it knows of the screen.
    if (!Backend().openWindow(title ? title : "", softwareOnly)) return false;  // sets the size
    p.refreshMs = Backend().refreshMs();
    gPlatform.windowOpen = true;
    gPlatform.minimised = false;
    PlatformLoadFallbackCursors();
    return true;
}

void PlatformCloseWindow() {
    Backend().closeWindow();
    gPlatform.windowOpen = false;
    gPlatform.minimised = false;
    gPlatform.windowWidth = gPlatform.windowHeight = 0;
    gPlatform.canvas = nullptr;
    gPlatform.palette = nullptr;
    gPlatform.canvasWidth = gPlatform.canvasHeight = 0;
    gPlatform.frame.clear();
    gPlatform.shownCanvas.clear();
    gPlatform.dirty = false;
    gPlatform.cursorSlot = -1;
    std::fill(std::begin(gPlatform.cursorLoaded), std::end(gPlatform.cursorLoaded), false);
    gPlatform.children.clear();
    gPlatform.focusChild = 0;
    gPlatform.captured = false;
    gPlatform.confined = false;
}

bool PlatformSetCanvas(const uint8_t* pixels, int width, int height, const PlatformColour* palette) {
    if (!pixels || !palette || width <= 0 || height <= 0) return false;
    if (gPlatform.windowOpen && !Backend().setCanvasSize(width, height)) return false;
    gPlatform.canvas = pixels;
    gPlatform.canvasWidth = width;
    gPlatform.canvasHeight = height;
    gPlatform.palette = palette;
    gPlatform.frame.assign(size_t(width) * size_t(height), 0xFF000000u);
    gPlatform.shownCanvas.clear();
    gPlatform.dirty = true;
    return true;
}

void PlatformClearCanvas() {
    gPlatform.canvas = nullptr;
    gPlatform.palette = nullptr;
    gPlatform.canvasWidth = gPlatform.canvasHeight = 0;
    gPlatform.frame.clear();
    gPlatform.shownCanvas.clear();
    gPlatform.dirty = false;
}

void PlatformConvertCanvas(const uint8_t* pixels, size_t count, const PlatformColour* palette,
                           uint32_t* out) {
    uint32_t lut[256];
    MakeColourTable(palette, lut);
    for (size_t i = 0; i < count; ++i) out[i] = lut[pixels[i]];
}

namespace {

bool RingAsShown() {
    const PlatformState& p = gPlatform;
    return p.shownRing == p.focusRing &&
           (!p.focusRing || (p.shownRingLeft == p.ringLeft && p.shownRingTop == p.ringTop &&
                             p.shownRingRight == p.ringRight && p.shownRingBottom == p.ringBottom));
}

void NoteRingShown() {
    PlatformState& p = gPlatform;
    p.shownRing = p.focusRing;
    p.shownRingLeft = p.ringLeft;
    p.shownRingTop = p.ringTop;
    p.shownRingRight = p.ringRight;
    p.shownRingBottom = p.ringBottom;
}

// Brings `frame` up to date with the canvas, the palette and the focus ring, converting only
// the pixels of each row that changed; returns the rectangle that differs from the last picture.
PresentRegion UpdateFrame() {
    PlatformState& p = gPlatform;
    const int w = p.canvasWidth, h = p.canvasHeight;
    const size_t count = size_t(w) * size_t(h);
    uint32_t lut[256];
    MakeFrameColourTable(p.palette, lut);
    const bool whole = p.frame.size() != count || !RingAsShown() ||
                       std::memcmp(lut, p.shownColours, sizeof lut) != 0;
    if (whole) p.shownCanvas.clear();  // compares as wholly different
    const PresentRegion r = ChangedRegion(p.canvas, w, h, p.shownCanvas, &p.changedRows);
    if (p.frame.size() != count) p.frame.assign(count, 0);
    std::memcpy(p.shownColours, lut, sizeof lut);
    NoteRingShown();
    if (r.Empty()) return r;
    for (const RowSpan& s : p.changedRows) {
        const size_t row = size_t(s.y) * size_t(w);
        const uint8_t* in = p.canvas + row;
        uint32_t* out = p.frame.data() + row;
        for (int x = s.left; x < s.right; ++x) out[x] = lut[in[x]];
    }
    // The ring is unchanged (else all was converted): drawing it again mends what the
    // conversion covered, and the rest of it is still in place.
    if (p.focusRing) DrawFocusRing(p.frame.data(), w, h);
    return r;
}

}  // namespace

void PlatformPresent() {
    gPlatform.dirty = false;
    if (!gPlatform.canvas || !gPlatform.windowOpen) return;
    const PresentRegion changed = UpdateFrame();
    // Nothing is shown while the window is an icon; the restore asks for a full redraw anyway.
    if (!gPlatform.minimised)
        Backend().present(gPlatform.frame.data(), gPlatform.canvasWidth, gPlatform.canvasHeight,
                          changed);
    gPlatform.presentedWindowWidth = gPlatform.windowWidth;
    gPlatform.presentedWindowHeight = gPlatform.windowHeight;
    gPlatform.presentedBox = PlatformLetterbox();
    gPlatform.presentCount++;
    gPlatform.presentedOnce = true;
    gPlatform.lastPresent = PlatformTicks();
}

void PlatformPresentCoalesced() {
    if (Backend().showsOnlyOnYield) {
        gPlatform.dirty = true;
        return;
    }
    const uint64_t now = PlatformTicks();
    if (!gPlatform.presentedOnce || now - gPlatform.lastPresent >= uint64_t(gPlatform.refreshMs))
        PlatformPresent();
    else
        gPlatform.dirty = true;
}

void PlatformMarkDirty() { gPlatform.dirty = true; }

void PlatformSetFocusRing(bool on, int left, int top, int right, int bottom) {
    PlatformState& p = gPlatform;
    if (p.focusRing == on && (!on || (p.ringLeft == left && p.ringTop == top &&
                                      p.ringRight == right && p.ringBottom == bottom)))
        return;
    p.focusRing = on;
    p.ringLeft = left;
    p.ringTop = top;
    p.ringRight = right;
    p.ringBottom = bottom;
    PlatformMarkDirty();
}

void DrawFocusRing(uint32_t* frame, int width, int height) {
    const PlatformState& p = gPlatform;
    // Two pixels of yellow outside a pixel of black, readable on every panel colour.
    const uint32_t yellow = FramePixel(255, 255, 0), black = FramePixel(0, 0, 0);
    const uint32_t colours[3] = {yellow, yellow, black};
    for (int ring = 0; ring < 3; ++ring) {
        const int l = p.ringLeft - 3 + ring, t = p.ringTop - 3 + ring;
        const int r = p.ringRight + 2 - ring, b = p.ringBottom + 2 - ring;
        for (int y = t; y <= b; ++y) {
            if (y < 0 || y >= height) continue;
            const bool edgeRow = y == t || y == b;
            for (int x = l; x <= r; ++x) {
                if (x < 0 || x >= width) continue;
                if (edgeRow || x == l || x == r) frame[size_t(y) * size_t(width) + size_t(x)] = colours[ring];
            }
        }
    }
}

void PlatformFlush() {
    if (gPlatform.dirty) PlatformPresent();
}

bool PlatformToggleFullscreen() {
    PlatformState& p = gPlatform;
    if (!p.windowOpen) return false;
    // The mode changes first, so the size the backend reports is not taken for the window's.
    p.fullscreen = !p.fullscreen;
    if (!Backend().setFullscreen(p.fullscreen)) {
        p.fullscreen = !p.fullscreen;
        return false;
    }
    return true;
}

bool PlatformIsFullscreen() { return gPlatform.fullscreen; }

WindowRect PlatformLetterbox() {
    return LetterboxFor(gPlatform.windowWidth, gPlatform.windowHeight, gPlatform.canvasWidth,
                        gPlatform.canvasHeight);
}

void PlatformWindowResized(int width, int height) {
    PlatformState& p = gPlatform;
    p.windowWidth = std::max(1, width);
    p.windowHeight = std::max(1, height);
    if (!p.fullscreen) {
        p.windowedWidth = p.windowWidth;
        p.windowedHeight = p.windowHeight;
    }
    // The window-pixel rectangle of a pop-up's confinement moved with the letterbox.
    if (p.confined)
        PlatformConfinePointer(true, p.confineLeft, p.confineTop, p.confineRight, p.confineBottom);
    // The canvas still holds the whole picture: showing it again fills the new window.
    PlatformMarkDirty();
}

uint64_t PlatformTicks() { return Backend().ticks(); }

void PlatformSleep(int ms) {
    PlatformFlush();
    if (ms > 0) Backend().sleep(ms);
}

bool PlatformPollMessage(Message& message) {
    if (TakeQueued(message)) return true;
    if (Backend().fetchMessages(0) && TakeQueued(message)) return true;
    if (!Backend().showsOnlyOnYield) PlatformFlush();  // else the yield itself presents
    return false;
}

bool PlatformWaitMessage(Message& message, int timeoutMs) {
    if (PlatformPollMessage(message)) return true;
    return Backend().fetchMessages(timeoutMs) && TakeQueued(message);
}

bool PlatformWaitForMessage(int timeoutMs) {
    FeedIfEmpty();
    if (!gPlatform.queue.empty()) return true;
    PlatformFlush();
    return Backend().waitForInput(timeoutMs);
}

void PlatformNoteScreen(int screenId) { gPlatform.screenId = screenId; }

void PlatformOfferFile(const char* path) {
    if (path && *path) Backend().offerFile(path);
}

void PlatformPostMessage(const Message& message) {
    gPlatform.queue.push_back(message);
    gPlatform.queue.back().addressed = true;
}

void PlatformDefaultHandling(const Message& message) {
    switch (message.kind) {
    case MessageKind::SysMinimise:
        if (gPlatform.windowOpen) Backend().minimise();
        break;
    case MessageKind::SysRestore:
        if (gPlatform.windowOpen) Backend().restore();
        break;
    case MessageKind::SysClose: {
        Message close;
        close.kind = MessageKind::CloseRequest;
        PlatformPostMessage(close);
        break;
    }
    case MessageKind::CloseRequest:
        PlatformDestroyWindow();
        break;
    default:
        break;
    }
}

void PlatformMinimise() {
    if (!gPlatform.minimised) Backend().requestMinimise();
}

void PlatformRestore() { Backend().requestRestore(); }

void PlatformDestroyWindow() {
    if (gPlatform.windowOpen) Backend().hideWindow();
    Message m;
    m.kind = MessageKind::Destroy;
    PlatformPostMessage(m);
    m.kind = MessageKind::Quit;
    PlatformPostMessage(m);
}

bool PlatformTakeDisplayLost() {
    const bool lost = gPlatform.displayLost;
    gPlatform.displayLost = false;
    return lost;
}

bool PlatformDisplayLostPending() { return gPlatform.displayLost; }

bool PlatformSetCursorImage(int slot, const uint8_t* indices, int width, int height, int hotX,
                            int hotY, int transparentIndex, const PlatformColour* palette) {
    std::vector<uint32_t> argb;
    if (slot < 1 || slot >= kCursorSlots ||
        !SmallImageToArgb(indices, width, height, transparentIndex, palette, argb))
        return false;
    hotX = std::clamp(hotX, 0, width - 1);
    hotY = std::clamp(hotY, 0, height - 1);
    if (gPlatform.windowOpen &&
        !Backend().setCursorImage(slot, argb.data(), width, height, hotX, hotY))
        return false;
    gPlatform.cursorLoaded[slot] = true;
    if (gPlatform.cursorSlot == slot) PlatformShowCursor(slot);
    return true;
}

bool PlatformSetWindowIcon(const uint8_t* indices, int width, int height, int transparentIndex,
                           const PlatformColour* palette) {
    std::vector<uint32_t> argb;
    if (!SmallImageToArgb(indices, width, height, transparentIndex, palette, argb)) return false;
    if (gPlatform.windowOpen && !Backend().setWindowIcon(argb.data(), width, height))
        return false;
    gPlatform.windowIconWidth = width;
    return true;
}

void PlatformShowCursor(int slot) {
    if (slot == -1) {
        if (gPlatform.cursorSlot < 0) return;
        slot = gPlatform.cursorSlot;
    }
    if (slot < 0 || slot >= kCursorSlots) return;
    gPlatform.cursorSlot = slot;
    if (gPlatform.windowOpen) Backend().showCursor(gPlatform.cursorLoaded[slot] ? slot : 0);
}

void PlatformCaptureMouse(bool on) {
    gPlatform.captured = on;
    if (gPlatform.windowOpen) Backend().captureMouse(on);
}

void PlatformConfinePointer(bool on, int left, int top, int right, int bottom) {
    gPlatform.confined = on && right > left && bottom > top;
    gPlatform.confineLeft = left;
    gPlatform.confineTop = top;
    gPlatform.confineRight = right;
    gPlatform.confineBottom = bottom;
    if (gPlatform.windowOpen) Backend().confinePointer(gPlatform.confined, left, top, right, bottom);
}

void PlatformAddChild(const ChildArea& area) {
    PlatformRemoveChild(area.id);
    gPlatform.children.push_back(area);
}

void PlatformMoveChild(const ChildArea& area) {
    for (ChildArea& c : gPlatform.children)
        if (c.id == area.id) c = area;
}

void PlatformRemoveChild(int id) {
    auto& c = gPlatform.children;
    c.erase(std::remove_if(c.begin(), c.end(), [id](const ChildArea& a) { return a.id == id; }),
            c.end());
    if (gPlatform.focusChild == id) gPlatform.focusChild = 0;
}

void PlatformSetKeyboardFocus(int childId) {
    if (childId != 0 &&
        std::none_of(gPlatform.children.begin(), gPlatform.children.end(),
                     [childId](const ChildArea& a) { return a.id == childId; }))
        return;
    gPlatform.focusChild = childId;
}

int PlatformKeyboardFocus() { return gPlatform.focusChild; }

void HeadlessSetScreenSize(int width, int height) {
    gPlatform.headlessScreenWidth = width;
    gPlatform.headlessScreenHeight = height;
    if (Headless() && gPlatform.windowOpen && gPlatform.fullscreen) PlatformWindowResized(width, height);
}

bool HeadlessResizeWindow(int width, int height) {
    if (!Headless() || !gPlatform.windowOpen || gPlatform.fullscreen) return false;
    PlatformWindowResized(width, height);
    return true;
}

void HeadlessPushWindowMessage(const Message& message) {
    Message m = message;
    WindowToCanvas(PlatformLetterbox(), gPlatform.canvasWidth, gPlatform.canvasHeight, message.x,
                   message.y, m.x, m.y);
    gPlatform.queue.push_back(m);
}

uint32_t HeadlessWindowPixel(int wx, int wy) {
    const PlatformState& p = gPlatform;
    if (wx < 0 || wy < 0 || wx >= p.presentedWindowWidth || wy >= p.presentedWindowHeight) return 0;
    const WindowRect& b = p.presentedBox;
    if (wx < b.x || wy < b.y || wx >= b.x + b.w || wy >= b.y + b.h) return 0xFF000000u;
    int cx = 0, cy = 0;
    WindowToCanvas(b, p.canvasWidth, p.canvasHeight, wx, wy, cx, cy);
    return PresentedPixel(cx, cy);
}

void HeadlessPushMessage(const Message& message) { gPlatform.queue.push_back(message); }

void HeadlessAdvanceClock(uint64_t ms) { gPlatform.headlessClock += ms; }

void HeadlessSetIdleFeeder(void (*feeder)()) { gPlatform.headlessFeeder = feeder; }

uint32_t PresentedPixel(int x, int y) {
    if (x < 0 || y < 0 || x >= gPlatform.canvasWidth || y >= gPlatform.canvasHeight) return 0;
    const size_t i = size_t(y) * size_t(gPlatform.canvasWidth) + size_t(x);
    if (i >= gPlatform.frame.size()) return 0;
    const uint32_t c = gPlatform.frame[i];
    return Backend().frameInRgbaBytes ? Argb(uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)) : c;
}

void HeadlessLoseDisplay() {
    gPlatform.displayLost = true;
    Message m;
    m.kind = MessageKind::Other;
    HeadlessPushMessage(m);
}
