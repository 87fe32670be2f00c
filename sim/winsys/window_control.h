// Control API of the stand-in window system: the host's main window and one other window
// (the terminal vexa-sim runs in) with their threads, which of them is in the foreground,
// and the hooks that answer message boxes and dialogs.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "host/winsys.h"

namespace sim {

struct MessageBoxRequest {
    std::u16string text;
    std::u16string caption;
    unsigned style = 0;
};
// Answers a message box with a button id (winsys::kIdYes, ...), or nothing for the default.
using UiAnswerHook = std::function<std::optional<int>(const MessageBoxRequest&)>;

void setUiAnswerHook(UiAnswerHook hook);

// The user's answer to a modal dialog: the button (winsys::kIdOk, winsys::kIdCancel, or -1
// for a dialog that cannot be created) and, if given, the check box's state before it.
struct DialogAnswer {
    int result = winsys::kIdCancel;
    std::optional<bool> checked;
};
// Answers a dialog, or nothing for the default: Cancel, check box untouched. On Windows the
// hook is asked once the real dialog is on the screen, and its answer goes through the
// dialog's own controls.
using DialogAnswerHook = std::function<std::optional<DialogAnswer>(const winsys::DialogRequest&)>;

void setDialogAnswerHook(DialogAnswerHook hook);

winsys::Hwnd mainWindow();
winsys::Hwnd otherWindow();
unsigned long mainThreadId();   // the host's main thread, the caller of every module function
unsigned long otherThreadId();  // the thread of the other window

void setForegroundForTest(winsys::Hwnd window);
// Whether the window takes the user's input: not while a modal dialog or message box that
// it owns is up.
bool windowEnabled(winsys::Hwnd window);
// Thread-input attachments in force now (attach and detach come in pairs).
int threadInputAttachments();
// Whether the window system is Wine's. Its AttachThreadInput differs from Windows in one way
// the tests meet: detaching the input again leaves no foreground window at all.
bool windowSystemIsWine();

// The other window in the foreground, no attachments, no hooks, last error 0.
void resetWindows();

}  // namespace sim
