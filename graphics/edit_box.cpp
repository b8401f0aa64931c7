// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/edit_box.h"

#include <algorithm>
#include <cstring>

#include "graphics/draw.h"

EditBoxState gEditBoxes;

namespace {

// Colours: a white field with black text, like the system's own edit controls.
constexpr uint8_t kFieldColour = 255;
constexpr uint8_t kTextColour = 0;
constexpr uint8_t kFrameColour = 0;
constexpr uint8_t kSelectionColour = 1;  // dark blue, text on it in white
constexpr uint8_t kBarTrackColour = 29;
constexpr uint8_t kBarButtonColour = 26;
constexpr uint8_t kBarEdgeColour = 23;
constexpr int kMargin = 2;  // pixels between the frame and the text

struct Line {
    size_t begin = 0;
    size_t end = 0;   // end of the visible text of the line
    size_t next = 0;  // where the next line starts (after a line break or wrapped blanks)
};

bool IsMulti(const EditWindow& w) { return w.kind == kEditMulti || w.kind == kEditMultiScroll; }

TextFont* FontOf(EditWindow& w) {
    if (w.font) return w.font;
    if (!w.ownedFont) w.ownedFont = CreateTextFont("Arial", 16, 0, 0);
    return w.ownedFont;
}

EditWindow* Find(unsigned childId) {
    for (auto& w : gEditBoxes.windows)
        if (w->childId == childId) return w.get();
    return nullptr;
}

int ScrollBarWidth(const EditWindow& w) {
    if (w.kind != kEditMultiScroll) return 0;
    return std::min(16, std::max(0, (w.rect.right - w.rect.left) / 3));
}

// The rectangle the text is drawn in.
DeviceRect TextArea(const EditWindow& w) {
    DeviceRect r = w.rect;
    r.left += 1 + kMargin;
    r.top += 1 + kMargin / 2;
    r.right -= 1 + kMargin + ScrollBarWidth(w);
    r.bottom -= 1 + kMargin / 2;
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

int LineHeight(EditWindow& w) { return std::max(1, FontHeight(FontOf(w))); }

int VisibleLines(EditWindow& w) {
    const DeviceRect a = TextArea(w);
    return std::max(1, (a.bottom - a.top) / LineHeight(w));
}

int Advance(EditWindow& w, size_t i) {
    const uint8_t c = w.kind == kEditPassword ? uint8_t('*') : uint8_t(w.text[i]);
    return Glyph(FontOf(w), c).advance;
}

int Width(EditWindow& w, size_t begin, size_t end) {
    int x = 0;
    for (size_t i = begin; i < end; ++i) x += Advance(w, i);
    return x;
}

// Where a line break starting at i ends, or i when there is none.
size_t SkipBreak(const std::string& t, size_t i) {
    if (i < t.size() && t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') return i + 2;
    if (i < t.size() && (t[i] == '\n' || t[i] == '\r')) return i + 1;
    return i;
}

// Lines of the box: one for a one-line box, word-wrapped paragraphs for a multi-line one.
std::vector<Line> Layout(EditWindow& w) {
    std::vector<Line> lines;
    const std::string& t = w.text;
    if (!IsMulti(w)) {
        lines.push_back(Line{0, t.size(), t.size()});
        return lines;
    }
    const DeviceRect area = TextArea(w);
    const int width = std::max(1, area.right - area.left);
    size_t start = 0;
    for (;;) {
        size_t pe = start;
        while (pe < t.size() && t[pe] != '\r' && t[pe] != '\n') ++pe;
        const size_t after = SkipBreak(t, pe);
        // Wrap [start, pe) greedily at blanks; a word longer than a line breaks anywhere.
        for (;;) {
            int x = 0;
            size_t brk = pe;
            size_t lastBlankEnd = std::string::npos;
            for (size_t i = start; i < pe; ++i) {
                const int adv = Advance(w, i);
                if (x + adv > width && i > start) {
                    if (t[i] == ' ') {
                        brk = i;
                        while (brk < pe && t[brk] == ' ') ++brk;  // blanks hang at the line end
                    } else if (lastBlankEnd != std::string::npos) {
                        brk = lastBlankEnd;
                    } else {
                        brk = i;
                    }
                    break;
                }
                if (t[i] == ' ') lastBlankEnd = i + 1;
                x += adv;
            }
            if (brk >= pe) {
                lines.push_back(Line{start, pe, after});
                break;
            }
            lines.push_back(Line{start, brk, brk});
            start = brk;
        }
        if (after == pe) break;  // the end of the text
        start = after;
    }
    return lines;
}

int LineOf(const std::vector<Line>& lines, size_t pos) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (pos >= lines[i].begin && pos < lines[i].next) return int(i);
    return int(lines.size()) - 1;
}

// The position in a line closest to x pixels from its start.
size_t PositionAt(EditWindow& w, const Line& line, int x) {
    int cx = 0;
    for (size_t i = line.begin; i < line.end; ++i) {
        const int adv = Advance(w, i);
        if (x < cx + adv / 2) return i;
        cx += adv;
    }
    return line.end;
}

int MaxFirstLine(EditWindow& w, const std::vector<Line>& lines) {
    return std::max(0, int(lines.size()) - VisibleLines(w));
}

// Scrolls so the caret can be seen.
void KeepCaretVisible(EditWindow& w) {
    const std::vector<Line> lines = Layout(w);
    const int line = LineOf(lines, w.caret);
    if (IsMulti(w)) {
        const int visible = VisibleLines(w);
        if (line < w.firstLine) w.firstLine = line;
        if (line >= w.firstLine + visible) w.firstLine = line - visible + 1;
        w.firstLine = std::clamp(w.firstLine, 0, MaxFirstLine(w, lines));
        w.scrollX = 0;
    } else {
        const DeviceRect area = TextArea(w);
        const int width = area.right - area.left;
        const int cx = Width(w, 0, w.caret);
        if (cx < w.scrollX) w.scrollX = std::max(0, cx - width / 3);
        if (cx > w.scrollX + width - 1) w.scrollX = cx - width + 1;
        w.scrollX = std::max(0, w.scrollX);
    }
}

// The whole text selected, the caret at its end (Ctrl+A, and a comment there to be replaced).
void SelectAll(EditWindow& w) {
    w.anchor = 0;
    w.caret = w.text.size();
    KeepCaretVisible(w);
}

// ---- drawing --------------------------------------------------------------------------

void Fill(const DeviceRect& r, uint8_t colour) {
    for (int y = r.top; y < r.bottom; ++y) WriteSpan(y, r.left, r.right, colour);
}

void Frame(const DeviceRect& r, uint8_t colour) {
    if (IsEmpty(r)) return;
    WriteSpan(r.top, r.left, r.right, colour);
    WriteSpan(r.bottom - 1, r.left, r.right, colour);
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        WritePixel(r.left, y, colour);
        WritePixel(r.right - 1, y, colour);
    }
}

// A small solid triangle pointing up or down, centred in r.
void Arrow(const DeviceRect& r, bool up, uint8_t colour) {
    const int cx = (r.left + r.right) / 2;
    const int h = std::max(2, (r.bottom - r.top) / 4);
    const int top = (r.top + r.bottom) / 2 - h / 2;
    for (int i = 0; i < h; ++i) {
        const int half = up ? i : h - 1 - i;
        WriteSpan(top + i, cx - half, cx + half + 1, colour);
    }
}

struct BarParts {
    DeviceRect up, down, track, thumb;
    bool active = false;  // more lines than the box shows
};

BarParts ScrollBar(EditWindow& w, const std::vector<Line>& lines) {
    BarParts b;
    const int sw = ScrollBarWidth(w);
    const DeviceRect r{w.rect.right - 1 - sw, w.rect.top + 1, w.rect.right - 1, w.rect.bottom - 1};
    const int button = std::min(sw, (r.bottom - r.top) / 3);
    b.up = DeviceRect{r.left, r.top, r.right, r.top + button};
    b.down = DeviceRect{r.left, r.bottom - button, r.right, r.bottom};
    b.track = DeviceRect{r.left, b.up.bottom, r.right, b.down.top};
    const int total = int(lines.size());
    const int visible = VisibleLines(w);
    const int trackH = b.track.bottom - b.track.top;
    b.active = total > visible && trackH > 0;
    if (!b.active) {
        b.thumb = b.track;
        return b;
    }
    const int thumbH = std::clamp(trackH * visible / total, std::min(8, trackH), trackH);
    const int range = total - visible;
    const int top = b.track.top + (trackH - thumbH) * std::min(w.firstLine, range) / range;
    b.thumb = DeviceRect{r.left, top, r.right, top + thumbH};
    return b;
}

void DrawWindow(EditWindow& w) {
    if (!gDraw.primary || IsEmpty(w.rect)) return;
    // The box draws on the canvas with its own clip, then gives the drawing state back.
    const DrawState saved = gDraw;
    gDraw.target = gDraw.primary;
    gDraw.rasterMode = RasterMode::Copy;
    gDraw.hasClip = true;
    gDraw.clipIsRegion = false;
    gDraw.clipRect = w.rect;
    RefreshDrawClip();

    Fill(w.rect, kFieldColour);
    Frame(w.rect, kFrameColour);
    TextFont* font = FontOf(w);
    const std::vector<Line> lines = Layout(w);
    const DeviceRect area = TextArea(w);
    const int lh = LineHeight(w);
    const size_t selA = std::min(w.caret, w.anchor), selB = std::max(w.caret, w.anchor);
    const bool focused = PlatformKeyboardFocus() == int(w.childId);
    const std::string shown = w.kind == kEditPassword ? std::string(w.text.size(), '*') : w.text;

    const int first = IsMulti(w) ? w.firstLine : 0;
    for (int li = first; li < int(lines.size()); ++li) {
        const int top = area.top + (li - first) * lh;
        if (top >= area.bottom) break;
        const Line& line = lines[size_t(li)];
        const int x0 = area.left - w.scrollX;
        if (font) {
            // Selected part: highlighted field, white text.
            const size_t a = std::clamp(selA, line.begin, line.end);
            const size_t b = std::clamp(selB, line.begin, line.end);
            if (focused && a < b) {  // a box without the keys shows no selection
                const DeviceRect hl{x0 + Width(w, line.begin, a), top, x0 + Width(w, line.begin, b),
                                    std::min(top + lh, area.bottom)};
                Fill(IntersectDeviceRects(hl, area), kSelectionColour);
            }
            int x = x0;
            for (size_t i = line.begin; i < line.end; ++i) {
                const uint8_t colour = (focused && i >= selA && i < selB) ? 255 : kTextColour;
                x = DrawTextRun(font, x, top + font->ascent, shown.c_str() + i, 1, colour, &area);
            }
        }
        if (focused && LineOf(lines, w.caret) == li) {
            const int cx = x0 + Width(w, line.begin, std::min(w.caret, line.end));
            if (cx >= area.left - 1 && cx <= area.right)
                for (int y = top; y < std::min(top + lh, area.bottom); ++y)
                    WritePixel(cx, y, kTextColour);
        }
    }
    if (w.kind == kEditMultiScroll && ScrollBarWidth(w) > 0) {
        const BarParts bar = ScrollBar(w, lines);
        Fill(bar.track, kBarTrackColour);
        for (const DeviceRect& r : {bar.up, bar.down}) {
            Fill(r, kBarButtonColour);
            Frame(r, kBarEdgeColour);
        }
        Arrow(bar.up, true, bar.active ? kTextColour : kBarEdgeColour);
        Arrow(bar.down, false, bar.active ? kTextColour : kBarEdgeColour);
        if (bar.active) {
            Fill(bar.thumb, kBarButtonColour);
            Frame(bar.thumb, kBarEdgeColour);
        }
    }
    gDraw = saved;
    PlatformPresentCoalesced();
}

// ---- editing --------------------------------------------------------------------------

size_t PrevPosition(const std::string& t, size_t pos) {
    if (pos == 0) return 0;
    if (pos >= 2 && t[pos - 1] == '\n' && t[pos - 2] == '\r') return pos - 2;
    return pos - 1;
}

size_t NextPosition(const std::string& t, size_t pos) {
    if (pos >= t.size()) return t.size();
    const size_t b = SkipBreak(t, pos);
    return b != pos ? b : pos + 1;
}

bool DeleteSelection(EditWindow& w) {
    if (w.caret == w.anchor) return false;
    const size_t a = std::min(w.caret, w.anchor), b = std::max(w.caret, w.anchor);
    w.text.erase(a, b - a);
    w.caret = w.anchor = a;
    return true;
}

void Insert(EditWindow& w, const char* bytes, size_t n) {
    const size_t selected = std::max(w.caret, w.anchor) - std::min(w.caret, w.anchor);
    if (w.text.size() - selected + n > size_t(w.limit)) return;  // the limit holds
    DeleteSelection(w);
    w.text.insert(w.caret, bytes, n);
    w.caret += n;
    w.anchor = w.caret;
}

void MoveCaret(EditWindow& w, size_t pos, bool keepPreferredX = false) {
    w.caret = std::min(pos, w.text.size());
    if (!gEditBoxes.shiftDown) w.anchor = w.caret;
    if (!keepPreferredX) w.preferredX = -1;
}

void MoveVertically(EditWindow& w, int delta) {
    const std::vector<Line> lines = Layout(w);
    const int line = LineOf(lines, w.caret);
    const int target = std::clamp(line + delta, 0, int(lines.size()) - 1);
    if (w.preferredX < 0) w.preferredX = Width(w, lines[size_t(line)].begin, w.caret);
    MoveCaret(w, PositionAt(w, lines[size_t(target)], w.preferredX), true);
}

// Returns 11 for Enter in a one-line box.
int PressKey(EditWindow& w, int key) {
    const std::vector<Line> lines = Layout(w);
    const Line& line = lines[size_t(LineOf(lines, w.caret))];
    switch (key) {
    case KeyShift: gEditBoxes.shiftDown = true; return 0;
    case KeyLeft: MoveCaret(w, PrevPosition(w.text, w.caret)); break;
    case KeyRight: MoveCaret(w, NextPosition(w.text, w.caret)); break;
    case KeyHome: MoveCaret(w, line.begin); break;
    case KeyEnd: MoveCaret(w, line.end); break;
    case KeyUp:
        if (IsMulti(w)) MoveVertically(w, -1);
        break;
    case KeyDown:
        if (IsMulti(w)) MoveVertically(w, 1);
        break;
    case KeyPageUp:
        if (IsMulti(w)) MoveVertically(w, -VisibleLines(w));
        break;
    case KeyPageDown:
        if (IsMulti(w)) MoveVertically(w, VisibleLines(w));
        break;
    case KeyBackspace:
        if (!DeleteSelection(w) && w.caret > 0) {
            const size_t p = PrevPosition(w.text, w.caret);
            w.text.erase(p, w.caret - p);
            w.caret = w.anchor = p;
        }
        break;
    case KeyDelete:
        if (!DeleteSelection(w) && w.caret < w.text.size())
            w.text.erase(w.caret, NextPosition(w.text, w.caret) - w.caret);
        break;
    case KeyEnter:
        if (!IsMulti(w)) return 11;
        Insert(w, "\r\n", 2);
        break;
    default: return 0;
    }
    if (key != KeyUp && key != KeyDown && key != KeyPageUp && key != KeyPageDown)
        w.preferredX = -1;
    return 0;
}

void Scroll(EditWindow& w, int lines) {
    const std::vector<Line> all = Layout(w);
    w.firstLine = std::clamp(w.firstLine + lines, 0, MaxFirstLine(w, all));
}

// Gives a box the keyboard focus; the box that had it is drawn again without its caret.
void Focus(EditWindow& w) {
    const int old = PlatformKeyboardFocus();
    PlatformSetKeyboardFocus(int(w.childId));
    if (old != int(w.childId))
        if (EditWindow* previous = Find(unsigned(old))) DrawWindow(*previous);
}

void LeftDown(EditWindow& w, int x, int y) {
    Focus(w);
    const std::vector<Line> lines = Layout(w);
    if (w.kind == kEditMultiScroll && x >= w.rect.right - 1 - ScrollBarWidth(w)) {
        const BarParts bar = ScrollBar(w, lines);
        if (!bar.active) return;
        const int page = VisibleLines(w);
        if (y < bar.up.bottom)
            Scroll(w, -1);
        else if (y >= bar.down.top)
            Scroll(w, 1);
        else if (y < bar.thumb.top)
            Scroll(w, -page);
        else if (y >= bar.thumb.bottom)
            Scroll(w, page);
        else {
            w.dragging = true;
            w.dragOffset = y - bar.thumb.top;
        }
        return;
    }
    const DeviceRect area = TextArea(w);
    const int first = IsMulti(w) ? w.firstLine : 0;
    const int row = y < area.top ? 0 : (y - area.top) / LineHeight(w);
    const int li = std::clamp(first + row, 0, int(lines.size()) - 1);
    MoveCaret(w, PositionAt(w, lines[size_t(li)], x - area.left + w.scrollX));
}

void DragThumb(EditWindow& w, int y) {
    const std::vector<Line> lines = Layout(w);
    const BarParts bar = ScrollBar(w, lines);
    if (!bar.active) return;
    const int free = (bar.track.bottom - bar.track.top) - (bar.thumb.bottom - bar.thumb.top);
    const int range = MaxFirstLine(w, lines);
    if (free <= 0) return;
    const int pos = std::clamp(y - w.dragOffset - bar.track.top, 0, free);
    w.firstLine = (pos * range + free / 2) / free;
}

EditWindow* WindowOf(const EditBox& box) {
    for (auto& w : gEditBoxes.windows)
        if (w.get() == box.window) return w.get();
    return nullptr;
}

}  // namespace

