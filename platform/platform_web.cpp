// SPDX-License-Identifier: GPL-3.0-or-later
// The web backend: the program in a browser page, built to WebAssembly. The picture goes
// straight into the page's <canvas> (2D context, only the changed rectangle each time); input
// comes from SDL, which runs in the browser too and maps the page's mouse, touch and keys to
// canvas pixels. The page scales the canvas; the program's canvas stays the picture's size.
// Sleeps and waits yield to the browser through Asyncify, so the screens' loops stay as they
// are. Files the user asks for are downloaded; the end of the program is told to the page.
#include "platform/platform_backend.h"
#include "platform/platform_sdl.h"

#include <SDL.h>
#include <emscripten.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// A pointer shape not yet handed to the page.
struct PendingCursor {
    bool pending = false;
    std::vector<uint32_t> argb;
    int width = 0, height = 0, hotX = 0, hotY = 0;
};

struct WebState {
    SDL_Window* window = nullptr;
    int width = 0;  // the canvas element's pixels: the picture's size
    int height = 0;
    bool wholeWanted = true;       // the page's canvas holds nothing of ours yet
    std::vector<PresentRegion> unsent;  // presented, not yet handed to the page's canvas
    uint64_t lastYield = 0;        // when the browser last had a turn
    std::vector<uint8_t> picture;  // HelioraPicture's answer
    PendingCursor cursors[kCursorSlots];
    int cursorWanted = 0;  // the pointer shape to show at the next yield (0: none)
    int cursorShown = -1;  // what the page shows now (-1: not yet set)
};
WebState gWeb;

// The 1024 x 768 picture unless the configuration asks for the smaller one: the page scales
// it to the browser's window, so the screen's own size does not choose it.
constexpr int kPictureWidth = 1024;
constexpr int kPictureHeight = 768;

// A long stretch of work without a sleep would freeze the page: its events, its drawing.
constexpr uint64_t kLongestWithoutYieldMs = 100;

// Changed rectangles kept apart until the page gets them.
constexpr size_t kMostUnsent = 8;
// Changes this close go in one rectangle: a few extra pixels cost less than another call.
constexpr int kNear = 16;

}  // namespace

// The page's side of it, in JavaScript.
EM_JS(void, WebPutPixels, (const uint32_t* rgba, int width, int height, int x, int y, int w, int h), {
    var canvas = Module['canvas'];
    if (!canvas) return;
    var context = Module['helioraContext'];
    if (!context || context.canvas !== canvas) {
        // Low latency: the canvas's pixels reach the screen without a commit of the whole page
        // every frame, which cost the browser more than drawing the frame itself.
        context = canvas.getContext('2d', {alpha: false, desynchronized: true});
        Module['helioraContext'] = context;
    }
    if (!context) return;
    var view = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    context.putImageData(new ImageData(view, width, height), 0, 0, x, y, w, h);
    if (typeof Module['onHelioraPresent'] === 'function') Module['onHelioraPresent']();
});

EM_JS(void, WebToggleFullscreen, (), {
    if (typeof Module['helioraFullscreen'] === 'function') {
        Module['helioraFullscreen']();
        return;
    }
    var canvas = Module['canvas'];
    if (document.fullscreenElement) {
        document.exitFullscreen().catch(function() {});
    } else if (canvas && canvas.requestFullscreen) {
        canvas.requestFullscreen().catch(function() {});
    }
});

EM_JS(void, WebDownload, (const char* path), {
    var name = UTF8ToString(path);
    var bytes;
    try {
        bytes = FS.readFile(name);
    } catch (e) {
        err('Could not hand over ' + name + ': ' + e);
        return;
    }
    var base = name.substring(name.lastIndexOf('/') + 1);
    var lower = base.toLowerCase();
    var type = lower.endsWith('.png') ? 'image/png'
             : lower.endsWith('.csv') ? 'text/csv' : 'application/octet-stream';
    var url = URL.createObjectURL(new Blob([bytes], {type: type}));
    var link = document.createElement('a');
    link.href = url;
    link.download = base;
    link.style.display = 'none';
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(function() { URL.revokeObjectURL(url); }, 60000);
});

