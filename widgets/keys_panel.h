// SPDX-License-Identifier: GPL-3.0-or-later
// The pop-up listing the keys (F1), in the same panel style as the About panel.
#pragma once

// Shows the list until Done, Escape or the idle time-out; returns what RunPopupPanel returns.
int RunKeysPanel();
