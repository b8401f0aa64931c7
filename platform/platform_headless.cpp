// SPDX-License-Identifier: GPL-3.0-or-later
// The headless backend, for tests and tools: a pretend screen of gPlatform's headless size,
// a virtual clock that sleeping advances at once, and input only from the scripted queue.
// The picture stays in gPlatform.frame, where PresentedPixel reads it.
#include "platform/platform_backend.h"

namespace {

bool HasRealDisplay(std::string&) { return true; }  // nothing to be seen, nothing missing
void ShowMessageBox(bool, const char*, const char*) {}  // the message went to stderr

bool ScreenSize(int& width, int& height) {
    width = gPlatform.headlessScreenWidth;
    height = gPlatform.headlessScreenHeight;
    return width > 0 && height > 0;
}

bool OpenWindow(const char*, bool) {
    PlatformState& p = gPlatform;
    // The pretend screen has neither panels nor window frames.
    ChooseWindowSize(p.headlessScreenWidth, p.headlessScreenHeight, 0, 0, p.windowedWidth,
                     p.windowedHeight);
    p.windowWidth = p.fullscreen ? p.headlessScreenWidth : p.windowedWidth;
    p.windowHeight = p.fullscreen ? p.headlessScreenHeight : p.windowedHeight;
    return true;
}

void CloseWindow() {}
bool SetCanvasSize(int, int) { return true; }
void Present(const uint32_t*, int, int, const PresentRegion&) {}
int RefreshMs() { return 16; }
uint64_t Ticks() { return gPlatform.headlessClock; }
void Sleep(int ms) { gPlatform.headlessClock += uint64_t(ms); }

bool FetchMessages(int timeoutMs) {
    if (timeoutMs < 0) {
        // A script that has run out can never deliver the awaited message: end the loop.
        Message quit;
        quit.kind = MessageKind::Quit;
        quit.time = gPlatform.headlessClock;
        gPlatform.queue.push_back(quit);
        return true;
    }
    gPlatform.headlessClock += uint64_t(timeoutMs);
    return false;
}

bool WaitForInput(int timeoutMs) {
    if (timeoutMs > 0) gPlatform.headlessClock += uint64_t(timeoutMs);
    return false;
}

bool SetFullscreen(bool on) {
    const PlatformState& p = gPlatform;
    if (on)
        PlatformWindowResized(p.headlessScreenWidth, p.headlessScreenHeight);
    else
        PlatformWindowResized(p.windowedWidth, p.windowedHeight);
    return true;
}

bool SetCursorImage(int, const uint32_t*, int, int, int, int) { return true; }
void ShowCursor(int) {}
bool SetWindowIcon(const uint32_t*, int, int) { return true; }
void CaptureMouse(bool) {}
void ConfinePointer(bool, int, int, int, int) {}

// The pretend window system answers at once, through the queue as a real one would.
void Post(MessageKind kind) {
    Message m;
    m.kind = kind;
    PlatformPostMessage(m);
}
void RequestMinimise() { Post(MessageKind::SysMinimise); }
void RequestRestore() { Post(MessageKind::SysRestore); }
void Nothing() {}
void OfferFile(const char*) {}  // the file stays where it was written

}  // namespace

const PlatformBackendFunctions kHeadlessBackend = [] {
    PlatformBackendFunctions f{};
    f.hasRealDisplay = HasRealDisplay;
    f.showMessageBox = ShowMessageBox;
    f.screenSize = ScreenSize;
    f.openWindow = OpenWindow;
    f.closeWindow = CloseWindow;
    f.setCanvasSize = SetCanvasSize;
    f.present = Present;
    f.refreshMs = RefreshMs;
    f.ticks = Ticks;
    f.sleep = Sleep;
    f.fetchMessages = FetchMessages;
    f.waitForInput = WaitForInput;
    f.setFullscreen = SetFullscreen;
    f.setCursorImage = SetCursorImage;
    f.showCursor = ShowCursor;
    f.setWindowIcon = SetWindowIcon;
    f.captureMouse = CaptureMouse;
    f.confinePointer = ConfinePointer;
    f.requestMinimise = RequestMinimise;
    f.requestRestore = RequestRestore;
    f.minimise = Nothing;  // nothing to iconise: the state is the queue's
    f.restore = Nothing;
    f.hideWindow = Nothing;
    f.offerFile = OfferFile;
    return f;
}();
