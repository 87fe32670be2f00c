// The Windows build's two real windows: the host's main window, owned by the thread that
// first asks for it (the host's main thread), and another top-level window owned by a thread
// of its own that pumps its messages for the life of the process. Both are made on first
// use, on a desktop of the process's own, and never destroyed; the process's end takes them.
#pragma once

#if defined(_WIN32)
#include <windows.h>

namespace sim {

struct RealWindows {
    HWND main = nullptr;
    HWND other = nullptr;
    DWORD mainThread = 0;
    DWORD otherThread = 0;
};

const RealWindows& realWindows();

// Handles the messages waiting for the calling thread, so that activation that the window
// system posted to it has taken effect.
void pumpWaitingMessages();

// Makes window the foreground window and waits (a second at most) until the window system
// has carried that out: another thread's window is activated by that thread, later.
void bringToForegroundAndWait(HWND window);

}  // namespace sim
#endif
