// SPDX-License-Identifier: GPL-3.0-or-later
// The display on the headless backend: modes and scale, palette rules, the drawing bracket;
// then fonts, text and edit boxes on the full canvas (1024 x 768, the fixed palette, the
// background grey 26), checked by where the glyph pixels land and by scripted messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "graphics/buffer.h"
#include "graphics/display.h"
#include "graphics/draw.h"
#include "graphics/edit_box.h"
#include "graphics/palette.h"
#include "graphics/present.h"
#include "graphics/picture_draw.h"
#include "graphics/rect.h"
#include "graphics/scale.h"
#include "graphics/text.h"

namespace {

// The headless backend with no display yet.
struct Display : ::testing::Test {
    void SetUp() override {
        Display::TearDown();
        PlatformSelectBackend(PlatformBackend::Headless);
    }
    void TearDown() override {
        ResetDisplayState();
        PlatformReset();
    }
};

TEST_F(Display, AutomaticModeFollowsTheScreen) {
    HeadlessSetScreenSize(1280, 1024);
    ASSERT_EQ(CreateMainDisplay("Heliora", 1, 0), 1);
    EXPECT_EQ(std::pair(DisplayWidth(), DisplayHeight()), std::pair(1024, 768));
    EXPECT_DOUBLE_EQ(gDisplayScale.sx, 1.0);
    TearDownDisplay();

    // A screen that cannot hold 1024 x 768 gets the smaller picture.
    HeadlessSetScreenSize(800, 600);
    ASSERT_EQ(CreateMainDisplay("Heliora", 0, 0), 1);
    EXPECT_EQ(DisplayWidth(), 800);
    EXPECT_DOUBLE_EQ(gDisplayScale.sx, 0.78125);
    EXPECT_DOUBLE_EQ(gDisplayScale.sy, 0.78125);
    EXPECT_EQ(std::pair(gDisplay.canvas.width, gDisplay.canvas.height), std::pair(800, 600));
    // Drawing starts as a fresh context: on the canvas, white pen, black fill, pattern 1.
    EXPECT_EQ(gDraw.target, &gDisplay.canvas);
    EXPECT_EQ(gPlatform.canvas, gDisplay.canvas.pixels.data());
    EXPECT_EQ((std::array<int, 3>{gDraw.penColour, gDraw.fillColour, gDraw.patternNumber}),
              (std::array{255, 0, 1}));

    // Conversions at the small mode truncate toward zero; a width is scaled as a width.
    EXPECT_EQ(ToDeviceX(32), 25);  // 25.5
    EXPECT_EQ(ToDeviceX(-1), 0);   // -0.28125
    ScreenRect r;
    MakeRect(r, 10, 10, 42, 42);
    const DeviceRect d = ToDeviceRect(r);
    EXPECT_EQ(std::pair(d.left, d.right - d.left), std::pair(8, 25));
    SetDisplaySize(0, 600);  // ignored: a zero scale would break every conversion
    EXPECT_EQ(DisplayWidth(), 800);
}

TEST_F(Display, UnsupportedModesFailAndTearDownIsSafe) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(CreateMainDisplay("Heliora", 1, 640), 0);
    EXPECT_EQ(CreateMainDisplay("Heliora", 3, 0), 0);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Couldn't set display mode 640"), std::string::npos);
    EXPECT_NE(err.find("driver mode 3"), std::string::npos);
    TearDownDisplay();
    TearDownDisplay();
    EXPECT_FALSE(gPlatform.windowOpen);
    EXPECT_EQ(gDraw.target, nullptr);
}

