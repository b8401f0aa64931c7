// SPDX-License-Identifier: GPL-3.0-or-later
// The logbook files and the memory-only logbook: working copy, marks, comments, commit,
// saving and the clean-ups.
#include <fcntl.h>
#include <sys/file.h>

#include <algorithm>
#include <set>

#include "logbook_fixture.h"

using namespace logbook_test;

namespace {

// Enters the screen, shows entry 0, leaves: what the logbook screen does around its loop.
void VisitLogbook(void (*whileOpen)()) {
    ASSERT_TRUE(BuildWorkingCopy());
    if (EntryCount() > 0) {
        ASSERT_TRUE(LoadLogbookSlots());
        ASSERT_TRUE(LoadShownEntry(0, false, nullptr));
    }
    if (whileOpen) whileOpen();
    if (EntryCount() > 0) {
        StoreShownComments(ShownEntry() ? ShownEntry()->comments : "");
        ASSERT_TRUE(CommitLogbook());
    }
}

}  // namespace

// The logbook in its files and in memory only: what saves, marks and a commit leave is the
// same, read from logbook.bin or from the slots. A memory-only logbook never touches a file:
// not even logbook files and a list of users lying there, with contents that would show if read.
class LogbookModes : public LogbookFiles, public ::testing::WithParamInterface<bool> {
protected:
    bool MemoryOnly() const { return GetParam(); }
    void SetUp() override {
        LogbookFiles::SetUp();
        UseConfiguration(MemoryOnly());
        if (!MemoryOnly()) return;
        WriteRecords("logbook.bin", {MakeRecord(0, 8, 8, "file"), MakeRecord(0, 7, 7, "file")});
        WriteRecords("logbook.tmp", {MakeRecord(0, 8, 8, "file")});
        WriteAdminList({0});
        watch_ = WatchWorkingDirectory();
        ASSERT_GE(watch_, 0);
    }
    void TearDown() override {
        if (watch_ >= 0) {
            const std::vector<FileEvent> touched = EndWatch(watch_);
            EXPECT_TRUE(touched.empty()) << "first touched: " << touched.front().name;
        }
        LogbookFiles::TearDown();
    }
    int watch_ = -1;
    std::vector<LogEntry> Stored() const { return StoredEntries(MemoryOnly()); }
};

TEST_P(LogbookModes, SavesNumberOnAndTheThirtyThirdDropsTheOldest) {
    gLogbook.lastOrbitRecord.axisTilt = 42.0;
    SaveRuns(4, 4);
    std::vector<LogEntry> entries = Stored();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].serialNumber, 1);
    EXPECT_STREQ(entries[0].comments, "Enter comments here.");
    EXPECT_STREQ(entries[0].userName, "Guest User");
    EXPECT_EQ(entries[0].userNumber, 0u);
    EXPECT_STREQ(entries[0].madeAt, "9:05 AM on Tuesday, March 2, 2004");
    EXPECT_EQ(entries[0].run.axisTilt, -2.0);
    // The Last Orbit column follows the runs saved in the files only.
    EXPECT_EQ(gLogbook.lastOrbitRecord.axisTilt, MemoryOnly() ? 42.0 : -2.0);
    if (!MemoryOnly()) {
        EXPECT_EQ(FileSize("logbook.bin"), long(kLogEntryBytes));
    }
    EXPECT_FALSE(FileExists("logbook.zzz"));

    // The second save, unchanged, gets the next number and the same run.
    ASSERT_TRUE(SaveInLogbook());
    entries = Stored();
    EXPECT_EQ(SerialNumbers(entries), (Numbers{2, 1}));
    EXPECT_EQ(RunBytes(entries[0].run), RunBytes(entries[1].run));

    SaveRuns(3, 33);  // the 33rd save drops number 1
    entries = Stored();
    ASSERT_EQ(entries.size(), 32u);
    EXPECT_EQ(entries.front().serialNumber, 33);
    EXPECT_EQ(entries.back().serialNumber, 2);
    EXPECT_EQ(entries.front().run.axisTilt, -16.5);
    if (!MemoryOnly()) {
        EXPECT_EQ(FileSize("logbook.bin"), long(32 * kLogEntryBytes));
    }
    ASSERT_TRUE(BuildWorkingCopy());
    EXPECT_EQ(EntryCount(), 32);
}

