// SPDX-License-Identifier: GPL-3.0-or-later
// Fonts and text on the headless canvas, checked by where the glyph pixels land.
#include "graphics/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "graphics/buffer.h"
#include "graphics/present.h"
#include "graphics/scale.h"
#include "tests/graphics/display_fixture.h"

namespace {

// The box holding every pixel of one colour (inclusive), and how many there are.
struct Ink {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    long count = 0;
};

Ink FindInk(uint8_t colour) {
    Ink k;
    for (int y = 0; y < gDisplay.canvas.height; ++y)
        for (int x = 0; x < gDisplay.canvas.width; ++x)
            if (gDisplay.canvas.At(x, y) == colour) {
                k = {std::min(k.left, x), std::min(k.top, y), std::max(k.right, x), y, k.count + 1};
            }
    return k;
}

struct Text : CanvasTest {
    TextFont* heading = nullptr;

    void SetUp() override {
        CanvasTest::SetUp();
        heading = CreateTextFont("Times New Roman Bold", 30, 0, 0);
        ASSERT_NE(heading, nullptr);
        SelectTextFont(label);
        SetPenColour(4);
        BeginDrawing();
    }
    void TearDown() override {
        EndDrawing();
        DeleteGraphicObject(heading);
        CanvasTest::TearDown();
    }
};

TEST_F(Text, FacesResolveToTheMetricCompatibleFamilies) {
    EXPECT_EQ(label->family, "Liberation Sans");
    EXPECT_NE(label->file.find("LiberationSans-Bold"), std::string::npos);
    EXPECT_EQ(heading->family, "Liberation Serif");
    EXPECT_NE(heading->file.find("LiberationSerif-Bold"), std::string::npos);
    // The size is the character cell: ascent plus descent, the em a little smaller.
    EXPECT_NEAR(label->ascent + label->descent, 18, 1);
    EXPECT_EQ(label->pixelHeight, 16);
    EXPECT_EQ(TextHeightDevice("x"), FontHeight(label));

    // The bold style bit and the face name's " Bold" ask for the same file.
    TextFont* styled = CreateTextFont("Arial", 18, 0, kFontBold);
    ASSERT_NE(styled, nullptr);
    EXPECT_EQ(styled->file, label->file);
    DeleteGraphicObject(styled);

    testing::internal::CaptureStderr();
    EXPECT_EQ(CreateTextFont("Qzx Nonexistent Sans", 18, 0, 0), nullptr);
    EXPECT_EQ(CreateTextFont("", 18, 0, 0), nullptr);
    EXPECT_EQ(CreateTextFont(nullptr, 18, 0, 0), nullptr);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Qzx Nonexistent Sans"), std::string::npos);
}

// Clears the canvas, draws `text` at (x, y) with the given alignment and returns its ink.
Ink DrawAligned(int h, int v, int x, int y, const char* text) {
    std::fill(gDisplay.canvas.pixels.begin(), gDisplay.canvas.pixels.end(), 26);
    SetTextAlignment(h, v);
    DrawTextAt(x, y, text);
    return FindInk(4);
}

TEST_F(Text, AlignmentPlacesTheInk) {
    Ink ink = DrawAligned(0, 0, 500, 300, "Seasons");
    EXPECT_TRUE(ink.left >= 500 && ink.left <= 502) << ink.left;
    EXPECT_EQ(gDraw.curX, 500 + TextWidthDevice(label, "Seasons", 7));  // moved past the text
    ink = DrawAligned(2, 0, 500, 300, "Seasons");
    EXPECT_TRUE(ink.right >= 496 && ink.right <= 499) << ink.right;
    ink = DrawAligned(1, 0, 500, 300, "Seasons");
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 500, 2.0);

    const Ink top = DrawAligned(0, 0, 100, 300, "H");
    EXPECT_GE(top.top, 300);
    EXPECT_EQ(top.bottom, 300 + label->ascent - 1);  // H stands on the baseline
    EXPECT_EQ(DrawAligned(0, 3, 100, 300, "H").bottom, 299);
    EXPECT_EQ(DrawAligned(0, 2, 100, 300, "H").bottom, 299 - label->descent);

    // Middle: drawn top-aligned from half a text height higher.
    Clear();
    SetTextAlignment(0, 1);
    gDraw.curX = 100;
    gDraw.curY = 300;
    DrawTextHere("H");
    const int half = TextHeightDevice("H") / 2;
    EXPECT_EQ(FindInk(4).bottom, 300 - half + label->ascent - 1);
    EXPECT_EQ(gDraw.curY, 300);
    DrawTextAt(100, 300, "H");
    EXPECT_EQ(gDraw.curY, 300 + half);  // DrawTextAt ends half a height lower
}

TEST_F(Text, DegreeByteDrawsADegreeSign) {
    const GlyphImage& degree = Glyph(label, 0xBA);
    long ink = 0;
    for (uint8_t m : degree.mask) ink += m;
    EXPECT_GT(ink, 4);
    // A small ring high above the baseline, not the underlined ordinal the byte would be.
    EXPECT_GT(degree.top - degree.rows, label->ascent / 3);
    EXPECT_EQ(TextWidthDevice(label, "\x81\x01", 2), 0);  // unassigned and control bytes
}