EM_JS(void, WebTellEnded, (), {
    setTimeout(function() {
        if (typeof Module['onHelioraExit'] === 'function') Module['onHelioraExit']();
    }, 0);
});

namespace {

bool HasRealDisplay(std::string&) { return true; }  // the page is in front of the user

// The page shows what the program prints on its error stream.
void ShowMessageBox(bool, const char*, const char*) {}

bool ScreenSize(int& width, int& height) {
    width = kPictureWidth;
    height = kPictureHeight;
    return true;
}

bool OpenWindow(const char* title, bool) {
    if (!SdlStartVideo()) return false;
    // Not resizable: SDL then leaves the canvas element's displayed size to the page's CSS and
    // maps pointer positions from it to canvas pixels.
    gWeb.window = SDL_CreateWindow(title, 0, 0, kPictureWidth, kPictureHeight, 0);
    if (!gWeb.window) {
        std::fprintf(stderr, "Couldn't make the page's canvas the program's window: %s\n",
                     SDL_GetError());
        return false;
    }
    gWeb.width = kPictureWidth;
    gWeb.height = kPictureHeight;
    gPlatform.windowWidth = kPictureWidth;
    gPlatform.windowHeight = kPictureHeight;
    SdlAttachWindow(gWeb.window, kPictureWidth, kPictureHeight);
    SDL_StartTextInput();
    gWeb.lastYield = SdlTicks();
    return true;
}

void CloseWindow() {
    const bool wasOpen = gWeb.window != nullptr;
    SdlCloseWindow();  // the window is SDL's, and so are its event handlers on the page
    gWeb = WebState{};
    if (wasOpen) WebTellEnded();
}

bool SetCanvasSize(int width, int height) {
    if (!gWeb.window) return false;
    if (width != gWeb.width || height != gWeb.height) SDL_SetWindowSize(gWeb.window, width, height);
    gWeb.width = width;
    gWeb.height = height;
    gWeb.wholeWanted = true;
    gWeb.unsent.clear();
    SdlAttachWindow(gWeb.window, width, height);
    // The window is the canvas, pixel for pixel: the letterbox is the whole of it.
    PlatformWindowResized(width, height);
    return true;
}

// Keeps r for the page, apart from the rectangles already waiting; past a few they are merged.
void KeepForPage(const PresentRegion& r) {
    std::vector<PresentRegion>& unsent = gWeb.unsent;
    for (PresentRegion& u : unsent) {
        if (r.left >= u.left && r.top >= u.top && r.right <= u.right && r.bottom <= u.bottom)
            return;  // already on its way
    }
    if (unsent.size() < kMostUnsent) {
        unsent.push_back(r);
        return;
    }
    PresentRegion& u = unsent.back();
    u.left = std::min(u.left, r.left);
    u.top = std::min(u.top, r.top);
    u.right = std::max(u.right, r.right);
    u.bottom = std::max(u.bottom, r.bottom);
}

// The changed stretches of the present (top to bottom) as a few rectangles: one frame changes
// a globe here and a chart there, and their union would be most of the screen. A stretch joins
// a rectangle it touches or nearly touches, else starts one.
std::vector<PresentRegion> ChangedRectangles() {
    std::vector<PresentRegion> rects;
    for (const RowSpan& s : gPlatform.changedRows) {
        PresentRegion* joined = nullptr;
        for (PresentRegion& r : rects) {
            if (s.y <= r.bottom + kNear && s.left <= r.right + kNear && s.right + kNear >= r.left) {
                joined = &r;
                break;
            }
        }
        if (!joined) {
            rects.push_back(PresentRegion{s.left, s.y, s.right, s.y + 1});
            continue;
        }
        joined->left = std::min(joined->left, s.left);
        joined->right = std::max(joined->right, s.right);
        joined->bottom = std::max(joined->bottom, s.y + 1);
    }
    return rects;
}

// The page is painted only when the program gives the browser its turn, so the pixels go to
// the canvas then, once each, however many presents came before.
void Present(const uint32_t*, int width, int height, const PresentRegion& changed) {
    if (width != gWeb.width || height != gWeb.height) return;
    if (gWeb.wholeWanted) {
        gWeb.wholeWanted = false;
        KeepForPage(PresentRegion{0, 0, width, height});
        return;
    }
    if (changed.Empty()) return;
    for (const PresentRegion& r : ChangedRectangles()) KeepForPage(r);
}

// The page makes a pointer shape by drawing it on a canvas of its own and encoding that as a
// picture, some milliseconds each: a shape is made when it is first shown, not all at the start.
bool SetCursorImage(int slot, const uint32_t* argb, int width, int height, int hotX, int hotY) {
    if (slot <= 0 || slot >= kCursorSlots || !argb || width <= 0 || height <= 0) return false;
    PendingCursor& c = gWeb.cursors[slot];
    c.argb.assign(argb, argb + size_t(width) * size_t(height));
    c.width = width;
    c.height = height;
    c.hotX = hotX;
    c.hotY = hotY;
    c.pending = true;
    return true;
}

// The page shows a new pointer only when it gets its turn, so the shape is set then: the
// busy pointer of a screen that is ready before the next yield is never made at all.
void ShowCursor(int slot) { gWeb.cursorWanted = slot > 0 && slot < kCursorSlots ? slot : 0; }

void ApplyCursor() {
    const int slot = gWeb.cursorWanted;
    const bool make = slot > 0 && gWeb.cursors[slot].pending;
    if (slot == gWeb.cursorShown && !make) return;
    if (make) {
        PendingCursor& c = gWeb.cursors[slot];
        c.pending = false;
        SdlSetCursorImage(slot, c.argb.data(), c.width, c.height, c.hotX, c.hotY);
        c.argb = std::vector<uint32_t>();
    }
    SdlShowCursor(slot);  // a shape SDL could not make leaves the pointer hidden
    gWeb.cursorShown = slot;
}

// Presents what is dirty and hands it to the page's canvas, with the pointer's shape; called
// before every yield to the browser. The picture is already in the canvas's byte order
// (frameInRgbaBytes).
void SendToPage() {
    PlatformFlush();
    ApplyCursor();
    const std::vector<uint32_t>& frame = gPlatform.frame;
    if (frame.size() == size_t(gWeb.width) * size_t(gWeb.height))
        for (const PresentRegion& r : gWeb.unsent)
            WebPutPixels(frame.data(), gWeb.width, gWeb.height, r.left, r.top, r.right - r.left,
                         r.bottom - r.top);
    gWeb.unsent.clear();
}

int RefreshMs() { return 16; }  // the page is painted with the display's refresh, mostly 60 Hz

void NoteYield() { gWeb.lastYield = SdlTicks(); }

void Sleep(int ms) {
    SendToPage();
    SdlDelay(ms);
    NoteYield();
}

bool FetchMessages(int timeoutMs) {
    // A loop that only polls would keep the browser from delivering any input at all.
    if (timeoutMs == 0 && SdlTicks() - gWeb.lastYield >= kLongestWithoutYieldMs) Sleep(0);
    if (timeoutMs != 0) SendToPage();
    const bool got = SdlFetchMessages(timeoutMs);
    if (timeoutMs != 0) NoteYield();
    return got;
}

bool WaitForInput(int timeoutMs) {
    SendToPage();
    const bool got = SdlWaitForEvent(timeoutMs);
    NoteYield();
    return got;
}

bool SetFullscreen(bool) {
    // The browser owns full screen (the page's own button, Escape to leave): the canvas keeps
    // its size and the page scales it, so the program notices nothing.
    WebToggleFullscreen();
    return true;
}

bool SetWindowIcon(const uint32_t*, int, int) { return true; }  // the page has its own icon
void Nothing() {}
void NothingBool(bool) {}
void NoConfinement(bool, int, int, int, int) {}  // a page cannot hold the pointer in a box
void HideWindow() {}

void OfferFile(const char* path) { WebDownload(path); }

void PushKey(int key, uint8_t modifiers) {
    Message m;
    m.kind = MessageKind::KeyDown;
    m.key = key;
    m.modifiers = modifiers;
    m.time = SdlTicks();
    gPlatform.queue.push_back(m);
    m.kind = MessageKind::KeyUp;
    gPlatform.queue.push_back(m);
}

}  // namespace

