// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing bracket. Finishing a drawing shows it at the next display refresh; several
// drawings within one refresh are shown together.
#pragma once

// Takes the drawing bracket of the current target; nested calls do nothing.
void BeginDrawing();
// Releases the bracket and presents the canvas when at least one refresh has passed since the
// last present; otherwise the canvas is marked dirty and shown before the program next sleeps
// or finds its message queue empty.
void EndDrawing();