void ResetEditBoxes() {
    for (auto& w : gEditBoxes.windows) {
        PlatformRemoveChild(int(w->childId));
        DeleteGraphicObject(w->ownedFont);
    }
    gEditBoxes = EditBoxState{};
}

int CreateEditBox(EditBox& box, int kind, const ScreenRect& rect) {
    DestroyEditBox(box);
    const DeviceRect r = ToDeviceRect(rect);
    if (IsEmpty(r)) return 0;
    auto w = std::make_unique<EditWindow>();
    // Child ids run on and wrap; 0 stands for the main window, so it is passed over.
    if (++gEditBoxes.nextChildId == 0) ++gEditBoxes.nextChildId;
    w->childId = gEditBoxes.nextChildId;
    w->kind = kind;
    w->rect = r;
    box.window = w.get();
    box.childId = w->childId;
    box.rect = r;
    box.limit = w->limit;
    box.ownedFont = nullptr;
    PlatformAddChild(ChildArea{int(w->childId), r.left, r.top, r.right, r.bottom});
    gEditBoxes.windows.push_back(std::move(w));
    Focus(*box.window);
    DrawWindow(*box.window);
    box.ownedFont = box.window->ownedFont;
    return 1;
}

void SetEditFont(EditBox& box, TextFont* font) {
    EditWindow* w = WindowOf(box);
    if (!w) return;
    w->font = font;
    KeepCaretVisible(*w);
    DrawWindow(*w);
}

