// SPDX-License-Identifier: GPL-3.0-or-later
// The SDL2 backend: a full-screen desktop window or a resizable one, whose renderer shows the
// indexed canvas letterboxed and scaled; SDL events become platform messages.
#include "platform/platform_sdl.h"

#include "platform/platform_backend.h"

#include <SDL.h>
#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#ifdef __EMSCRIPTEN__
namespace {
// A browser has no X server (platform_x11.cpp stays out of that build).
bool NoWindowManager(SDL_Window*) { return false; }
}  // namespace
#else
#include "platform/platform_x11.h"
#endif

namespace {

struct SdlState {
    bool videoStarted = false;
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    bool vsync = false;
    SDL_Texture* canvas = nullptr;    // canvas-sized, streamed each present
    SDL_Texture* upscaled = nullptr;  // whole-factor enlargement for sharp-bilinear scaling
    int upscaleFactor = 0;
    int canvasWidth = 0;
    int canvasHeight = 0;
    SDL_Cursor* cursors[kCursorSlots] = {};

    // Without graphics hardware the canvas goes straight into the window's own pixels, no
    // renderer between: only the changed rectangle is scaled and sent to the X server.
    bool direct = false;
    bool noWindowManager = false;  // full screen is then a window the screen's size
    bool wholeWanted = true;  // the window's pixels are lost or were never drawn
    int surfaceWidth = 0, surfaceHeight = 0;
    int viewX = 0, viewY = 0, viewWidth = 0, viewHeight = 0;  // the letterboxed canvas
    std::vector<int> columnSource, rowSource;  // canvas column / row of each window pixel
    std::vector<uint32_t> rowBuffer;           // for windows of another pixel format
};
SdlState gSdl;

}  // namespace

bool SdlStartVideo(bool quiet) {
    if (gSdl.videoStarted) return true;
    // Closing the window is a message for the program, not an instant quit.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
        if (!quiet) std::fprintf(stderr, "Couldn't start SDL video: %s\n", SDL_GetError());
        return false;
    }
    gSdl.videoStarted = true;
    return true;
}