TEST_F(Display, PaletteChangesShowWhenSentAndBlackAndWhiteNeverChange) {
    ASSERT_EQ(CreateMainDisplay("Heliora", 1, 1024), 1);
    SetPaletteEntry(160, 50, 60, 70);
    EXPECT_EQ(gDisplay.shown[160].r, 0);
    EXPECT_EQ(PaletteColour(160).r, 50);
    SetPaletteEntryNow(161, 80, 90, 300);
    EXPECT_EQ(gDisplay.shown[161].b, 255);  // channels are limited to 0..255
    EXPECT_EQ(gDisplay.shown[160].r, 0);
    ApplyPalette(160, 1);
    EXPECT_EQ(gDisplay.shown[160].r, 50);

    for (int slot : {0, 255, -4, 300}) {
        SetPaletteEntry(slot, 9, 9, 9);
        SetPaletteEntryNow(slot, 9, 9, 9);
    }
    ApplyPalette(-10, 1000);
    EXPECT_EQ((std::array{gDisplay.paletteCopy[0].r, gDisplay.paletteCopy[255].r,
                          gDisplay.shown[0].g, gDisplay.shown[255].g}),
              (std::array<uint8_t, 4>{0, 0, 0, 255}));
}

// The full canvas with the label font.
struct CanvasTest : Display {
    TextFont* label = nullptr;

    void SetUp() override {
        Display::SetUp();
        ASSERT_EQ(CreateMainDisplay("Heliora", 1, 1024), 1);
        SetUpFixedPalette();
        Clear();
        label = CreateTextFont("Arial Bold", 18, 0, 0);
        ASSERT_NE(label, nullptr);
    }
    void TearDown() override {
        ResetEditBoxes();
        DeleteGraphicObject(label);
        ResetTextState();
        Display::TearDown();
        EXPECT_EQ(gText.fontCount, 0);  // every font made was freed
    }
    void Clear() { std::fill(gDisplay.canvas.pixels.begin(), gDisplay.canvas.pixels.end(), 26); }
};

TEST_F(CanvasTest, FixedPaletteIsShownAndFreeColourAvoidsEveryEntry) {
    // The fixture's fixed palette is shown at once, black and white at the ends.
    EXPECT_EQ((std::array{gDisplay.shown[26].r, gDisplay.shown[0].r, gDisplay.shown[255].b}),
              (std::array<uint8_t, 3>{192, 0, 255}));
    for (int i = 1; i < 255; ++i) EXPECT_EQ(gDisplay.paletteCopy[i].flags, kPaletteNoCollapse);
    // The fixed colours replaced (1,1,1)..(1,1,50); slot 70 takes the first of them back.
    SetPaletteEntry(70, 1, 1, 1);
    FindFreeColour(100);
    EXPECT_EQ(gDisplay.paletteCopy[100].b, 2);
    FindFreeColour(100);  // its own colour counts as taken too
    EXPECT_EQ(gDisplay.paletteCopy[100].b, 3);
}

TEST_F(CanvasTest, DrawingsWithinOneRefreshShareOnePresent) {
    PlatformPresent();
    const long before = gPlatform.presentCount;
    for (int i = 0; i < 40; ++i) {  // a screen of 40 controls, each in its own bracket
        BeginDrawing();
        BeginDrawing();  // nested: nothing
        EndDrawing();
    }
    EXPECT_EQ(gPlatform.presentCount, before);
    PlatformSleep(10);  // shown before the program sleeps
    EXPECT_EQ(gPlatform.presentCount, before + 1);
}

TEST_F(CanvasTest, LostDisplayIsReportedOnceForTheCanvas) {
    Message m;
    HeadlessLoseDisplay();
    while (PlatformPollMessage(m)) {
    }
    Surface buffer;
    ResizeSurface(buffer, 4, 4);
    SetDrawTarget(&buffer);
    EXPECT_EQ(IsDisplayLost(), 0);  // a buffer keeps its contents
    SetDrawTarget(nullptr);
    EXPECT_EQ(IsDisplayLost(), 1);
    EXPECT_EQ(IsDisplayLost(), 0);  // reported once
}

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
    for (const char* face : {"Qzx Nonexistent Sans", "", static_cast<const char*>(nullptr)})
        EXPECT_EQ(CreateTextFont(face, 18, 0, 0), nullptr);
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
    const ScreenRect clip = Rect(0, 0, 1024, 305);
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
    DrawTextInRect(Rect(100, 100, 260, 400), "The tilt of the axis makes the days longer in summer and shorter in "
                        "winter.\r\nNew paragraph.");
    const Ink ink = FindInk(4);
    EXPECT_TRUE(ink.left >= 100 && ink.right <= 259 && ink.bottom < 400);
    EXPECT_GT(ink.bottom - ink.top, 4 * FontHeight(label));  // at least five lines
    Clear();
    DrawTextAt(600, 300, "Seasons");
    EXPECT_GE(FindInk(4).left, 600);  // placement is left and top afterwards

    // A word wider than the rect stays on one line and is clipped.
    Clear();
    DrawTextInRect(Rect(100, 100, 130, 400), "Insolation");
    const Ink word = FindInk(4);
    EXPECT_LE(word.right, 129);
    EXPECT_LT(word.bottom - word.top, FontHeight(label));

    // A tab is eight average characters wide.
    Clear();
    DrawTextInRect(Rect(0, 0, 1024, 200), "\tI");
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
    DrawTextInRect(Rect(100, 100, 900, 400), "First line\r\nSecond");
    OffscreenBuffer buffer;
    ASSERT_TRUE(CreateBuffer(Rect(0, 0, 64, 64), 0, buffer));
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

