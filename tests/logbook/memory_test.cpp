// The memory-only logbook: 32 slots, and no logbook file touched at all.

#include "logbook_fixture.h"

using namespace logbook_test;

namespace {

class MemoryLogbook : public LogbookTest {
protected:
    void SetUp() override {
        LogbookTest::SetUp();
        UseConfiguration(true);
        ChooseLogbookFileForOpen();
        ChooseLogbookFileForSave();
    }
};

}  // namespace

TEST_F(MemoryLogbook, SavesShiftTheSlotsAndLeaveLastOrbitAlone) {
    gLogbook.lastOrbitRecord.axisTilt = 42.0;
    SaveRuns(1, 3);
    EXPECT_EQ(SlotNumbers(4), (Numbers{3, 2, 1, 0}));
    EXPECT_EQ(LogbookSlots()[0].run.axisTilt, -1.5);
    EXPECT_STREQ(LogbookSlots()[0].comments, "Enter comments here.");
    EXPECT_EQ(gLogbook.lastOrbitRecord.axisTilt, 42.0);

    SaveRuns(4, 33);
    EXPECT_EQ(SlotNumbers()[0], 33);
    EXPECT_EQ(SlotNumbers()[31], 2);  // number 1 fell off the end
    ASSERT_TRUE(BuildWorkingCopy());
    EXPECT_EQ(EntryCount(), 32);
}

TEST_F(MemoryLogbook, TwoMarkedEntriesGoAndTheRestKeepTheirOrder) {
    SaveRuns(1, 5);  // slots 5 4 3 2 1
    ASSERT_TRUE(BuildWorkingCopy());
    EXPECT_EQ(EntryCount(), 5);
    EXPECT_TRUE(LoadLogbookSlots());
    ASSERT_TRUE(ToggleDeletionMark(4));
    ASSERT_TRUE(ToggleDeletionMark(3));
    ASSERT_TRUE(ToggleDeletionMark(1));
    ASSERT_TRUE(ToggleDeletionMark(-1));  // marked twice: kept
    ASSERT_TRUE(CommitLogbook());
    Numbers expected(kLogbookSlotCount, 0);
    expected[0] = 5, expected[1] = 2, expected[2] = 1;
    EXPECT_EQ(SlotNumbers(), expected);
    EXPECT_EQ(LogbookSlots()[1].run.axisTilt, -1.0);  // the entry itself moved, not only its number

    // The next save numbers from what is left.
    SaveRuns(6, 6);
    EXPECT_EQ(SlotNumbers()[0], 6);
}

TEST_F(MemoryLogbook, EditedCommentsStayInTheirSlot) {
    SaveRuns(1, 2);
    ASSERT_TRUE(BuildWorkingCopy());
    ASSERT_TRUE(LoadShownEntry(0, false, nullptr));
    EXPECT_EQ(ShownEntry(), &LogbookSlots()[0]);
    ASSERT_TRUE(LoadShownEntry(1, true, "seen in class"));
    ASSERT_TRUE(LoadShownEntry(0, true, ShownEntry()->comments));
    EXPECT_STREQ(ShownEntry()->comments, "seen in class");
    EXPECT_STREQ(LogbookSlots()[1].comments, "Enter comments here.");
    EXPECT_FALSE(LoadShownEntry(5, false, nullptr));  // an empty slot shows nothing
    EXPECT_EQ(ShownEntry(), nullptr);
}

TEST_F(MemoryLogbook, NoLogbookFileIsEverTouched) {
    // Files a memory-only logbook must ignore, with contents that would show if read.
    WriteRecords("logbook.bin", {MakeRecord(0, 8, 8, "file"), MakeRecord(0, 7, 7, "file")});
    WriteRecords("logbook.tmp", {MakeRecord(0, 8, 8, "file")});
    WriteAdminList({0});

    int watch = WatchWorkingDirectory();
    ASSERT_GE(watch, 0);

    EXPECT_FALSE(CleanLogbookAtStartUp());
    ASSERT_TRUE(BuildWorkingCopy());
    EXPECT_EQ(EntryCount(), 0);
    SaveRuns(1, 3);
    ASSERT_TRUE(BuildWorkingCopy());
    EXPECT_EQ(EntryCount(), 3);
    ASSERT_TRUE(LoadLogbookSlots());
    ASSERT_TRUE(LoadShownEntry(0, false, nullptr));
    ASSERT_TRUE(LoadShownEntry(1, true, "edited"));
    ASSERT_TRUE(ToggleDeletionMark(2));
    ASSERT_TRUE(StoreShownComments("edited again"));
    ASSERT_TRUE(CommitLogbook());
    EXPECT_FALSE(CleanLogbookAtExit());

    std::vector<FileEvent> touched = EndWatch(watch);
    EXPECT_TRUE(touched.empty()) << "first touched: " << touched.front().name;
    EXPECT_EQ(SlotNumbers(2), (Numbers{3, 1}));
}
