// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the command-line tools as child processes, the way teachers and scripts run them, and
// reads what they said and wrote.
#pragma once
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct ToolResult {
    int status = -1;  // exit status, or 128 + signal when the tool was killed
    std::string out;
    std::string err;
};

inline std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// A file name private to the running test, in the test's working folder.
inline std::string TestFile(const std::string& suffix) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name() + "." + std::to_string(::getpid()) +
           suffix;
}

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// Runs a tool as a child process and collects what it said.
inline ToolResult RunTool(const std::string& exe, const std::vector<std::string>& args) {
    const std::string out = TestFile(".out"), err = TestFile(".err");
    std::string command = Quote(exe);
    for (const std::string& a : args) command += " " + Quote(a);
    command += " >" + Quote(out) + " 2>" + Quote(err);
    ToolResult r;
    int raw = std::system(command.c_str());
    if (raw != -1 && WIFEXITED(raw)) r.status = WEXITSTATUS(raw);
    // The shell reports a killed child as 128 + signal.
    else if (raw != -1 && WIFSIGNALED(raw)) r.status = 128 + WTERMSIG(raw);
    r.out = ReadWholeFile(out);
    r.err = ReadWholeFile(err);
    std::remove(out.c_str());
    std::remove(err.c_str());
    return r;
}

inline bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

inline bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

// Expects the tool to refuse `args`: that status (2: bad arguments), nothing on stdout, one
// line on stderr.
inline void ExpectRefused(const std::string& exe, const std::vector<std::string>& args,
                          int status = 2) {
    std::string shown;
    for (const auto& a : args) shown += "[" + a + "] ";
    ToolResult r = RunTool(exe, args);
    EXPECT_EQ(r.status, status) << shown;
    EXPECT_EQ(r.out, "") << shown;
    EXPECT_EQ(SplitLines(r.err).size(), 1u) << shown << r.err;
}
