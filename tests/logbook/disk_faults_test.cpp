// The logbook on a failing disk: each file operation of a save and of leaving the logbook
// screen made to fail in turn, the process killed at each step of them, a read-only folder,
// a folder where logbook.bin should be, and a logbook cut short. Whatever happens the logbook
// stays whole, nothing is reported done that was not, and the HelpLine says why.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "logbook/logbook_screen.h"
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
    if (logbook_test::FileSize(name) != records * long(kLogEntryBytes)) out += "(partial tail)";
    return out;
}

std::string HelpText() { return HelpLine() ? HelpLine()->label : "?"; }

// What is checked here does not depend on the disk, so the folder is made in memory where
// there is one: every case syncs its files, and a real disk makes that slow.
struct DiskFaults : SimulationTest {
    void SetUp() override {
        char cwd[PATH_MAX];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        testHome = cwd;
        struct stat st;
        if (stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode)) ASSERT_EQ(chdir("/dev/shm"), 0);
        Start();
    }
    void TearDown() override {
        SimulationTest::TearDown();
        ASSERT_EQ(chdir(testHome.c_str()), 0);
    }
    std::string testHome;

    // Another user's entry 9, then the pupil's 3, 2 and 1; no working copy.
    void FreshLogbook(size_t tail = 0) {
        using logbook_test::MakeRecord;
        logbook_test::WriteRecords("logbook.bin",
                                   {MakeRecord(7, 9, 9, kNewEntryComments),
                                    MakeRecord(0, 3, 3, kNewEntryComments),
                                    MakeRecord(0, 2, 2, kNewEntryComments),
                                    MakeRecord(0, 1, 1, kNewEntryComments)},
                                   tail);
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
    static void Commit() { Visit([] {}); }

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

struct Fault {
    int op, error;
    long at, every;
};
Fault gFault;
void Arm() {
    ResetFileOps();
    AddFileFault(gFault.op, gFault.error, gFault.at, gFault.every);
}

TEST_F(DiskFaults, EveryFailingOperationLeavesTheLogbookWholeAndSaysSo) {
    const struct {
        const char* name;
        std::function<void()> run;  // arms the fault itself
        int task;
        const char* done;
    } cases[] = {
        {"save", [] { Arm(), Save(); }, kTaskSave, kSaved},
        {"commit", [] { Visit(Arm); }, kTaskCommit, kCommitted},
    };
    int refused = 0, done = 0;
    for (const auto& c : cases) {
        // A clean run counts each operation's calls.
        FreshLogbook();
        gFault = {kFileOpen, 0, 0, 0};
        c.run();
        ASSERT_EQ(ReadBack("logbook.bin"), c.done) << c.name;
        long calls[kFileOpCount];
        std::copy(gFileOps.calls, gFileOps.calls + kFileOpCount, calls);

        for (int op = 0; op < kFileOpCount; ++op)
            for (int error : kErrors)
                for (long at = 1; at <= calls[op] + 1; ++at) {
                    // The last `at` is every call of the operation failing.
                    const bool every = at > calls[op];
                    gFault = {op, error, every ? 1 : at, every ? 1 : 0};
                    SCOPED_TRACE(std::string(c.name) + ": " + kOpNames[op] + " call " +
                                 (every ? "every" : std::to_string(at)) + ", " +
                                 std::strerror(error));
                    FreshLogbook();
                    c.run();
                    ResetFileOps();
                    const std::string after = ReadBack("logbook.bin");
                    const bool failed = after == kBefore;
                    ASSERT_TRUE(failed || after == c.done) << after;
                    ++(failed ? refused : done);
                    EXPECT_EQ(HelpText(), failed ? LogbookFailureText(c.task, error) : "");
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
    const struct {
        const char* name;
        bool commit;
        const char* done;
    } cases[] = {
        {"save", false, kSaved},
        {"commit", true, kCommitted},
    };
    static long killAt;
    for (const auto& c : cases) {
        bool died = true;
        for (killAt = 1; died; ++killAt) {
            SCOPED_TRACE(std::string(c.name) + " killed at operation " + std::to_string(killAt));
            FreshLogbook();
            if (c.commit) {
                Visit([] { ResetFileOps(), gFileOps.killAt = killAt; });
            } else {
                gFileOps.killAt = killAt;
                Save();
            }
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

// A folder the program may not write to: nothing is saved or opened, the pupil is told, and
// once the folder is writable again everything works.
TEST_F(DiskFaults, ReadOnlyFolder) {
    FreshLogbook();
    ASSERT_EQ(chmod(".", 0555), 0);
    if (geteuid() == 0)  // the superuser writes anyway: the disk says no instead
        for (int op : {kFileCreate, kFileRename, kFileRemove}) AddFileFault(op, EROFS, 1, 1);
    Save();
    EXPECT_EQ(HelpText(), "The run could not be saved: this folder cannot be written to.");
    EXPECT_EQ(gLogbook.lastOrbitRecord.axisTilt, 0.0);
    Revisit();
    EXPECT_EQ(HelpText(), "The logbook could not be opened: this folder cannot be written to.");
    EXPECT_EQ(EntryCount(), 0);
    EXPECT_EQ(ReadBack("logbook.bin"), kBefore);

    ASSERT_EQ(chmod(".", 0755), 0);
    ResetFileOps();
    Save();
    EXPECT_EQ(ReadBack("logbook.bin"), kSaved);
}

TEST_F(DiskFaults, LogbookThatIsAFolder) {
    FreshLogbook();
    ASSERT_EQ(std::remove("logbook.bin"), 0);
    ASSERT_EQ(mkdir("logbook.bin", 0755), 0);
    Save();
    EXPECT_EQ(HelpText(), "The run could not be saved: logbook.bin is a folder, not a file.");
    EXPECT_EQ(gLogbook.lastOrbitRecord.axisTilt, 0.0);
    Revisit();
    EXPECT_EQ(HelpText(), "The logbook could not be opened: logbook.bin is a folder, not a file.");
    EXPECT_EQ(EntryCount(), 0);
    struct stat st;
    EXPECT_TRUE(stat("logbook.bin", &st) == 0 && S_ISDIR(st.st_mode));
    EXPECT_FALSE(logbook_test::FileExists("logbook.zzz"));
    rmdir("logbook.bin");
}

// A logbook whose last record was cut short keeps its whole records through every rewrite.
TEST_F(DiskFaults, LogbookCutShortKeepsItsWholeRecords) {
    FreshLogbook(kLogEntryBytes / 2);
    EXPECT_EQ(ReadBack("logbook.bin"), std::string(kBefore) + "(partial tail)");
    Commit();
    EXPECT_EQ(ReadBack("logbook.bin"), kCommitted);
    FreshLogbook(100);
    Save();
    EXPECT_EQ(ReadBack("logbook.bin"), kSaved);
    EXPECT_EQ(HelpText(), "");
}

}  // namespace
