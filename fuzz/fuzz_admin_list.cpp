// SPDX-License-Identifier: GPL-3.0-or-later
// The administrator's user list: parsed from memory, then used by the start-up clean-up.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "logbook/logbook.h"
#include "model/model.h"
#include "config/config.h"
#include "config/logbook_file.h"
#include "fuzz_workdir.h"

using namespace fuzz_workdir;

namespace {

// A logbook of eight entries for users 0..7, numbers 8..1.
std::vector<unsigned char> gLogbookBytes;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    EnterPrivateWorkDirectory(argc, argv);
    for (uint32_t u = 0; u < 8; ++u) {
        LogEntry e;
        ClearLogEntry(e);
        e.userNumber = u;
        e.serialNumber = int32_t(8 - u);
        LogEntryBytes r;
        EncodeLogEntry(e, r.b);
        gLogbookBytes.insert(gLogbookBytes.end(), r.b, r.b + kLogEntryBytes);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static uint32_t users[kAdminMaxUsers];
    int count = ParseAdminUserNumbers(data, size, users);
    size_t whole = size < kAdminHeaderBytes ? 0 : (size - kAdminHeaderBytes) / kAdminRecordBytes;
    if (count < 0 || size_t(count) != (whole < size_t(kAdminMaxUsers) ? whole : kAdminMaxUsers))
        std::abort();

    ResetConfiguration();
    ConfigRecord config;
    config.logbookEnabled = 1;
    ApplyConfiguration(config);
    ResetLogbookFileState();
    WriteFile("../Administrator/admin.bin", data, size);
    WriteFile("logbook.bin", gLogbookBytes.data(), gLogbookBytes.size());
    if (!CleanLogbookAtStartUp()) std::abort();

    // Exactly the listed users' entries stay, in order.
    bool listed[8] = {};
    for (int i = 0; i < count; ++i)
        if (users[i] < 8) listed[users[i]] = true;
    std::vector<unsigned char> expected;
    for (uint32_t u = 0; u < 8; ++u)
        if (listed[u])
            expected.insert(expected.end(), gLogbookBytes.begin() + long(u * kLogEntryBytes),
                            gLogbookBytes.begin() + long((u + 1) * kLogEntryBytes));
    FILE* f = std::fopen("logbook.bin", "rb");
    if (!f) std::abort();
    std::vector<unsigned char> got(gLogbookBytes.size() + 1);
    size_t n = std::fread(got.data(), 1, got.size(), f);
    std::fclose(f);
    got.resize(n);
    if (got != expected) std::abort();
    return 0;
}
