// SPDX-License-Identifier: GPL-3.0-or-later
// A process saving and committing is killed at random moments; the logbook must always
// be there, whole, holding only valid records.
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>

#include <atomic>
#include <map>
#include <random>
#include <set>

#include "logbook_fixture.h"

using namespace logbook_test;

namespace {

const char* const kMadeAt = "9:05 AM on Tuesday, March 2, 2004";

// Saves, browses, edits, marks and commits for ever, counting each finished operation.
[[noreturn]] void WorkUntilKilled(std::atomic<long>* steps, unsigned seed) {
    std::minstd_rand random(seed);
    auto step = [steps] { steps->fetch_add(1); };
    for (int round = 1;; ++round) {
        SetModelRun(int(random() % 80) + 1);
        SaveInLogbook();
        step();
        if (BuildWorkingCopy() && EntryCount() > 0) {
            step();
            LoadLogbookSlots();
            LoadShownEntry(0, false, nullptr);
            int other = int(random() % unsigned(EntryCount()));
            char text[64];
            std::snprintf(text, sizeof text, "edit %d", round);
            LoadShownEntry(other, true, text);
            step();
            // Marks often enough to keep the logbook small and each kill cheap.
            if (ShownEntry() && (EntryCount() > 3 || random() % 3 == 0)) {
                ToggleDeletionMark(ShownEntry()->serialNumber);
                step();
            }
            StoreShownComments("edit last");
            step();
            CommitLogbook();
            step();
        }
        if (random() % 25 == 0) {
            CleanLogbookAtStartUp();
            step();
        }
        if (random() % 40 == 0) {
            CleanLogbookAtExit();
            step();
        }
    }
}

// The stored run fields that SetModelRun(seed) gives, made once per seed.
const std::vector<unsigned char>& ExpectedRunBytes(int seed) {
    static std::map<int, std::vector<unsigned char>> known;
    auto found = known.find(seed);
    if (found != known.end()) return found->second;
    SetModelRun(seed);
    RunSnapshot run;
    TakeRunSnapshot(run);
    return known[seed] = RunBytes(run);
}

bool TextIs(const unsigned char* field, size_t size, const char* text, size_t compared) {
    return strnlen(reinterpret_cast<const char*>(field), size) < size &&
           std::strncmp(reinterpret_cast<const char*>(field), text, compared) == 0;
}

// Every record whole and, byte for byte, as some save wrote it; returns the first fault.
// Works on the stored bytes in one reused buffer: this runs after every kill, and a
// sanitizer build pays for each record decoded and each buffer allocated.
std::string CheckRecords(const char* name, bool marksAllowed) {
    static std::vector<unsigned char> bytes;
    FILE* f = std::fopen(name, "rb");
    if (!f) return std::string(name) + " is missing";
    bytes.resize(size_t(kLogbookMaxEntries + 8) * kLogEntryBytes + 1);
    size_t size = std::fread(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    if (size % kLogEntryBytes != 0) return std::string(name) + " has a partial record";
    size_t count = size / kLogEntryBytes;
    if (!marksAllowed && count > size_t(kLogbookMaxEntries)) return "too many records";
    std::set<int32_t> numbers;
    for (size_t i = 0; i < count; ++i) {
        LogEntryBytes& r = *reinterpret_cast<LogEntryBytes*>(bytes.data() + i * kLogEntryBytes);
        int32_t n = StoredSerialNumber(r);
        if (marksAllowed && n < 0 && n != INT32_MIN) n = -n;
        if (n <= 0) return "bad number";
        if (!numbers.insert(n).second) return "duplicate number";
        if (StoredUserNumber(r) != 0 || !TextIs(r.b + kOffUserName, kUserNameSize, "Guest User", 11))
            return "bad user";
        if (!TextIs(r.b + kOffMadeAt, kMadeAtSize, kMadeAt, kMadeAtSize)) return "bad time";
        if (!TextIs(r.b + kOffComments, kCommentsSize, "edit ", 5) &&
            !TextIs(r.b + kOffComments, kCommentsSize, kNewEntryComments, kCommentsSize))
            return "bad comments";
        const uint64_t bits = LittleEndian(r.b + kOffAxisTilt, 8);
        double tilt;
        std::memcpy(&tilt, &bits, sizeof tilt);
        if (!(tilt <= 0 && tilt >= -45)) return "bad run fields";
        const std::vector<unsigned char>& run = ExpectedRunBytes(int(-tilt * 2));
        if (std::memcmp(r.b, run.data(), run.size()) != 0) return "bad run fields";
    }
    return "";
}

}  // namespace

// A killed process loses nothing that reached the page cache, so what this test checks does
// not depend on the disk; a memory file system keeps the disk's latency, which on a busy
// machine varies a hundredfold, out of the kill timing.
class LogbookKills : public LogbookTest {
protected:
    std::string BaseDirectory() override {
        struct stat st;
        return stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) ? "/dev/shm" : home_;
    }
};

TEST_F(LogbookKills, KillsAtRandomMomentsNeverBreakTheLogbook) {
    ChooseLogbookFileForOpen();
    ChooseLogbookFileForSave();
    WriteAdminList({0});
    SetModelRun(1);
    ASSERT_TRUE(SaveInLogbook());

    auto* steps = static_cast<std::atomic<long>*>(mmap(nullptr, sizeof(std::atomic<long>),
                                                       PROT_READ | PROT_WRITE,
                                                       MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(steps, MAP_FAILED);
    new (steps) std::atomic<long>(0);

    // Each kill comes after a random number of finished operations (0 to 2) plus a random
    // delay, so it lands in any phase of any operation however fast the machine is.
    std::minstd_rand random(12345);
    const int kKills = 220;
    for (int kill = 0; kill < kKills; ++kill) {
        long target = steps->load() + long(random() % 3);
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) WorkUntilKilled(steps, unsigned(kill) + 1);
        for (int waited = 0; steps->load() < target; ++waited) {
            ASSERT_LT(waited, 100000) << "the writer stopped making progress";
            usleep(100);
        }
        usleep(useconds_t(random() % 3000));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

        std::string fault = CheckRecords("logbook.bin", false);
        ASSERT_EQ(fault, "") << "after kill " << kill;
        if (FileExists("logbook.tmp")) {
            fault = CheckRecords("logbook.tmp", true);
            ASSERT_EQ(fault, "") << "working copy after kill " << kill;
        }
    }
    std::printf("%d kills during %ld finished operations\n", kKills, steps->load());
    munmap(steps, sizeof(std::atomic<long>));
}
