// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up configuration record (hlra_cfg.bin) and the start-up user state.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The 80-byte record as stored: little-endian, no header. Byte fields live in the low
// byte of a 32-bit slot.
struct ConfigRecord {
    int32_t homeLatitude = 0;            // offset 0
    uint8_t printButton = 0;             // offset 4
    uint8_t usersMode = 0;               // offset 8
    uint8_t logbookEnabled = 0;          // offset 12
    int32_t singleCycleMode = 0;         // offset 16
    int32_t mainAnimationDelay = 0;      // offset 20
    int32_t changeTiltDelay = 0;         // offset 24
    int32_t dayLengthDelay = 0;          // offset 28
    int32_t orbitEnergyDelay = 0;        // offset 32
    int32_t seasonLengthDelay = 0;       // offset 36
    uint8_t reserved40 = 0;              // offset 40, kept, unused
    uint8_t idleTimeoutEnabled = 0;      // offset 44
    int32_t idleTimeoutSeconds = 0;      // offset 48
    int32_t displayDriverMode = 0;       // offset 52: 0 automatic, 1 mixed, 2 emulation
    int32_t displayMode = 0;             // offset 56: 0, 800 or 1024
    uint8_t logbookFilesOff = 0;         // offset 60
};

constexpr size_t kConfigRecordSize = 80;
constexpr const char* kConfigFileName = "hlra_cfg.bin";

// Decodes the first `size` bytes of a record; fields beyond `size` are zero.
ConfigRecord DecodeConfigRecord(const unsigned char* bytes, size_t size);
// Encodes a record into 80 bytes (the reserved tail is zero).
void EncodeConfigRecord(const ConfigRecord& record, unsigned char out[kConfigRecordSize]);

// Process-wide configuration and start-up user state.
struct ConfigState {
    ConfigRecord record;
    int32_t currentUserNumber = 0;
    char currentUserName[32] = "Guest User";
};
extern ConfigState gConfig;
void ResetConfiguration();

// Reads hlra_cfg.bin from the working directory and fixes the start-up state. When the file
// cannot be read or is damaged nothing changes and `error` says so in one line for the
// teacher: "Couldn't find configuration file, aborting program." for a missing one, else the
// file's full name and what is wrong.
enum class ConfigLoad { Loaded, Missing, Damaged };
ConfigLoad LoadConfiguration(std::string& error);
// Reads a named file as it stands, a short one with the missing fields as zero; returns false
// (and changes nothing) when it cannot be opened or read.
bool LoadConfigurationFrom(const char* path);
// What makes a record stored in `storedSize` bytes unusable, in words ("it holds 12 bytes; a
// configuration needs 80"), or empty when it is sound: a record shorter than 80 bytes, or a
// value the program cannot use (home latitude -90..90, delays 0..10000 ms, single-cycle
// length 0..1000000, idle time-out 0..86400 s, driver mode 0..2, display mode 0, 800 or 1024).
// The flags are bytes whose non-zero means on, so any value is sound.
std::string ConfigRecordProblem(const ConfigRecord& record, size_t storedSize);
// Reads `path` and says what is wrong with it as above; false when it cannot be read at all.
bool CheckConfigurationFile(const char* path, std::string& problem);
// Applies the start-up rules to a record read from a file and makes it current.
void ApplyConfiguration(const ConfigRecord& record);

// Read-only accessors.
int HomeLatitude();
int PrintButtonFlag();
int UsersMode();
int LogbookEnabled();
int SingleCycleMode();
int MainAnimationDelay();
int ChangeTiltDelay();
int DayLengthDelay();
int OrbitEnergyDelay();
int SeasonLengthDelay();
int ReservedFlag();
int IdleTimeoutEnabled();
int IdleTimeoutSeconds();
int DisplayDriverMode();
int DisplayMode();
int LogbookFilesOff();
int CurrentUserNumber();
const char* CurrentUserName();

// The main screen's delay between frames for an animation speed 0..6.
int MainFrameDelay(int animationSpeed);
