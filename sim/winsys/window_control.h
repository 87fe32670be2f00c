// Control API of the stand-in window system: the host's main window and one other window
// (the terminal vexa-sim runs in) with their threads, which of them is in the foreground,
// and the hook that answers message boxes.
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

winsys::Hwnd mainWindow();
winsys::Hwnd otherWindow();
unsigned long mainThreadId();   // the host's main thread, the caller of every module function
unsigned long otherThreadId();  // the thread of the other window

void setForegroundForTest(winsys::Hwnd window);
// Thread-input attachments in force now (attach and detach come in pairs).
int threadInputAttachments();
// The other window in the foreground, no attachments, no hook, last error 0.
void resetWindows();

}  // namespace sim