namespace {

bool DisplayNamed() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

void DestroyTextures() {
    if (gSdl.upscaled) SDL_DestroyTexture(gSdl.upscaled);
    if (gSdl.canvas) SDL_DestroyTexture(gSdl.canvas);
    gSdl.upscaled = nullptr;
    gSdl.canvas = nullptr;
    gSdl.upscaleFactor = 0;
}

// The whole-number factor to enlarge the canvas by before the smooth final step; 0 when the
// window shows the canvas at a whole-number scale and nearest-neighbour sampling suffices.
int WantedUpscale() {
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(gSdl.renderer, &w, &h);
    if (gSdl.canvasWidth <= 0 || gSdl.canvasHeight <= 0 || w <= 0 || h <= 0) return 0;
    const double s = std::min(double(w) / gSdl.canvasWidth, double(h) / gSdl.canvasHeight);
    if (std::fabs(s - std::round(s)) < 1e-9 && s >= 1.0) return 0;
    return std::max(1, int(std::ceil(s)));
}

bool MakeTextures() {
    DestroyTextures();
    gSdl.wholeWanted = true;  // a new texture holds nothing yet
    gSdl.canvas = SDL_CreateTexture(gSdl.renderer, SDL_PIXELFORMAT_ARGB8888,
                                    SDL_TEXTUREACCESS_STREAMING, gSdl.canvasWidth,
                                    gSdl.canvasHeight);
    if (!gSdl.canvas) {
        std::fprintf(stderr, "Couldn't create the canvas texture: %s\n", SDL_GetError());
        return false;
    }
    SDL_SetTextureScaleMode(gSdl.canvas, SDL_ScaleModeNearest);
    // Sharp-bilinear needs two scaled copies per present: cheap on a graphics card, but a
    // software renderer spends most of a frame on them, so it scales by nearest neighbour.
    SDL_RendererInfo info;
    const bool accelerated = SDL_GetRendererInfo(gSdl.renderer, &info) == 0 &&
                             (info.flags & SDL_RENDERER_ACCELERATED) != 0;
    const int k = WantedUpscale();
    if (k > 0 && accelerated && SDL_RenderTargetSupported(gSdl.renderer)) {
        gSdl.upscaled = SDL_CreateTexture(gSdl.renderer, SDL_PIXELFORMAT_ARGB8888,
                                          SDL_TEXTUREACCESS_TARGET, gSdl.canvasWidth * k,
                                          gSdl.canvasHeight * k);
        if (gSdl.upscaled) {
            SDL_SetTextureScaleMode(gSdl.upscaled, SDL_ScaleModeLinear);
            gSdl.upscaleFactor = k;
        }
    }
    return true;
}

int MapKey(SDL_Keycode sym) {
    if (sym >= SDLK_a && sym <= SDLK_z) return 'A' + (sym - SDLK_a);
    if (sym >= SDLK_0 && sym <= SDLK_9) return '0' + (sym - SDLK_0);
    if (sym >= SDLK_F1 && sym <= SDLK_F12) return KeyF1 + (sym - SDLK_F1);
    switch (sym) {
    case SDLK_BACKSPACE: return KeyBackspace;
    case SDLK_TAB: return KeyTab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return KeyEnter;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return KeyShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return KeyControl;
    case SDLK_LALT:
    case SDLK_RALT: return KeyAlt;
    case SDLK_ESCAPE: return KeyEscape;
    case SDLK_SPACE: return KeySpace;
    case SDLK_PAGEUP: return KeyPageUp;
    case SDLK_PAGEDOWN: return KeyPageDown;
    case SDLK_END: return KeyEnd;
    case SDLK_HOME: return KeyHome;
    case SDLK_LEFT: return KeyLeft;
    case SDLK_UP: return KeyUp;
    case SDLK_RIGHT: return KeyRight;
    case SDLK_DOWN: return KeyDown;
    case SDLK_INSERT: return KeyInsert;
    case SDLK_DELETE: return KeyDelete;
    case SDLK_PRINTSCREEN: return KeyPrint;
    default: return (sym > 0 && sym < 128) ? int(sym) : 0;
    }
}

void Push(const Message& m) { gPlatform.queue.push_back(m); }

Message Make(MessageKind kind) {
    Message m;
    m.kind = kind;
    m.time = SdlTicks();
    return m;
}

void SetPosition(Message& m, int x, int y) {
    // Clicks on the letterbox bars land on the nearest canvas pixel.
    WindowToCanvas(PlatformLetterbox(), gSdl.canvasWidth, gSdl.canvasHeight, x, y, m.x, m.y);
}

// Where the canvas goes in the renderer's output (device pixels, which a high-density screen
// may have more of than window pixels).
SDL_Rect OutputBox() {
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(gSdl.renderer, &w, &h);
    const WindowRect r = LetterboxFor(w, h, gSdl.canvasWidth, gSdl.canvasHeight);
    return SDL_Rect{r.x, r.y, r.w, r.h};
}

void Translate(const SDL_Event& e) {
    switch (e.type) {
    case SDL_QUIT: Push(Make(MessageKind::CloseRequest)); break;
    case SDL_WINDOWEVENT:
        switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE: Push(Make(MessageKind::CloseRequest)); break;
        case SDL_WINDOWEVENT_MINIMIZED: Push(Make(MessageKind::SysMinimise)); break;
        case SDL_WINDOWEVENT_RESTORED:
            if (gPlatform.minimised) Push(Make(MessageKind::SysRestore));
            gSdl.wholeWanted = true;
            PlatformMarkDirty();
            break;
        case SDL_WINDOWEVENT_SHOWN: Push(Make(MessageKind::Show)); break;
        case SDL_WINDOWEVENT_HIDDEN: Push(Make(MessageKind::Hide)); break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            if (gSdl.canvasWidth > 0 && !gSdl.direct) MakeTextures();
            gSdl.wholeWanted = true;
            PlatformWindowResized(e.window.data1, e.window.data2);
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            gSdl.wholeWanted = true;
            PlatformMarkDirty();
            break;
        // Losing and regaining the keyboard focus reaches the screens as the window being
        // disabled and enabled; they carry on as they were.
        case SDL_WINDOWEVENT_FOCUS_LOST: Push(Make(MessageKind::Disable)); break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: Push(Make(MessageKind::Enable)); break;
        default: break;
        }
        break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
        if (gSdl.canvasWidth > 0 && !gSdl.direct) MakeTextures();
        gSdl.wholeWanted = true;
        gPlatform.displayLost = true;
        PlatformMarkDirty();
        break;
    case SDL_MOUSEMOTION: {
        Message m = Make(MessageKind::MouseMove);
        SetPosition(m, e.motion.x, e.motion.y);
        Push(m);
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const bool down = e.type == SDL_MOUSEBUTTONDOWN;
        MessageKind kind;
        if (e.button.button == SDL_BUTTON_LEFT)
            kind = down ? MessageKind::LeftDown : MessageKind::LeftUp;
        else if (e.button.button == SDL_BUTTON_RIGHT)
            kind = down ? MessageKind::RightDown : MessageKind::RightUp;
        else
            break;
        Message m = Make(kind);
        SetPosition(m, e.button.x, e.button.y);
        Push(m);
        break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        const bool down = e.type == SDL_KEYDOWN;
        const int key = MapKey(e.key.keysym.sym);
        const bool system = (e.key.keysym.mod & KMOD_ALT) != 0 || key == KeyAlt || key == KeyF10;
        Message m = Make(system ? (down ? MessageKind::SysKeyDown : MessageKind::SysKeyUp)
                                : (down ? MessageKind::KeyDown : MessageKind::KeyUp));
        m.key = key;
        if (e.key.keysym.mod & KMOD_SHIFT) m.modifiers |= kModShift;
        if (e.key.keysym.mod & KMOD_CTRL) m.modifiers |= kModControl;
        Push(m);
        break;
    }
    case SDL_TEXTINPUT: {
        std::vector<uint8_t> bytes;
        Utf8ToCp1252(e.text.text, bytes);
        for (uint8_t b : bytes) {
            Message m = Make(MessageKind::Character);
            m.character = b;
            Push(m);
        }
        break;
    }
    default: break;
    }
}

}  // namespace

