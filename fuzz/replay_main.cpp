// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a fuzz target's entry point over kept inputs without libFuzzer, so the ordinary
// build (any compiler) checks every input that once crashed, hung or leaked. Arguments are
// files or directories of files; the run fails on the first input the target aborts on.
#include <dirent.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

void Collect(const std::string& path, std::vector<std::string>& files) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return;
    if (!S_ISDIR(st.st_mode)) {
        files.push_back(path);
        return;
    }
    DIR* dir = opendir(path.c_str());
    if (!dir) return;
    while (dirent* e = readdir(dir))
        if (e->d_name[0] != '.') Collect(path + "/" + e->d_name, files);
    closedir(dir);
}

bool ReadAll(const std::string& path, std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(f);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    // Read everything first: the target may move to a private working directory.
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) Collect(argv[i], files);
    std::vector<std::vector<uint8_t>> inputs(files.size());
    for (size_t i = 0; i < files.size(); ++i)
        if (!ReadAll(files[i], inputs[i])) {
            std::fprintf(stderr, "Couldn't read %s.\n", files[i].c_str());
            return 1;
        }
    if (files.empty()) {
        std::fprintf(stderr, "No inputs given.\n");
        return 1;
    }
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    for (size_t i = 0; i < files.size(); ++i) {
        std::fprintf(stderr, "%s\n", files[i].c_str());
        LLVMFuzzerTestOneInput(inputs[i].data(), inputs[i].size());
    }
    std::printf("%zu inputs passed\n", files.size());
    return 0;
}