TEST_P(LogbookModes, MarkOnceRemovesMarkTwiceKeeps) {
    EXPECT_FALSE(CleanLogbookAtStartUp());
    SaveRuns(1, 5);
    ASSERT_TRUE(BuildWorkingCopy());
    ASSERT_TRUE(LoadLogbookSlots());
    ASSERT_TRUE(LoadShownEntry(0, false, nullptr));
    ASSERT_TRUE(LoadShownEntry(1, true, "edited"));
    ASSERT_TRUE(StoreShownComments("edited again"));
    ASSERT_TRUE(ToggleDeletionMark(4));
    ASSERT_TRUE(ToggleDeletionMark(3));
    ASSERT_TRUE(ToggleDeletionMark(1));
    ASSERT_TRUE(ToggleDeletionMark(-1));  // the shown, marked number restores it
    if (!MemoryOnly()) {
        EXPECT_EQ(FileNumbers("logbook.tmp"), (Numbers{5, -4, -3, 2, 1}));
    }
    EXPECT_FALSE(ToggleDeletionMark(99));
    EXPECT_FALSE(ToggleDeletionMark(INT32_MIN));
    ASSERT_TRUE(CommitLogbook());
    const std::vector<LogEntry> entries = Stored();
    ASSERT_EQ(SerialNumbers(entries), (Numbers{5, 2, 1}));
    EXPECT_EQ(entries[1].run.axisTilt, -1.0);  // the entry itself moved, not only its number
    EXPECT_STREQ(entries[0].comments, "edited");
    EXPECT_STREQ(entries[1].comments, "Enter comments here.");

    // The next save numbers on from the highest kept.
    SaveRuns(6, 6);
    EXPECT_EQ(SerialNumbers(Stored()), (Numbers{6, 5, 2, 1}));
    EXPECT_EQ(CleanLogbookAtExit(), !MemoryOnly());
}

INSTANTIATE_TEST_SUITE_P(Modes, LogbookModes, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& p) {
                             return p.param ? "MemoryOnly" : "Files";
                         });

TEST_F(LogbookFiles, ShortTailIsIgnoredAndDropped) {
    WriteRecords("logbook.bin", {MakeRecord(0, 2, 2, "b"), MakeRecord(0, 1, 1, "a")}, 5000);
    VisitLogbook(nullptr);
    EXPECT_EQ(EntryCount(), 2);
    EXPECT_EQ(FileSize("logbook.tmp"), long(2 * kLogEntryBytes));
    EXPECT_EQ(FileSize("logbook.bin"), long(2 * kLogEntryBytes));

    WriteRecords("logbook.bin", {MakeRecord(0, 1, 1, "a")}, 10159);
    ASSERT_TRUE(SaveInLogbook());
    EXPECT_EQ(FileNumbers("logbook.bin"), (Numbers{2, 1}));
    EXPECT_EQ(FileSize("logbook.bin"), long(2 * kLogEntryBytes));
}

// (Committed, they go first: the rewrites below and the disk-fault test's logbooks.)
TEST_F(LogbookFiles, OtherUsersEntriesStayOutOfTheWorkingCopy) {
    WriteRecords("logbook.bin", {MakeRecord(0, 4, 4, "a"), MakeRecord(7, 3, 3, "x"),
                                 MakeRecord(0, 2, 2, "b"), MakeRecord(7, 1, 1, "y")});
    ASSERT_TRUE(BuildWorkingCopy());
    EXPECT_EQ(EntryCount(), 2);
    EXPECT_EQ(FileNumbers("logbook.tmp"), (Numbers{4, 2}));

    // The list buttons label the same entries that selecting them shows.
    ASSERT_TRUE(LoadLogbookSlots());
    EXPECT_EQ(SlotNumbers(3), (Numbers{4, 2, 0}));
    ASSERT_TRUE(LoadShownEntry(1, false, nullptr));
    EXPECT_EQ(ShownEntry()->serialNumber, 2);
    EXPECT_FALSE(LoadShownEntry(2, false, nullptr));
    EXPECT_EQ(ShownEntry(), nullptr);
}

