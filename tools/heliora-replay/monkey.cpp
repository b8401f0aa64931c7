// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/heliora-replay/monkey.h"

#include <dirent.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/platform.h"
#include "shell/dispatcher.h"
#include "navbar/navbar.h"
#include "shell/startup.h"
#include "tools/heliora-replay/monkey_checks.h"
#include "tools/heliora-replay/replay_run.h"
#include "widgets/control.h"
#include "widgets/keyboard.h"
#include "widgets/widget_state.h"

namespace {

// splitmix64: the same numbers for a seed on every machine and library.
struct Random {
    uint64_t state = 0;
    uint64_t Next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return n <= 1 ? 0 : int(Next() % uint64_t(n)); }
    int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
    bool Chance(int perThousand) { return Below(1000) < perThousand; }
};

// Where the steps went: the screens by ScreenId, and the two pop-ups.
constexpr int kAboutPanelKey = -1;
constexpr int kKeysPanelKey = -2;

struct ScreenName {
    int key;
    const char* name;
};
const ScreenName kScreenNames[] = {
    {kScreenMain, "Watch the Seasons"},
    {kScreenChangeTilt, "Change Tilt"},
    {kScreenTiltIntensity, "Tilt and sunlight intensity"},
    {kScreenTiltDayLength, "Tilt and day length"},
    {kScreenChangeShape, "Change Shape"},
    {kScreenOrbitEnergy, "Orbit shape and solar energy"},
    {kScreenSeasonLength, "Orbit shape and season length"},
    {kScreenSelectLatitudes, "Select Latitudes"},
    {kScreenLatitudeZones, "Latitude zones"},
    {kScreenSunAngle, "Sun angle"},
    {kScreenLogbook, "Logbook"},
    {kAboutPanelKey, "About panel (pop-up)"},
    {kKeysPanelKey, "Keys panel (pop-up)"},
};

struct PerScreen {
    long steps = 0;
    long peakRssKb = 0;  // the largest resident size (VmRSS) seen after a step there
    long hwmKb = 0;      // the process's peak (VmHWM) after the last step there
};

struct MonkeyState {
    MonkeyOptions options;
    Random random;
    long made = 0;      // input steps made (restarts not counted)
    long restarts = 0;
    std::map<int, PerScreen> screens;
    int lastKey = 0;    // where the last step was made
    LogbookWatch logbook;
    std::string failure;
};
MonkeyState gMonkey;

// VmRSS and VmHWM of this process, in KiB.
void ResidentMemory(long& rssKb, long& hwmKb) {
    rssKb = hwmKb = 0;
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return;
    char line[256];
    while (std::fgets(line, sizeof line, f)) {
        if (std::strncmp(line, "VmRSS:", 6) == 0) rssKb = std::atol(line + 6);
        if (std::strncmp(line, "VmHWM:", 6) == 0) hwmKb = std::atol(line + 6);
    }
    std::fclose(f);
}

int WhereNow() {
    if (gWidgets.activePopup) {
        if (gWidgets.activePopup == gWidgets.aboutPanel) return kAboutPanelKey;
        if (gKeyboard.keysPanelOpen) return kKeysPanelKey;
    }
    return CurrentScreenId();
}

// ---- aiming ---------------------------------------------------------------------------------

bool IsExitButton(int id) { return id == kNavExit || id == kNavClose; }

// How much a control draws the monkey: buttons most, the NavBar's and the links to the
// explanation screens more, the buttons that end the program or make it an icon little.
int Weight(const Control* c) {
    switch (c->kind) {
    case kPushButton:
    case kRoundButton: break;
    case kSliderTrack: return 8;
    case kEntryArea:
    case kCustomArea:
    case kHelpArea: return 3;
    default: return 1;
    }
    if (IsExitButton(c->id)) return 1;
    if (c->id == kNavMinimise) return 2;
    if (c->selected) return 2;  // a selected button takes no clicks
    const bool navBar = (c->id >= kNavWatchSeasons && c->id <= kNavOpenLogbook) || c->id == kNavAbout;
    return navBar ? 24 : 12;
}