TEST_F(Text, TextPaintsOnlyGlyphPixelsInsideTheClip) {
    const ScreenRect clip = R(0, 0, 1024, 305);
    SetClipRect(&clip);
    SetTextAlignment(0, 0);
    DrawTextAt(100, 290, "Solar energy 23\xBA");
    SetClipRect(nullptr);
    const Ink ink = FindInk(4);
    EXPECT_GT(ink.count, 20);
    EXPECT_LE(ink.bottom, 304);
    EXPECT_EQ(FindInk(26).count + ink.count, long(1024) * 768);  // background stays
}

TEST_F(Text, ParagraphsWrapInsideTheirRectAndTabsExpand) {
    SetTextAlignment(2, 0);
    DrawTextInRect(R(100, 100, 260, 400), "The tilt of the axis makes the days longer in summer and shorter in "
                        "winter.\r\nNew paragraph.");
    const Ink ink = FindInk(4);
    EXPECT_TRUE(ink.left >= 100 && ink.right <= 259 && ink.bottom < 400);
    EXPECT_GT(ink.bottom - ink.top, 4 * FontHeight(label));  // at least five lines
    Clear();
    DrawTextAt(600, 300, "Seasons");
    EXPECT_GE(FindInk(4).left, 600);  // placement is left and top afterwards

    // A word wider than the rect stays on one line and is clipped.
    Clear();
    DrawTextInRect(R(100, 100, 130, 400), "Insolation");
    const Ink word = FindInk(4);
    EXPECT_LE(word.right, 129);
    EXPECT_LT(word.bottom - word.top, FontHeight(label));

    // A tab is eight average characters wide.
    Clear();
    DrawTextInRect(R(0, 0, 1024, 200), "\tI");
    EXPECT_NEAR(FindInk(4).left, 8 * label->averageWidth + 1.5, 1.5);
}

// What a tool that reads the screen's words sees: one record per drawn text or wrapped line,
// with its logical place, pen, font and target; nothing once the recorder is gone.
std::vector<std::string> gRecorded;
void Record(const DrawnText& d) {
    gRecorded.push_back(std::to_string(d.x) + "," + std::to_string(d.y) + "," +
                        std::to_string(d.penSlot) + "," + d.font->faceName + "," +
                        std::to_string(d.font->logicalSize) + "," +
                        (d.toScreen ? "screen," : "buffer,") + std::string(d.text, d.length));
}

TEST_F(Text, RecorderSeesEveryDrawnTextAndLine) {
    gRecorded.clear();
    SetTextRecorder(Record);
    SetTextAlignment(0, 0);
    DrawTextAt(300, 200, "Tilt");
    SelectTextFont(heading);
    DrawTextInRect(R(100, 100, 900, 400), "First line\r\nSecond");
    OffscreenBuffer buffer;
    ASSERT_TRUE(CreateBuffer(R(0, 0, 64, 64), 0, buffer));
    SetDrawTarget(&buffer);
    DrawTextAt(5, 6, "Off");
    SetDrawTarget(nullptr);
    ReleaseBuffer(buffer);
    SetTextRecorder(nullptr);
    DrawTextAt(1, 1, "unseen");
    const std::string face = label->faceName + "," + std::to_string(label->logicalSize);
    const std::vector<std::string> expected = {
        "300,200,4," + face + ",screen,Tilt",
        "100,100,4,Times New Roman Bold,30,screen,First line",
        "100," + std::to_string(ToLogicalY(ToDeviceY(100) + FontHeight(heading))) +
            ",4,Times New Roman Bold,30,screen,Second",
        "5,6,4,Times New Roman Bold,30,buffer,Off",
    };
    EXPECT_EQ(gRecorded, expected);
}

TEST_F(Text, WidthsAreLogicalFollowTheFontAndScaleAtTheSmallDisplay) {
    EXPECT_EQ(TextWidth(""), 0);
    EXPECT_EQ(TextWidth(nullptr), 0);
    const int wide = TextWidth("Watch the Seasons");
    TextFont* narrow = CreateTextFont("Arial Bold", 18, 6, 0);
    ASSERT_NE(narrow, nullptr);
    SelectTextFont(narrow);
    EXPECT_LT(TextWidth("Watch the Seasons"), wide * 3 / 4);
    DeleteGraphicObject(narrow);
    EXPECT_EQ(gDraw.font, nullptr);  // a deleted font is no longer selected

    DeleteGraphicObject(label);
    SetDisplaySize(800, 600);
    label = CreateTextFont("Arial Bold", 18, 0, 0);
    ASSERT_NE(label, nullptr);
    // 18 * 0.78125 + 0.5 = 14.56: a 14-pixel cell.
    EXPECT_NEAR(label->ascent + label->descent, 14, 1);
    EXPECT_LT(label->pixelHeight, 14);
    SelectTextFont(label);
    const int device = TextWidthDevice(label, "Tilt", 4);
    EXPECT_EQ(TextWidth("Tilt"), int(device / 0.78125 + 0.5));
}

}  // namespace
