// SPDX-License-Identifier: GPL-3.0-or-later
// The main screen driven on the headless backend: its start, the frames, every button, and
// the pixels its pictures must show.
#include "simulation_fixture.h"

#include <cstring>
#include <vector>

#include "logbook/log_entry.h"
#include "tests/logbook/logbook_fixture.h"
#include "widgets/interaction.h"

namespace {

struct MainScreenTest : SimulationTest {
    // Ink of one slot a text leaves when drawn centred and top-aligned on a blank strip.
    static int ReferenceInk(const char* a, const char* b, TextFont* font) {
        const ScreenRect strip = Rect(0, 600, 400, 700);
        SetBrushColour(0);
        FillScreenRect(strip);
        TextAt(200, 610, a, font);
        if (b) TextAt(200, 630, b, font);
        const int n = Count(strip, 255);
        FillScreenRect(strip);
        return n;
    }
    static void TextAt(int x, int y, const char* text, TextFont* font) {
        SelectTextFont(font);
        SetTextAlignment(1, 0);
        SetPenColour(255);
        DrawTextAt(x, y, text);
    }
    // Runs the screen for `frames` frames, calls `check` while it still runs, then leaves for
    // Change Tilt (a closed window would end every later run at once).
    static int RunFrames(int frames, const std::function<void()>& check = nullptr) {
        return Run([&](long n) {
            if (n < frames) return true;
            if (n > frames) return false;
            if (check) check();
            ClickControl(gNavBar.changeTiltButton);
            return true;
        });
    }
};

// Faster and Slower set the frame delay of the new speed at once; their limits, disabled looks
// and the speed kept on leaving are the simulation_speed replay's.
TEST_F(MainScreenTest, SpeedButtonsSetTheFrameDelayAtOnce) {
    Start();
    Settings().animationSpeed = 5;
    int fastest = 0, slowest = 0;
    Run([&](long n) {
        if (n == 0) ClickControl(gSim.fasterButton);
        if (n == 1) {
            fastest = gSim.frameDelay;
            for (int i = 0; i < 6; ++i) ClickControl(gSim.slowerButton);
        }
        if (n == 2) slowest = gSim.frameDelay;
        return n < 2;
    });
    EXPECT_EQ(fastest, 40 / 8);
    EXPECT_EQ(slowest, 40 * 8 + 150);
}

TEST_F(MainScreenTest, PausedAtDay100ASwitchToDaylightRedrawsBothGlobesForDay100) {
    Start();
    int dayAfter = -1, strayOnGlobe = -1, strayOnTiltGlobe = -1, chartBand = 0;
    long pausedAt = -1;
    Run([&](long n) {
        if (pausedAt < 0 && gSim.day == 100 && !gSim.paused) {
            ClickControl(gSim.pauseButton);
            pausedAt = n;
            return true;
        }
        if (pausedAt < 0) return true;
        if (n == pausedAt + 1) {
            ClickControl(gSim.viewButtons[2]);  // Hours of Daylight
            return true;
        }
        if (n < pausedAt + 40) return true;  // some idle time: nothing may move
        dayAfter = gSim.day;
        // Every pixel of the globe is a daylight shade, the coastline or the orbit line.
        auto stray = [](const ScreenRect& square, int radius) {
            const int cx = (square.left + square.right) / 2, cy = (square.top + square.bottom) / 2;
            int bad = 0;
            for (int y = cy - radius; y <= cy + radius; ++y)
                for (int x = cx - radius; x <= cx + radius; ++x) {
                    if ((x - cx) * (x - cx) + (y - cy) * (y - cy) > radius * radius) continue;
                    const int s = AtLogical(x, y);
                    bad += !(s == 0 || s == 5 || s == 255 || (s >= 156 && s <= 204));
                }
            return bad;
        };
        const OrbitTrack& t = Series().mainTrack;
        const ScreenRect expected = Rect(t.trackX[100] - 64, t.trackY[100] - 64, t.trackX[100] + 64,
                                      t.trackY[100] + 64);
        EXPECT_EQ(gSim.globeSquare.left, expected.left);
        EXPECT_EQ(gSim.globeSquare.top, expected.top);
        strayOnGlobe = stray(expected, 58);
        strayOnTiltGlobe = stray(gSim.tiltGlobe, (gSim.tiltGlobe.right - gSim.tiltGlobe.left) / 2 - 3);
        chartBand = AtLogical(700, ChartY(12.5));
        return false;
    });
    EXPECT_EQ(dayAfter, 100);
    EXPECT_EQ(Settings().earthView, kViewDaylight);
    EXPECT_EQ(strayOnGlobe, 0);
    EXPECT_EQ(strayOnTiltGlobe, 0);
    EXPECT_EQ(chartBand, 182);
}

// A year round the Sun: on days 90 and 270 of Earth Normal the globe overlaps the Sun's centre,
// hiding it on the near half and passing behind it on the far; day 359 is followed by day 0
// and a new trace in the other colours.
TEST_F(MainScreenTest, AYearRoundTheSunThenDay0AndANewTraceInTheOtherColours) {
    Start();
    std::vector<int> days;
    int orbitInkDay0 = -1, orbitInkDay90 = -1, sunDay90 = -1, sunDay270 = -1;
    int newPoint = -1, oldPoint = -1, barStart = -1, barEnd = -1;
    auto orbitInk = [](int day) {
        const OrbitTrack& t = Series().mainTrack;
        int n = 0;
        for (int y = -56; y <= 56; ++y)
            for (int x = -56; x <= 56; ++x)
                if (x * x + y * y <= 56 * 56) n += AtLogical(t.trackX[day] + x, t.trackY[day] + y) == 5;
        return n;
    };
    Run([&](long) {
        days.push_back(gSim.day);
        const int shown = gSim.day - 1;  // the frame just drawn
        if (gSim.orbitCounter == 0 && shown == 0) orbitInkDay0 = orbitInk(0);
        if (shown == 90) {
            orbitInkDay90 = orbitInk(90);
            sunDay90 = AtLogical(gSim.earthSunX, gSim.earthSunY);
        }
        if (shown == 270) sunDay270 = AtLogical(gSim.earthSunX, gSim.earthSunY);
        if (gSim.orbitCounter == 0 || gSim.day < 3) return true;
        int x = 0, y = 0;
        ChartPoint(1, 0, x, y);
        newPoint = AtLogical(x - 1, y);
        ChartPoint(200, 0, x, y);
        oldPoint = AtLogical(x - 1, y);
        const ChartLegendRow& l = gSim.legend[0];
        barStart = AtLogical(l.start, l.y + 2);
        barEnd = AtLogical(l.end - 2, l.y + 2);
        return false;
    });
    EXPECT_GT(orbitInkDay0, 20);   // the orbit's near half crosses the globe
    EXPECT_EQ(orbitInkDay90, 0);   // in front of the orbit: nothing crosses it
    EXPECT_NE(sunDay90, 14);       // the globe covers the Sun
    EXPECT_EQ(sunDay270, 14);      // the Sun covers the globe
    // The counter as the frames found it: ... 358, 359, 0, 1, 2, 3.
    ASSERT_GE(days.size(), 364u);
    EXPECT_EQ(days[359], 359);
    EXPECT_EQ(days[360], 0);
    EXPECT_EQ(gSim.orbitCounter, 1);
    // The second year draws black on the temperature chart, the first year's white stays.
    EXPECT_EQ(newPoint, 0);
    EXPECT_EQ(oldPoint, 255);
    EXPECT_EQ(barStart, 0);
    EXPECT_EQ(barEnd, 255);
}

// The screen starts at day 0 with Save in Logbook and Pause active; the save leaves the
// animation going; leaving shows the save button inactive. (Every way out, what leaving lets
// go and single-cycle mode: tests/explain/ways_out_test.cpp.)
TEST_F(MainScreenTest, SaveInLogbookWritesTheRunAndTheScreenGoesOn) {
    Start();
    int dayAtSave = -1, dayLater = -1, saveState = 0, pauseState = 0;
    int result = Run([&](long n) {
        if (n == 5) {
            dayAtSave = gSim.day;
            saveState = gNavBar.saveInLogbookButton->state;
            pauseState = gSim.pauseButton->state;
            ClickControl(gNavBar.saveInLogbookButton);
        }
        if (n == 8) dayLater = gSim.day;
        if (n == 9) ClickControl(gNavBar.changeTiltButton);
        return n < 10;
    });
    EXPECT_EQ(result, 2);
    EXPECT_EQ(dayAtSave, 5);
    EXPECT_EQ(saveState, kStateActive);
    EXPECT_EQ(pauseState, kStateActive);
    EXPECT_GT(dayLater, dayAtSave);  // the animation went on after the save
    ASSERT_EQ(FileSize("logbook.bin"), 10160);

    const std::vector<LogEntry> saved = logbook_test::ReadRecords("logbook.bin");
    ASSERT_EQ(saved.size(), 1u);
    static RunSnapshot model;
    TakeRunSnapshot(model);
    EXPECT_EQ(logbook_test::RunBytes(saved[0].run), logbook_test::RunBytes(model));
    EXPECT_EQ(saved[0].run.latitude[0], 40);
    EXPECT_EQ(saved[0].run.axisTilt, EarthNormalTilt);

    // On any other screen the button is drawn inactive and takes no clicks.
    Control* save = gNavBar.saveInLogbookButton;
    EXPECT_EQ(save->state, kStateInactive);
    EXPECT_NE(HitTestControls((save->rect.left + save->rect.right) / 2,
                              (save->rect.top + save->rect.bottom) / 2, NavBarCount(),
                              NavBarList()),
              save);
}

// At both sizes, for Earth Normal and for an untilted Earth on a circular orbit: the Sun where
// the screen says (the circle's in its middle), the globe scaled (100 device pixels at
// 800 x 600), the labels whole inside their pictures in the fonts their figures use; and at
// 1024 x 768 the legend, the view title, the chart and the tilt diagram where they belong.
TEST_F(MainScreenTest, PicturesAndTheirTextsWholeAtBothSizes) {
    const struct {
        int size;
        bool normal;
        const char *tiltLine1, *tiltLine2, *orbit;
        int sunX;  // Earth Normal's at the focus: 0.4 x 774 x 0.02 left of the centre
    } runs[] = {{1024, true, "Axis Tilt =", "23.5 degrees", "Earth Normal Orbit (0.02)", 606},
                {1024, false, "Earth not", "Tilted", "Circular Orbit (0.00)", 612},
                {800, false, "Earth not", "Tilted", "Circular Orbit (0.00)", 612}};
    for (const auto& c : runs) {
        SCOPED_TRACE(testing::Message() << c.size << " " << c.orbit);
        Start(Record(c.size));
        if (!c.normal) {
            Settings().axisTilt = 0;
            Settings().orbitShape = 0;
        }
        int before = 0, after = 0, figure = 0, sun = 0, width = 0, tiltInk = 0, orbitInk = 0;
        int cells[49] = {}, frameTop = 0, titleRight = 0, titleInk = 0, diagramSun = 0;
        int chartSlot = 0, panelTitle = 0, axisNorth = -1;
        RunFrames(2, [&] {
            sun = AtLogical(gSim.earthSunX, gSim.earthSunY);
            width = gSim.globe.surface ? gSim.globe.surface->width : 0;
            const ScreenRect &box = gSim.distanceBox, &p = gSim.orbitRect;
            before = Count(Rect(p.left, box.top - 5, box.left, p.bottom), 255);
            after = Count(Rect(box.right, box.top - 5, p.right, p.bottom), 255);
            figure = Count(box, 255);
            tiltInk = Count(Rect(331, 423, 493, 474), 255);
            orbitInk = Count(Rect(22, 424, 320, 446), 255);
            axisNorth = AtLogical(382, 524);  // the axis near its end, 83 from the centre
            for (int i = 0; i < 49; ++i)
                cells[i] = AtLogical(int(612 + (i + 0.5) * 200 / 49.0), 86);
            frameTop = AtLogical(700, 84);
            // The view title ends 5 units left of the legend.
            for (int x = 297; x < 612; ++x)
                for (int y = 84; y < 109; ++y)
                    if (AtLogical(x, y) == 255) {
                        ++titleInk;
                        titleRight = std::max(titleRight, x);
                    }
            diagramSun = AtLogical(169, 569);
            chartSlot = AtLogical(700, ChartY(289));
            panelTitle = Count(Rect(40, 66, 190, 92), 0);
        });
        EXPECT_EQ(before, ReferenceInk("Distance from Sun:", nullptr, gUi.smallLabelFont));
        EXPECT_EQ(after, ReferenceInk("million km", nullptr, gUi.smallLabelFont));
        EXPECT_EQ(tiltInk, ReferenceInk(c.tiltLine1, c.tiltLine2, gUi.labelFont));
        EXPECT_EQ(orbitInk, ReferenceInk(c.orbit, nullptr, gUi.smallLabelFont));
        EXPECT_GT(figure, 0);
        EXPECT_EQ(sun, 14);
        EXPECT_EQ(gSim.earthSunX, c.sunX);
        if (c.size == 800) {
            EXPECT_EQ(width, 100);
        }
        if (c.normal) {
            for (int i = 0; i < 49; ++i) EXPECT_EQ(cells[i], 58 + i) << "cell " << i;
            EXPECT_EQ(frameTop, 255);
            EXPECT_GT(titleInk, 100);
            EXPECT_LE(titleRight, 607);
            EXPECT_GE(titleRight, 600);
            EXPECT_EQ(gSim.earthSunY, 242);
            EXPECT_EQ(diagramSun, 14);
            EXPECT_NEAR(chartSlot, TemperatureSlot(289), 2);
            EXPECT_GT(panelTitle, 50);  // " Earth Views "
            // The tilt diagram takes the picture's whole width, centred under the two text lines.
            const ScreenRect& d = gSim.tiltDiagram;
            EXPECT_EQ((std::vector<int>{d.left, d.top, d.right, d.bottom}),
                      (std::vector<int>{329, 509, 495, 675}));
            EXPECT_EQ(gSim.tiltGlobe.right - gSim.tiltGlobe.left, 118);
            EXPECT_EQ(axisNorth, 7);
        }
        TearDown();
        folder.clear();
    }
}

// The latitudes' names on the tilt globe stay inside the picture on either side, at both
// display sizes, whatever the tilt. The logbook draws plain discs (modes -1, 2); the main
// screen the banded globe (0, 1).
TEST_F(MainScreenTest, TiltDiagramModesAndLatitudeNamesInsideThePictureAtBothSizes) {
    const ScreenRect picture = Rect(331, 421, 497, 718);  // the main screen's tilt picture
    const struct { double tilt; int lat0, lat1; } cases[] = {
        {-23.5, 40, 30}, {-23.5, 0, 15}, {-23.5, -30, 0}, {-60, 45, -30}, {0, 0, 0}, {30, -75, 75}};
    for (const int size : {1024, 800}) {
        Start(Record(size));
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << size << ": " << c.tilt << " " << c.lat0 << " "
                                            << c.lat1);
            SetBrushColour(0);
            FillScreenRect(Rect(200, 400, 700, 740));
            ScreenRect globe{};
            DrawTiltDiagram(TiltDiagramSquare(picture), c.tilt, 1, c.lat0, c.lat1, globe,
                            &picture);
            EXPECT_GT(Count(picture, 255), 50);
            EXPECT_EQ(Count(Rect(200, 400, 331, 740), 255) + Count(Rect(497, 400, 700, 740), 255), 0);
        }
        if (size == 1024) {
            const ScreenRect square = Rect(400, 300, 500, 400);
            for (const int mode : {-1, 0, 1, 2}) {
                SetBrushColour(0);
                FillScreenRect(Rect(350, 250, 550, 450));
                ScreenRect globe{};
                DrawTiltDiagram(square, 0, mode, 40, -30, globe);
                EXPECT_EQ(globe.left, 415) << mode;  // 15 per cent in from every side
                EXPECT_EQ(globe.bottom, 385) << mode;
                const bool plain = mode == -1 || mode == 2;
                // The disc reaches 2 beyond the globe's square; the bands stay inside it.
                EXPECT_EQ(AtLogical(450, 384), plain ? 9 : kTiltBandSlotFirst + 17) << mode;
                EXPECT_EQ(AtLogical(450, 386), plain ? 9 : 8) << mode;  // the axis' south end
                EXPECT_EQ(AtLogical(450, 315), plain ? 9 : kTiltBandSlotFirst) << mode;
                // 40 N crosses the untilted globe 35 * sin 40 = 22 above its centre, in white.
                EXPECT_EQ(Count(Rect(416, 325, 484, 331), 255) > 0, mode >= 1) << mode;
                EXPECT_EQ(Count(Rect(475, 300, 550, 330), 255) > 0, mode >= 1) << mode;  // "40º N"
            }
        }
        TearDown();
    }
}

// Settings the screen cannot show are mended as it starts: with no latitude selected the home
// latitude is used; values the model refuses are brought back into range.
TEST_F(MainScreenTest, SettingsItCannotShowAreMendedAndDoNotBreakIt) {
    Start();
    Settings().latitude[0] = Settings().latitude[1] = kNoLatitude;
    bool legendShown = false;
    RunFrames(2, [&] { legendShown = gSim.legend[0].shown; });
    EXPECT_EQ(Settings().latitude[0], 40);
    EXPECT_EQ(Settings().latitude[1], kNoLatitude);
    EXPECT_TRUE(legendShown);
    EXPECT_FALSE(gSim.legend[1].shown);

    Settings().orbitShape = 1.5;
    Settings().axisTilt = 1e300;
    Settings().latitude[0] = -5000;
    Settings().earthView = 77;
    Settings().animationSpeed = 40;
    EXPECT_EQ(RunFrames(400), 2);
    EXPECT_EQ(Settings().animationSpeed, 6);
    EXPECT_EQ(Settings().earthView, kViewTemperature);
}

}  // namespace
