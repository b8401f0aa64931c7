// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "run_tool.h"

namespace {

const std::string kTool = HELIORA_MODEL_TOOL;

std::vector<std::string> SplitCells(const std::string& line) {
    std::vector<std::string> cells;
    std::stringstream in(line);
    std::string cell;
    while (std::getline(in, cell, ',')) cells.push_back(cell);
    return cells;
}

TEST(ModelTool, BadArgumentsAreRefusedInOneLine) {
    const std::vector<std::vector<std::string>> cases = {
        {},                                        // no latitude
        {"--lat"},                                 // missing value
        {"--lat", "45", "--tilt"},                 // missing value at the end
        {"--lat", "north"},                        // not a number
        {"--lat", "45.5"},                         // not whole
        {"--lat", "91"},
        {"--lat", "1", "--lat", "2", "--lat", "3"},  // a third latitude
        {"--lat", "10", "--shape", "1"},
        {"--lat", "10", "--shape", "-0.01"},
        {"--lat", "10", "--tilt", "90.5"},
        {"--lat", "10", "--tilt", "-inf"},
        {"--lat", "10", "--format", "xml"},
        {"--lat", "10", "--frob"},
        {"--lat", "10", "stray"},
    };
    for (const auto& args : cases) ExpectRefused(kTool, args);
    // Help comes first, whatever else is asked.
    const ToolResult help = RunTool(kTool, {"--lat", "91", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(Contains(help.out, "--format")) << help.out;
}

TEST(ModelTool, CsvHasOneRowPerDayAndThreeColumnsPerLatitude) {
    ToolResult one = RunTool(kTool, {"--tilt", "23.5", "--shape", "0.02", "--lat", "45"});
    ASSERT_EQ(one.status, 0) << one.err;
    std::vector<std::string> lines = SplitLines(one.out);
    ASSERT_EQ(lines.size(), 362u);
    EXPECT_EQ(SplitCells(lines[0]).size(), 5u);
    EXPECT_TRUE(Contains(lines[0], "45N"));
    for (int d = 0; d <= 360; ++d) {
        std::vector<std::string> cells = SplitCells(lines[d + 1]);
        ASSERT_EQ(cells.size(), 5u) << lines[d + 1];
        EXPECT_EQ(std::atoi(cells[0].c_str()), d);
    }
    // Perihelion and aphelion of an orbit of shape 0.02, and the year closing on itself.
    EXPECT_NEAR(std::atof(SplitCells(lines[1])[1].c_str()), 146.608, 0.001);
    EXPECT_NEAR(std::atof(SplitCells(lines[181])[1].c_str()), 152.592, 0.001);
    EXPECT_EQ(lines[1].substr(1), lines[361].substr(3));

    // A second latitude adds its three columns and leaves the first latitude's alone.
    ToolResult two = RunTool(kTool, {"--lat", "45", "--lat=-30", "--format", "csv"});
    ASSERT_EQ(two.status, 0) << two.err;
    std::vector<std::string> lines2 = SplitLines(two.out);
    ASSERT_EQ(lines2.size(), 362u);
    EXPECT_TRUE(Contains(lines2[0], "30S"));
    for (int i = 0; i < 362; ++i) {
        std::vector<std::string> a = SplitCells(lines[i]), b = SplitCells(lines2[i]);
        ASSERT_EQ(b.size(), 8u);
        EXPECT_EQ(std::vector<std::string>(a.begin(), a.end()), std::vector<std::string>(b.begin(), b.begin() + 5));
    }
}

TEST(ModelTool, TiltIsTakenAsTheUserSeesIt) {
    // At perihelion (day 0) Earth Normal has northern winter: short days at 45 N.
    auto daylightDay0 = [](const char* tilt) {
        ToolResult r = RunTool(kTool, {"--tilt", tilt, "--lat", "45"});
        EXPECT_EQ(r.status, 0) << r.err;
        return std::atof(SplitCells(SplitLines(r.out).at(1)).at(2).c_str());
    };
    EXPECT_LT(daylightDay0("23.5"), 11.0);
    EXPECT_GT(daylightDay0("-23.5"), 13.0);
    EXPECT_DOUBLE_EQ(daylightDay0("0"), 12.0);
}

// Checks the JSON with Python's own parser, the way a teacher's script would read it.
TEST(ModelTool, JsonHoldsEverySeriesByName) {
    if (std::system("python3 -c 'import json' >/dev/null 2>&1") != 0) GTEST_SKIP() << "python3 not available";
    const std::string json = TestFile(".json"), script = TestFile(".py");
    for (int lats : {1, 2}) {
        std::vector<std::string> args = {"--tilt", "23.5", "--shape", "0.02", "--lat", "45", "--format", "json"};
        if (lats == 2) args.insert(args.end(), {"--lat", "-30"});
        ToolResult r = RunTool(kTool, args);
        ASSERT_EQ(r.status, 0) << r.err;
        ASSERT_TRUE(WriteWholeFile(json, r.out));
        FILE* f = std::fopen(script.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fprintf(f,
                     "import json, sys\n"
                     "d = json.load(open(sys.argv[1])); lats = %d\n"
                     "rows = lambda k: [len(r) for r in d[k]]\n"
                     "assert rows('bandEnergy') == rows('bandDaylightMinutes') == [181] * 18\n"
                     "assert rows('latEnergy') == rows('latDaylightMinutes') == [181] * 2\n"
                     "assert rows('latTemperature') == [361] * 2 and len(d['orbitAngle']) == 360\n"
                     "assert all(isinstance(d[k], int) for k in ('latEnergyMax', 'tempAxisMax',\n"
                     "           'tempAxisMin', 'energyLead', 'spinUpYears'))\n"
                     "assert d['settled'] is True and d['energyLead'] == 28\n"
                     "assert d['tilt'] == 23.5 and d['shape'] == 0.02\n"
                     "assert d['latitudes'] == [45, -30][:lats]\n"
                     "assert d['orbitAngle'][0] == 0 and abs(d['orbitDistance'][0] - 0.98) < 1e-9\n"
                     "t = d['latTemperature'][0]\n"
                     "assert t[0] == t[360] and 200 < min(t) < max(t) < 330\n"
                     "assert d['latEnergyMax'] == max(max(r) for r in d['latEnergy'])\n"
                     "second = d['latTemperature'][1] + d['latEnergy'][1] + d['latDaylightMinutes'][1]\n"
                     "assert min(d['latTemperature'][1]) > 200 if lats == 2 else not any(second)\n",
                     lats);
        std::fclose(f);
        EXPECT_EQ(std::system(("python3 " + script + " " + json).c_str()), 0) << "latitudes: " << lats;
    }
    std::remove(json.c_str());
    std::remove(script.c_str());
}

TEST(ModelTool, TableShowsEveryThirtyDays) {
    ToolResult r = RunTool(kTool, {"--lat", "40", "--lat", "0", "--format", "table"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "40N"));
    EXPECT_TRUE(Contains(r.out, "EQU"));
    int rows = 0;
    for (const std::string& line : SplitLines(r.out)) {
        int day = -1;
        if (std::sscanf(line.c_str(), "%d", &day) == 1) {
            EXPECT_EQ(day, 30 * rows);
            ++rows;
        }
    }
    EXPECT_EQ(rows, 13);
}

// Orbits far more elongated than Earth's: the numbers are printed, but the caller is warned
// with status 3; nothing may crash at any corner of the accepted range.
TEST(ModelTool, ExtremeSettingsWarnButNeverCrash) {
    ToolResult r = RunTool(kTool, {"--tilt", "90", "--shape", "0.9999", "--lat", "90", "--lat", "-90"});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(SplitLines(r.out).size(), 362u);
    EXPECT_EQ(SplitLines(r.err).size(), 1u);
    EXPECT_TRUE(Contains(r.err, "warning"));

    for (const char* shape : {"0", "0.5", "0.9", "0.99", "0.9999999999999999"})
        for (const char* tilt : {"-90", "0", "90"}) {
            ToolResult x = RunTool(kTool, {"--tilt", tilt, "--shape", shape, "--lat", "90", "--lat", "-90",
                                           "--format", "json"});
            EXPECT_TRUE(x.status == 0 || x.status == 3) << shape << " " << tilt << ": " << x.status;
            EXPECT_FALSE(Contains(x.out, "nan") || Contains(x.out, "inf")) << shape << " " << tilt;
        }
}

}  // namespace
