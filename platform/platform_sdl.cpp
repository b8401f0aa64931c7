// The SDL2 backend: a full-screen desktop window or a resizable one, whose renderer shows the
// indexed canvas letterboxed and scaled; SDL events become platform messages.
#include "platform/platform_sdl.h"

#include <SDL.h>
#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

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
};
SdlState gSdl;

bool StartVideo() {
    if (gSdl.videoStarted) return true;
    // Closing the window is a message for the program, not an instant quit.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
        std::fprintf(stderr, "Couldn't start SDL video: %s\n", SDL_GetError());
        return false;
    }
    gSdl.videoStarted = true;
    return true;
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
            PlatformMarkDirty();
            break;
        case SDL_WINDOWEVENT_SHOWN: Push(Make(MessageKind::Show)); break;
        case SDL_WINDOWEVENT_HIDDEN: Push(Make(MessageKind::Hide)); break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            if (gSdl.canvasWidth > 0) MakeTextures();
            PlatformWindowResized(e.window.data1, e.window.data2);
            break;
        case SDL_WINDOWEVENT_EXPOSED: PlatformMarkDirty(); break;
        // Losing and regaining the keyboard focus reaches the screens as the window being
        // disabled and enabled; they carry on as they were.
        case SDL_WINDOWEVENT_FOCUS_LOST: Push(Make(MessageKind::Disable)); break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: Push(Make(MessageKind::Enable)); break;
        default: break;
        }
        break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
        if (gSdl.canvasWidth > 0) MakeTextures();
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

bool SdlScreenSize(int& width, int& height) {
    if (!StartVideo()) return false;
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

}  // namespace

bool SdlOpenWindow(const char* title, bool softwareOnly) {
    if (!StartVideo()) return false;
    if (!softwareOnly && !HasGraphicsDevice()) softwareOnly = true;
    // Emulation only: the window's own pixels, not a texture that a GL context would show.
    // (Environment settings of the same name still win over this.)
    if (softwareOnly) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    int w = gPlatform.windowedWidth, h = gPlatform.windowedHeight;
    if (gPlatform.fullscreen) SdlScreenSize(w, h);
    Uint32 windowFlags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_SHOWN;
    if (gPlatform.fullscreen) windowFlags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    gSdl.window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h,
                                   windowFlags);
    if (!gSdl.window) {
        std::fprintf(stderr, "Couldn't create the main window: %s\n", SDL_GetError());
        return false;
    }
    SDL_SetWindowMinimumSize(gSdl.window, 160, 120);
    SDL_GetWindowSize(gSdl.window, &gPlatform.windowWidth, &gPlatform.windowHeight);
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

bool SdlSetCanvasSize(int width, int height) {
    if (!gSdl.renderer) return false;
    gSdl.canvasWidth = width;
    gSdl.canvasHeight = height;
    // No logical size: the letterbox (OutputBox, SetPosition) is the program's own, so the
    // headless backend maps the pointer exactly as this one does.
    return MakeTextures();
}

void SdlPresent(const uint32_t* frame, int width, int height) {
    if (!gSdl.renderer || !gSdl.canvas || width != gSdl.canvasWidth || height != gSdl.canvasHeight)
        return;
    const uint64_t start = SdlTicks();
    SDL_UpdateTexture(gSdl.canvas, nullptr, frame, width * 4);
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

bool SdlFetchMessages(int timeoutMs) {
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
    return SDL_WaitEventTimeout(nullptr, timeoutMs) == 1;
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
    if (gSdl.window) SDL_MinimizeWindow(gSdl.window);
}

void SdlRestore() {
    if (gSdl.window) SDL_RestoreWindow(gSdl.window);
}

bool SdlSetFullscreen(bool on) {
    if (!gSdl.window) return false;
    // A window that started on the whole screen has no windowed size of its own yet: give it
    // one before leaving, and again after, where the window system kept the screen's size.
    if (!on) SDL_SetWindowSize(gSdl.window, gPlatform.windowedWidth, gPlatform.windowedHeight);
    if (SDL_SetWindowFullscreen(gSdl.window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        std::fprintf(stderr, "Couldn't change the window mode: %s\n", SDL_GetError());
        return false;
    }
    if (!on) SDL_SetWindowSize(gSdl.window, gPlatform.windowedWidth, gPlatform.windowedHeight);
    int w = 0, h = 0;
    SDL_GetWindowSize(gSdl.window, &w, &h);
    if (gSdl.canvasWidth > 0) MakeTextures();
    // The window system confirms the size with SDL_WINDOWEVENT_SIZE_CHANGED later on.
    PlatformWindowResized(w, h);
    return true;
}

void SdlHideWindow() {
    if (gSdl.window) SDL_HideWindow(gSdl.window);
}
