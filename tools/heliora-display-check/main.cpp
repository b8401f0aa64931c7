// SPDX-License-Identifier: GPL-3.0-or-later
// heliora-display-check: opens the full-screen window, draws a test picture with the fixed
// palette (colour bars, a frame, text with a degree sign, an edit box), presents it, and exits.
// Exit status 0 when every step worked, 1 when the display could not be made, 2 for bad
// arguments.
#include <cstdio>
#include <cstring>
#include <string>

#include "graphics/display.h"
#include "graphics/draw.h"
#include "graphics/edit_box.h"
#include "graphics/palette.h"
#include "graphics/png.h"
#include "graphics/present.h"
#include "graphics/rect.h"
#include "graphics/text.h"

namespace {

void Usage(std::FILE* to) {
    std::fprintf(to,
                 "usage: heliora-display-check [--mode 0|800|1024] [--software] [--hold MS] "
                 "[--png FILE]\n"
                 "Opens the Heliora window, draws a test picture, presents it and exits.\n");
}

void DrawPicture() {
    ScreenRect r;
    BeginDrawing();
    SetBrushColour(26);
    FullScreenRect(r);
    FillScreenRect(r);
    // One bar for each fixed colour.
    for (int slot = 1; slot <= 50; ++slot) {
        SetBrushColour(slot);
        MakeRect(r, 12 + (slot - 1) * 20, 80, 12 + slot * 20, 200);
        FillScreenRect(r);
    }
    SetPenColour(0);
    MakeRect(r, 10, 78, 1014, 202);
    FrameScreenRect(r);
    EndDrawing();

    TextFont* label = CreateTextFont("Arial Bold", 18, 0, 0);
    TextFont* heading = CreateTextFont("Times New Roman Bold", 30, 0, 0);
    if (label && heading) {
        BeginDrawing();
        SelectTextFont(heading);
        SetPenColour(1);
        SetTextAlignment(1, 1);
        DrawTextAt(512, 300, "Heliora display check: 23.5\xBA tilt");
        SelectTextFont(label);
        SetPenColour(0);
        SetTextAlignment(0, 0);
        MakeRect(r, 100, 360, 500, 460);
        DrawTextInRect(r, "Fixed palette, letterboxed canvas, monochrome text. The Sun's "
                          "noon height changes with the seasons.");
        EndDrawing();
    }
    EditBox box;
    MakeRect(r, 560, 360, 900, 460);
    if (CreateEditBox(box, kEditMultiScroll, r)) {
        SetEditFont(box, label);
        SetEditText(box, "An edit box drawn on the canvas.");
        DestroyEditBox(box);
    }
    SelectTextFont(nullptr);
    DeleteGraphicObject(label);
    DeleteGraphicObject(heading);
}

}  // namespace

int main(int argc, char** argv) {
    int mode = 0, hold = 300;
    bool software = false;
    const char* png = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            Usage(stdout);
            return 0;
        }
        if (a == "--software") {
            software = true;
        } else if ((a == "--mode" || a == "--hold" || a == "--png") && i + 1 < argc) {
            const char* v = argv[++i];
            if (a == "--png") {
                png = v;
                continue;
            }
            char* end = nullptr;
            const long n = std::strtol(v, &end, 10);
            if (!*v || *end || n < 0 || n > 60000) {
                std::fprintf(stderr, "heliora-display-check: bad value for %s: %s\n", a.c_str(), v);
                return 2;
            }
            (a == "--mode" ? mode : hold) = int(n);
        } else {
            std::fprintf(stderr, "heliora-display-check: unknown argument %s\n", a.c_str());
            return 2;
        }
    }
    if (!CreateMainDisplay("Heliora", software ? 2 : 1, mode)) {
        TearDownDisplay();
        return 1;
    }
    SetUpFixedPalette();
    DrawPicture();
    PlatformPresent();
    std::printf("display %dx%d, %ld presents\n", DisplayWidth(), DisplayHeight(),
                gPlatform.presentCount);
    // Keep the window up for a moment, answering its messages.
    const uint64_t until = PlatformTicks() + uint64_t(hold);
    Message m;
    while (PlatformTicks() < until) {
        if (PlatformWaitMessage(m, 10) && m.kind == MessageKind::CloseRequest) break;
    }
    bool ok = true;
    if (png && !WriteCanvasPng(png)) {
        std::fprintf(stderr, "heliora-display-check: cannot write %s\n", png);
        ok = false;
    }
    TearDownDisplay();
    ResetTextState();
    return ok ? 0 : 1;
}
