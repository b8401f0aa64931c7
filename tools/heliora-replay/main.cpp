// heliora-replay: runs the real program on the headless backend in a given working directory,
// driven by a script of input steps, and writes PNGs of the screen on the way.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "graphics/display.h"
#include "graphics/png.h"
#include "graphics/scale.h"
#include "graphics/text.h"
#include "logbook/logbook.h"
#include "model/model.h"
#include "platform/platform.h"
#include "config/config.h"
#include "config/logbook_file_ops.h"
#include "shell/dispatcher.h"
#include "shell/startup.h"
#include "shell/workdir.h"
#include "tools/heliora-replay/replay_script.h"
#include "widgets/widget_state.h"

namespace {

constexpr int kIdleStepMs = 5;     // virtual time each idle step lets pass
constexpr int kInputStepMs = 20;   // and each input step, as a quick hand would
constexpr long kRunOutPolls = 200000;  // empty polls after the script before giving up

const char* const kUsage =
    "usage: heliora-replay [--workdir DIR] --script FILE --out DIR\n"
    "Runs Heliora without a window in DIR (which must hold hlra_cfg.bin), feeding it the\n"
    "steps of FILE, and writes the pictures the script asks for into the folder given by --out.\n"
    "Without --workdir it works where heliora itself would: an installed copy in the per-user\n"
    "folder ($XDG_DATA_HOME/heliora), made and filled on first use; else the current folder.\n"
    "Script lines (coordinates in the 1024 x 768 design space):\n"
    "  move X Y | click X Y | rclick X Y | key [Shift+|Ctrl+]NAME | type TEXT | idle N\n"
    "  shot NAME.png\n"
    "  expect-screen N | minimise | restore | close | # comment\n"
    "  state NAME.json   the ScreenId, the model's settings and the last saved orbit, as JSON\n"
    "  texts NAME.txt    every text drawn since the last texts step, one per line:\n"
    "                    x, y, pen slot, face, size, screen|buffer, text (tab separated)\n"
    "  copy FILE NAME    a file of the working folder, copied into the --out folder\n"
    "  disk full | disk mended   from here every write to a logbook file fails for want of\n"
    "                    room, or succeeds again\n"
    "Exit status: 0 the script ran, 1 an expectation failed, 2 bad arguments or script.\n";

struct ReplayState {
    std::vector<ReplayStep> steps;
    size_t next = 0;
    int idleLeft = 0;
    std::string outDir;
    bool failed = false;
    bool finished = false;   // the script ran out (or stopped at a failure): close posted
    long pollsAfterEnd = 0;
    int shots = 0;
    std::string drawnTexts;  // lines of the texts step, gathered while a texts step is ahead
};
ReplayState gReplay;

void Post(MessageKind kind, int x = 0, int y = 0) {
    Message m;
    m.kind = kind;
    m.x = x;
    m.y = y;
    HeadlessPushMessage(m);
}

void Finish() {
    gReplay.finished = true;
    Post(MessageKind::CloseRequest);
}

void Fail(const ReplayStep& step, const std::string& why) {
    std::fprintf(stderr, "heliora-replay: line %d: %s\n", step.line, why.c_str());
    gReplay.failed = true;
    Finish();
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
// that every drawn text stays one line of five fields and its text.
void RecordDrawnText(const DrawnText& d) {
    std::string& out = gReplay.drawnTexts;
    const bool named = d.font && !d.font->faceName.empty();
    out += std::to_string(d.x) + '\t' + std::to_string(d.y) + '\t' + std::to_string(d.penSlot) +
           '\t' + (named ? d.font->faceName : std::string("-")) + '\t' +
           std::to_string(d.font ? d.font->logicalSize : 0) + '\t' +
           (d.toScreen ? "screen" : "buffer") + '\t';
    for (size_t i = 0; i < d.length; ++i) {
        const uint8_t b = uint8_t(d.text[i]);
        if (b == '\t' || b == '\n' || b == '\r')
            out += ' ';
        else
            AppendUtf8(out, Cp1252ToUnicode(b) ? Cp1252ToUnicode(b) : '?');
    }
    out += '\n';
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
    std::string bytes;
    std::ifstream in(from, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    return !in.bad() && WriteText(to, all.str());
}

// Runs script steps until one gives the program input (or time); called whenever the program
// finds its message queue empty.
void Feed() {
    if (gReplay.finished) {
        // A program that does not end when asked must not keep the tool running for ever.
        if (++gReplay.pollsAfterEnd % 1000 == 0) Post(MessageKind::CloseRequest);
        if (gReplay.pollsAfterEnd > kRunOutPolls) Post(MessageKind::Quit);
        return;
    }
    for (;;) {
        if (gReplay.idleLeft > 0) {
            // While the program waits for input without limit (the window is an icon, or a
            // pop-up that never times out is open), idle time passes unseen.
            const bool waitsForInput =
                gPlatform.minimised || (gWidgets.activePopup && !IdleTimeoutEnabled());
            if (!waitsForInput) {
                --gReplay.idleLeft;
                HeadlessAdvanceClock(kIdleStepMs);
                return;
            }
            gReplay.idleLeft = 0;
        }
        if (gShell.shutdownDone && gReplay.next < gReplay.steps.size()) {
            Fail(gReplay.steps[gReplay.next], "the program has already ended");
            return;
        }
        if (gReplay.next >= gReplay.steps.size()) {
            Finish();
            return;
        }
        const ReplayStep& s = gReplay.steps[gReplay.next++];
        const int x = ToDeviceX(s.x), y = ToDeviceY(s.y);
        switch (s.kind) {
        case StepKind::Move:
            HeadlessAdvanceClock(kInputStepMs);
            Post(MessageKind::MouseMove, x, y);
            return;
        case StepKind::Click:
            HeadlessAdvanceClock(kInputStepMs);
            Post(MessageKind::MouseMove, x, y);
            Post(MessageKind::LeftDown, x, y);
            Post(MessageKind::LeftUp, x, y);
            return;
        case StepKind::RightClick:
            HeadlessAdvanceClock(kInputStepMs);
            Post(MessageKind::MouseMove, x, y);
            Post(MessageKind::RightDown, x, y);
            Post(MessageKind::RightUp, x, y);
            return;
        case StepKind::Key: {
            HeadlessAdvanceClock(kInputStepMs);
            Message m;
            m.kind = MessageKind::KeyDown;
            m.key = s.key;
            m.modifiers = uint8_t(s.modifiers);
            HeadlessPushMessage(m);
            m.kind = MessageKind::KeyUp;
            HeadlessPushMessage(m);
            return;
        }
        case StepKind::Type: {
            std::vector<uint8_t> bytes;
            Utf8ToCp1252(s.text.c_str(), bytes);
            if (bytes.empty()) break;  // nothing the program's code page can show
            HeadlessAdvanceClock(kInputStepMs);
            for (uint8_t b : bytes) {
                Message m;
                m.kind = MessageKind::Character;
                m.character = b;
                HeadlessPushMessage(m);
            }
            return;
        }
        case StepKind::Idle: gReplay.idleLeft = s.count; break;
        case StepKind::Shot: {
            PlatformFlush();
            const std::string path = gReplay.outDir + "/" + s.text;
            if (!WriteCanvasPng(path.c_str())) {
                Fail(s, "could not write " + path);
                return;
            }
            ++gReplay.shots;
            break;
        }
        case StepKind::State:
        case StepKind::Texts: {
            PlatformFlush();
            const bool state = s.kind == StepKind::State;
            const std::string path = gReplay.outDir + "/" + s.text;
            if (!WriteText(path, state ? StateJson() : gReplay.drawnTexts)) {
                Fail(s, "could not write " + path);
                return;
            }
            if (!state) gReplay.drawnTexts.clear();
            break;
        }
        case StepKind::Copy: {
            const std::string path = gReplay.outDir + "/" + s.name;
            if (!CopyFile(s.text, path)) {
                Fail(s, "could not copy " + s.text + " to " + path);
                return;
            }
            break;
        }
        case StepKind::ExpectScreen: {
            const int now = CurrentScreenId();
            if (now != s.count) {
                Fail(s, "expected screen " + std::to_string(s.count) + ", the program is on " +
                            std::to_string(now));
                return;
            }
            break;
        }
        case StepKind::Disk:
            ResetFileOps();
            if (s.count == 1) AddFileFault(kFileWrite, ENOSPC, 1, 1);
            break;
        case StepKind::Minimise: Post(MessageKind::SysMinimise); return;
        case StepKind::Restore: Post(MessageKind::SysRestore); return;
        case StepKind::Close: Post(MessageKind::CloseRequest); return;
        }
    }
}

bool ReadWholeFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
    return !in.bad();
}

// The path as seen from `base` when it is relative.
std::string Absolute(const std::string& base, const std::string& path) {
    return !path.empty() && path[0] == '/' ? path : base + "/" + path;
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int Usage(const char* error) {
    std::fprintf(stderr, "heliora-replay: %s\n", error);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string workdir, script, out;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        std::string* target = a == "--workdir" ? &workdir
                              : a == "--script" ? &script
                              : a == "--out"    ? &out
                                                : nullptr;
        if (!target) return Usage(("unknown argument " + a + " (try --help)").c_str());
        if (i + 1 >= argc || argv[i + 1][0] == '\0') return Usage((a + " needs a value").c_str());
        *target = argv[++i];
    }
    if (script.empty() || out.empty())
        return Usage("--script and --out are both needed (try --help)");

    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) return Usage("cannot read the current folder");
    std::string text, error;
    if (!ReadWholeFile(Absolute(cwd, script), text))
        return Usage(("cannot read the script " + script).c_str());
    if (!ParseReplayScript(text, gReplay.steps, error))
        return Usage((script + ": " + error).c_str());

    gReplay.outDir = Absolute(cwd, out);
    if (!IsDirectory(gReplay.outDir) && mkdir(gReplay.outDir.c_str(), 0777) != 0)
        return Usage(("cannot make the output folder " + out).c_str());
    if (workdir.empty()) {
        if (PrepareWorkdir("", stderr) >= 0) return 2;
        workdir = ".";
    } else if (!IsDirectory(workdir) || chdir(workdir.c_str()) != 0) {
        return Usage(("cannot enter the working folder " + workdir).c_str());
    }
    if (access(kConfigFileName, R_OK) != 0)
        return Usage(("no readable " + std::string(kConfigFileName) + " in " + workdir).c_str());

    // Texts are recorded only when the script reads them.
    for (const ReplayStep& step : gReplay.steps)
        if (step.kind == StepKind::Texts) SetTextRecorder(RecordDrawnText);
    HeadlessSetIdleFeeder(Feed);
    RunHeliora(PlatformBackend::Headless);
    HeadlessSetIdleFeeder(nullptr);
    SetTextRecorder(nullptr);

    if (!gReplay.failed && gReplay.next < gReplay.steps.size()) {
        std::fprintf(stderr, "heliora-replay: line %d: the program ended before this step\n",
                     gReplay.steps[gReplay.next].line);
        gReplay.failed = true;
    }
    if (gReplay.failed) return 1;
    std::printf("heliora-replay: %zu steps, %d pictures\n", gReplay.steps.size(), gReplay.shots);
    return 0;
}
