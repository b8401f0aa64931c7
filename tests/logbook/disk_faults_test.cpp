// SPDX-License-Identifier: GPL-3.0-or-later
// The logbook on a failing disk: each file operation of a save and of leaving the logbook
// screen made to fail in turn, the process killed at each step of them, a read-only folder
// and a folder where logbook.bin should be. (A logbook cut short is files_test's, a disk that
// fills while the screen is open the logbook_disk_full replay's.) Whatever happens the logbook
// stays whole, nothing is reported done that was not, and the HelpLine says why.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "logbook_screen/logbook_screen.h"
#include "tests/logbook/logbook_fixture.h"
#include "tests/simulation/simulation_fixture.h"
#include "widgets/interaction.h"
#include "widgets/screen_loop.h"

namespace {

constexpr const char* kTyped = "Hot July!";

// The file as the program's own reader takes it: number/user and comments of each record,
// or why it is not a whole logbook.
std::string ReadBack(const char* name) {
    FILE* f = std::fopen(name, "rb");
    if (!f) return "missing";
    RecordReader in{f};
    LogEntryBytes r;
    std::string out;
    long records = 0;
    while (ReadLogEntryRecord(in, r)) {
        LogEntry e;
        DecodeLogEntry(r.b, e);
        out += std::to_string(e.serialNumber) + "/" + std::to_string(e.userNumber) + " " +
               e.comments + "; ";
        ++records;
    }
    std::fclose(f);
    if (in.failed) return "unreadable";
    if (ProgramFixture::FileSize(name) != records * long(kLogEntryBytes)) out += "(partial tail)";
    return out;
}

std::string HelpText() { return HelpLine() ? HelpLine()->label : "?"; }

// What is checked here does not depend on the disk, so the folder is made in memory where
// there is one: every case syncs its files, and a real disk makes that slow.
struct DiskFaults : SimulationTest {
    void SetUp() override {
        testHome = std::filesystem::current_path();
        std::error_code noShm;
        if (std::filesystem::is_directory("/dev/shm", noShm)) std::filesystem::current_path("/dev/shm");
        Start();
    }
    void TearDown() override {
        SimulationTest::TearDown();
        std::filesystem::current_path(testHome);
    }
    std::filesystem::path testHome;

    // Another user's entry 9, then the pupil's 3, 2 and 1; no working copy.
    void FreshLogbook() {
        using logbook_test::MakeRecord;
        logbook_test::WriteRecords("logbook.bin",
                                   {MakeRecord(7, 9, 9, kNewEntryComments),
                                    MakeRecord(0, 3, 3, kNewEntryComments),
                                    MakeRecord(0, 2, 2, kNewEntryComments),
                                    MakeRecord(0, 1, 1, kNewEntryComments)});
        std::remove("logbook.tmp");
        std::remove("logbook.zzz");
        ResetLogbookState();
        ResetFileOps();
        ChooseLogbookFileForOpen();
        logbook_test::SetModelRun(5);
        SetHelpLineText(HelpLine(), "");
    }

    // Save In Logbook as the NavBar does it.
    static void Save() { NavBarClickResult(kNavSaveInLogbook, 1); }

    // On the logbook screen the pupil marks entry 2 and types on entry 3; `armed` runs just
    // before the screen is left.
    static void Visit(void (*armed)()) {
        ScreenLoop loop;
        EnterLogbookScreen(loop);
        ToggleDeletionMark(2);
        SetEditText(gLogbookScreen.editor, kTyped);
        armed();
        LeaveLogbookScreen(loop, true);
    }