struct Edit : CanvasTest {
    // Sends the messages through the queue, as the screen loop would, and returns the last
    // non-zero answer of the boxes.
    int Run() {
        int answer = 0;
        Message m;
        while (PlatformPollMessage(m)) {
            const int a = DispatchEditBoxMessage(m);
            if (a) answer = a;
        }
        return answer;
    }
    void Type(const char* text) {
        for (const char* p = text; *p; ++p) {
            Message m;
            m.kind = MessageKind::Character;
            m.character = uint8_t(*p);
            HeadlessPushMessage(m);
        }
    }
    void Key(int key, MessageKind kind = MessageKind::KeyDown) {
        Message m;
        m.kind = kind;
        m.key = key;
        HeadlessPushMessage(m);
    }
    void Click(int x, int y, MessageKind down = MessageKind::LeftDown) {
        Message m;
        m.kind = down;
        m.x = x;
        m.y = y;
        HeadlessPushMessage(m);
        m.kind = down == MessageKind::LeftDown ? MessageKind::LeftUp : MessageKind::RightUp;
        HeadlessPushMessage(m);
    }
    std::string Text(const EditBox& box) {
        char buffer[2048];
        GetEditText(box, buffer, sizeof buffer);
        return buffer;
    }
};

// Shift selects and typing replaces the selection, after which Left is an ordinary move;
// control bytes are not text, the degree sign is. (The caret keys on and between lines, line
// breaks, wrapping and scrolling: the graphics2_edit_* replays on the logbook's comment box.)
TEST_F(Edit, ShiftSelectsAndTypingReplacesTheSelection) {
    EditBox box;
    ASSERT_EQ(CreateEditBox(box, 0, Rect(100, 100, 400, 300)), 1);
    EXPECT_EQ(PlatformKeyboardFocus(), int(box.childId));
    SetEditText(box, "winter");
    Key(KeyEnd);
    Key(KeyShift);
    for (int i = 0; i < 3; ++i) Key(KeyLeft);
    Key(KeyShift, MessageKind::KeyUp);
    Type("d\x01\x7F");
    Key(KeyLeft);
    Key(KeyBackspace);
    Key(KeyEnd);
    Type("\xBA");
    Run();
    EXPECT_EQ(Text(box), "wid\xBA");
    EXPECT_EQ(EditCaret(box), 4u);
}

TEST_F(Edit, TheLimitHolds) {
    EditBox box;
    ASSERT_EQ(CreateEditBox(box, kEditMulti, Rect(100, 100, 400, 300)), 1);
    EXPECT_EQ(box.limit, kEditDefaultLimit);
    for (int limit : {5, 0, -3}) SetEditLimit(box, limit);  // 0 and -3 are refused
    EXPECT_EQ(box.limit, 5);
    Type("abcd");
    Key(KeyEnter);  // a line break takes two bytes and no longer fits
    Type("efgh");
    Run();
    EXPECT_EQ(Text(box), "abcde");
    SetEditText(box, "0123456789");
    EXPECT_EQ(Text(box), "01234");
    SetEditText(box, "abcd\r\nx");  // cut inside a line break: no half break is kept
    EXPECT_EQ(Text(box), "abcd");
    char small[3];
    EXPECT_EQ(GetEditText(box, small, sizeof small), 2);
    EXPECT_STREQ(small, "ab");
    EXPECT_EQ(GetEditText(box, nullptr, 10), 0);
}

