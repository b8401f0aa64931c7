// Runs a tool as a child process and collects what it said.
#pragma once
#include <string>
#include <vector>

struct ToolResult {
    int status = -1;  // exit status, or 128 + signal when the tool was killed
    std::string out;
    std::string err;
};

ToolResult RunTool(const std::string& exe, const std::vector<std::string>& args);
std::string ReadWholeFile(const std::string& path);
std::vector<std::string> SplitLines(const std::string& text);
// A file name private to the running test, in the test's working folder.
std::string TestFile(const std::string& suffix);
bool Contains(const std::string& text, const std::string& part);
bool WriteWholeFile(const std::string& path, const std::string& bytes);
// Expects the tool to refuse `args`: status 2, nothing on stdout, one line on stderr.
void ExpectRefused(const std::string& exe, const std::vector<std::string>& args);
