// SPDX-License-Identifier: GPL-3.0-or-later
// Edit boxes driven by scripted messages on the headless backend.
#include "graphics/edit_box.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "graphics/scale.h"
#include "tests/graphics/display_fixture.h"

namespace {

struct Edit : CanvasTest {
    TextFont* font = nullptr;

    void SetUp() override {
        CanvasTest::SetUp();
        font = label;
    }
    void TearDown() override {
        ResetEditBoxes();
        CanvasTest::TearDown();
    }

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

// Typing and the caret keys on one line and between lines, Shift selecting and typing over the
// selection: each script's text and caret.
TEST_F(Edit, TypingCaretKeysAndSelections) {
    struct Step {
        int key;  // a key (negative: let go), or 0 and
        const char* text = nullptr;  // typed text
    };
    const char* const lines = "first\r\nsecond line\r\nthird";
    const struct {
        int flags;
        const char* start;
        std::vector<Step> steps;
        const char* text;
        int caret;  // -1: not checked
    } cases[] = {
        // the blank goes; control bytes are not text
        {0, "", {{0, "Tilt 23"}, {KeyLeft}, {KeyLeft}, {KeyBackspace}, {0, "="}, {KeyHome},
                 {KeyDelete}, {0, "t"}, {KeyEnd}, {0, "\xBA"}, {0, "\x01\x7F"}}, "tilt=23\xBA", 8},
        // after the selection is replaced, Left is an ordinary move
        {0, "winter", {{KeyEnd}, {KeyShift}, {KeyLeft}, {KeyLeft}, {KeyLeft}, {-KeyShift}, {0, "d"},
                       {KeyLeft}, {KeyBackspace}}, "wid", -1},
        {kEditMulti, lines, {{KeyDown}, {KeyEnd}, {KeyDown}}, lines, 25},
        {kEditMulti, lines,
         {{KeyDown}, {KeyEnd}, {KeyDown}, {KeyUp}, {KeyUp}, {KeyUp}, {KeyHome}}, lines, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EditBox box;
        ASSERT_EQ(CreateEditBox(box, c.flags, R(100, 100, 400, 300)), 1);
        EXPECT_EQ(PlatformKeyboardFocus(), int(box.childId));
        SetEditFont(box, font);
        SetEditText(box, c.start);
        for (const Step& step : c.steps) {
            if (step.text) Type(step.text);
            else Key(std::abs(step.key), step.key < 0 ? MessageKind::KeyUp : MessageKind::KeyDown);
        }
        Run();
        EXPECT_EQ(Text(box), c.text);
        if (c.caret >= 0) {
            EXPECT_EQ(EditCaret(box), size_t(c.caret));
        }
        DestroyEditBox(box);
    }
}

TEST_F(Edit, TheLimitHolds) {
    EditBox box;
    ASSERT_EQ(CreateEditBox(box, kEditMulti, R(100, 100, 400, 300)), 1);
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

TEST_F(Edit, EnterEndsAOneLineBoxAndBreaksAMultiLineOne) {
    EditBox one, multi;
    ASSERT_EQ(CreateEditBox(one, 7, R(100, 100, 400, 130)), 1);
    ASSERT_EQ(CreateEditBox(multi, kEditMulti, R(100, 200, 400, 400)), 1);
    EXPECT_NE(one.childId, multi.childId);
    Type("a");
    Key(KeyEnter);
    Type("b");
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Text(multi), "a\r\nb");
    Key(KeyBackspace);
    Key(KeyBackspace);  // the line break goes as one
    Run();
    EXPECT_EQ(Text(multi), "a");

    Click(150, 110);  // the one-line box takes the focus
    Type("x");
    Key(KeyEnter);
    EXPECT_EQ(Run(), 11);
    EXPECT_EQ(Text(one), "x");
}

TEST_F(Edit, PasswordsAreHidden) {
    EditBox box;
    ASSERT_EQ(CreateEditBox(box, kEditPassword, R(100, 100, 400, 130)), 1);
    SetEditFont(box, font);
    Type("secret");
    Run();
    EXPECT_EQ(Text(box), "secret");
    // What is drawn is six stars: compare with a box that shows "******".
    EditBox stars;
    ASSERT_EQ(CreateEditBox(stars, 0, R(100, 200, 400, 230)), 1);
    SetEditFont(stars, font);
    SetEditText(stars, "******");
    // The focus went to the new box, so the old one no longer shows its caret.
    const int caretX = box.rect.left + 3 + TextWidthDevice(font, "******", 6);
    for (int y = box.rect.top + 2; y < box.rect.bottom - 2; ++y)
        EXPECT_EQ(gDisplay.canvas.At(caretX, y), 255) << y;
    FocusEditBox(0);  // neither box shows a caret now
    const int shift = ToDeviceY(100);
    for (int y = box.rect.top; y < box.rect.bottom; ++y)
        for (int x = box.rect.left; x < box.rect.right; ++x)
            ASSERT_EQ(gDisplay.canvas.At(x, y), gDisplay.canvas.At(x, y + shift)) << x << "," << y;
}

TEST_F(Edit, LongTextWrapsAndScrolls) {
    EditBox box;
    ASSERT_EQ(CreateEditBox(box, kEditMultiScroll, R(100, 100, 300, 200)), 1);
    SetEditFont(box, font);
    SetEditLimit(box, 1028);
    Type("The Sun stands higher in summer, so each square metre of ground receives more "
         "energy, and the days are longer too. In winter the opposite holds.");
    Run();
    const int lines = EditLineCount(box);
    const int visible = EditVisibleLines(box);
    EXPECT_GT(lines, visible);
    EXPECT_EQ(EditFirstLine(box), lines - visible);  // the caret at the end is in view

    // No wrapped line is wider than the text area.
    for (int y = box.rect.top + 1; y < box.rect.bottom - 1; ++y)
        for (int x = box.rect.right - 1 - 16 - 3; x < box.rect.right - 1 - 16; ++x)
            EXPECT_NE(gDisplay.canvas.At(x, y), 0) << x << "," << y;

    // The scroll bar: the up arrow, then the track below the thumb.
    const int barX = box.rect.right - 8;
    Click(barX, box.rect.top + 4);
    Run();
    EXPECT_EQ(EditFirstLine(box), lines - visible - 1);
    for (int i = 0; i < 6; ++i) Click(barX, box.rect.top + 1);
    Run();
    EXPECT_EQ(EditFirstLine(box), 0);  // never above the first line
    Click(barX, box.rect.bottom - 20);  // the track below the thumb: a page down
    Run();
    EXPECT_EQ(EditFirstLine(box), std::min(visible, lines - visible));

    // Ctrl-less keyboard paging moves the caret and the view with it.
    for (int i = 0; i < 4; ++i) Key(KeyPageUp);
    Run();
    EXPECT_EQ(EditFirstLine(box), 0);
    EXPECT_LT(EditCaret(box), 30u);
}

TEST_F(Edit, F2ReachesTheMainWindowAndTheRightButtonIsIgnored) {
    EditBox box;
    ASSERT_EQ(CreateEditBox(box, 0, R(100, 100, 400, 130)), 1);
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
    EXPECT_EQ(CreateEditBox(box, 0, R(100, 100, 100, 130)), 0);  // no width
    ASSERT_EQ(CreateEditBox(box, 0, R(100, 100, 400, 130)), 1);
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