bool SdlHasRealDisplay(std::string& why) {
    if (!DisplayNamed()) {
        why = "there is no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY "
              "is set); start Heliora from the desktop";
        return false;
    }
    if (!SdlStartVideo(true)) {
        why = std::string("couldn't open the display: ") + SDL_GetError();
        return false;
    }
    // SDL falls back to drivers that draw into memory only: the program would run unseen.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0) {
        why = std::string("there is no display to show the window on (SDL's video driver is \"") +
              (driver ? driver : "none") + "\"); start Heliora from the desktop";
        return false;
    }
    return true;
}

void SdlShowMessageBox(bool error, const char* title, const char* text) {
    // Without a display the box could not be shown; the terminal has the message already.
    if (!DisplayNamed()) return;
    SDL_ShowSimpleMessageBox(error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION, title,
                             text, gSdl.window);
}

bool SdlScreenSize(int& width, int& height) {
    if (!SdlStartVideo()) return false;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
        std::fprintf(stderr, "Couldn't read the screen size: %s\n", SDL_GetError());
        return false;
    }
    width = mode.w;
    height = mode.h;
    return width > 0 && height > 0;
}

namespace {

// True when the machine has a graphics device that OpenGL could use. Without one (a virtual
// X server, a container) OpenGL would be emulated in software: creating that context costs
// several hundred milliseconds and every present runs through it, while SDL's own software
// renderer writing straight to the window does the same work far sooner.
bool HasGraphicsDevice() {
    if (access("/dev/nvidia0", F_OK) == 0) return true;
    DIR* dir = opendir("/dev/dri");
    if (!dir) return false;
    bool found = false;
    while (const dirent* e = readdir(dir))
        if (std::strncmp(e->d_name, "renderD", 7) == 0 || std::strncmp(e->d_name, "card", 4) == 0)
            found = true;
    closedir(dir);
    return found;
}

// Once the window manager has framed the window, its title bar and borders are known: the
// window shrinks (keeping 4:3) until window and frame fit the desktop's usable area, and sits in
// the middle of it, so nothing of the picture hides under a panel or off the screen.
void FitFramedWindow(const SDL_Rect& usable) {
    if (usable.w <= 0 || usable.h <= 0) return;
    // The window manager says what its frame takes a moment after the window is shown; a
    // manager that frames nothing costs this start a fifth of a second.
    int top = 0, left = 0, bottom = 0, right = 0;
    for (int tries = 0; tries < 20; ++tries) {
        SDL_PumpEvents();
        if (SDL_GetWindowBordersSize(gSdl.window, &top, &left, &bottom, &right) != 0) return;
        if (top + left + bottom + right > 0) break;
        SDL_Delay(10);
    }
    int w = 0, h = 0;
    ChooseWindowSize(usable.w, usable.h, left + right, top + bottom, w, h);
    gPlatform.windowedWidth = w;
    gPlatform.windowedHeight = h;
    SDL_SetWindowSize(gSdl.window, w, h);
    const int x = usable.x + left + std::max(0, usable.w - left - right - w) / 2;
    const int y = usable.y + top + std::max(0, usable.h - top - bottom - h) / 2;
    SDL_SetWindowPosition(gSdl.window, x, y);
}

}  // namespace

