// SPDX-License-Identifier: GPL-3.0-or-later
// Edit boxes: text-entry children of the main window, drawn on the canvas by us. They take
// keyboard input while they hold the focus and their mouse input inside their rectangle.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/rect.h"
#include "graphics/text.h"
#include "platform/platform.h"

// Kinds of CreateEditBox; any other value makes a plain one-line box.
enum : int { kEditPassword = -102, kEditMultiScroll = -101, kEditMulti = -100 };

constexpr int kEditDefaultLimit = 30000;
constexpr int kEditMaxLimit = 0x7FFFFFFE;

struct EditWindow;  // the box's live state, owned by the edit box list below

// The caller's record of one box.
struct EditBox {
    EditWindow* window = nullptr;  // null when no box exists
    unsigned childId = 0;
    DeviceRect rect;               // device pixels
    TextFont* ownedFont = nullptr; // the box's own font, deleted with the box
    int limit = 0;                 // most bytes the box holds
};

struct EditWindow {
    unsigned childId = 0;
    int kind = 0;
    DeviceRect rect;
    TextFont* font = nullptr;       // chosen with SetEditFont
    TextFont* ownedFont = nullptr;  // made when no font was chosen
    int limit = kEditDefaultLimit;
    std::string text;               // Windows-1252; multi-line boxes break lines with "\r\n"
    size_t caret = 0;
    size_t anchor = 0;              // the other end of the selection (== caret: none)
    int firstLine = 0;              // top visible line of a multi-line box
    int scrollX = 0;                // pixels scrolled off the left of a one-line box
    int preferredX = -1;            // caret column kept while moving up and down
    bool dragging = false;          // the scroll bar's thumb is being dragged
    int dragOffset = 0;
};

struct EditBoxState {
    std::vector<std::unique_ptr<EditWindow>> windows;
    unsigned nextChildId = 0;
    bool shiftDown = false;
};
extern EditBoxState gEditBoxes;

// Destroys every box (tests call it).
void ResetEditBoxes();

// Creates a visible box at the logical rect with the keyboard focus. kind: kEditPassword a
// one-line box showing '*' for each character, kEditMultiScroll a word-wrapped box with a
// vertical scroll bar, kEditMulti a word-wrapped box, anything else a one-line box. A box that
// already exists in the record is destroyed first. Returns 1, or 0 for an empty rect.
int CreateEditBox(EditBox& box, int kind, const ScreenRect& rect);
void SetEditFont(EditBox& box, TextFont* font);
// Limits the text to n bytes (1 .. kEditMaxLimit; other values are refused and change nothing).
void SetEditLimit(EditBox& box, int n);
// Replaces the text; anything beyond the limit is cut off. Null clears it.
void SetEditText(EditBox& box, const char* text);
// Copies at most the limit and at most size - 1 bytes into buffer, always terminated.
// Returns the number of bytes copied.
int GetEditText(const EditBox& box, char* buffer, size_t size);
void DestroyEditBox(EditBox& box);

// Selects the whole text, the caret at its end.
void SelectAllEditText(EditBox& box);
// The box whose rectangle holds the device point (its child id), 0 when none does.
unsigned EditBoxAt(int deviceX, int deviceY);
// Gives the keyboard to the box with this child id, or to the main window for 0; the box
// that loses it is drawn again without its caret, the one that gains it with it.
void FocusEditBox(unsigned childId);

// Handles a message addressed to an edit box. Returns 11 when Enter was pressed in a one-line
// box (the screen acts on it), otherwise 0. F2 is passed on to the main window as well;
// Ctrl+A selects the whole text.
int DispatchEditBoxMessage(const Message& message);
// Draws one box, or every box (after the display was lost).
void DrawEditBox(const EditBox& box);
void RedrawEditBoxes();

// The text of a box, and the caret position; for tests and the logbook screen.
const std::string& EditText(const EditBox& box);
size_t EditCaret(const EditBox& box);
// The lines a box shows now, as wrapped, from its top visible line; for the replay's texts.
std::vector<std::string> EditShownLines(EditWindow& window);