void SetEditLimit(EditBox& box, int n) {
    EditWindow* w = WindowOf(box);
    if (!w || n < 1 || n > kEditMaxLimit) return;
    w->limit = n;
    box.limit = n;
}

void SetEditText(EditBox& box, const char* text) {
    EditWindow* w = WindowOf(box);
    if (!w) return;
    w->text.assign(text ? text : "");
    if (w->text.size() > size_t(w->limit)) w->text.resize(size_t(w->limit));
    // Never leave half of a line break at the end.
    if (!w->text.empty() && w->text.back() == '\r') w->text.pop_back();
    w->caret = w->anchor = 0;
    w->firstLine = 0;
    w->scrollX = 0;
    w->dragging = false;
    DrawWindow(*w);
}

int GetEditText(const EditBox& box, char* buffer, size_t size) {
    if (!buffer || size == 0) return 0;
    EditWindow* w = WindowOf(box);
    size_t n = 0;
    if (w) {
        n = std::min({w->text.size(), size_t(w->limit), size - 1});
        std::memcpy(buffer, w->text.data(), n);
    }
    buffer[n] = '\0';
    return int(n);
}

void DestroyEditBox(EditBox& box) {
    EditWindow* w = WindowOf(box);
    if (w) {
        PlatformRemoveChild(int(w->childId));
        DeleteGraphicObject(w->ownedFont);
        auto& list = gEditBoxes.windows;
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [w](const std::unique_ptr<EditWindow>& p) { return p.get() == w; }),
                   list.end());
    }
    box = EditBox{};
}

