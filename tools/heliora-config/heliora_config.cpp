// SPDX-License-Identifier: GPL-3.0-or-later
// heliora-config: shows a configuration record (hlra_cfg.bin) in words and writes one from
// named options. Exit status: 0 done, 1 the file could not be read or written, 2 bad arguments.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "config/config.h"
#include "tools/tool_args.h"

namespace {

const char* const kUsage =
    "Usage: heliora-config show FILE\n"
    "       heliora-config write FILE [OPTION VALUE]...\n"
    "       heliora-config --help\n"
    "\n"
    "Shows or writes Heliora's start-up configuration record, the 80-byte file hlra_cfg.bin\n"
    "that the program reads from its working directory.\n"
    "\n"
    "show FILE    prints every field of the record as stored, one \"name: value\" line each,\n"
    "             starting with \"home latitude: N\"; then what the program will use after its\n"
    "             start-up rules. A file shorter than 80 bytes is shown with the fields it\n"
    "             does not reach as zero (as the program reads it), and those fields are named.\n"
    "             A missing or unreadable file is an error (exit status 1).\n"
    "\n"
    "write FILE   writes a new 80-byte record to FILE, replacing it. Every field not given\n"
    "             is zero. Each option may be given once; a value may also be given as\n"
    "             --option=VALUE.\n"
    "\n"
    "Options of write:\n"
    "  --home-latitude N        home latitude in whole degrees, north positive (-90..90); it\n"
    "                           is the first selected latitude when the program starts\n"
    "  --print-button 0|1       print button flag (the program always runs with 0)\n"
    "  --users-mode 0|1         users mode (the program always runs as the guest, with 0)\n"
    "  --logbook on|off         logbook enabled: the Save In Logbook and Open Logbook buttons\n"
    "  --single-cycle N         single-cycle mode (0..1000000); non-zero makes each animated\n"
    "                           screen end after one cycle, for timing runs; 0 for normal use\n"
    "  --main-delay MS          base delay between frames of the main screen (0..10000 ms);\n"
    "                           the animation speed setting scales it\n"
    "  --tilt-delay MS          frame delay of the Change Tilt screen (0..10000 ms)\n"
    "  --day-length-delay MS    frame delay of the tilt and day length screen (0..10000 ms)\n"
    "  --orbit-energy-delay MS  frame delay of the orbit shape and solar energy screen\n"
    "                           (0..10000 ms)\n"
    "  --season-length-delay MS frame delay of the orbit shape and season length screen\n"
    "                           (0..10000 ms)\n"
    "  --idle-timeout on|off    whether an open pop-up panel closes by itself when idle;\n"
    "                           \"on\" needs --idle-seconds of at least 1\n"
    "  --idle-seconds N         seconds without input before the panel closes (0..86400)\n"
    "  --driver-mode 0|1|2      display-driver mode: 0 automatic, 1 mixed hardware and\n"
    "                           emulation, 2 emulation only (kept; on Linux 0 means 1)\n"
    "  --display-mode 0|800|1024  0 tries 1024x768 then 800x600; 800 or 1024 only that size\n"
    "  --logbook-files on|off   whether the logbook is kept in logbook.bin (on) or only in\n"
    "                           memory (off); off when the logbook is disabled anyway\n"
    "\n"
    "Exit status: 0 success, 1 the file could not be read or written, 2 bad arguments.\n";

// One line on stderr and the exit status for bad arguments.
[[noreturn]] void Refuse(const std::string& message) { RefuseArgument("heliora-config", message); }

bool ParseOnOff(const char* text, int& out) {
    if (std::strcmp(text, "on") == 0) { out = 1; return true; }
    if (std::strcmp(text, "off") == 0) { out = 0; return true; }
    return false;
}

enum FieldKind { kInt, kOnOff };

// One write option: its name, how its value is read, and the field it sets.
struct WriteOption {
    const char* name;
    FieldKind kind;
    long lo, hi;
    const char* rangeText;  // said in the error message
    void (*set)(ConfigRecord&, long);
};

const WriteOption kWriteOptions[] = {
    {"--home-latitude", kInt, -90, 90, "a whole number of degrees from -90 to 90",
     [](ConfigRecord& r, long v) { r.homeLatitude = int32_t(v); }},
    {"--print-button", kInt, 0, 1, "0 or 1",
     [](ConfigRecord& r, long v) { r.printButton = uint8_t(v); }},
    {"--users-mode", kInt, 0, 1, "0 or 1", [](ConfigRecord& r, long v) { r.usersMode = uint8_t(v); }},
    {"--logbook", kOnOff, 0, 1, "on or off",
     [](ConfigRecord& r, long v) { r.logbookEnabled = uint8_t(v); }},
    {"--single-cycle", kInt, 0, 1000000, "a whole number from 0 to 1000000",
     [](ConfigRecord& r, long v) { r.singleCycleMode = int32_t(v); }},
    {"--main-delay", kInt, 0, 10000, "milliseconds from 0 to 10000",
     [](ConfigRecord& r, long v) { r.mainAnimationDelay = int32_t(v); }},
    {"--tilt-delay", kInt, 0, 10000, "milliseconds from 0 to 10000",
     [](ConfigRecord& r, long v) { r.changeTiltDelay = int32_t(v); }},
    {"--day-length-delay", kInt, 0, 10000, "milliseconds from 0 to 10000",
     [](ConfigRecord& r, long v) { r.dayLengthDelay = int32_t(v); }},
    {"--orbit-energy-delay", kInt, 0, 10000, "milliseconds from 0 to 10000",
     [](ConfigRecord& r, long v) { r.orbitEnergyDelay = int32_t(v); }},
    {"--season-length-delay", kInt, 0, 10000, "milliseconds from 0 to 10000",
     [](ConfigRecord& r, long v) { r.seasonLengthDelay = int32_t(v); }},
    {"--idle-timeout", kOnOff, 0, 1, "on or off",
     [](ConfigRecord& r, long v) { r.idleTimeoutEnabled = uint8_t(v); }},
    {"--idle-seconds", kInt, 0, 86400, "seconds from 0 to 86400",
     [](ConfigRecord& r, long v) { r.idleTimeoutSeconds = int32_t(v); }},
    {"--driver-mode", kInt, 0, 2, "0, 1 or 2",
     [](ConfigRecord& r, long v) { r.displayDriverMode = int32_t(v); }},
    {"--display-mode", kInt, 0, 1024, "0, 800 or 1024",
     [](ConfigRecord& r, long v) { r.displayMode = int32_t(v); }},
    // The record stores the opposite: a flag that turns the files off.
    {"--logbook-files", kOnOff, 0, 1, "on or off",
     [](ConfigRecord& r, long v) { r.logbookFilesOff = uint8_t(v ? 0 : 1); }},
};
constexpr int kWriteOptionCount = int(sizeof kWriteOptions / sizeof kWriteOptions[0]);

int Write(const char* path, int argc, char** argv) {
    ConfigRecord record;
    bool given[kWriteOptionCount] = {};
    for (int i = 0; i < argc; ++i) {
        std::string arg = argv[i];
        std::string name = arg;
        const char* value = nullptr;
        size_t eq = arg.find('=');
        if (arg.compare(0, 2, "--") == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = argv[i] + eq + 1;
        }
        int which = -1;
        for (int k = 0; k < kWriteOptionCount; ++k)
            if (name == kWriteOptions[k].name) which = k;
        if (which < 0) {
            if (arg.compare(0, 1, "-") == 0) Refuse("unknown option '" + name + "'");
            Refuse("unexpected argument '" + arg + "'");
        }
        const WriteOption& option = kWriteOptions[which];
        if (given[which]) Refuse(name + " given twice");
        given[which] = true;
        if (!value) {
            if (i + 1 >= argc) Refuse(name + " needs a value: " + option.rangeText);
            value = argv[++i];
        }
        long v = 0;
        bool ok = false;
        if (option.kind == kInt) {
            ok = ParseWholeNumber(value, option.lo, option.hi, v);
        } else {
            int onOff = 0;
            ok = ParseOnOff(value, onOff);
            v = onOff;
        }
        if (ok && name == "--display-mode" && v != 0 && v != 800 && v != 1024) ok = false;
        if (!ok) Refuse("bad value '" + std::string(value) + "' for " + name + ": " + option.rangeText);
        option.set(record, v);
    }
    // A panel that times out after 0 seconds would close as soon as it opens.
    if (record.idleTimeoutEnabled && record.idleTimeoutSeconds < 1)
        Refuse("--idle-timeout on needs --idle-seconds of at least 1");

    unsigned char bytes[kConfigRecordSize];
    EncodeConfigRecord(record, bytes);
    FILE* f = std::fopen(path, "wb");
    if (!f) {
        std::fprintf(stderr, "heliora-config: cannot write '%s': %s\n", path, std::strerror(errno));
        return 1;
    }
    bool ok = std::fwrite(bytes, 1, sizeof bytes, f) == sizeof bytes;
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) {
        std::fprintf(stderr, "heliora-config: writing '%s' failed\n", path);
        return 1;
    }
    return 0;
}