TEST_F(Edit, EnterEndsAOneLineBox) {
    EditBox one, multi;
    ASSERT_EQ(CreateEditBox(one, 7, Rect(100, 100, 400, 130)), 1);
    ASSERT_EQ(CreateEditBox(multi, kEditMulti, Rect(100, 200, 400, 400)), 1);
    EXPECT_NE(one.childId, multi.childId);
    Click(150, 110);  // the one-line box takes the focus back from the new one
    Type("x");
    Key(KeyEnter);
    EXPECT_EQ(Run(), 11);
    EXPECT_EQ(Text(one), "x");
    EXPECT_EQ(Text(multi), "");
}

TEST_F(Edit, PasswordsAreHidden) {
    EditBox box;
    ASSERT_EQ(CreateEditBox(box, kEditPassword, Rect(100, 100, 400, 130)), 1);
    SetEditFont(box, label);
    Type("secret");
    Run();
    EXPECT_EQ(Text(box), "secret");
    // What is drawn is six stars: compare with a box that shows "******".
    EditBox stars;
    ASSERT_EQ(CreateEditBox(stars, 0, Rect(100, 200, 400, 230)), 1);
    SetEditFont(stars, label);
    SetEditText(stars, "******");
    // The focus went to the new box, so the old one no longer shows its caret.
    const int caretX = box.rect.left + 3 + TextWidthDevice(label, "******", 6);
    for (int y = box.rect.top + 2; y < box.rect.bottom - 2; ++y)
        EXPECT_EQ(gDisplay.canvas.At(caretX, y), 255) << y;
    FocusEditBox(0);  // neither box shows a caret now
    const int shift = ToDeviceY(100);
    for (int y = box.rect.top; y < box.rect.bottom; ++y)
        for (int x = box.rect.left; x < box.rect.right; ++x)
            ASSERT_EQ(gDisplay.canvas.At(x, y), gDisplay.canvas.At(x, y + shift)) << x << "," << y;
}

TEST_F(Edit, F2ReachesTheMainWindowAndTheRightButtonIsIgnored) {
    EditBox box;
    ASSERT_EQ(CreateEditBox(box, 0, Rect(100, 100, 400, 130)), 1);
    SetEditText(box, "ab");
    Key(KeyF2);
    Message m;
    ASSERT_TRUE(PlatformPollMessage(m));
    EXPECT_EQ(m.target, MessageTarget::EditBox);
    DispatchEditBoxMessage(m);
    ASSERT_TRUE(PlatformPollMessage(m));
    EXPECT_TRUE(m.target == MessageTarget::MainWindow && m.key == KeyF2);
    Click(390, 110, MessageKind::RightDown);
    Run();
    EXPECT_EQ(EditCaret(box), 0u);
}

TEST_F(Edit, DestroyFreesTheBoxAndItsFont) {
    EditBox box;
    EXPECT_EQ(CreateEditBox(box, 0, Rect(100, 100, 100, 130)), 0);  // no width
    ASSERT_EQ(CreateEditBox(box, 0, Rect(100, 100, 400, 130)), 1);
    EXPECT_NE(box.ownedFont, nullptr);  // no font chosen: the box made its own
    const int fonts = gText.fontCount;
    const unsigned id = box.childId;
    DestroyEditBox(box);
    EXPECT_EQ(gText.fontCount, fonts - 1);
    EXPECT_TRUE(box.window == nullptr && PlatformKeyboardFocus() == 0);
    DestroyEditBox(box);  // twice is harmless
    SetEditText(box, "x");
    EXPECT_EQ(Text(box), "");
    Message m;
    m.kind = MessageKind::Character;
    m.character = 'x';
    m.target = MessageTarget::EditBox;
    m.childId = int(id);
    EXPECT_EQ(DispatchEditBoxMessage(m), 0);
}

}  // namespace
