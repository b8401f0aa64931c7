// SPDX-License-Identifier: GPL-3.0-or-later
// Whole screens driven on the headless backend: the program started in a fresh working folder,
// and a driver that feeds the running screen scripted input whenever it finds its queue empty.
#pragma once
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "graphics/picture_draw.h"
#include "graphics/rect.h"
#include "graphics/scale.h"
#include "tests/support/program_fixture.h"

// The driver: called with the number of times the screen has found its queue empty so far;
// returns false when it has nothing more to do (the window is then closed). A safety limit
// closes the window if a test's driver never finishes.
inline std::function<bool(long)> gDrive;
inline long gFeeds = 0;
inline bool gClosing = false;
constexpr long kFeedLimit = 20000;

inline void FeedScreen() {
    const long n = gFeeds++;
    if (gClosing) return;
    if (n < kFeedLimit && gDrive && gDrive(n)) return;
    gClosing = true;
    PostInput(MessageKind::CloseRequest);
}

struct ScreenTest : ProgramFixture {
    // A configuration for screen tests: home 40º N, the logbook on, a long idle time-out.
    static ConfigRecord Record(int displayMode = 1024) {
        ConfigRecord r;
        r.homeLatitude = 40;
        r.logbookEnabled = 1;
        r.mainAnimationDelay = 40;
        r.idleTimeoutEnabled = 1;
        r.idleTimeoutSeconds = 60;
        r.displayMode = displayMode;
        return r;
    }

    // The program started in a fresh folder holding the coarse coastline.
    void Start(const ConfigRecord& record = Record()) {
        StartScreenProgram("screen_test", record, {"newcoast.txt"});
    }

    // The program started in a new folder holding the named files of data/.
    void StartScreenProgram(const char* prefix, const ConfigRecord& record,
                            std::initializer_list<const char*> dataFiles) {
        EnterFreshFolder(prefix);
        for (const char* name : dataFiles)
            CopyFile(std::string(HELIORA_SOURCE_DIR) + "/data/" + name, name);
        gFeeds = 0;
        gClosing = false;
        StartProgram(record);
        HeadlessSetIdleFeeder(FeedScreen);
    }

    void TearDown() override {
        HeadlessSetIdleFeeder(nullptr);
        gDrive = nullptr;
        StopProgram();
        gFeeds = 0;
        gClosing = false;
    }

    // Runs a screen with a driver; returns what the screen returned.
    static int DriveScreen(int (*run)(), std::function<bool(long)> drive) {
        gDrive = std::move(drive);
        gFeeds = 0;
        gClosing = false;
        const int result = run();
        gDrive = nullptr;
        return result;
    }

    static void CopyFile(const std::string& from, const char* to) {
        std::error_code error;
        std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing,
                                   error);
        ASSERT_FALSE(error) << from << ": " << error.message();
    }

    // A pointer move, and a click, at a logical point.
    static void Move(int x, int y) {
        PostInput(MessageKind::MouseMove, ToDeviceX(x), ToDeviceY(y));
    }
    static void Click(int x, int y) {
        const int dx = ToDeviceX(x), dy = ToDeviceY(y);
        PostInput(MessageKind::MouseMove, dx, dy);
        PostInput(MessageKind::LeftDown, dx, dy);
        PostInput(MessageKind::LeftUp, dx, dy);
    }
    static void ClickControl(const Control* c) {
        ASSERT_NE(c, nullptr);
        Click((c->rect.left + c->rect.right) / 2, (c->rect.top + c->rect.bottom) / 2);
    }

    // The first text item of a panel stored at (x, y), or null.
    static const TextItem* ItemAt(const Control* panel, int x, int y) {
        for (const TextItem* item = panel ? panel->items : nullptr; item; item = item->next)
            if (item->x == x && item->y == y) return item;
        return nullptr;
    }

    // The canvas pixel at a logical point.
    static int AtLogical(int x, int y) { return At(ToDeviceX(x), ToDeviceY(y)); }
    // The device pixels of a logical rectangle, row by row.
    static std::vector<int> Pixels(const ScreenRect& r) {
        const DeviceRect d = ToDeviceRect(r);
        std::vector<int> out;
        for (int y = d.top; y < d.bottom; ++y)
            for (int x = d.left; x < d.right; ++x) out.push_back(At(x, y));
        return out;
    }
    // Pixels of one slot inside a logical rectangle.
    static int Count(const ScreenRect& r, int slot) {
        const DeviceRect d = ToDeviceRect(r);
        int n = 0;
        for (int y = d.top; y < d.bottom; ++y)
            for (int x = d.left; x < d.right; ++x) n += At(x, y) == slot;
        return n;
    }
};