bool SdlOpenWindow(const char* title, bool softwareOnly) {
    if (!SdlStartVideo()) return false;
    if (!softwareOnly && !HasGraphicsDevice()) softwareOnly = true;
    // Emulation only: the window's own pixels, not a texture that a GL context would show.
    // (Environment settings of the same name still win over this.)
    if (softwareOnly) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_Rect usable{0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) usable = SDL_Rect{0, 0, 0, 0};
    ChooseWindowSize(usable.w, usable.h, 0, 0, gPlatform.windowedWidth, gPlatform.windowedHeight);
    int w = gPlatform.windowedWidth, h = gPlatform.windowedHeight;
    SDL_Rect bounds{0, 0, w, h};
    if (gPlatform.fullscreen) {
        SdlScreenSize(w, h);
        SDL_GetDisplayBounds(0, &bounds);
    }
    // Hidden until it is known whether full screen must be asked of a window manager; without
    // one, a window the screen's size at its corner is the whole screen.
    const int x = gPlatform.fullscreen ? bounds.x : int(SDL_WINDOWPOS_CENTERED);
    const int y = gPlatform.fullscreen ? bounds.y : int(SDL_WINDOWPOS_CENTERED);
    gSdl.window = SDL_CreateWindow(title, x, y, w, h, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
    if (!gSdl.window) {
        std::fprintf(stderr, "Couldn't create the main window: %s\n", SDL_GetError());
        return false;
    }
    SDL_SetWindowMinimumSize(gSdl.window, 160, 120);
    gSdl.noWindowManager = NoWindowManager(gSdl.window);
    if (gPlatform.fullscreen && !gSdl.noWindowManager)
        SDL_SetWindowFullscreen(gSdl.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    SDL_ShowWindow(gSdl.window);
    if (!gPlatform.fullscreen && !gSdl.noWindowManager) FitFramedWindow(usable);
    SDL_GetWindowSize(gSdl.window, &gPlatform.windowWidth, &gPlatform.windowHeight);
    // No hardware: the window's own pixels (X shared memory), no renderer and no texture.
    if (softwareOnly && SDL_GetWindowSurface(gSdl.window)) {
        gSdl.direct = true;
    } else {
        Uint32 flags = SDL_RENDERER_PRESENTVSYNC |
                       (softwareOnly ? SDL_RENDERER_SOFTWARE : SDL_RENDERER_ACCELERATED);
        gSdl.renderer = SDL_CreateRenderer(gSdl.window, -1, flags);
        if (!gSdl.renderer && !softwareOnly)
            gSdl.renderer = SDL_CreateRenderer(gSdl.window, -1, SDL_RENDERER_SOFTWARE);
        if (!gSdl.renderer) {
            std::fprintf(stderr, "Couldn't create a renderer: %s\n", SDL_GetError());
            SDL_DestroyWindow(gSdl.window);
            gSdl.window = nullptr;
            return false;
        }
        SDL_RendererInfo info;
        gSdl.vsync = SDL_GetRendererInfo(gSdl.renderer, &info) == 0 &&
                     (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
    }
    SDL_RaiseWindow(gSdl.window);
    SDL_StartTextInput();
    // No present of its own here: the program's first picture (the grey screen) follows at
    // once, and a present costs a refresh or more.
    return true;
}

void SdlCloseWindow() {
    for (SDL_Cursor*& c : gSdl.cursors) {
        if (c) SDL_FreeCursor(c);
        c = nullptr;
    }
    DestroyTextures();
    if (gSdl.renderer) SDL_DestroyRenderer(gSdl.renderer);
    if (gSdl.window) {
        SDL_StopTextInput();
        SDL_DestroyWindow(gSdl.window);
    }
    if (gSdl.videoStarted) SDL_Quit();
    gSdl = SdlState{};
}

namespace {

// Where the canvas sits in the window, letterboxed at the largest scale that fits, and which
// canvas pixel each window pixel shows (nearest neighbour). True when the window's size changed.
bool UpdateLayout(const SDL_Surface* surface) {
    SdlState& g = gSdl;
    if (surface->w == g.surfaceWidth && surface->h == g.surfaceHeight && g.viewWidth > 0)
        return false;
    g.surfaceWidth = surface->w;
    g.surfaceHeight = surface->h;
    // The same letterbox and pixel choice the pointer is mapped through.
    const WindowRect box = LetterboxFor(surface->w, surface->h, g.canvasWidth, g.canvasHeight);
    g.viewX = box.x;
    g.viewY = box.y;
    g.viewWidth = std::min(box.w, surface->w);
    g.viewHeight = std::min(box.h, surface->h);
    int cx = 0, cy = 0;
    g.columnSource.resize(size_t(g.viewWidth));
    for (int x = 0; x < g.viewWidth; ++x) {
        WindowToCanvas(box, g.canvasWidth, g.canvasHeight, box.x + x, box.y, cx, cy);
        g.columnSource[size_t(x)] = cx;
    }
    g.rowSource.resize(size_t(g.viewHeight));
    for (int y = 0; y < g.viewHeight; ++y) {
        WindowToCanvas(box, g.canvasWidth, g.canvasHeight, box.x, box.y + y, cx, cy);
        g.rowSource[size_t(y)] = cy;
    }
    return true;
}

// The first window pixel whose canvas pixel is at or past `source`.
int FirstShowing(const std::vector<int>& map, int source) {
    return int(std::lower_bound(map.begin(), map.end(), source) - map.begin());
}

// Scales the changed rectangle of the frame into the window's pixels and sends just that.
void PresentDirect(const uint32_t* frame, const PresentRegion& changed) {
    SdlState& g = gSdl;
    SDL_Surface* s = SDL_GetWindowSurface(g.window);
    if (!s) return;
    bool whole = UpdateLayout(s) || g.wholeWanted;
    PresentRegion r = whole ? PresentRegion{0, 0, g.canvasWidth, g.canvasHeight} : changed;
    if (r.Empty()) return;  // the window already shows this picture
    const int x0 = FirstShowing(g.columnSource, r.left), x1 = FirstShowing(g.columnSource, r.right);
    const int y0 = FirstShowing(g.rowSource, r.top), y1 = FirstShowing(g.rowSource, r.bottom);
    if (SDL_MUSTLOCK(s) && SDL_LockSurface(s) != 0) return;
    if (whole) SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 0, 0, 0));
    const bool sameFormat = s->format->BytesPerPixel == 4 && s->format->Rmask == 0xFF0000u &&
                            s->format->Gmask == 0xFF00u && s->format->Bmask == 0xFFu;
    const int n = x1 - x0;
    g.rowBuffer.resize(size_t(std::max(n, 0)));
    uint8_t* previous = nullptr;
    for (int y = y0; y < y1 && n > 0; ++y) {
        uint8_t* out = static_cast<uint8_t*>(s->pixels) + size_t(g.viewY + y) * size_t(s->pitch) +
                       size_t(g.viewX + x0) * s->format->BytesPerPixel;
        if (previous && g.rowSource[size_t(y)] == g.rowSource[size_t(y - 1)]) {
            std::memcpy(out, previous, size_t(n) * s->format->BytesPerPixel);
        } else {
            const uint32_t* in = frame + size_t(g.rowSource[size_t(y)]) * size_t(g.canvasWidth);
            uint32_t* row = sameFormat ? reinterpret_cast<uint32_t*>(out) : g.rowBuffer.data();
            for (int x = 0; x < n; ++x) row[x] = in[g.columnSource[size_t(x0 + x)]];
            if (!sameFormat)
                SDL_ConvertPixels(n, 1, SDL_PIXELFORMAT_ARGB8888, row, n * 4, s->format->format,
                                  out, s->pitch);
        }
        previous = out;
    }
    if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
    if (whole) {
        SDL_UpdateWindowSurface(g.window);
    } else if (n > 0 && y1 > y0) {
        const SDL_Rect rect{g.viewX + x0, g.viewY + y0, n, y1 - y0};
        SDL_UpdateWindowSurfaceRects(g.window, &rect, 1);
    }
    g.wholeWanted = false;
}

}  // namespace

bool SdlSetCanvasSize(int width, int height) {
    if (gSdl.direct) {
        gSdl.canvasWidth = width;
        gSdl.canvasHeight = height;
        gSdl.viewWidth = 0;  // laid out again for the new canvas
        gSdl.wholeWanted = true;
        SDL_Surface* s = SDL_GetWindowSurface(gSdl.window);
        if (s) UpdateLayout(s);
        return s != nullptr;
    }
    if (!gSdl.renderer) return false;
    gSdl.canvasWidth = width;
    gSdl.canvasHeight = height;
    // No logical size: the letterbox (OutputBox, SetPosition) is the program's own, so the
    // headless backend maps the pointer exactly as this one does.
    return MakeTextures();
}

void SdlPresent(const uint32_t* frame, int width, int height, const PresentRegion& changed) {
    if (width != gSdl.canvasWidth || height != gSdl.canvasHeight) return;
    if (gSdl.direct) {
        // No wait here: SDL's software renderer, which this replaces, did not wait for a
        // refresh either, and the screens' own delays set the pace of their animations.
        PresentDirect(frame, changed);
        return;
    }
    if (!gSdl.renderer || !gSdl.canvas) return;
    const uint64_t start = SdlTicks();
    // A renderer's window must be drawn whole each time; only the texture upload shrinks.
    if (gSdl.wholeWanted || changed.Empty()) {
        if (gSdl.wholeWanted) SDL_UpdateTexture(gSdl.canvas, nullptr, frame, width * 4);
    } else {
        const SDL_Rect r{changed.left, changed.top, changed.right - changed.left,
                         changed.bottom - changed.top};
        SDL_UpdateTexture(gSdl.canvas, &r, frame + size_t(r.y) * size_t(width) + size_t(r.x),
                          width * 4);
    }
    gSdl.wholeWanted = false;
    SDL_SetRenderDrawColor(gSdl.renderer, 0, 0, 0, 255);
    SDL_RenderClear(gSdl.renderer);
    const SDL_Rect box = OutputBox();  // the bars round it stay the black just cleared
    if (gSdl.upscaled) {
        // Sharp-bilinear: whole-number enlargement first, then one smooth step to the window.
        SDL_SetRenderTarget(gSdl.renderer, gSdl.upscaled);
        SDL_RenderCopy(gSdl.renderer, gSdl.canvas, nullptr, nullptr);
        SDL_SetRenderTarget(gSdl.renderer, nullptr);
        SDL_RenderCopy(gSdl.renderer, gSdl.upscaled, nullptr, &box);
    } else {
        SDL_RenderCopy(gSdl.renderer, gSdl.canvas, nullptr, &box);
    }
    SDL_RenderPresent(gSdl.renderer);
    // Without a vertical-blank wait, a present still lasts one refresh so animations keep pace.
    if (!gSdl.vsync) {
        const uint64_t spent = SdlTicks() - start;
        if (spent < uint64_t(gPlatform.refreshMs)) SDL_Delay(Uint32(gPlatform.refreshMs - spent));
    }
}

int SdlRefreshMs() {
    SDL_DisplayMode mode;
    int hz = 60;
    if (gSdl.window && SDL_GetWindowDisplayMode(gSdl.window, &mode) == 0 && mode.refresh_rate > 0)
        hz = mode.refresh_rate;
    return std::max(1, 1000 / hz);
}

uint64_t SdlTicks() { return SDL_GetTicks64(); }

void SdlDelay(int ms) { SDL_Delay(Uint32(ms)); }

void SdlAttachWindow(SDL_Window* window, int canvasWidth, int canvasHeight) {
    gSdl.window = window;
    gSdl.canvasWidth = canvasWidth;
    gSdl.canvasHeight = canvasHeight;
    gSdl.direct = true;  // no renderer, so no textures to make again after a reset
}

bool SdlFetchMessages(int timeoutMs) {
    if (!gPlatform.windowOpen) return false;
    SDL_Event e;
    const uint64_t start = SdlTicks();
    while (gPlatform.queue.empty()) {
        int got;
        if (timeoutMs == 0) {
            got = SDL_PollEvent(&e);
        } else if (timeoutMs < 0) {
            got = SDL_WaitEvent(&e);
        } else {
            const uint64_t spent = SdlTicks() - start;
            if (spent >= uint64_t(timeoutMs)) break;
            got = SDL_WaitEventTimeout(&e, int(uint64_t(timeoutMs) - spent));
        }
        if (!got) break;
        Translate(e);
    }
    return !gPlatform.queue.empty();
}

bool SdlWaitForEvent(int timeoutMs) {
    return gPlatform.windowOpen && SDL_WaitEventTimeout(nullptr, std::max(timeoutMs, 0)) == 1;
}

bool SdlSetWindowIcon(const uint32_t* argb, int width, int height) {
    if (!gSdl.window) return false;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(argb), width,
                                                        height, 32, width * 4,
                                                        SDL_PIXELFORMAT_ARGB8888);
    if (!s) return false;
    SDL_SetWindowIcon(gSdl.window, s);  // SDL keeps its own copy
    SDL_FreeSurface(s);
    return true;
}

