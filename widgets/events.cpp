// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/events.h"

#include "graphics/edit_box.h"
#include "widgets/interaction.h"

bool PollMessage(Message& message) { return PlatformPollMessage(message); }

bool IsWindowClosing(const Message& message) {
    return message.target == MessageTarget::MainWindow &&
           (message.kind == MessageKind::Destroy || message.kind == MessageKind::CloseRequest);
}

void SetWindowProcedure(WindowProcedure procedure) { gWidgets.windowProcedure = procedure; }

void DefaultWindowProcedure(const Message& message) {
    switch (message.kind) {
    case MessageKind::MouseMove: SetCursorShape(-1); break;
    case MessageKind::SysKeyDown:
    case MessageKind::SysKeyUp: break;
    default: PlatformDefaultHandling(message); break;
    }
}

void DispatchMessage(const Message& message) {
    // Keys need no translation here: typed characters already arrive as their own messages.
    if (message.kind == MessageKind::SysKeyDown || message.kind == MessageKind::SysKeyUp) return;
    if (message.target != MessageTarget::MainWindow) {
        DispatchEditBoxMessage(message);
        return;
    }
    if (gWidgets.windowProcedure)
        gWidgets.windowProcedure(message);
    else
        DefaultWindowProcedure(message);
}

namespace {

// The window is an icon: wait for it to come back or to be closed, dropping everything else so
// nothing draws on a hidden display.
int WaitWhileMinimised() {
    for (;;) {
        Message m;
        if (!PlatformWaitMessage(m, -1)) continue;
        if (m.kind == MessageKind::Quit) {
            PlatformPostMessage(m);  // the outermost loop still has to see it
            return kEventOther;
        }
        if (m.kind == MessageKind::CloseRequest || m.kind == MessageKind::SysClose ||
            m.kind == MessageKind::Destroy)
            return kEventClosedMinimised;
        if (m.kind == MessageKind::SysRestore) {
            DispatchMessage(m);
            return kEventRestored;
        }
    }
}

}  // namespace

int ClassifyMessage(const Message& message) {
    if (message.target != MessageTarget::MainWindow) {
        if (message.kind == MessageKind::KeyDown)
            return message.key == KeyEnter ? kEventEnterInChild : kEventOther;
        return kEventNothing;
    }
    switch (message.kind) {
    case MessageKind::CloseRequest: return kEventCloseRequest;
    case MessageKind::Enable: return kEventEnabled;
    case MessageKind::Disable: return kEventDisabled;
    case MessageKind::Show: return kEventShown;
    case MessageKind::Hide: return kEventHidden;
    case MessageKind::SysKeyDown:
    case MessageKind::SysKeyUp: return kEventNothing;
    case MessageKind::SysRestore:
    case MessageKind::SysClose: return kEventNothing;
    case MessageKind::SysMinimise: return WaitWhileMinimised();
    case MessageKind::MouseMove: return kEventMouseMove;
    case MessageKind::LeftDown: return kEventLeftDown;
    case MessageKind::LeftUp: return kEventLeftUp;
    case MessageKind::RightDown: return kEventRightDown;
    default: return kEventOther;
    }
}

void PointerPosition(const Message& message, int& x, int& y) {
    x = message.x;
    y = message.y;
}
