// SPDX-License-Identifier: GPL-3.0-or-later
// What the two orbit-shape explanation screens (solar energy, season length) share: the main
// panel with its four shape buttons and the way back to Change Shape, the shape each keeps of
// its own, the Earth's disc moved over a kept copy of the orbit picture, and the meaning of
// their events.
#pragma once

#include "graphics/buffer.h"
#include "graphics/rect.h"
#include "widgets/control.h"

struct ScreenLoop;
struct ScreenEvent;

constexpr int kShapeButtonCount = 4;
constexpr int kFirstShapeButtonId = 101;  // 101 circular .. 104 very elliptical
constexpr int kReturnToShapeId = 106;
constexpr int kEarthNormalShapeIndex = 1;

// The shapes the buttons offer: 0, Earth Normal (0.02), 0.25 and 0.5.
extern const double kScreenShapes[kShapeButtonCount];

struct ShapeScreenControls {
    Control* panel = nullptr;
    Control* shapeButtons[kShapeButtonCount] = {};
    Control* returnButton = nullptr;
};

// The main panel over the work area with "Select" and "Orbit Shape" centred at (125, selectY)
// and (125, selectY + 20); below them the four shape buttons from buttonTop down, Earth Normal
// selected; and "Return to@Shape Screen" at returnTop.
void AddShapeScreenControls(ScreenLoop& loop, const char* panelHelp, int selectY, int buttonTop,
                            int returnTop, ShapeScreenControls& out);
// A help area on layer 1 whose callback draws one of the screen's pictures.
Control* AddPictureArea(ScreenLoop& loop, Control* panel, const ScreenRect& rect,
                        const char* help, ControlDrawCallback draw);

// What one event of the screen loop asks: 0 to go on, or the ScreenId to leave with. A click on
// a shape button that is not selected marks it selected and sets shapeIndex (else -1); the
// screen then draws its pictures anew, and looks for a lost display after that.
int ShapeScreenEventResult(const ScreenEvent& e, ShapeScreenControls& controls, int screenId,
                           int& shapeIndex);

// The orbit picture less 20 units at top and bottom, kept twice: as drawn, and as the work copy
// each frame puts the Earth on before it is shown.
struct OrbitPictureCopies {
    OffscreenBuffer clean;
    OffscreenBuffer work;
    ScreenRect strip;
};
// Makes both copies for a picture (releasing any earlier ones). False when they cannot be made.
bool CreatePictureCopies(const ScreenRect& picture, OrbitPictureCopies& copies);
// The strip of the screen as it stands now becomes the clean copy.
void KeepCleanPicture(OrbitPictureCopies& copies);
// The clean copy with a disc of `slot`, 12 units across, centred on (x, y), shown on the screen.
void ShowEarthDisc(OrbitPictureCopies& copies, int x, int y, int slot);
void ReleasePictureCopies(OrbitPictureCopies& copies);

// The orbit ellipse's half-axes in a picture: a from the picture's height less `margin`, b from
// the shape, and c, the distance of each focus from the centre.
struct OrbitEllipse {
    int cx = 0, cy = 0;
    double a = 0, b = 0, c = 0;
};
OrbitEllipse PictureEllipse(const ScreenRect& picture, int margin, double shape);

// The Sun: a disc of slot 14, 12 units across, centred on (x, y).
void DrawSunDisc(double x, int y);
// "Orbit Shape = 0.25" in the label font, slot 255, left and top aligned at (x, y).
void DrawShapeTitle(int x, int y, double shape);
// A configured frame delay; a negative one counts as none.
int FrameDelay(int configured);
