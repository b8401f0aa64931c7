// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "shell/options.h"
#include "shell/startup.h"

namespace {

struct Parsed {
    int status;
    HelioraOptions options;
    std::string out, err;
};

std::string ReadBack(std::FILE* f) {
    std::rewind(f);
    std::string text;
    for (int c; (c = std::fgetc(f)) != EOF;) text += char(c);
    return text;
}

Parsed Parse(std::vector<std::string> args) {
    args.insert(args.begin(), "heliora");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    Parsed p;
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    p.status = ParseCommandLine(int(argv.size()), argv.data(), p.options, out, err);
    p.out = ReadBack(out);
    p.err = ReadBack(err);
    std::fclose(out);
    std::fclose(err);
    return p;
}

}  // namespace

TEST(CommandLine, EachOptionAndEachMistake) {
    struct Case {
        std::vector<std::string> args;
        int status;
        bool windowed;
        const char* workdir;
        const char* outHas;  // "" : nothing printed to stdout
        const char* errHas;
    } cases[] = {
        {{}, -1, false, "", "", ""},
        {{"--window"}, -1, true, "", "", ""},
        {{"--window", "--fullscreen"}, -1, false, "", "", ""},
        {{"--workdir", "/tmp/x"}, -1, false, "/tmp/x", "", ""},
        {{"--workdir=/tmp/y", "--window"}, -1, true, "/tmp/y", "", ""},
        {{"--help"}, 0, false, "", "--window", ""},
        {{"--version"}, 0, false, "", "heliora 1.1h", ""},
        {{"--windowed"}, 2, false, "", "", "unknown option --windowed"},
        {{"--workdir"}, 2, false, "", "", "--workdir needs a folder"},
        {{"--workdir="}, 2, false, "", "", "usage: heliora"},
        {{"picture.png"}, 2, false, "", "", "usage: heliora"},
    };
    for (const Case& c : cases) {
        const Parsed p = Parse(c.args);
        const std::string label = c.args.empty() ? "(none)" : c.args[0];
        EXPECT_EQ(p.status, c.status) << label;
        if (c.status < 0) {
            EXPECT_EQ(p.options.windowed, c.windowed) << label;
            EXPECT_EQ(p.options.workdir, c.workdir) << label;
        }
        if (*c.outHas) EXPECT_NE(p.out.find(c.outHas), std::string::npos) << label << ": " << p.out;
        else EXPECT_EQ(p.out, "") << label;
        if (*c.errHas) EXPECT_NE(p.err.find(c.errHas), std::string::npos) << label << ": " << p.err;
        else EXPECT_EQ(p.err, "") << label;
    }
}