    // A new visit that changes nothing.
    static void Revisit() {
        ScreenLoop loop;
        EnterLogbookScreen(loop);
        LeaveLogbookScreen(loop, true);
    }
};

const char* const kBefore =
    "9/7 Enter comments here.; 3/0 Enter comments here.; 2/0 Enter comments here.; "
    "1/0 Enter comments here.; ";
const char* const kSaved =
    "10/0 Enter comments here.; 9/7 Enter comments here.; 3/0 Enter comments here.; "
    "2/0 Enter comments here.; 1/0 Enter comments here.; ";
// The saved logbook after a visit to the screen: other users' entries come first.
const char* const kSavedVisited =
    "9/7 Enter comments here.; 10/0 Enter comments here.; 3/0 Enter comments here.; "
    "2/0 Enter comments here.; 1/0 Enter comments here.; ";
const char* const kCommitted = "9/7 Enter comments here.; 3/0 Hot July!; 1/0 Enter comments here.; ";

const char* const kOpNames[kFileOpCount] = {"open",  "create", "read",   "write",
                                            "sync",  "close",  "rename", "remove"};
const int kErrors[] = {ENOSPC, EROFS, EACCES, EISDIR, EIO};
constexpr int kErrorKinds = 5;

struct Fault {
    int op, error;
    long at, every;
};
Fault gFault;
void Arm() {
    ResetFileOps();
    AddFileFault(gFault.op, gFault.error, gFault.at, gFault.every);
}

// The two rewrites of the logbook: a save, and leaving the logbook screen after a mark and
// typing; `arm` runs just before the files are touched.
const struct Rewrite {
    const char* name;
    int task;
    const char* done;
    void (*run)(void (*arm)());
} kRewrites[] = {
    {"save", kTaskSave, kSaved, [](void (*arm)()) { arm(), DiskFaults::Save(); }},
    {"commit", kTaskCommit, kCommitted, [](void (*arm)()) { DiskFaults::Visit(arm); }},
};

TEST_F(DiskFaults, EveryFailingOperationLeavesTheLogbookWholeAndSaysSo) {
    int refused = 0, done = 0;
    for (const Rewrite& c : kRewrites) {
        // A clean run counts each operation's calls.
        FreshLogbook();
        gFault = {kFileOpen, 0, 0, 0};
        c.run(Arm);
        ASSERT_EQ(ReadBack("logbook.bin"), c.done) << c.name;
        long calls[kFileOpCount];
        std::copy(gFileOps.calls, gFileOps.calls + kFileOpCount, calls);

        // Every kind of fault on the first call and on every call of each operation; on the
        // calls between, the kinds take turns (what the files go through does not depend on
        // the kind, only what the pupil is told does).
        for (int op = 0; op < kFileOpCount; ++op)
            for (long at = 1; at <= calls[op] + 1; ++at)
                for (int k = 0; k < kErrorKinds; ++k) {
                    const bool every = at > calls[op];  // the last `at`: every call fails
                    if (at > 1 && !every && k != (op + at) % kErrorKinds) continue;
                    const int error = kErrors[k];
                    gFault = {op, error, every ? 1 : at, every ? 1 : 0};
                    SCOPED_TRACE(std::string(c.name) + ": " + kOpNames[op] + " call " +
                                 (every ? "every" : std::to_string(at)) + ", " +
                                 std::strerror(error));
                    FreshLogbook();
                    c.run(Arm);
                    ResetFileOps();
                    const std::string after = ReadBack("logbook.bin");
                    const bool failed = after == kBefore;
                    ASSERT_TRUE(failed || after == c.done) << after;
                    ++(failed ? refused : done);
                    // A folder in the way is named: the file whose operation failed.
                    const std::string file = gLogbook.failureFile;
                    EXPECT_EQ(HelpText(),
                              failed ? LogbookFailureText(c.task, error, file.c_str()) : "");
                    if (failed) {
                        EXPECT_TRUE(file == "logbook.bin" || file == "logbook.tmp" ||
                                    file == "logbook.zzz" || file == ".")
                            << file;
                    }
                    EXPECT_FALSE(logbook_test::FileExists("logbook.zzz") && !failed);
                    if (c.task == kTaskSave) {
                        // The Last Orbit column shows only a run that reached the logbook.
                        EXPECT_EQ(gLogbook.lastOrbitRecord.axisTilt, failed ? 0.0 : -2.5);
                        continue;
                    }
                    // The pupil's changes were kept: the next visit writes them.
                    SetHelpLineText(HelpLine(), "");
                    Revisit();
                    EXPECT_EQ(ReadBack("logbook.bin"), kCommitted);
                    EXPECT_EQ(HelpText(), "");
                }
    }
    std::printf("%d faults: %d refused with a message, %d done all the same\n", refused + done,
                refused, done);
}

// The process dies at each operation in turn: the logbook and the working copy are always
// whole, and the next run goes on from either the old logbook or the new one.
TEST_F(DiskFaults, KilledAtAnyOperationTheLogbookIsTheOldOrTheNew) {
    static long killAt;
    for (const Rewrite& c : kRewrites) {
        bool died = true;
        for (killAt = 1; died; ++killAt) {
            SCOPED_TRACE(std::string(c.name) + " killed at operation " + std::to_string(killAt));
            FreshLogbook();
            c.run([] { ResetFileOps(), gFileOps.killAt = killAt; });
            died = gFileOps.dead;
            // A new process: nothing of the old one's memory.
            ResetFileOps();
            ResetLogbookState();
            const std::string after = ReadBack("logbook.bin");
            ASSERT_TRUE(after == kBefore || after == c.done) << after;
            if (logbook_test::FileExists("logbook.tmp")) {
                EXPECT_EQ(ReadBack("logbook.tmp").find("partial"), std::string::npos);
            }
            ChooseLogbookFileForOpen();
            Revisit();
            EXPECT_EQ(ReadBack("logbook.bin"), after == kSaved ? kSavedVisited : after);
            EXPECT_FALSE(logbook_test::FileExists("logbook.zzz"));
        }
        EXPECT_GT(killAt, 10) << c.name;  // the loop went through every step
    }
}

// A folder the program may not write to, and a folder where logbook.bin should be: nothing is
// saved or opened, the pupil is told why and which file is in the way, and once the folder is
// mended all works again. A scratch file or folder left over is cleared away. (A folder for
// logbook.tmp: the logbook_folders replay.)
TEST_F(DiskFaults, UnwritableFolderOrAFolderForALogbookFile) {
    const struct {
        const char* name;
        void (*spoil)();
        void (*mend)();
        const char* saveWhy;  // "": saved all the same
        const char* openWhy;
    } cases[] = {
        {"read-only folder",
         [] {
             ASSERT_EQ(chmod(".", 0555), 0);
             if (geteuid() == 0)  // the superuser writes anyway: the disk says no instead
                 for (int op : {kFileCreate, kFileRename, kFileRemove})
                     AddFileFault(op, EROFS, 1, 1);
         },
         [] { ASSERT_EQ(chmod(".", 0755), 0); }, "this folder cannot be written to",
         "this folder cannot be written to"},
        {"logbook.bin a folder",
         [] {
             ASSERT_EQ(std::remove("logbook.bin"), 0);
             ASSERT_EQ(mkdir("logbook.bin", 0755), 0);
         },
         [] { ASSERT_EQ(rmdir("logbook.bin"), 0); }, "logbook.bin is a folder, not a file",
         "logbook.bin is a folder, not a file"},
        {"a left-over logbook.zzz folder",
         [] {
             ASSERT_EQ(mkdir("logbook.zzz", 0755), 0);
             ASSERT_EQ(mkdir("logbook.zzz/inner", 0755), 0);
             logbook_test::WriteFileBytes("logbook.zzz/inner/x", {1, 2});
             ASSERT_EQ(symlink("/", "logbook.zzz/root"), 0);  // removed, never followed
         },
         [] {}, "", ""},
        {"a left-over logbook.zzz link", [] { ASSERT_EQ(symlink("elsewhere", "logbook.zzz"), 0); },
         [] {}, "", ""},
    };
    const auto said = [](const char* task, const char* why) {
        return *why ? std::string(task) + why + "." : std::string();
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FreshLogbook();
        c.spoil();
        const std::string before = ReadBack("logbook.bin");  // a folder reads as unreadable
        Save();
        EXPECT_EQ(HelpText(), said("The run could not be saved: ", c.saveWhy));
        if (*c.saveWhy) {
            EXPECT_EQ(gLogbook.lastOrbitRecord.axisTilt, 0.0);
            EXPECT_EQ(ReadBack("logbook.bin"), before);
        }
        SetHelpLineText(HelpLine(), "");
        Revisit();
        EXPECT_EQ(HelpText(), said("The logbook could not be opened: ", c.openWhy));
        struct stat st;
        EXPECT_NE(lstat("logbook.zzz", &st), 0);

        c.mend();
        ResetFileOps();
        SetHelpLineText(HelpLine(), "");
        FreshLogbook();
        Save();
        EXPECT_EQ(HelpText(), "");
        EXPECT_EQ(ReadBack("logbook.bin"), kSaved);
        EXPECT_EQ(gLogbook.lastOrbitRecord.axisTilt, -2.5);
    }
}

}  // namespace