int DispatchEditBoxMessage(const Message& m) {
    if (m.target != MessageTarget::EditBox) return 0;
    EditWindow* w = Find(unsigned(m.childId));
    if (!w) return 0;
    int result = 0;
    switch (m.kind) {
    case MessageKind::LeftDown: LeftDown(*w, m.x, m.y); break;
    case MessageKind::MouseMove:
        if (!w->dragging) return 0;
        DragThumb(*w, m.y);
        DrawWindow(*w);
        return 0;
    case MessageKind::LeftUp:
        w->dragging = false;
        return 0;
    case MessageKind::KeyDown:
        if (m.key == KeyF2) {
            // The main window hears F2 as well.
            Message copy = m;
            copy.target = MessageTarget::MainWindow;
            copy.childId = 0;
            PlatformPostMessage(copy);
            return 0;
        }
        if (m.key == 'A' && (m.modifiers & kModControl)) {
            SelectAll(*w);
            break;
        }
        result = PressKey(*w, m.key);
        if (m.key == KeyShift) return 0;
        KeepCaretVisible(*w);
        break;
    case MessageKind::KeyUp:
        if (m.key == KeyShift) gEditBoxes.shiftDown = false;
        return 0;
    case MessageKind::Character:
        if (m.character >= 0x20 && m.character <= 0xFF && m.character != 0x7F) {
            const char c = char(m.character);
            Insert(*w, &c, 1);
            KeepCaretVisible(*w);
        }
        break;
    default: return 0;  // the right button and everything else are ignored
    }
    DrawWindow(*w);
    return result;
}