const char* OnOff(int v) { return v ? "on" : "off"; }

const char* DriverModeWords(int v) {
    switch (v) {
        case 0: return " (automatic)";
        case 1: return " (mixed hardware and emulation)";
        case 2: return " (emulation only)";
        default: return " (not a known mode)";
    }
}

const char* DisplayModeWords(int v) {
    switch (v) {
        case 0: return " (1024x768, else 800x600)";
        case 800: return " (800x600 only)";
        case 1024: return " (1024x768 only)";
        default: return " (not a known mode)";
    }
}

// Where each field lives, to say which ones a short file did not reach.
struct FieldPlace {
    const char* name;
    size_t offset;
    size_t width;
};
const FieldPlace kFieldPlaces[] = {
    {"home latitude", 0, 4},         {"print button", 4, 1},
    {"users mode", 8, 1},            {"logbook", 12, 1},
    {"single-cycle mode", 16, 4},    {"main animation delay", 20, 4},
    {"Change Tilt delay", 24, 4},    {"day length delay", 28, 4},
    {"orbit energy delay", 32, 4},   {"season length delay", 36, 4},
    {"reserved byte 40", 40, 1},     {"idle time-out", 44, 1},
    {"idle time-out seconds", 48, 4}, {"display-driver mode", 52, 4},
    {"display mode", 56, 4},         {"logbook files", 60, 1},
};