TEST_F(LogbookFiles, EditedCommentsSurviveSelectingAnotherEntry) {
    WriteRecords("logbook.bin", {MakeRecord(0, 2, 2, "old two"), MakeRecord(0, 1, 1, "old one")});
    ASSERT_TRUE(BuildWorkingCopy());
    ASSERT_TRUE(LoadShownEntry(0, false, nullptr));
    ASSERT_TRUE(LoadShownEntry(1, true, "typed by a pupil"));
    EXPECT_STREQ(ShownEntry()->comments, "old one");
    ASSERT_TRUE(LoadShownEntry(0, true, "old one"));  // unchanged: nothing rewritten
    EXPECT_STREQ(ShownEntry()->comments, "typed by a pupil");
    ASSERT_TRUE(LoadShownEntry(0, true, nullptr));  // no editor text: no edit
    EXPECT_STREQ(ShownEntry()->comments, "typed by a pupil");

    // A mark does not hide the shown entry from a later comment store.
    ASSERT_TRUE(ToggleDeletionMark(2));
    ASSERT_TRUE(LoadShownEntry(0, false, nullptr));
    ASSERT_TRUE(StoreShownComments("marked but edited"));
    ASSERT_TRUE(ToggleDeletionMark(-2));
    ASSERT_TRUE(CommitLogbook());
    std::vector<LogEntry> entries = ReadRecords("logbook.bin");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_STREQ(entries[0].comments, "marked but edited");
    EXPECT_EQ(entries[0].serialNumber, 2);
    EXPECT_STREQ(entries[1].comments, "old one");

    // The editor's text is cut to 1023 characters.
    ASSERT_TRUE(BuildWorkingCopy());
    ASSERT_TRUE(LoadShownEntry(1, false, nullptr));
    std::string longText(3000, 'q');
    ASSERT_TRUE(StoreShownComments(longText.c_str()));
    ASSERT_TRUE(LoadShownEntry(1, false, nullptr));
    EXPECT_EQ(std::strlen(ShownEntry()->comments), kCommentsMaxChars);
}

// No logbook is an empty one, and saving needs a chosen file; a commit without a working copy
// changes nothing; more entries than slots are listed up to 32 and all kept.
TEST_F(LogbookFiles, MissingFilesAndMoreEntriesThanSlots) {
    ASSERT_TRUE(BuildWorkingCopy());
    EXPECT_EQ(EntryCount(), 0);
    EXPECT_FALSE(LoadShownEntry(0, false, nullptr));
    EXPECT_FALSE(FileExists("logbook.tmp"));
    EXPECT_FALSE(CommitLogbook());
    EXPECT_FALSE(FileExists("logbook.bin"));

    WriteRecords("logbook.bin", {MakeRecord(0, 1, 1, "a")});
    ASSERT_TRUE(BuildWorkingCopy());
    const std::vector<unsigned char> before = ReadFileBytes("logbook.bin");
    ASSERT_EQ(std::remove("logbook.tmp"), 0);
    EXPECT_FALSE(CommitLogbook());
    EXPECT_EQ(ReadFileBytes("logbook.bin"), before);

    std::vector<LogEntryBytes> records;
    for (int n = 40; n >= 1; --n) records.push_back(MakeRecord(0, n, n % 10, "hand made"));
    WriteRecords("logbook.bin", records);
    ASSERT_TRUE(BuildWorkingCopy());
    EXPECT_EQ(EntryCount(), kLogbookSlotCount);
    ASSERT_TRUE(CommitLogbook());
    EXPECT_EQ(ReadRecords("logbook.bin").size(), 40u);

    std::remove("logbook.bin");
    ResetLogbookFileState();
    EXPECT_FALSE(SaveInLogbook());
    EXPECT_FALSE(FileExists("logbook.bin"));
}