// A control the pointer can reach now, chosen by weight; null when none is live.
const Control* ChooseTarget() {
    Control* const* list = gWidgets.liveControls;
    const int count = gWidgets.liveControlCount;
    if (!list || count <= 0) return nullptr;
    long total = 0;
    for (int i = 0; i < count; ++i) {
        const Control* c = list[i];
        if (c && c->state == kStateActive && c->hitRect.right > c->hitRect.left &&
            c->hitRect.bottom > c->hitRect.top)
            total += Weight(c);
    }
    if (total <= 0) return nullptr;
    long pick = long(gMonkey.random.Next() % uint64_t(total));
    for (int i = 0; i < count; ++i) {
        const Control* c = list[i];
        if (!c || c->state != kStateActive || c->hitRect.right <= c->hitRect.left ||
            c->hitRect.bottom <= c->hitRect.top)
            continue;
        pick -= Weight(c);
        if (pick < 0) return c;
    }
    return nullptr;
}

// A point on a control (or anywhere when there is none), in the 1024 x 768 design space.
void Aim(bool onControl, ReplayStep& s) {
    Random& r = gMonkey.random;
    const Control* c = onControl ? ChooseTarget() : nullptr;
    if (c) {
        const ScreenRect& h = c->hitRect;
        s.x = r.Between(h.left, h.right - 1);
        s.y = r.Between(h.top, h.bottom - 1);
    } else {
        s.x = r.Below(1024);
        s.y = r.Below(768);
    }
    s.x = std::min(std::max(s.x, 0), 1023);
    s.y = std::min(std::max(s.y, 0), 767);
}

void MakeKey(ReplayStep& s) {
    Random& r = gMonkey.random;
    s.kind = StepKind::Key;
    struct Choice {
        int weight, key, modifiers;
    };
    static const Choice kKeys[] = {
        {20, KeyTab, 0},      {8, KeyTab, kModShift}, {16, KeyEnter, 0},   {12, KeySpace, 0},
        {8, KeyEscape, 0},    {4, KeyF1, 0},          {8, KeyLeft, 0},     {8, KeyRight, 0},
        {8, KeyUp, 0},        {8, KeyDown, 0},        {2, KeyHome, 0},     {2, KeyEnd, 0},
        {1, KeyPageUp, 0},    {1, KeyPageDown, 0},    {2, KeyBackspace, 0}, {2, KeyDelete, 0},
        {1, KeyF12, 0},       {1, 'E', kModControl},  {1, KeyF11, 0},      {1, KeyF2, 0},
        {12, 0, 0},  // a digit
        {3, 1, 0},   // a letter
    };
    int total = 0;
    for (const Choice& k : kKeys) total += k.weight;
    int pick = r.Below(total);
    for (const Choice& k : kKeys) {
        pick -= k.weight;
        if (pick >= 0) continue;
        s.key = k.key == 0 ? '0' + r.Below(10) : k.key == 1 ? 'A' + r.Below(26) : k.key;
        s.modifiers = k.modifiers;
        return;
    }
}

// Typed text: the screens' own characters (+ - =) or a few letters, digits and marks, some of
// them outside ASCII; never blank at either end, so the script line reads back the same.
void MakeText(ReplayStep& s) {
    Random& r = gMonkey.random;
    s.kind = StepKind::Type;
    static const char* const kOwn[] = {"+", "-", "=", "1", "2", "3"};
    if (r.Chance(500)) {
        s.text = kOwn[r.Below(6)];
        return;
    }
    static const char* const kPieces[] = {"a", "e", "s", "t", "Q", "z", "0", "7", ".", ",",
                                          "!", "?", "@", "%", " ", "é", "º", "ü", "€", "\"",
                                          "'", "#", "&", "<"};
    const int n = r.Between(1, 14);
    s.text.clear();
    for (int i = 0; i < n; ++i) s.text += kPieces[r.Below(int(sizeof kPieces / sizeof kPieces[0]))];
    while (!s.text.empty() && s.text.back() == ' ') s.text.pop_back();
    while (!s.text.empty() && s.text.front() == ' ') s.text.erase(0, 1);
    if (s.text.empty()) s.text = "x";
}

