// SPDX-License-Identifier: GPL-3.0-or-later
// The explanation card: its wrapping, its style cycle, and that a new card covers the old.
#include "widgets/text_block.h"

#include "widgets_fixture.h"

namespace {

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
        int width;
        int rows;
        int secondStart;  // -1: one row only
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
        if (c.secondStart >= 0) {
            EXPECT_EQ(starts[1], c.secondStart) << c.text;
        }
    }
    EXPECT_EQ(WrapTextRows(nullptr, 100, fonts.body, nullptr, 0), 0);
}

TEST_F(TextBlockTest, StylesCycleThroughFiveAccentsAndANewCardCoversTheOld) {
    int style = 1;
    const int expected[] = {3, 5, 2, 4, 1};
    for (int next : expected) {
        style = NextTextBlockStyle(style);
        EXPECT_EQ(style, next);
    }
    EXPECT_EQ(NextTextBlockStyle(0), 3);  // out of range counts as 1

    const ScreenRect card = R(40, 100, 552, 100 + TextBlockHeight(fonts, 2));
    const char* longLines[] = {"a first line that is long enough", "and a second"};
    const char* shortLines[] = {"x", ""};
    BeginDrawing();
    EXPECT_EQ(DrawTextBlock(card, 255, 16, 1, fonts, "Heading:", longLines, 2), 3);
    EXPECT_EQ(DrawTextBlock(card, 255, 16, 3, fonts, "H", shortLines, 2), 3);
    EndDrawing();
    EXPECT_EQ(At(42, 110), TextBlockAccentSlot(3));
    // Only the short texts' ink is left: nothing of the long line shows right of them.
    EXPECT_EQ(Count(R(120, card.top, card.right, card.bottom), 255), 0);
    EXPECT_EQ(At(card.left - 1, card.top - 1), 255);  // the frame, outside the card
    EXPECT_EQ(At(card.right, card.bottom), 0);
}

}  // namespace