void SelectAllEditText(EditBox& box) {
    EditWindow* w = WindowOf(box);
    if (!w) return;
    SelectAll(*w);
    DrawWindow(*w);
}

unsigned EditBoxAt(int x, int y) {
    for (auto it = gEditBoxes.windows.rbegin(); it != gEditBoxes.windows.rend(); ++it) {
        const DeviceRect& r = (*it)->rect;
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return (*it)->childId;
    }
    return 0;
}

void FocusEditBox(unsigned childId) {
    if (EditWindow* w = Find(childId)) {
        Focus(*w);
        DrawWindow(*w);
        return;
    }
    const int old = PlatformKeyboardFocus();
    PlatformSetKeyboardFocus(0);
    if (EditWindow* previous = Find(unsigned(old))) DrawWindow(*previous);
}

void DrawEditBox(const EditBox& box) {
    if (EditWindow* w = WindowOf(box)) DrawWindow(*w);
}

void RedrawEditBoxes() {
    for (auto& w : gEditBoxes.windows) DrawWindow(*w);
}

const std::string& EditText(const EditBox& box) {
    static const std::string kNone;
    const EditWindow* w = WindowOf(box);
    return w ? w->text : kNone;
}

std::vector<std::string> EditShownLines(EditWindow& w) {
    std::vector<std::string> shown;
    const std::vector<Line> lines = Layout(w);
    const int first = IsMulti(w) ? w.firstLine : 0;
    const int last = std::min(int(lines.size()), first + VisibleLines(w));
    for (int i = std::max(0, first); i < last; ++i) {
        const Line& l = lines[size_t(i)];
        shown.push_back(w.kind == kEditPassword ? std::string(l.end - l.begin, '*')
                                                : w.text.substr(l.begin, l.end - l.begin));
    }
    return shown;
}

size_t EditCaret(const EditBox& box) {
    const EditWindow* w = WindowOf(box);
    return w ? w->caret : 0;
}