TEST_F(LogbookFiles, SavedNumbersNeverOverflow) {
    WriteRecords("logbook.bin", {MakeRecord(0, INT32_MAX, 1, "a")});
    std::vector<unsigned char> before = ReadFileBytes("logbook.bin");
    EXPECT_FALSE(SaveInLogbook());
    EXPECT_EQ(ReadFileBytes("logbook.bin"), before);
    EXPECT_STREQ(LogbookFailureMessage(),
                 "The run could not be saved: the logbook has no entry number left.");

    // Records without a positive number are kept, not dropped, by the next save.
    WriteRecords("logbook.bin", {MakeRecord(0, 0, 1, "zero"), MakeRecord(0, -3, 2, "neg")});
    ASSERT_TRUE(SaveInLogbook());
    EXPECT_EQ(FileNumbers("logbook.bin"), (Numbers{1, 0, -3}));
}

TEST_F(LogbookFiles, StartUpKeepsOnlyListedUsers) {
    ResetLogbookFileState();  // nothing chosen yet at start-up
    std::vector<LogEntryBytes> records;
    for (int n = 40; n >= 1; --n) records.push_back(MakeRecord(n % 3 == 0 ? 9 : 0, n, 1, ""));
    WriteRecords("logbook.bin", records, 77);

    // Without the administrator's list nothing changes.
    std::vector<unsigned char> before = ReadFileBytes("logbook.bin");
    EXPECT_FALSE(CleanLogbookAtStartUp());
    EXPECT_EQ(ReadFileBytes("logbook.bin"), before);

    // While another copy holds the folder's logbook (its lock taken here on a file description
    // of our own), nothing changes either. (Its saves kept in memory and the files left alone
    // at its end: the second_copy replay.)
    WriteAdminList({0, 9}, 50);
    ResetLogbookFileState();  // this copy lets go of the folder
    const int other = open(kLogbookLockName, O_RDWR | O_CREAT, 0644);
    ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
    EXPECT_FALSE(CleanLogbookAtStartUp());
    EXPECT_EQ(ReadFileBytes("logbook.bin"), before);
    close(other);
    ResetLogbookFileState();
    ResetLogbookState();

    // Users 0 and 9 hold 40 entries between them: the first 32 stay, the short tails of both
    // files left out. (Another user's entries dropped: the kills during a clean-up below.)
    ASSERT_TRUE(CleanLogbookAtStartUp());
    Numbers first32;
    for (int n = 40; n > 8; --n) first32.push_back(n);
    EXPECT_EQ(FileNumbers("logbook.bin"), first32);
    EXPECT_EQ(FileSize("logbook.bin"), long(32 * kLogEntryBytes));

    // A list without a single whole user record keeps nothing.
    WriteAdminList({}, 111);
    ASSERT_TRUE(CleanLogbookAtStartUp());
    EXPECT_EQ(FileSize("logbook.bin"), 0);

    // Without a logbook nothing is created.
    ASSERT_EQ(std::remove("logbook.bin"), 0);
    EXPECT_FALSE(CleanLogbookAtStartUp());
    EXPECT_FALSE(FileExists("logbook.bin"));
}

TEST(AdminList, ReadsAtMostTheLimitOfWholeRecords) {
    std::vector<unsigned char> bytes(kAdminHeaderBytes + kAdminRecordBytes * 1005, 0);
    std::vector<uint32_t> users(kAdminMaxUsers);
    // Zero bytes unscramble to NOT key; offsets 108..111 use key bytes 3..6 (07 D4 6A B2).
    EXPECT_EQ(ParseAdminUserNumbers(bytes.data(), bytes.size(), users.data()), kAdminMaxUsers);
    EXPECT_EQ(users[0], 0x4D952BF8u);
    EXPECT_EQ(ParseAdminUserNumbers(bytes.data(), kAdminHeaderBytes + 2 * kAdminRecordBytes - 1,
                                    users.data()),
              1);
    EXPECT_EQ(ParseAdminUserNumbers(bytes.data(), 10, users.data()), 0);
}

