// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "shell/workdir.h"
#include "tests/tools/run_tool.h"

namespace {

void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A fresh scratch folder under the test's own working directory.
std::string Scratch(const char* name) {
    const std::string dir = std::string("workdir_scratch_") + name;
    std::system(("rm -rf " + dir).c_str());
    std::string error;
    EXPECT_TRUE(MakeFolders(dir, error)) << error;
    return dir;
}

std::string Listing(const std::string& dir) {
    std::string out;
    FILE* p = popen(("ls -A " + dir).c_str(), "r");
    for (int c; (c = std::fgetc(p)) != EOF;) out += char(c);
    pclose(p);
    return out;
}

}  // namespace

TEST(Workdir, ChoiceFollowsOptionThenXdgThenHome) {
    const std::string inst = "/opt/h/bin/../share/heliora", src = "/src/data";
    struct Case {
        WorkdirSources in;
        const char* dir;
        const char* seed;
        bool error;
    } cases[] = {
        // Installed: the per-user folder, seeded from the installed data.
        {{"", "/x/data", "/home/p", inst, ""}, "/x/data/heliora", inst.c_str(), false},
        {{"", "", "/home/p", inst, ""}, "/home/p/.local/share/heliora", inst.c_str(), false},
        {{"", "rel/data", "/home/p", inst, ""}, "/home/p/.local/share/heliora", inst.c_str(), false},
        {{"", "", "", inst, ""}, "", "", true},
        {{"", "rel", "also-rel", inst, ""}, "", "", true},
        // --workdir wins, and is seeded from whatever data there is.
        {{"class7", "/x", "/home/p", inst, src}, "class7", inst.c_str(), false},
        {{"class7", "", "", "", src}, "class7", src.c_str(), false},
        {{"class7", "", "", "", ""}, "class7", "", false},
        // The build tree without --workdir: the current folder, nothing copied.
        {{"", "/x", "/home/p", "", src}, "", "", false},
        {{"", "", "", "", ""}, "", "", false},
    };
    for (const Case& c : cases) {
        const WorkdirChoice got = ChooseWorkdir(c.in);
        SCOPED_TRACE(c.in.option + "|" + c.in.xdgDataHome + "|" + c.in.home + "|" + c.in.installedData);
        EXPECT_EQ(got.dir, c.dir);
        EXPECT_EQ(got.seedFrom, c.seed);
        EXPECT_EQ(!got.error.empty(), c.error) << got.error;
    }
}

TEST(Workdir, SourcesComeFromTheEnvironmentAndTheExecutablesPlace) {
    const std::string root = Scratch("prefix");
    std::string error;
    ASSERT_TRUE(MakeFolders(root + "/share/heliora", error)) << error;
    ASSERT_TRUE(MakeFolders(root + "/bin", error)) << error;
    ASSERT_TRUE(MakeFolders(root + "/build/shell", error)) << error;
    EXPECT_EQ(InstalledDataDir(root + "/bin/heliora"), root + "/bin/../share/heliora");
    EXPECT_EQ(InstalledDataDir(root + "/build/shell/heliora"), "");  // no share/ beside it
    EXPECT_EQ(InstalledDataDir("heliora"), "");

    setenv("XDG_DATA_HOME", "/x/data", 1);
    setenv("HOME", "/home/p", 1);
    WorkdirSources s = ReadWorkdirSources("d");
    EXPECT_EQ(s.option, "d");
    EXPECT_EQ(s.xdgDataHome, "/x/data");
    EXPECT_EQ(s.home, "/home/p");
    EXPECT_EQ(s.installedData, "");  // the test program is not installed
    unsetenv("XDG_DATA_HOME");
    unsetenv("HOME");
    s = ReadWorkdirSources("");
    EXPECT_EQ(s.xdgDataHome, "");
    EXPECT_FALSE(s.home.empty()) << "no $HOME: the account's home folder";
}