bool SdlSetCursorImage(int slot, const uint32_t* argb, int width, int height, int hotX,
                       int hotY) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(argb), width,
                                                        height, 32, width * 4,
                                                        SDL_PIXELFORMAT_ARGB8888);
    if (!s) return false;
    SDL_Cursor* c = SDL_CreateColorCursor(s, hotX, hotY);
    SDL_FreeSurface(s);
    if (!c) return false;
    if (gSdl.cursors[slot]) {
        if (SDL_GetCursor() == gSdl.cursors[slot]) SDL_SetCursor(c);
        SDL_FreeCursor(gSdl.cursors[slot]);
    }
    gSdl.cursors[slot] = c;
    return true;
}

void SdlShowCursor(int slot) {
    if (slot > 0 && slot < kCursorSlots && gSdl.cursors[slot]) {
        SDL_SetCursor(gSdl.cursors[slot]);
        SDL_ShowCursor(SDL_ENABLE);
    } else {
        SDL_ShowCursor(SDL_DISABLE);
    }
}

void SdlCaptureMouse(bool on) {
    if (gSdl.window) SDL_SetWindowMouseGrab(gSdl.window, on ? SDL_TRUE : SDL_FALSE);
}

void SdlConfinePointer(bool on, int left, int top, int right, int bottom) {
    if (!gSdl.window) return;
    if (!on) {
        SDL_SetWindowMouseRect(gSdl.window, nullptr);
        return;
    }
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    const WindowRect box = PlatformLetterbox();
    CanvasToWindow(box, gSdl.canvasWidth, gSdl.canvasHeight, left, top, x0, y0);
    CanvasToWindow(box, gSdl.canvasWidth, gSdl.canvasHeight, right, bottom, x1, y1);
    SDL_Rect r{x0, y0, std::max(1, x1 - x0), std::max(1, y1 - y0)};
    SDL_SetWindowMouseRect(gSdl.window, &r);
}

