// SPDX-License-Identifier: GPL-3.0-or-later
// The logbook screen driven on the headless backend, with the logbook in files and in memory:
// labels, the pupil's comments on every way out, an unsound entry, pictures. (Paging,
// deletion marks and rerun: the logbook_paging replays; the comment box by keyboard: the
// keyboard replay.)
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "logbook_screen/logbook_screen.h"
#include "tests/logbook/logbook_fixture.h"
#include "tests/simulation/simulation_fixture.h"
#include "widgets/screen_loop.h"

namespace {

// One saved run: the series of MakeRecord's seed, the settings given here.
LogEntryBytes Entry(int32_t serial, double shownTilt, double shape, int lat0, int lat1,
                    const char* comments = kNewEntryComments) {
    LogEntryBytes r = logbook_test::MakeRecord(0, serial, serial, comments);
    LogEntry e;
    DecodeLogEntry(r.b, e);
    e.run.axisTilt = -shownTilt;
    e.run.orbitShape = shape;
    e.run.latitude[0] = lat0;
    e.run.latitude[1] = lat1;
    EncodeLogEntry(e, r.b);
    return r;
}

LogEntry Decoded(const LogEntryBytes& r) {
    LogEntry e;
    DecodeLogEntry(r.b, e);
    return e;
}

TEST(LogbookScreenLabels, TiltShapeAndOneOrTwoLatitudes) {
    const struct {
        double tilt, shape;
        int lat0, lat1;
        const char* label;
    } cases[] = {
        {23.5, 0.02, 45, kNoLatitude, "Tilt 23.5\xBA@Shape 0.02@Lat. 45\xBA N"},
        {23.5, 0.02, 45, -30, "Tilt 23.5\xBA@Shape 0.02@Lat. 45\xBA N & 30\xBA S"},
        {0, 0, 0, kNoLatitude, "Tilt 0.0\xBA@Shape 0.00@Lat. EQU"},  // never "-0.0"
        {-10, 0.5, -90, 0, "Tilt -10.0\xBA@Shape 0.50@Lat. 90\xBA S & EQU"},
    };
    char label[kLabelSize];
    for (const auto& c : cases) {
        FormatEntryLabel(Decoded(Entry(1, c.tilt, c.shape, c.lat0, c.lat1)), label, sizeof label);
        EXPECT_STREQ(label, c.label);
    }
}

// The screen with a steps script: step n runs when the screen finds its queue empty for the
// n-th time; when the steps run out the window is closed.
struct LogbookScreenTest : SimulationTest, ::testing::WithParamInterface<bool> {
    bool MemoryOnly() const { return GetParam(); }

    void StartWith(const std::vector<LogEntryBytes>& records) {
        ConfigRecord r = Record();
        r.logbookFilesOff = MemoryOnly() ? 1 : 0;
        Start(r);
        ResetLogbookScreenState();
        if (MemoryOnly())
            for (size_t i = 0; i < records.size(); ++i) DecodeLogEntry(records[i].b, LogbookSlots()[i]);
        else
            logbook_test::WriteRecords("logbook.bin", records);
        ChooseLogbookFileForOpen();  // what "Open@Logbook" does before the screen starts
    }

    static int RunSteps(const std::vector<std::function<void()>>& steps) {
        return DriveScreen(RunLogbookScreen, [&](long n) {
            if (n >= long(steps.size())) return false;
            steps[size_t(n)]();
            return true;
        });
    }

    std::vector<LogEntry> Logbook() const { return logbook_test::StoredEntries(MemoryOnly()); }

