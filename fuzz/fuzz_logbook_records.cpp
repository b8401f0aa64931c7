// SPDX-License-Identifier: GPL-3.0-or-later
// Stored log entry records and the entry time text, from memory.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "logbook/log_entry.h"
#include "logbook/logbook.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The time text: the input as a NUL-terminated string.
    char text[64] = {};
    std::memcpy(text, data, size < sizeof text - 1 ? size : sizeof text - 1);
    char out[kMadeAtSize];
    if (FormatEntryTimeText(text, out, sizeof out)) {
        if (std::strlen(out) >= sizeof out) std::abort();
    } else if (out[0] != '\0') {
        std::abort();
    }

    // Records: every whole record decodes to bounded texts and encodes back to its bytes.
    for (size_t at = 0; at + kLogEntryBytes <= size; at += kLogEntryBytes) {
        LogEntry e;
        DecodeLogEntry(data + at, e);
        if (strnlen(e.madeAt, kMadeAtSize) >= kMadeAtSize) std::abort();
        if (strnlen(e.userName, kUserNameSize) >= kUserNameSize) std::abort();
        if (std::strlen(e.comments) > kCommentsMaxChars) std::abort();
        (void)IsSoundRun(e.run);
        LogEntryBytes again;
        EncodeLogEntry(e, again.b);
        // Only the forced terminators may differ.
        for (size_t i = 0; i < kLogEntryBytes; ++i)
            if (again.b[i] != data[at + i] && i != kOffMadeAt + kMadeAtSize - 1 &&
                i != kOffUserName + kUserNameSize - 1 && i != kOffComments + kCommentsMaxChars)
                std::abort();
    }
    return 0;
}
