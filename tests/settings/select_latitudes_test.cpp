// SPDX-License-Identifier: GPL-3.0-or-later
// The Select Latitudes screen driven on the headless backend: the selection rules with their
// edge cases, the bands' palette colours, and the world map with and without a coastline.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "graphics/palette.h"
#include "settings/select_latitudes_screen.h"
#include "settings/world_map.h"
#include "tests/support/screen_driver.h"
#include "widgets/popup.h"

namespace {

struct XY { int x, y; };
// The middle of latitude button k's row, on the map and on the button itself.
XY OnMap(int k) { return k < 13 ? XY{400, 146 + 33 * k} : XY{400, k == 13 ? 592 : 659}; }
XY OnButton(int k) { return XY{910, OnMap(k).y}; }
const XY kWatchSeasons{135, 394};

struct SelectLatitudesTest : ScreenTest {
    void Start(int home) {
        ConfigRecord r = Record();
        r.homeLatitude = home;
        StartScreenProgram("select_latitudes_test", r, {"coast5.bin"});
    }
    void Stop() {
        TearDown();
        folder.clear();
    }
};

struct Case {
    const char* name;
    int home;
    int32_t start[2];        // the model's latitudes on entry
    std::vector<XY> clicks;  // one per idle step
    bool notice;             // shown once the clicks are done
    int32_t during[2];       // the model's latitudes then
    int32_t after[2];        // and once the screen is left
};

// Two latitudes picked, north first once left, and a third refused with the notice: also the
// select_latitudes replay. That random clicks on any screen leave only latitudes the buttons
// offer is checked after every step of the monkey's runs.
TEST_F(SelectLatitudesTest, ClicksOnButtonsAndMapFollowTheSelectionRules) {
    const Case cases[] = {
        {"turning off the only latitude brings home back", 45, {60, 100}, {OnMap(2)}, false,
         {100, 100}, {45, 100}},
        {"a lone second selection moves to the first", 45, {45, 100}, {OnMap(1), OnButton(3)},
         false, {100, 75}, {75, 100}},
        {"a third selection shows the notice and changes nothing", 45, {45, -15}, {OnMap(6)},
         true, {45, -15}, {45, -15}},
        {"turning one off takes the notice away", 45, {45, -15}, {OnMap(6), OnButton(7)}, false,
         {45, 100}, {45, 100}},
        {"gaps between rows and the map beyond them select nothing", 45, {45, 100},
         {{400, 162}, {910, 162}, {400, 128}, {400, 560}}, false, {45, 100}, {45, 100}},
        {"home 40: its button and the opposite one colour no band", 40, {40, 100},
         {OnButton(14)}, false, {40, -40}, {40, -40}},
        {"home 45 is a standard button and starts selected", 45, {45, 100}, {}, false,
         {45, 100}, {45, 100}},
        {"none first: the second is restored as the first", 45, {100, -30}, {}, false,
         {-30, 100}, {-30, 100}},
        {"the same latitude twice is restored once", 45, {45, 45}, {}, false, {45, 100},
         {45, 100}},
        {"a latitude no button has is dropped", 45, {40, 100}, {}, false, {100, 100},
         {45, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Start(c.home);
        std::copy(c.start, c.start + 2, Settings().latitude);
        const int n = int(c.clicks.size());
        const int result = DriveScreen(RunSelectLatitudesScreen, [&](long step) {
            if (step < n) {
                Click(c.clicks[step].x, c.clicks[step].y);
                return true;
            }
            if (step > n) return false;
            const SelectLatitudesState& st = gSelectLatitudes;
            EXPECT_EQ(NoticeShown(), c.notice);
            EXPECT_EQ(Settings().latitude[0], c.during[0]);
            EXPECT_EQ(Settings().latitude[1], c.during[1]);
            EXPECT_EQ(st.buttons[13] && st.buttons[14], c.home % 15 != 0);
            // A selected standard latitude's band shows yellow, every other band dark blue.
            for (int k = 0; k < 13; ++k) {
                const int slot = 140 - k;
                const PlatformColour c = PaletteColour(slot);
                EXPECT_EQ((std::vector<int>{c.r, c.g, c.b}),
                          st.buttons[k]->selected == 1 ? (std::vector<int>{255, 255, 0})
                                                       : (std::vector<int>{0, 0, 192}))
                    << "band of button " << k;
            }
            Click(kWatchSeasons.x, kWatchSeasons.y);
            return true;
        });
        EXPECT_EQ(result, 1);
        EXPECT_EQ(Settings().latitude[0], c.after[0]);
        EXPECT_EQ(Settings().latitude[1], c.after[1]);
        EXPECT_FALSE(NoticeShown());
        Stop();
    }
}

// The map's coastline comes from coast5.bin read afresh; whatever the file holds (empty and
// short files read as missing ones: coast_test.cpp), the bands are painted, and a step of 60
// units or more (a wrap across the map's edge) draws nothing.
TEST_F(SelectLatitudesTest, MapPaintsWithAnyCoastFile) {
    Start(45);
    auto record = [](std::vector<uint8_t>& out, int16_t code, int16_t lat, int16_t lon) {
        for (int16_t v : {code, lat, lon}) {
            out.push_back(uint8_t(v & 0xff));
            out.push_back(uint8_t((uint16_t(v) >> 8) & 0xff));
        }
    };
    std::vector<uint8_t> wrap, near;
    record(wrap, 6, 0, -10700);
    record(wrap, 0, 0, 10700);
    record(near, 6, 0, 0);
    record(near, 0, 0, 600);
    struct FileCase {
        const char* name;
        const std::vector<uint8_t>* bytes;  // null: no file at all
        bool coast;
    };
    const FileCase cases[] = {{"missing", nullptr, false},
                              {"a wrap across the edge", &wrap, false},
                              {"two points close together", &near, true}};
    const ScreenRect map = Rect(280, 124, 840, 564);
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::remove("test_coast.bin");
        if (c.bytes) {
            FILE* f = std::fopen("test_coast.bin", "wb");
            ASSERT_NE(f, nullptr);
            std::fwrite(c.bytes->data(), 1, c.bytes->size(), f);
            std::fclose(f);
        }
        PaintWorldMap(map, "test_coast.bin");
        EXPECT_EQ(Count(map, 2) > 0, c.coast);
        for (int b = 0; b < kMapBands; ++b) EXPECT_GT(Count(map, kMapFirstBandSlot + b), 0) << b;
        EXPECT_EQ(AtLogical(282, 130), 8);  // the grey around the map
    }
    PaintWorldMap(map, "coast5.bin");
    EXPECT_GT(Count(map, 2), 2000);
}

}  // namespace
