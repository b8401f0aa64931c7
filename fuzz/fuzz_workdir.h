// SPDX-License-Identifier: GPL-3.0-or-later
// A private working directory for fuzzers that drive the logbook's files: made on a
// memory file system with a sibling ../Administrator, entered, and removed at exit.
#pragma once
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace fuzz_workdir {

inline std::string& Root() {
    static std::string root;
    return root;
}

inline int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) {
    return std::remove(path);
}

inline void RemoveRoot() { nftw(Root().c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS); }

// libFuzzer reads its corpus and writes crash inputs after LLVMFuzzerInitialize has run,
// so relative paths on the command line are made absolute before the directory changes,
// and crash inputs go to the directory the fuzzer was started in, not the private one.
inline void KeepCommandLinePaths(int* argc, char*** argv) {
    static std::string cwd;
    static std::vector<std::string> args;
    static std::vector<char*> pointers;
    char buf[4096];
    if (!getcwd(buf, sizeof buf)) std::abort();
    cwd = buf;
    bool hasPrefix = false;
    args.assign(*argv, *argv + *argc);
    for (size_t i = 1; i < args.size(); ++i) {
        std::string& a = args[i];
        for (const char* flag : {"-artifact_prefix=", "-exact_artifact_path=", "-dict="}) {
            size_t n = std::strlen(flag);
            if (a.compare(0, n, flag) == 0 && a.size() > n && a[n] != '/')
                a = a.substr(0, n) + cwd + "/" + a.substr(n);
        }
        if (a.compare(0, 17, "-artifact_prefix=") == 0) hasPrefix = true;
        if (!a.empty() && a[0] != '-' && a[0] != '/') a = cwd + "/" + a;
    }
    if (!hasPrefix) args.push_back("-artifact_prefix=" + cwd + "/");
    pointers.clear();
    for (std::string& a : args) pointers.push_back(&a[0]);
    pointers.push_back(nullptr);
    *argc = int(args.size());
    *argv = pointers.data();
}

inline void EnterPrivateWorkDirectory(int* argc, char*** argv) {
    KeepCommandLinePaths(argc, argv);
    char pattern[] = "/dev/shm/heliora_fuzz_XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    Root() = pattern;
    mkdir((Root() + "/work").c_str(), 0755);
    mkdir((Root() + "/Administrator").c_str(), 0755);
    if (chdir((Root() + "/work").c_str()) != 0) std::abort();
    std::atexit(RemoveRoot);
}

// Writes a whole file or ends the run: a fuzzer that cannot set up its files finds nothing.
inline void WriteFile(const char* name, const void* data, size_t size) {
    FILE* f = std::fopen(name, "wb");
    if (!f) std::abort();
    if (size && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
}

}  // namespace fuzz_workdir