    static void ClickWatch() { Click(104, 537); }
    // The lines of a button's label that, centred, would reach beyond its label box.
    static int WiderLines(const Control& b) {
        SelectTextFont(b.font);
        const int room = 2 * std::min(b.labelX - b.labelRect.left, b.labelRect.right - b.labelX);
        int wider = 0;
        std::string rest = b.label;
        for (size_t at; !rest.empty(); rest = at == std::string::npos ? "" : rest.substr(at + 1)) {
            at = rest.find('@');
            wider += TextWidth(rest.substr(0, at).c_str()) > room;
        }
        return wider;
    }
};

// Whatever way the pupil leaves, the typed words are in the logbook afterwards. (Showing
// another entry, marks and paging on the way: the logbook_paging replays.)
TEST_P(LogbookScreenTest, TypedCommentsReachTheLogbookOnEveryWayOut) {
    const struct {
        const char* name;
        int result;
        std::function<void()> leave;
    } cases[] = {
        {"watch the seasons", 1, [] { ClickWatch(); }},
        {"change tilt", 2, [] { ClickControl(gNavBar.changeTiltButton); }},
        {"exit", 2001, [] { ClickControl(gNavBar.exitButton); }},
        {"window closing", 2000, [] { PostInput(MessageKind::CloseRequest); }},
        {"display lost", -15,
         [] {
             gPlatform.displayLost = true;
             PostInput(MessageKind::MouseMove, 5, 5);
         }},
    };
    std::vector<LogEntryBytes> entries;
    for (int k = 5; k >= 1; --k) entries.push_back(Entry(k, 23.5, 0.02, 45, kNoLatitude));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartWith(entries);
        // A new entry's comment is replaced by what is typed.
        EXPECT_EQ(RunSteps({[] { PostText("Hot July!"); }, c.leave}), c.result);
        const std::vector<LogEntry> book = Logbook();
        ASSERT_EQ(book.size(), 5u);
        EXPECT_EQ(book[0].serialNumber, 5);
        EXPECT_STREQ(book[0].comments, "Hot July!");
        EXPECT_STREQ(book[1].comments, kNewEntryComments);
        StopProgram();
    }
}

// A record no save could have made (edited by hand): listed with a short label, shown with a
// short notice beside its comments, never drawn from or handed to the model. Every label,
// two latitudes' included, stays inside its button.
TEST_P(LogbookScreenTest, AnUnsoundEntryIsNeitherDrawnNorRerun) {
    LogEntryBytes bad = Entry(2, 23.5, 0.02, 45, kNoLatitude, "Edited.");
    LogEntry e = Decoded(bad);
    e.run.axisTilt = -1e300;  // a huge tilt
    e.run.latTemperature[0][10] = std::nan("");
    EncodeLogEntry(e, bad.b);
    StartWith({Entry(3, 23.5, 0.02, 40, -30), bad, Entry(1, -10, 0.5, -90, 0)});
    const double tiltBefore = Settings().axisTilt;
    int afterRerun = 0, title = 0, notice = 0, globe = 0, spilled = 0;
    std::string label;
    const int result = RunSteps({[] { ClickControl(gLogbookScreen.entryButtons[1]); },
                                 [] { ClickControl(gLogbookScreen.rerun); },
                                 [&] {
                                     afterRerun = gLogbookScreen.rerun->state;
                                     label = gLogbookScreen.entryButtons[1]->label;
                                     title = Count(Rect(300, 372, 545, 393), 0);
                                     notice = Count(Rect(300, 235, 900, 265), 4);
                                     globe = Count(EntryTiltRect(), 9);
                                     // text beside the buttons, in the panel around them,
                                     // and lines wider than a button's label box
                                     spilled = Count(Rect(158, 145, 188, 420), 0) +
                                               Count(Rect(22, 145, 40, 420), 0);
                                     for (const Control* b : gLogbookScreen.entryButtons)
                                         spilled += WiderLines(*b);
                                 },
                                 [] { ClickWatch(); }});
    EXPECT_EQ(result, 1);  // left through Watch the Seasons, not through the rerun
    EXPECT_EQ(afterRerun, kStateActive);
    EXPECT_EQ(Settings().axisTilt, tiltBefore);
    EXPECT_EQ(label, kDamagedEntryLabel);
    EXPECT_GT(title, 100);  // "Comments About This Entry" stays
    EXPECT_GT(notice, 50);
    EXPECT_EQ(globe, 0);
    EXPECT_EQ(spilled, 0);
    ASSERT_EQ(Logbook().size(), 3u);
    EXPECT_STREQ(Logbook()[1].comments, "Edited.");
}

INSTANTIATE_TEST_SUITE_P(Modes, LogbookScreenTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& p) {
                             return p.param ? "MemoryOnly" : "Files";
                         });

// The pictures, drawn alone on the canvas.
using LogbookPictureTest = SimulationTest;