// Every rewrite is written to logbook.zzz and renamed over its target: logbook.bin and
// logbook.tmp are never written in place and never deleted first (only the exit clean-up
// deletes the working copy).
TEST_F(LogbookFiles, RewritesReplaceTheirTargetInOneStep) {
    WriteRecords("logbook.bin", {MakeRecord(7, 2, 2, "x"), MakeRecord(0, 1, 1, "a")});
    WriteAdminList({0, 7});
    int watch = WatchWorkingDirectory();
    ASSERT_GE(watch, 0);
    ASSERT_TRUE(CleanLogbookAtStartUp());
    ASSERT_TRUE(SaveInLogbook());
    VisitLogbook([] {
        ASSERT_TRUE(ToggleDeletionMark(1));
        ASSERT_TRUE(StoreShownComments("changed"));
    });
    std::set<std::string> replaced;
    for (const FileEvent& e : EndWatch(watch)) {
        if (e.name != "logbook.bin" && e.name != "logbook.tmp") continue;
        EXPECT_FALSE(e.mask & (IN_MODIFY | IN_DELETE | IN_MOVED_FROM)) << e.name << " " << e.mask;
        if (e.mask & IN_MOVED_TO) replaced.insert(e.name);
    }
    EXPECT_EQ(replaced, (std::set<std::string>{"logbook.bin", "logbook.tmp"}));
    EXPECT_FALSE(FileExists("logbook.zzz"));
    EXPECT_EQ(FileNumbers("logbook.bin"), (Numbers{2, 3}));
}

// The process dies at each file operation of the start-up and exit clean-ups in turn: the
// logbook is the old one or the cleaned one (at exit: empty, no working copy), whole. (Saves
// and commits killed at each operation: disk_faults_test.)
TEST_F(LogbookFiles, KilledDuringACleanUpTheLogbookIsTheOldOrTheNew) {
    const std::vector<LogEntryBytes> records = {MakeRecord(7, 3, 3, "x"), MakeRecord(0, 2, 2, "a"),
                                                MakeRecord(0, 1, 1, "b")};
    WriteAdminList({0});
    for (const bool atExit : {false, true}) {
        bool died = true;
        long killAt = 1;
        for (; died; ++killAt) {
            SCOPED_TRACE(std::string(atExit ? "exit" : "start-up") + ", killed at operation " +
                         std::to_string(killAt));
            WriteRecords("logbook.bin", records);
            ResetLogbookFileState();
            ResetLogbookState();
            if (atExit) {
                ChooseLogbookFileForOpen();
                ASSERT_TRUE(BuildWorkingCopy());
                ResetLogbookFileState();  // the exit clean-up does not depend on a chosen file
            }
            ResetFileOps();
            gFileOps.killAt = killAt;
            atExit ? CleanLogbookAtExit() : CleanLogbookAtStartUp();
            died = gFileOps.dead;
            ResetFileOps();
            const Numbers after = FileNumbers("logbook.bin");
            EXPECT_TRUE(after == (Numbers{3, 2, 1}) || after == (atExit ? Numbers{} : Numbers{2, 1}))
                << ::testing::PrintToString(after);
            EXPECT_EQ(FileSize("logbook.bin") % long(kLogEntryBytes), 0);
            EXPECT_EQ(std::max(FileSize("logbook.tmp"), 0L) % long(kLogEntryBytes), 0);
        }
        EXPECT_GT(killAt, 4);  // the loop went through every step
        EXPECT_EQ(FileNumbers("logbook.bin"), atExit ? Numbers{} : (Numbers{2, 1}));
        EXPECT_EQ(FileSize("logbook.bin"), atExit ? 0 : long(2 * kLogEntryBytes));
        EXPECT_FALSE(FileExists("logbook.zzz"));
        EXPECT_FALSE(FileExists("logbook.tmp"));
    }
}
