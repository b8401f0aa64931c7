// SPDX-License-Identifier: GPL-3.0-or-later
// Controls: the state each kind leaves after a drawing, labels, round-button captions, greyed
// buttons, panels and their text items; the explanation card's wrapping and style cycle.
#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "widgets/control.h"
#include "widgets/interaction.h"
#include "widgets/text_block.h"
#include "widgets_fixture.h"

namespace {

using Controls = WidgetTest;

Control* Make(int kind, int state) {
    Control* c = CreateButton(7, 1, state, WidgetTest::R(100, 100, 200, 150), "Go", "", nullptr,
                              nullptr, 16, gUi.labelFont);
    c->kind = kind;
    return c;
}

TEST_F(Controls, EachKindLeavesTheStateItsTableGives) {
    struct Case {
        int kind, before, after;
    };
    const Case cases[] = {
        {kPushButton, -2, 2},   {kPushButton, -1, 1},  {kPushButton, 2, 2},
        {kPushButton, 1, 1},    {kSliderTrack, -2, 2}, {kSliderTrack, 2, 2},
        {kRoundButton, -2, 2},  {kRoundButton, 2, -2}, {kRoundButton, -1, 1},
        {kPanel, -2, 2},        {kPanel, 2, -2},       {kValuePanel, -2, 2},
        {kValuePanel, 2, -2},   {kSunkenBox, -2, 2},   {kSunkenBox, 2, -2},
        {kTextLabel, -2, -2},   {kTextLabel, 2, 2},    {kPopupFrame, -1, -1},
        {kTextBar, -2, 2},      {kTextBar, 2, 2},      {kHelpArea, -2, 2},
        {kHelpArea, 2, 2},      {kOpenFrame, -1, 2},   {kOpenFrame, 1, 2},
        {kEntryArea, 2, 2},     {kEntryArea, -2, -2},  {kCustomArea, -2, -2},
        {kEntryArea, 3, 3},     {kPanel, 3, 0},        {kPushButton, 3, 0},
        {kPushButton, 0, 0},
    };
    for (const Case& k : cases) {
        Control* c = Own(Make(k.kind, k.before));
        gDrawCount = 0;
        c->drawCallback = CountDrawing;
        const std::vector<uint8_t> before = gDisplay.canvas.pixels;
        DrawControl(c);
        EXPECT_EQ(c->state, k.after) << "kind " << k.kind << " from state " << k.before;
        // The callback follows every drawing except of hidden controls and hide requests.
        const bool drawn = k.before != 0 && (k.before != 3 || k.kind == kEntryArea);
        EXPECT_EQ(gDrawCount, drawn ? 1 : 0) << "kind " << k.kind << " from " << k.before;
        // Hide requests, hidden controls, help and entry areas paint nothing.
        if (k.before == 0 || k.before == 3 || k.kind == kHelpArea || k.kind == kEntryArea) {
            EXPECT_TRUE(gDisplay.canvas.pixels == before) << "kind " << k.kind << " from "
                                                          << k.before;
        }
    }
    DrawControl(nullptr);  // nothing to draw, nothing to fail
    // Entry areas are clickable from the start.
    EXPECT_EQ(Own(CreateEntryArea(5, 1, R(100, 100, 200, 150), "", nullptr))->state, 2);
}

TEST_F(Controls, ActiveButtonFaceBevelsOutlineAndShadow) {
    Control* panel = Own(CreatePanel(0, R(50, 50, 400, 300), "", nullptr, 23));
    DrawControl(panel);
    Control* b = Own(CreateButton(5, 1, -2, R(50, 50, 150, 100), "Go", "", nullptr, panel, 16,
                                  gUi.labelFont));
    EXPECT_EQ(XY(b->rect.left, b->rect.top), XY(100, 100));  // on its panel
    DrawControl(b);
    EXPECT_EQ(b->state, 2);
    // A black outline; bevels palest to darkest from the left (101..103) and on the right
    // (198); the face c+3; shadows p+1 and p+2 outside the right edge, from three rows down.
    ExpectPixels({{100, 100, 0}, {101, 120, 22}, {102, 120, 21}, {103, 120, 20}, {198, 120, 16},
                  {110, 110, 19}, {200, 120, 24}, {201, 120, 25}, {201, 101, 26}});

    // Selected faces: yellow, or slot 12 for the alternate selection.
    for (auto [selected, face] : {std::pair{1, 14}, {2, 12}}) {
        b->selected = selected;
        b->state = -2;
        DrawControl(b);
        EXPECT_EQ(At(110, 110), face);
    }

    // A positive state redraws only the frame: the face keeps what lies there.
    Fill(R(110, 110, 120, 120), 40);
    DrawControl(b);
    ExpectPixels({{112, 112, 40}, {100, 100, 0}});
}

TEST_F(Controls, LabelLinesSitAtTheirFractionsOfTheHeight) {
    struct Case {
        const char* label;
        std::vector<const char*> lines;
        std::vector<int> ys;
    };
    // rect top 100, bottom 220
    const Case cases[] = {
        {"Exit", {"Exit"}, {160}},
        {"Change@Tilt", {"Change", "Tilt"}, {136, 184}},
        {"Delete/Restore@This@Entry", {"Delete/Restore", "This", "Entry"}, {130, 160, 190}},
    };
    for (const Case& k : cases) {
        Fill(R(0, 0, 1024, 600), 26);
        Control* b = Own(CreateButton(5, 1, -2, R(300, 100, 500, 220), k.label, "", nullptr,
                                      nullptr, 16, gUi.labelFont));
        DrawControl(b);
        const auto runs = InkRows(b->labelRect, 0);
        ASSERT_EQ(runs.size(), k.lines.size()) << k.label;
        for (size_t i = 0; i < runs.size(); ++i) {
            const DeviceRect ref = ReferenceInk(gUi.labelFont, k.lines[i], 400, k.ys[i]);
            EXPECT_EQ(runs[i].first, ref.top) << k.label << " line " << i;
            EXPECT_EQ(runs[i].second, ref.bottom) << k.label << " line " << i;
        }
    }
}

TEST_F(Controls, LabelsAreCutToTheirBuffersAndIconBoxesWithoutRoomGetATinyLabelBox) {
    std::string longText(300, 'W');
    Control* b = Own(CreateButton(5, 1, -2, R(300, 100, 500, 220), longText.c_str(),
                                  longText.c_str(), nullptr, nullptr, 16, gUi.labelFont));
    EXPECT_EQ(std::strlen(b->label), size_t(kLabelSize - 1));
    EXPECT_EQ(std::strlen(b->help), size_t(kLabelSize - 1));
    DrawControl(b);  // one 127-character line is cut to 40 and drawn, clipped by nothing else
    EXPECT_EQ(b->state, 2);
    SetControlLabel(b, std::string(70, '@').c_str());
    b->state = -2;
    DrawControl(b);  // 128 empty lines: nothing to draw, nothing out of bounds
    EXPECT_EQ(b->state, 2);

    Control* box = Own(CreateButton(810, 1, -2, R(990, 10, 1010, 30), "", "",
                                    UiSprite(kSpriteClose), nullptr, 23, gUi.labelFont));
    EXPECT_EQ((std::array<int, 3>{box->labelRect.left, box->labelRect.right, box->labelRect.bottom}),
              (std::array{991, 992, 12}));
    DrawControl(box);
    EXPECT_EQ(box->state, 2);
}

TEST_F(Controls, InactiveButtonIsGreyedWithAnOutlineForItsIcon) {
    Control* panel = Own(CreatePanel(0, R(0, 0, 1024, 64), "", nullptr, 23));
    DrawControl(panel);
    const Sprite* icon = UiSprite(kSpriteSaveLogbook);
    Control* b = Own(CreateButton(806, 1, -1, R(690, 10, 810, 56), "Save In@Logbook", "", icon,
                                  panel, 16, gUi.smallLabelFont));
    DrawControl(b);
    EXPECT_EQ(b->state, 1);
    const int p2 = 25;
    // A flat frame in p+2, no outline, no bevels; the icon's outline in p+2 (free height
    // 38 - 32 = 6, so it starts 3 rows below top + 4) and inside it face, no icon.
    ExpectPixels({{690, 30, p2}, {809, 30, p2}, {691, 30, 19}, {694, 17, p2}, {725, 17, p2},
                  {694, 48, p2}, {710, 30, 19}});
    EXPECT_EQ(Count(R(694, 17, 726, 49), 19) + Count(R(694, 17, 726, 49), p2), 32 * 32);
    // The caption is grey, never black.
    EXPECT_GT(Count(b->labelRect, p2), 20);
    EXPECT_EQ(Count(b->labelRect, 0), 0);
    // And it is not clickable.
    Control* list[] = {panel, b};
    EXPECT_EQ(HitTestControls(750, 30, 2, list), panel);

    // Made active, the icon appears and the caption turns black.
    b->state = -2;
    DrawControl(b);
    EXPECT_GT(Count(R(694, 17, 726, 49), 19), 0);
    EXPECT_LT(Count(R(694, 17, 726, 49), 19), 32 * 32);
    EXPECT_GT(Count(b->labelRect, 0), 20);
    EXPECT_EQ(HitTestControls(750, 30, 2, list), b);
}

// Expects the round button's caption, in its colour (white unless selected), to span what
// `text` centred at (180, 180) spans.
void ExpectCaption(const Control* b, const char* text) {
    const DeviceRect ink = WidgetTest::Ink(b->labelRect, b->selected ? 0 : 255);
    const DeviceRect ref = WidgetTest::ReferenceInk(gUi.labelFont, text, 180, 180);
    EXPECT_EQ(ink.left, ref.left) << text;
    EXPECT_EQ(ink.right, ref.right) << text;
}

TEST_F(Controls, RoundButtonShowsOneCaptionAtATime) {
    Control* panel = Own(CreatePanel(0, R(0, 64, 1024, 600), "", nullptr, 23));
    DrawControl(panel);
    Control* b = Own(CreateRoundButton(120, 1, -2, R(100, 100, 260, 260), "Pause@Resume", "",
                                       nullptr, nullptr, 44, 37, gUi.labelFont));
    EXPECT_EQ(b->hitRect.left, 105);
    EXPECT_EQ(b->labelRect.left, 120);
    EXPECT_EQ(b->colour, 44 + 100 * 37);
    DrawControl(b);
    ExpectCaption(b, "Pause");
    EXPECT_EQ(At(180, 130), 47);  // green label disc

    ToggleControl(b);  // selected: "Resume" in black on the red disc
    EXPECT_EQ(b->selected, 1);
    ExpectCaption(b, "Resume");
    EXPECT_EQ(At(180, 130), 40);
    EXPECT_EQ(Count(b->labelRect, 255), 0);

    // A label without '@' reads the same in both states.
    SetControlLabel(b, "Go");
    b->state = -2;
    DrawControl(b);
    ExpectCaption(b, "Go");

    // Inactive: a flat grey disc in its outline, without caption, that takes no clicks.
    b->state = -1;
    DrawControl(b);
    EXPECT_EQ(b->state, 1);
    ExpectPixels({{180, 180, 19}, {180, 100, 8}});
    EXPECT_EQ(Count(b->labelRect, 255), 0);
    Control* list[] = {b};
    EXPECT_EQ(HitTestControls(180, 180, 1, list), nullptr);
}

TEST_F(Controls, BangLabelShowsBothLinesTwentyTwoApart) {
    Control* b = Own(CreateRoundButton(801, 1, -2, R(100, 100, 300, 300), "!Watch the@Seasons",
                                       "", nullptr, nullptr, 16, 16, gUi.labelFont));
    DrawControl(b);
    const auto runs = InkRows(b->labelRect, 255);
    ASSERT_EQ(runs.size(), 2u);
    const DeviceRect a = ReferenceInk(gUi.labelFont, "Watch the", 200, 200 - 12);
    const DeviceRect s = ReferenceInk(gUi.labelFont, "Seasons", 200, 200 + 10);
    EXPECT_EQ(runs[0].first, a.top);
    EXPECT_EQ(runs[1].first, s.top);
    EXPECT_EQ((s.top - (200 + 10)) - (a.top - (200 - 12)) + 22, runs[1].first - runs[0].first);
    // Selected, both lines still show (in black).
    ToggleControl(b);
    EXPECT_EQ(InkRows(b->labelRect, 0).size(), 2u);
}

TEST_F(Controls, PanelTextItemsValuePanelsAndTextBars) {
    Control* panel = Own(CreatePanel(0, R(100, 100, 400, 300), "", nullptr, 30));
    const TextItem* item = AddPanelText(panel, 10, 20, R(0, 0, 0, 0), 0, 0, "Tilt", gUi.labelFont,
                                        0, 33);
    EXPECT_EQ(XY(item->x, item->y), XY(110, 120));  // stored absolute
    DrawControl(panel);
    EXPECT_EQ(At(300, 250), 33);  // face colour+3
    EXPECT_GT(Count(R(110, 120, 160, 145), 0), 10);

    Control* values = Own(CreateValuePanel(1, R(500, 100, 700, 300), "", panel));
    TextItem* v1 = AddPanelText(values, 600, 150, R(520, 120, 680, 180), 1, 1, "23.5",
                                gUi.labelFont, 0, 40);
    AddPanelText(values, 600, 250, R(520, 220, 680, 280), 1, 1, "North@Pole", gUi.labelFont, 0,
                 41);
    EXPECT_EQ(v1->x, 600);  // value panels keep their items' coordinates
    DrawControl(values);
    EXPECT_EQ(values->state, 2);
    EXPECT_EQ(At(521, 121), 40);
    EXPECT_EQ(InkRows(R(520, 220, 680, 280), 0).size(), 2u);  // split at '@'

    SetValueTextAt(values, 600, 150, "66.5");
    EXPECT_STREQ(v1->text, "66.5");
    SetValueTextAt(values, 601, 150, "0.0");  // no item there
    EXPECT_STREQ(v1->text, "66.5");
    SetValueText(v1, "");  // an empty text keeps the old one and redraws it
    EXPECT_STREQ(v1->text, "66.5");

    // A text bar shows its text in its pen colour; an empty text clears it.
    Control* bar = Own(CreateTextBar(1, R(120, 742, 1024, 764), "", nullptr, gUi.labelFont, 26, 0,
                                     "This tells you"));
    DrawControl(bar);
    EXPECT_EQ(bar->state, 2);
    EXPECT_GT(Count(bar->rect, 0), 20);
    SetHelpLineText(bar, "");
    EXPECT_EQ(Count(bar->rect, 0), 0);
}

TEST_F(Controls, SliderOpenFrameAndSunkenBox) {
    Control* slider = Own(CreateButton(130, 1, -2, R(100, 100, 400, 140), "", "", nullptr, nullptr,
                                       16, nullptr));
    slider->kind = kSliderTrack;
    MakeRect(slider->hitRect, 200, 104, 220, 136);
    const int32_t ticks = 4;
    std::memcpy(slider->label, &ticks, sizeof ticks);
    slider->labelX = 1;
    DrawControl(slider);
    // The track's black middle, the first and last ticks 12 in from the ends, the knob's face
    // and outline.
    ExpectPixels({{150, 120, 0}, {112, 109, 0}, {388, 109, 0}, {210, 120, 19}, {200, 120, 0}});

    Control* frame = Own(Make(kOpenFrame, -2));
    frame->selected = 0;  // left side open
    DrawControl(frame);
    // The top edge in p, the open left one filled p+2, the right one in p+6.
    ExpectPixels({{150, 100, 23}, {100, 125, 25}, {199, 125, 29}});

    Control* box = Own(Make(kSunkenBox, -2));
    box->colour = 30;
    DrawControl(box);
    ExpectPixels({{100, 125, 30}, {199, 125, 36}, {150, 125, 32}});  // dark left, pale right, pen
}

TEST_F(Controls, BevelAndMessageBox) {
    BeginDrawing();
    DrawBevel(R(10, 10, 20, 20), 1, 5, 6);
    ExpectPixels({{11, 15, 5}, {15, 11, 5}, {18, 15, 6}, {15, 18, 6}, {10, 15, 26}});
    SelectTextFont(gUi.labelFont);
    DrawMessageBox(112, 512, 400, 0, 14, "So:", "one", "two");  // width (512 - 112) * 2
    EndDrawing();
    // Filled, with a frame one pixel outside: white on the left, black on the right.
    ExpectPixels({{113, 400, 14}, {111, 400, 255}, {912, 400, 0}, {110, 400, 26}});
    EXPECT_GT(Count(R(132, 360, 200, 380), 0), 5);  // first line at left + 20
}

TEST_F(Controls, MessageBoxRequestsCycleTheirFillAndARequestWithoutTextsDrawsNothing) {
    int counter = 1;
    std::vector<int> fills;
    SelectTextFont(gUi.labelFont);
    BeginDrawing();
    for (int i = 0; i < 6; ++i) {
        fills.push_back(counter);
        RequestMessageBox(counter, 112, 512, 400, 0, "So:", "one", "two");
        EXPECT_EQ(At(113, 400), fills.back());
    }
    RequestMessageBox(counter, 112, 512, 400, 0, nullptr, nullptr, nullptr);
    EndDrawing();
    EXPECT_EQ(fills, (std::vector<int>{1, 3, 5, 2, 4, 1}));
    EXPECT_EQ(At(113, 400), 1);  // the last box stays
    EXPECT_EQ(counter, 5);       // yet the empty request moved the counter on
}

struct TextBlockTest : WidgetTest {
    TextBlockFonts fonts;
    void SetUp() override {
        WidgetTest::SetUp();
        ASSERT_TRUE(CreateTextBlockFonts(fonts));
    }
    void TearDown() override {
        ReleaseTextBlockFonts(fonts);
        WidgetTest::TearDown();
    }
};

TEST_F(TextBlockTest, RowsBreakAtTheLastBlankThatFits) {
    SelectTextFont(fonts.body);
    const int word = TextWidth("alpha");
    const int two = TextWidth("alpha beta");
    struct Case {
        const char* text;
        int width, rows, secondStart;  // -1: one row only
    } cases[] = {
        {"", 100, 1, -1},
        {"alpha beta", two, 1, -1},
        {"alpha beta", two - 1, 2, 6},
        {"alpha   beta", word + 2, 2, 8},  // the blanks between rows are dropped
        {"alpha beta gamma", two + 2, 2, 11},
        {"alphabetagamma", word, 1, -1},   // a word too long for the row keeps its row
    };
    for (const Case& c : cases) {
        int starts[4] = {-1, -1, -1, -1};
        EXPECT_EQ(WrapTextRows(c.text, c.width, fonts.body, starts, 4), c.rows) << c.text;
        EXPECT_EQ(starts[0], 0) << c.text;
        EXPECT_EQ(starts[1], c.secondStart) << c.text;
    }
    EXPECT_EQ(WrapTextRows(nullptr, 100, fonts.body, nullptr, 0), 0);
}

TEST_F(TextBlockTest, StylesCycleThroughFiveAccentsAndANewCardCoversTheOld) {
    int style = 1;
    for (int next : {3, 5, 2, 4, 1}) EXPECT_EQ(style = NextTextBlockStyle(style), next);
    EXPECT_EQ(NextTextBlockStyle(0), 3);  // out of range counts as 1

    const ScreenRect card = R(40, 100, 552, 100 + TextBlockHeight(fonts, 2));
    const char* longLines[] = {"a first line that is long enough", "and a second"};
    const char* shortLines[] = {"x", ""};
    BeginDrawing();
    EXPECT_EQ(DrawTextBlock(card, 255, 16, 1, fonts, "Heading:", longLines, 2), 3);
    EXPECT_EQ(DrawTextBlock(card, 255, 16, 3, fonts, "H", shortLines, 2), 3);
    EndDrawing();
    // The frame lies outside the card.
    ExpectPixels({{42, 110, TextBlockAccentSlot(3)}, {card.left - 1, card.top - 1, 255},
                  {card.right, card.bottom, 0}});
    // Only the short texts' ink is left: nothing of the long line shows right of them.
    EXPECT_EQ(Count(R(120, card.top, card.right, card.bottom), 255), 0);
}

}  // namespace