// The orbit shows Earth Normal's only for another shape; the charts read the half year one
// step off; the tilt globe has coasts.
TEST_F(LogbookPictureTest, OrbitChartsAndTiltGlobe) {
    Start();
    const ScreenRect o = EntryOrbitRect();
    const struct {
        double shape;
        bool normalShown;
    } orbits[] = {{0.02, false}, {0.3, true}, {0.0, true}};
    for (const auto& c : orbits) {
        SCOPED_TRACE(c.shape);
        DrawEntryOrbitPicture(Decoded(Entry(1, 23.5, c.shape, 45, kNoLatitude)));
        EXPECT_EQ(Count(o, 3) > 0, c.normalShown);
        EXPECT_GT(Count(o, 5), 0);   // the entry's orbit
        EXPECT_GT(Count(o, 14), 0);  // the Sun
    }

    ResetLogbookScreenState();
    LoadCoastPoints(kCoastOutlineFile, gLogbookScreen.coast);
    LogEntry e = Decoded(Entry(1, 23.5, 0.02, 45, kNoLatitude));
    const ScreenRect d = DaylightChartRect();
    const ScreenRect top = Rect(d.left, d.top, d.right, d.top + 2);
    // 24 hours of daylight at one step of the half year, none at the others: which days reach
    // the chart's top. Day 360 reads step 1, and no day reads step 0.
    const struct {
        int step;
        int markers;  // marker pixels in the chart's top rows
    } steps[] = {{0, 0}, {1, 2 + 2}, {90, 4 + 4}};  // edge days are cut by the chart
    for (const auto& c : steps) {
        SCOPED_TRACE(c.step);
        for (int s = 0; s < kHalfYearSteps; ++s) e.run.latDaylightMinutes[0][s] = s == c.step ? 1440 : 0;
        DrawEntryCharts(e);
        EXPECT_EQ(Count(top, 10), c.markers);
    }

    DrawEntryTiltPicture(e);
    EXPECT_GT(gLogbookScreen.coastLines.count, 20);
    EXPECT_GT(Count(EntryTiltRect(), 0), 0);
    EXPECT_GT(Count(EntryTiltRect(), 9), 1000);  // the plain globe
}

// The heading's band is erased as wide as anything a heading draws, and a heading draws
// nothing outside it: after a marked entry with a long date, a plain one leaves no red and no
// black beyond its own text; a date too long for the panel is cut at the band.
TEST_F(LogbookPictureTest, TheHeadingLeavesNothingOfTheLastAndStaysInItsBand) {
    for (int mode : {1024, 800}) {
        SCOPED_TRACE(mode);
        Start(Record(mode));
        gLogbook.entryCount = 1;
        LogEntry marked = Decoded(Entry(-1, 23.5, 0.02, 45, kNoLatitude));
        CopyTextField(marked.madeAt, kMadeAtSize, "12:59 PM on Wednesday, September 30, 2026");
        DrawEntryHeading(&marked);
        const ScreenRect band = Rect(200, 85, 1004, 134);
        EXPECT_GT(Count(band, 4), 1000);
        LogEntry plain = Decoded(Entry(1, 23.5, 0.02, 45, kNoLatitude));
        DrawEntryHeading(&plain);
        EXPECT_EQ(Count(band, 4), 0);
        EXPECT_EQ(Count(Rect(900, 85, 1004, 134), 0), 0);

        const std::vector<uint8_t> before = gDisplay.canvas.pixels;
        LogEntry longDate = plain;
        std::memset(longDate.madeAt, 'W', kMadeAtSize - 1);
        longDate.madeAt[kMadeAtSize - 1] = '\0';
        longDate.serialNumber = -1;
        DrawEntryHeading(&longDate);
        const DeviceRect d = ToDeviceRect(band);
        int outside = 0;
        for (int y = 0; y < gDisplay.canvas.height; ++y)
            for (int x = 0; x < gDisplay.canvas.width; ++x) {
                const bool in = x >= d.left && x < d.right && y >= d.top && y < d.bottom;
                const size_t i = size_t(y) * size_t(gDisplay.canvas.width) + size_t(x);
                outside += !in && gDisplay.canvas.pixels[i] != before[i];
            }
        EXPECT_EQ(outside, 0);
        gLogbook.entryCount = 0;
        StopProgram();
    }
}

}  // namespace