const PlatformBackendFunctions kWebBackend = [] {
    PlatformBackendFunctions f{};
    f.frameInRgbaBytes = true;
    f.showsOnlyOnYield = true;
    f.hasRealDisplay = HasRealDisplay;
    f.showMessageBox = ShowMessageBox;
    f.screenSize = ScreenSize;
    f.openWindow = OpenWindow;
    f.closeWindow = CloseWindow;
    f.setCanvasSize = SetCanvasSize;
    f.present = Present;
    f.refreshMs = RefreshMs;
    f.ticks = SdlTicks;
    f.sleep = Sleep;
    f.fetchMessages = FetchMessages;
    f.waitForInput = WaitForInput;
    f.setFullscreen = SetFullscreen;
    f.setCursorImage = SetCursorImage;
    f.showCursor = ShowCursor;
    f.setWindowIcon = SetWindowIcon;
    f.captureMouse = NothingBool;  // the page keeps sending moves while a button is held
    f.confinePointer = NoConfinement;
    f.requestMinimise = Nothing;  // a page is not iconised
    f.requestRestore = Nothing;
    f.minimise = Nothing;
    f.restore = Nothing;
    f.hideWindow = HideWindow;
    f.offerFile = OfferFile;
    return f;
}();

// What the page may call (see web/): the picture for tests, and the buttons beside it.
extern "C" {

EMSCRIPTEN_KEEPALIVE int HelioraPictureWidth() { return gPlatform.canvas ? gPlatform.canvasWidth : 0; }

EMSCRIPTEN_KEEPALIVE int HelioraPictureHeight() {
    return gPlatform.canvas ? gPlatform.canvasHeight : 0;
}

// The canvas through its palette as RGBA bytes, row by row: the pixels a picture saved by the
// program holds (no focus ring, which is drawn only over what is shown).
EMSCRIPTEN_KEEPALIVE const uint8_t* HelioraPicture() {
    const PlatformState& p = gPlatform;
    if (!p.canvas || !p.palette) return nullptr;
    const size_t count = size_t(p.canvasWidth) * size_t(p.canvasHeight);
    gWeb.picture.resize(count * 4);
    uint8_t* out = gWeb.picture.data();
    for (size_t i = 0; i < count; ++i, out += 4) {
        const PlatformColour& c = p.palette[p.canvas[i]];
        out[0] = c.r;
        out[1] = c.g;
        out[2] = c.b;
        out[3] = 255;
    }
    return gWeb.picture.data();
}

// The screen running now (the number heliora-replay's state step writes), 0 between screens.
EMSCRIPTEN_KEEPALIVE int HelioraScreenId() { return gPlatform.screenId; }

// Pictures shown since the start: a page can tell from it when something was drawn.
EMSCRIPTEN_KEEPALIVE int HelioraPresentCount() { return int(gPlatform.presentCount); }

// The page's buttons, as the keys they stand for: 1 picture (F12), 2 numbers (Ctrl+E),
// 3 full screen (F11), 4 the keys panel (F1).
EMSCRIPTEN_KEEPALIVE void HelioraCommand(int command) {
    switch (command) {
    case 1: PushKey(KeyF12, 0); break;
    case 2: PushKey('E', kModControl); break;
    case 3: PushKey(KeyF11, 0); break;
    case 4: PushKey(KeyF1, 0); break;
    default: break;
    }
}

}  // extern "C"