void MakeIdle(ReplayStep& s) {
    Random& r = gMonkey.random;
    s.kind = StepKind::Idle;
    const int roll = r.Below(100);
    // Short mostly: on an animated screen every idle poll is a frame to draw.
    s.count = roll < 80 ? r.Between(1, 8) : roll < 98 ? r.Between(8, 50) : r.Between(50, 400);
    // Now and then long enough for an open pop-up to close itself (its idle time-out).
    if (gWidgets.activePopup && r.Chance(100)) s.count = 6000;
}

// One random step for the program as it stands.
void MakeStep(ReplayStep& s) {
    Random& r = gMonkey.random;
    if (gPlatform.minimised) {
        // An icon takes only restore and close; now and then something it must ignore.
        const int roll = r.Below(100);
        if (roll < 55) { s.kind = StepKind::Restore; return; }
        if (roll < 60) { s.kind = StepKind::Close; return; }
    }
    const int roll = r.Below(1000);
    if (roll < 430) {
        s.kind = StepKind::Click;
        Aim(true, s);
    } else if (roll < 460) {
        s.kind = StepKind::Click;
        Aim(false, s);
    } else if (roll < 490) {
        s.kind = StepKind::RightClick;
        Aim(r.Chance(700), s);
    } else if (roll < 590) {
        s.kind = StepKind::Move;
        Aim(r.Chance(700), s);
    } else if (roll < 760) {
        MakeKey(s);
    } else if (roll < 800) {
        MakeText(s);
    } else if (roll < 985) {
        MakeIdle(s);
    } else if (roll < 993) {
        s.kind = StepKind::Minimise;
    } else if (roll < 996) {
        s.kind = StepKind::Restore;
    } else {
        s.kind = StepKind::Close;
    }
}

// ---- the run --------------------------------------------------------------------------------

void NoteMemory() {
    long rss = 0, hwm = 0;
    ResidentMemory(rss, hwm);
    PerScreen& p = gMonkey.screens[gMonkey.lastKey];
    p.peakRssKb = std::max(p.peakRssKb, rss);
    p.hwmKb = std::max(p.hwmKb, hwm);
}

bool Check() {
    std::string why;
    if (CheckScreenId(why) && CheckModelSettings(why) && CheckLogbook(gMonkey.logbook, why)) {
        NoteMemory();
        return true;
    }
    gMonkey.failure = why;
    return false;
}

bool More(ReplayStep& s) {
    if (gMonkey.made >= gMonkey.options.steps) return false;
    if (gShell.shutdownDone) {
        s.kind = StepKind::Restart;
        ++gMonkey.restarts;
        return true;
    }
    MakeStep(s);
    ++gMonkey.made;
    gMonkey.lastKey = WhereNow();
    ++gMonkey.screens[gMonkey.lastKey].steps;
    return true;
}

// ---- folders --------------------------------------------------------------------------------

bool CopyFile(const std::string& from, const std::string& to) {
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary);
    if (!in || !out) return false;
    out << in.rdbuf();
    return bool(out);
}

// A new folder <tmp>/heliora-monkey-XXXXXX/work holding the files of dataDir. The work folder
// is one level down so that the administrator's list the program looks for beside it
// ("../Administrator") is never some other program's.
bool MakeWorkFolder(const std::string& dataDir, std::string& top, std::string& work) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/heliora-monkey-XXXXXX";
    if (!mkdtemp(pattern.data())) return false;
    top = pattern;
    work = top + "/work";
    if (mkdir(work.c_str(), 0777) != 0) return false;
    DIR* dir = opendir(dataDir.c_str());
    if (!dir) return false;
    bool ok = true;
    while (dirent* e = readdir(dir)) {
        if (e->d_name[0] == '.') continue;
        const std::string from = dataDir + "/" + e->d_name;
        struct stat st {};
        if (stat(from.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            ok &= CopyFile(from, work + "/" + e->d_name);
    }
    closedir(dir);
    return ok;
}

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return std::remove(path); }