int Show(const char* path) {
    FILE* f = std::fopen(path, "rb");
    if (!f) {
        std::fprintf(stderr, "heliora-config: cannot open '%s': %s\n", path, std::strerror(errno));
        return 1;
    }
    // Read one byte past the record to tell an exact record from a longer file.
    unsigned char bytes[kConfigRecordSize + 1] = {};
    size_t got = std::fread(bytes, 1, sizeof bytes, f);
    bool failed = std::ferror(f) != 0;
    int readErrno = errno;
    std::fclose(f);
    if (failed) {
        std::fprintf(stderr, "heliora-config: cannot read '%s': %s\n", path, std::strerror(readErrno));
        return 1;
    }
    bool longer = got > kConfigRecordSize;
    if (longer) got = kConfigRecordSize;
    const ConfigRecord r = DecodeConfigRecord(bytes, got);

    std::printf("home latitude: %d\n", int(r.homeLatitude));
    std::printf("print button: %d\n", r.printButton);
    std::printf("users mode: %d\n", r.usersMode);
    std::printf("logbook: %s (%d)\n", OnOff(r.logbookEnabled), r.logbookEnabled);
    std::printf("single-cycle mode: %d%s\n", int(r.singleCycleMode), r.singleCycleMode ? "" : " (off)");
    std::printf("main animation delay: %d ms\n", int(r.mainAnimationDelay));
    std::printf("Change Tilt delay: %d ms\n", int(r.changeTiltDelay));
    std::printf("day length delay: %d ms\n", int(r.dayLengthDelay));
    std::printf("orbit energy delay: %d ms\n", int(r.orbitEnergyDelay));
    std::printf("season length delay: %d ms\n", int(r.seasonLengthDelay));
    std::printf("reserved byte 40: %d\n", r.reserved40);
    std::printf("idle time-out: %s (%d)\n", OnOff(r.idleTimeoutEnabled), r.idleTimeoutEnabled);
    std::printf("idle time-out seconds: %d\n", int(r.idleTimeoutSeconds));
    std::printf("display-driver mode: %d%s\n", int(r.displayDriverMode), DriverModeWords(r.displayDriverMode));
    std::printf("display mode: %d%s\n", int(r.displayMode), DisplayModeWords(r.displayMode));
    std::printf("logbook files: %s (logbook-files-off %d)\n", OnOff(!r.logbookFilesOff), r.logbookFilesOff);

    bool tailZero = true;
    for (size_t i = 64; i < got; ++i) tailZero = tailZero && bytes[i] == 0;
    if (got > 64) std::printf("bytes 64..79: %s (never read)\n", tailZero ? "zero" : "not zero");

    // What the program runs with: the same start-up rules it applies itself.
    ApplyConfiguration(r);
    std::printf("in effect: print button %d, users mode %d as \"%s\", logbook files %s, "
                "display-driver mode %d\n",
                PrintButtonFlag(), UsersMode(), CurrentUserName(), OnOff(!LogbookFilesOff()),
                DisplayDriverMode());

    if (got < kConfigRecordSize) {
        std::string missing;
        for (const FieldPlace& p : kFieldPlaces) {
            if (p.offset + p.width <= got) continue;
            if (!missing.empty()) missing += ", ";
            missing += p.name;
            if (p.offset < got) missing += " (partly)";
        }
        std::printf("short file: %zu of 80 bytes; read as zero: %s\n", got,
                    missing.empty() ? "only the unused tail" : missing.c_str());
    }
    if (longer) std::printf("long file: only the first 80 bytes are read\n");
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    if (argc < 2) Refuse("missing command: show or write");
    std::string command = argv[1];
    if (command != "show" && command != "write") Refuse("unknown command '" + command + "'");
    if (argc < 3) Refuse(command + " needs a file name");
    const char* path = argv[2];
    if (!*path) Refuse("empty file name");
    // An option where the file name belongs is a forgotten file name, not a file to write.
    if (path[0] == '-') Refuse(command + " needs a file name before the options");
    if (command == "show") {
        if (argc > 3) Refuse(std::string("unexpected argument '") + argv[3] + "'");
        return Show(path);
    }
    return Write(path, argc - 3, argv + 3);
}
