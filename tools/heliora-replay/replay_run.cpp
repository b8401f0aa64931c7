// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/heliora-replay/replay_run.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "config/config.h"
#include "config/logbook_file.h"
#include "config/logbook_file_ops.h"
#include "graphics/display.h"
#include "graphics/edit_box.h"
#include "graphics/png.h"
#include "graphics/scale.h"
#include "graphics/text.h"
#include "logbook/logbook.h"
#include "model/model.h"
#include "platform/platform.h"
#include "shell/dispatcher.h"
#include "navbar/navbar.h"
#include "shell/startup.h"
#include "widgets/widget_state.h"

ReplayRun gRun;

namespace {

constexpr long kRunOutPolls = 200000;  // empty polls after the steps before giving up

void Post(MessageKind kind, int x = 0, int y = 0) {
    Message m;
    m.kind = kind;
    m.x = x;
    m.y = y;
    HeadlessPushMessage(m);
}

void Finish() {
    gRun.finished = true;
    Post(MessageKind::CloseRequest);
}

void AppendUtf8(std::string& out, uint32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// One line of the texts step. Tabs and line breaks inside a text are written as spaces so
// that every drawn text stays one line of six fields and its text.
std::string TextLine(const DrawnText& d, const char* where) {
    std::string out;
    const bool named = d.font && !d.font->faceName.empty();
    out += std::to_string(d.x) + '\t' + std::to_string(d.y) + '\t' + std::to_string(d.penSlot) +
           '\t' + (named ? d.font->faceName : std::string("-")) + '\t' +
           std::to_string(d.font ? d.font->logicalSize : 0) + '\t' + where + '\t';
    for (size_t i = 0; i < d.length; ++i) {
        const uint8_t b = uint8_t(d.text[i]);
        if (b == '\t' || b == '\n' || b == '\r')
            out += ' ';
        else
            AppendUtf8(out, Cp1252ToUnicode(b) ? Cp1252ToUnicode(b) : '?');
    }
    return out + '\n';
}

void RecordDrawnText(const DrawnText& d) {
    gRun.drawnTexts += TextLine(d, d.toScreen ? "screen" : "buffer");
}

// What every edit box shows now, one line of the texts step per shown line: its left edge
// and the top of the line, pen 0, the box's font, "edit", the line.
std::string EditBoxTexts() {
    std::string out;
    for (auto& w : gEditBoxes.windows) {
        const std::vector<std::string> lines = EditShownLines(*w);
        const TextFont* font = w->font ? w->font : w->ownedFont;
        const int lineHeight = font ? std::max(1, FontHeight(font)) : 1;
        for (size_t i = 0; i < lines.size(); ++i) {
            DrawnText d;
            d.x = ToLogicalX(w->rect.left);
            d.y = ToLogicalY(w->rect.top + int(i) * lineHeight);
            d.font = font;
            d.text = lines[i].c_str();
            d.length = lines[i].size();
            out += TextLine(d, "edit");
        }
    }
    return out;
}

bool WriteText(const std::string& path, const std::string& text) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && ok;
}

std::string StateJson() {
    const ModelSettings& s = Settings();
    const RunSnapshot& last = gLogbook.lastOrbitRecord;
    char text[512];
    std::snprintf(text, sizeof text,
                  "{\"screen\": %d, \"axisTilt\": %.17g, \"orbitShape\": %.17g, "
                  "\"latitude\": [%d, %d], \"earthView\": %d, \"animationSpeed\": %d, "
                  "\"lastOrbit\": {\"axisTilt\": %.17g, \"orbitShape\": %.17g}}\n",
                  CurrentScreenId(), s.axisTilt, s.orbitShape, s.latitude[0], s.latitude[1],
                  s.earthView, s.animationSpeed, last.axisTilt, last.orbitShape);
    return text;
}

bool CopyFile(const std::string& from, const std::string& to) {
    std::ifstream in(from, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    return !in.bad() && WriteText(to, all.str());
}

// The next step, from the script or the monkey; false when there is none.
bool TakeStep(const ReplayStep*& step) {
    if (gRun.next >= gRun.steps.size()) {
        ReplayStep made;
        if (!gRun.more || !gRun.more(made)) return false;
        made.line = int(gRun.steps.size()) + 1;
        gRun.steps.push_back(made);
    }
    step = &gRun.steps[gRun.next];
    return true;
}

// Hands one step to the program. True when it gave the program input (or time) and the
// program must run before the next step; false to go straight on to the next step.
bool Perform(const ReplayStep& s) {
    const int x = ToDeviceX(s.x), y = ToDeviceY(s.y);
    switch (s.kind) {
    case StepKind::Move:
        HeadlessAdvanceClock(kInputStepMs);
        Post(MessageKind::MouseMove, x, y);
        return true;
    case StepKind::Click:
        HeadlessAdvanceClock(kInputStepMs);
        Post(MessageKind::MouseMove, x, y);
        Post(MessageKind::LeftDown, x, y);
        Post(MessageKind::LeftUp, x, y);
        return true;
    case StepKind::RightClick:
        HeadlessAdvanceClock(kInputStepMs);
        Post(MessageKind::MouseMove, x, y);
        Post(MessageKind::RightDown, x, y);
        Post(MessageKind::RightUp, x, y);
        return true;
    case StepKind::Key: {
        HeadlessAdvanceClock(kInputStepMs);
        Message m;
        m.kind = MessageKind::KeyDown;
        m.key = s.key;
        m.modifiers = uint8_t(s.modifiers);
        HeadlessPushMessage(m);
        m.kind = MessageKind::KeyUp;
        HeadlessPushMessage(m);
        return true;
    }
    case StepKind::Type: {
        std::vector<uint8_t> bytes;
        Utf8ToCp1252(s.text.c_str(), bytes);
        if (bytes.empty()) return false;  // nothing the program's code page can show
        HeadlessAdvanceClock(kInputStepMs);
        for (uint8_t b : bytes) {
            Message m;
            m.kind = MessageKind::Character;
            m.character = b;
            HeadlessPushMessage(m);
        }
        return true;
    }
    case StepKind::Idle: gRun.idleLeft = s.count; return false;
    case StepKind::Shot: {
        PlatformFlush();
        const std::string path = gRun.outDir + "/" + s.text;
        if (!WriteCanvasPng(path.c_str())) {
            FailStep(s, "could not write " + path);
            return true;
        }
        ++gRun.shots;
        return false;
    }
    case StepKind::State:
    case StepKind::Texts: {
        PlatformFlush();
        const bool state = s.kind == StepKind::State;
        const std::string path = gRun.outDir + "/" + s.text;
        if (!WriteText(path, state ? StateJson() : gRun.drawnTexts + EditBoxTexts())) {
            FailStep(s, "could not write " + path);
            return true;
        }
        if (!state) gRun.drawnTexts.clear();
        return false;
    }
    case StepKind::Copy: {
        const std::string path = gRun.outDir + "/" + s.name;
        if (!CopyFile(s.text, path)) {
            FailStep(s, "could not copy " + s.text + " to " + path);
            return true;
        }
        return false;
    }
    case StepKind::ExpectScreen: {
        const int now = CurrentScreenId();
        if (now != s.count) {
            FailStep(s, "expected screen " + std::to_string(s.count) + ", the program is on " +
                            std::to_string(now));
            return true;
        }
        return false;
    }
    case StepKind::ExpectPixel: {
        PlatformFlush();
        const int slot = gDisplay.canvas.At(std::min(x, gDisplay.canvas.width - 1),
                                            std::min(y, gDisplay.canvas.height - 1));
        if (slot != s.count) {
            FailStep(s, "expected slot " + std::to_string(s.count) + " at " + std::to_string(s.x) +
                            " " + std::to_string(s.y) + ", the canvas holds " +
                            std::to_string(slot));
            return true;
        }
        return false;
    }
    case StepKind::Disk:
        ResetFileOps();
        if (s.count == 1) AddFileFault(kFileWrite, ENOSPC, 1, 1);
        return false;
    case StepKind::Minimise: Post(MessageKind::SysMinimise); return true;
    case StepKind::Restore: Post(MessageKind::SysRestore); return true;
    case StepKind::Close: Post(MessageKind::CloseRequest); return true;
    case StepKind::Restart:
        FailStep(s, "restart: the program has not ended");
        return true;
    }
    return false;
}

// Runs steps until one gives the program input (or time); called whenever the program finds
// its message queue empty.
void Feed() {
    if (gRun.finished) {
        // A program that does not end when asked must not keep the tool running for ever.
        if (++gRun.pollsAfterEnd % 1000 == 0) Post(MessageKind::CloseRequest);
        if (gRun.pollsAfterEnd > kRunOutPolls) Post(MessageKind::Quit);
        return;
    }
    for (;;) {
        if (gRun.idleLeft > 0) {
            // While the program waits for input without limit (the window is an icon, or a
            // pop-up that never times out is open), idle time passes unseen.
            const bool waitsForInput =
                gPlatform.minimised || (gWidgets.activePopup && !IdleTimeoutEnabled());
            if (!waitsForInput) {
                --gRun.idleLeft;
                HeadlessAdvanceClock(kIdleStepMs);
                return;
            }
            gRun.idleLeft = 0;
        }
        if (gRun.check && gRun.checkedUpTo < gRun.next) {
            gRun.checkedUpTo = gRun.next;
            if (!gRun.check()) {
                gRun.failed = true;
                Finish();
                return;
            }
        }
        const ReplayStep* s = nullptr;
        if (!TakeStep(s)) {
            Finish();
            return;
        }
        if (gShell.shutdownDone) {
            // The program has ended: a restart step starts it again once it is out of its loop.
            if (s->kind != StepKind::Restart) FailStep(*s, "the program has already ended");
            return;
        }
        ++gRun.next;
        if (Perform(*s)) return;
    }
}

}  // namespace

void FailStep(const ReplayStep& step, const std::string& why) {
    std::fprintf(stderr, "heliora-replay: line %d: %s\n", step.line, why.c_str());
    gRun.failed = true;
    Finish();
}

bool RunReplaySteps() {
    if (gRun.recordTexts) SetTextRecorder(RecordDrawnText);
    for (;;) {
        HeadlessSetIdleFeeder(Feed);
        RunHeliora(PlatformBackend::Headless);
        HeadlessSetIdleFeeder(nullptr);
        // A program that ended without asking for input once more still gets its restart.
        const ReplayStep* s = nullptr;
        if (!gRun.failed && gRun.next >= gRun.steps.size()) TakeStep(s);
        gRun.checkedUpTo = gRun.next;
        if (gRun.check && !gRun.failed && !gRun.check()) gRun.failed = true;
        if (gRun.failed || gRun.next >= gRun.steps.size() ||
            gRun.steps[gRun.next].kind != StepKind::Restart)
            break;
        ++gRun.next;
        gRun.checkedUpTo = gRun.next;
        ResetProgramToStart();
        if (gRun.recordTexts) SetTextRecorder(RecordDrawnText);
    }
    SetTextRecorder(nullptr);
    if (!gRun.failed && gRun.next < gRun.steps.size()) {
        std::fprintf(stderr, "heliora-replay: line %d: the program ended before this step\n",
                     gRun.steps[gRun.next].line);
        gRun.failed = true;
    }
    return !gRun.failed;
}