// Only missing files are copied, byte for byte; the user's own files, folders and anything
// hidden are left alone, and no temporary copy is left behind.
TEST(Workdir, SeedingCopiesOnlyMissingFiles) {
    const std::string from = Scratch("seed_from"), to = Scratch("seed_to");
    std::string big(200000, 'x');
    for (size_t i = 0; i < big.size(); ++i) big[i] = char(i * 7);
    Write(from + "/hlra_cfg.bin", "shipped config");
    Write(from + "/coast5.bin", big);
    Write(from + "/.hidden", "no");
    std::string error;
    ASSERT_TRUE(MakeFolders(from + "/sub", error));
    Write(to + "/hlra_cfg.bin", "the teacher's own");

    ASSERT_TRUE(SeedMissingFiles(from, to, error)) << error;
    EXPECT_EQ(ReadWholeFile(to + "/hlra_cfg.bin"), "the teacher's own");
    EXPECT_EQ(ReadWholeFile(to + "/coast5.bin"), big);
    EXPECT_EQ(Listing(to), "coast5.bin\nhlra_cfg.bin\n");
    ASSERT_TRUE(SeedMissingFiles(from, to, error)) << error;  // a second start changes nothing
    EXPECT_EQ(Listing(to), "coast5.bin\nhlra_cfg.bin\n");

    // Failures are reported, not passed over, and leave nothing under a real name.
    EXPECT_FALSE(SeedMissingFiles(from + "/none", to, error));
    EXPECT_NE(error.find("none"), std::string::npos);
    if (geteuid() != 0) {  // root writes anywhere
        const std::string locked = Scratch("seed_locked");
        chmod(locked.c_str(), 0500);
        EXPECT_FALSE(SeedMissingFiles(from, locked, error));
        chmod(locked.c_str(), 0700);
        EXPECT_EQ(Listing(locked), "");
    }
}

// The whole start: the folder is made with its parents, filled from the source tree's data/
// (this test program runs from the build tree) and entered; a folder that cannot be made
// ends the start with status 1 and says why.
TEST(Workdir, PrepareMakesSeedsAndEnters) {
    char before[PATH_MAX];
    ASSERT_TRUE(getcwd(before, sizeof before));
    const std::string base = Scratch("prepare");
    const std::string dir = std::string(before) + "/" + base + "/a/b";
    std::FILE* err = std::tmpfile();
    ASSERT_EQ(PrepareWorkdir(dir, err), -1);
    char now[PATH_MAX];
    ASSERT_TRUE(getcwd(now, sizeof now));
    EXPECT_EQ(std::string(now), dir);
    EXPECT_EQ(ReadWholeFile("hlra_cfg.bin"), ReadWholeFile(HELIORA_SOURCE_DIR "/data/hlra_cfg.bin"));
    EXPECT_EQ(Listing("."), Listing(HELIORA_SOURCE_DIR "/data"));
    ASSERT_EQ(chdir(before), 0);

    Write(base + "/file", "");
    EXPECT_EQ(PrepareWorkdir(base + "/file/sub", err), 1);
    std::rewind(err);
    char line[512] = "";
    ASSERT_TRUE(std::fgets(line, sizeof line, err));
    EXPECT_NE(std::string(line).find("heliora: cannot make the folder"), std::string::npos) << line;
    std::fclose(err);
    ASSERT_TRUE(getcwd(now, sizeof now));
    EXPECT_STREQ(now, before);
}

// An installed program puts the shipped configuration back in place of a damaged one and keeps
// the damaged one beside it; a sound or missing one, or a damaged shipped copy, is left alone.
TEST(Workdir, ADamagedConfigurationMakesWayForTheShippedOne) {
    const std::string from = Scratch("shipped_from"), to = Scratch("shipped_to");
    const std::string shipped = ReadWholeFile(HELIORA_SOURCE_DIR "/data/hlra_cfg.bin");
    Write(from + "/hlra_cfg.bin", shipped);
    std::string notice;
    EXPECT_FALSE(PutBackShippedConfiguration(from, to, notice));  // missing: seeding's work
    Write(to + "/hlra_cfg.bin", shipped);
    EXPECT_FALSE(PutBackShippedConfiguration(from, to, notice));
    EXPECT_EQ(notice, "");

    Write(to + "/hlra_cfg.bin", "short");
    ASSERT_TRUE(PutBackShippedConfiguration(from, to, notice));
    EXPECT_EQ(ReadWholeFile(to + "/hlra_cfg.bin"), shipped);
    EXPECT_EQ(ReadWholeFile(to + "/hlra_cfg.bin.damaged"), "short");
    EXPECT_NE(notice.find(to + "/hlra_cfg.bin was damaged (it holds 5 bytes"), std::string::npos)
        << notice;
    EXPECT_NE(notice.find("kept as hlra_cfg.bin.damaged"), std::string::npos) << notice;

    Write(from + "/hlra_cfg.bin", "");
    Write(to + "/hlra_cfg.bin", "x");
    EXPECT_FALSE(PutBackShippedConfiguration(from, to, notice));
    EXPECT_EQ(ReadWholeFile(to + "/hlra_cfg.bin"), "x");
}
