// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as hlra_cfg.bin, read as the program reads it at start-up, then every value the
// program derives from the record: the start-up rules hold and no frame delay overflows.
// Runs in a private directory on a memory file system.
#include <cstdlib>
#include <cstring>

#include "config/config.h"
#include "fuzz_workdir.h"

using namespace fuzz_workdir;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    EnterPrivateWorkDirectory(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ResetConfiguration();
    WriteFile(kConfigFileName, data, size);
    if (!LoadConfigurationFrom(kConfigFileName)) std::abort();
    // The record is its first 80 bytes, whatever follows; the rest reads as zero.
    const ConfigRecord decoded = DecodeConfigRecord(data, size < kConfigRecordSize ? size : kConfigRecordSize);
    if (HomeLatitude() != decoded.homeLatitude || MainAnimationDelay() != decoded.mainAnimationDelay)
        std::abort();
    if (DisplayDriverMode() == 0 || UsersMode() != 0 || PrintButtonFlag() != 0) std::abort();
    if (LogbookEnabled() == 0 && LogbookFilesOff() == 0) std::abort();
    if (CurrentUserNumber() != 0 || std::strcmp(CurrentUserName(), "Guest User") != 0) std::abort();
    for (int speed = -1; speed <= 7; ++speed) (void)MainFrameDelay(speed);
    // Stored again, the record reads back the same.
    unsigned char out[kConfigRecordSize];
    EncodeConfigRecord(gConfig.record, out);
    const ConfigRecord again = DecodeConfigRecord(out, sizeof out);
    unsigned char twice[kConfigRecordSize];
    EncodeConfigRecord(again, twice);
    if (std::memcmp(out, twice, sizeof out) != 0) std::abort();
    return 0;
}