void RemoveFolder(const std::string& top) {
    if (!top.empty()) nftw(top.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

bool WriteScript(const std::string& path, const std::string& header) {
    FILE* f = std::fopen(path.c_str(), "w");
    if (!f) return false;
    std::fputs(header.c_str(), f);
    for (const ReplayStep& s : gRun.steps) std::fprintf(f, "%s\n", FormatReplayStep(s).c_str());
    return std::fclose(f) == 0;
}

std::string NameOf(int key) {
    for (const ScreenName& n : kScreenNames)
        if (n.key == key) return n.name;
    return "ScreenId " + std::to_string(key);
}

void PrintReport() {
    long rss = 0, hwm = 0;
    ResidentMemory(rss, hwm);
    std::printf("heliora-replay: monkey seed %llu: %ld steps, %ld restarts\n",
                static_cast<unsigned long long>(gMonkey.options.seed), gMonkey.made, gMonkey.restarts);
    std::printf("  %-32s %8s %14s %12s\n", "screen", "steps", "peak RSS KiB", "VmHWM KiB");
    std::string missing;
    for (const ScreenName& n : kScreenNames) {
        const auto it = gMonkey.screens.find(n.key);
        const PerScreen p = it == gMonkey.screens.end() ? PerScreen{} : it->second;
        std::printf("  %-32s %8ld %14ld %12ld\n", n.name, p.steps, p.peakRssKb, p.hwmKb);
        if (p.steps == 0 && n.key > 0) missing += std::string(missing.empty() ? "" : ", ") + n.name;
    }
    for (const auto& [key, p] : gMonkey.screens) {
        const bool named = std::any_of(std::begin(kScreenNames), std::end(kScreenNames),
                                       [&](const ScreenName& n) { return n.key == key; });
        if (!named) std::printf("  %-32s %8ld %14ld %12ld\n", NameOf(key).c_str(), p.steps,
                                p.peakRssKb, p.hwmKb);
    }
    std::printf("  peak resident memory (VmHWM): %ld KiB\n", hwm);
    if (!missing.empty()) std::printf("  screens without steps: %s\n", missing.c_str());
}

}  // namespace

int RunMonkey(const MonkeyOptions& options) {
    gMonkey = MonkeyState{};
    gMonkey.options = options;
    gMonkey.random.state = options.seed;

    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) return 2;
    const auto absolute = [&](const std::string& p) { return !p.empty() && p[0] == '/' ? p : std::string(cwd) + "/" + p; };
    const std::string out = absolute(options.outDir.empty() ? "." : options.outDir);
    std::string top, work = options.workdir;
    if (work.empty() && !MakeWorkFolder(absolute(options.dataDir), top, work)) {
        std::fprintf(stderr, "heliora-replay: cannot make a working folder from %s\n", options.dataDir.c_str());
        RemoveFolder(top);
        return 2;
    }
    if (chdir(work.c_str()) != 0 || access("hlra_cfg.bin", R_OK) != 0) {
        std::fprintf(stderr, "heliora-replay: no readable hlra_cfg.bin in %s\n", work.c_str());
        RemoveFolder(top);
        return 2;
    }

    gRun = ReplayRun{};
    gRun.outDir = out;
    gRun.more = More;
    gRun.check = Check;
    const bool clean = RunReplaySteps();
    if (chdir(cwd) != 0) return 2;
    PrintReport();
    if (clean) {
        RemoveFolder(top);
        return 0;
    }

    const std::string seed = std::to_string(options.seed);
    const size_t failedAt = gRun.checkedUpTo;  // the step after which the check failed
    const std::string why = gMonkey.failure.empty() ? "a step failed" : gMonkey.failure;
    std::fprintf(stderr, "heliora-replay: monkey seed %s failed after step %zu (%s): %s\n",
                 seed.c_str(), failedAt, NameOf(gMonkey.lastKey).c_str(), why.c_str());
    if (mkdir(out.c_str(), 0777) != 0 && errno != EEXIST) return 1;
    const std::string script = out + "/monkey-seed-" + seed + ".txt";
    const std::string header = "# heliora-replay --monkey " + std::to_string(options.steps) + " --seed " +
                               seed + ": failed after step " + std::to_string(failedAt) +
                               " (the last line of this script): " + why +
                               "\n# Replay it in a fresh copy of data/ (heliora-replay --workdir DIR"
                               " --script FILE --out DIR).\n";
    if (WriteScript(script, header))
        std::fprintf(stderr, "heliora-replay: the steps so far are in %s\n", script.c_str());
    if (!top.empty()) std::fprintf(stderr, "heliora-replay: the working folder is kept: %s\n", work.c_str());
    return 1;
}