void SdlMinimise() {
    if (gPlatform.windowOpen && gSdl.window) SDL_MinimizeWindow(gSdl.window);
}

void SdlRestore() {
    if (gPlatform.windowOpen && gSdl.window) SDL_RestoreWindow(gSdl.window);
}

bool SdlSetFullscreen(bool on) {
    if (!gSdl.window) return false;
    // A window that started on the whole screen has no windowed size of its own yet: give it
    // one before leaving, and again after, where the window system kept the screen's size.
    if (gSdl.noWindowManager) {
        // Nobody to ask for full screen: cover the screen, or go back to the window's size.
        SDL_Rect bounds{0, 0, gPlatform.windowedWidth, gPlatform.windowedHeight};
        if (on) SDL_GetDisplayBounds(0, &bounds);
        SDL_SetWindowSize(gSdl.window, bounds.w, bounds.h);
        if (on) SDL_SetWindowPosition(gSdl.window, bounds.x, bounds.y);
        else SDL_SetWindowPosition(gSdl.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    } else {
        if (!on) SDL_SetWindowSize(gSdl.window, gPlatform.windowedWidth, gPlatform.windowedHeight);
        if (SDL_SetWindowFullscreen(gSdl.window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
            std::fprintf(stderr, "Couldn't change the window mode: %s\n", SDL_GetError());
            return false;
        }
        if (!on) SDL_SetWindowSize(gSdl.window, gPlatform.windowedWidth, gPlatform.windowedHeight);
    }
    int w = 0, h = 0;
    SDL_GetWindowSize(gSdl.window, &w, &h);
    if (gSdl.canvasWidth > 0 && !gSdl.direct) MakeTextures();
    gSdl.wholeWanted = true;
    // The window system confirms the size with SDL_WINDOWEVENT_SIZE_CHANGED later on.
    PlatformWindowResized(w, h);
    return true;
}

void SdlHideWindow() {
    if (gSdl.window) SDL_HideWindow(gSdl.window);
}

namespace {
void KeepFile(const char*) {}  // the file stays in the folder the message named
}  // namespace

const PlatformBackendFunctions kSdlBackend = [] {
    PlatformBackendFunctions f{};
    f.hasRealDisplay = SdlHasRealDisplay;
    f.showMessageBox = SdlShowMessageBox;
    f.screenSize = SdlScreenSize;
    f.openWindow = SdlOpenWindow;
    f.closeWindow = SdlCloseWindow;
    f.setCanvasSize = SdlSetCanvasSize;
    f.present = SdlPresent;
    f.refreshMs = SdlRefreshMs;
    f.ticks = SdlTicks;
    f.sleep = SdlDelay;
    f.fetchMessages = SdlFetchMessages;
    f.waitForInput = SdlWaitForEvent;
    f.setFullscreen = SdlSetFullscreen;
    f.setCursorImage = SdlSetCursorImage;
    f.showCursor = SdlShowCursor;
    f.setWindowIcon = SdlSetWindowIcon;
    f.captureMouse = SdlCaptureMouse;
    f.confinePointer = SdlConfinePointer;
    f.requestMinimise = SdlMinimise;  // SDL reports it back as an event
    f.requestRestore = SdlRestore;
    f.minimise = SdlMinimise;
    f.restore = SdlRestore;
    f.hideWindow = SdlHideWindow;
    f.offerFile = KeepFile;
    return f;
}();
