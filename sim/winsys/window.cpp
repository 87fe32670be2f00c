// Foreground handling of the stand-in window system: two windows, each owned by its own
// thread; the module runs on the main window's thread.
#include <algorithm>
#include <utility>
#include <vector>

#include "host/vx_editor.h"
#include "host/vx_string.h"
#include "sim/host/events.h"
#include "sim/host/faults.h"
#include "sim/winsys/window_control.h"

namespace {

constexpr unsigned long kMainThread = 1001;
constexpr unsigned long kOtherThread = 2002;
constexpr unsigned long kProcessId = 4242;
constexpr unsigned long kErrorInvalidWindowHandle = 1400;
constexpr unsigned long kErrorInvalidParameter = 87;

struct WindowState {
    char mainWindow = 0;  // the addresses are the handles
    char otherWindow = 0;
    winsys::Hwnd foreground = &otherWindow;
    unsigned long lastError = 0;
    std::vector<std::pair<unsigned long, unsigned long>> attachments;
};

WindowState& state() {
    static WindowState s;
    return s;
}

unsigned long threadOf(winsys::Hwnd window) {
    if (window == sim::mainWindow()) {
        return kMainThread;
    }
    return window == sim::otherWindow() ? kOtherThread : 0;
}

}  // namespace

namespace sim {

winsys::Hwnd mainWindow() {
    return &state().mainWindow;
}
winsys::Hwnd otherWindow() {
    return &state().otherWindow;
}
unsigned long mainThreadId() {
    return kMainThread;
}
unsigned long otherThreadId() {
    return kOtherThread;
}

void setForegroundForTest(winsys::Hwnd window) {
    state().foreground = window;
}

int threadInputAttachments() {
    return static_cast<int>(state().attachments.size());
}

void resetWindows() {
    WindowState& s = state();
    s.foreground = &s.otherWindow;
    s.lastError = 0;
    s.attachments.clear();
    setUiAnswerHook(nullptr);
}

}  // namespace sim

void* vxsw_vexaMainWnd() {
    return sim::mainWindow();
}

namespace winsys {

Hwnd getForegroundWindow() {
    return state().foreground;
}

unsigned long getWindowThreadProcessId(Hwnd window, unsigned long* processId) {
    const unsigned long thread = threadOf(window);
    if (thread == 0) {
        state().lastError = kErrorInvalidWindowHandle;
    }
    if (processId != nullptr) {
        *processId = thread != 0 ? kProcessId : 0;
    }
    return thread;
}

unsigned long getCurrentThreadId() {
    return kMainThread;
}

// As on the real system, a thread cannot attach to itself and unknown threads fail.
bool attachThreadInput(unsigned long thread, unsigned long toThread, bool attach) {
    WindowState& s = state();
    const auto known = [](unsigned long t) { return t == kMainThread || t == kOtherThread; };
    if (thread == toThread || !known(thread) || !known(toThread)) {
        s.lastError = kErrorInvalidParameter;
        return false;
    }
    const auto pair = std::make_pair(thread, toThread);
    const auto found = std::find(s.attachments.begin(), s.attachments.end(), pair);
    if (attach) {
        s.attachments.push_back(pair);
        return true;
    }
    if (found == s.attachments.end()) {
        s.lastError = kErrorInvalidParameter;
        return false;
    }
    s.attachments.erase(found);
    return true;
}

bool setForegroundWindow(Hwnd window) {
    WindowState& s = state();
    if (const int status = sim::checkpoint("setForegroundWindow")) {
        s.lastError = static_cast<unsigned long>(status);
        return false;
    }
    if (threadOf(window) == 0) {
        s.lastError = kErrorInvalidWindowHandle;
        return false;
    }
    s.foreground = window;
    sim::emit(sim::Event{{"ev", "foreground"}});
    return true;
}

unsigned long getLastError() {
    return state().lastError;
}

int formatUnsigned(char16_t* buffer, std::size_t bufferLength, const char16_t* format,
                   unsigned long value) {
    if (buffer == nullptr || bufferLength == 0) {
        return 0;
    }
    const std::u16string text = VxString::format(format != nullptr ? format : u"", value).str();
    const std::size_t kept = std::min(text.size(), bufferLength - 1);
    std::char_traits<char16_t>::copy(buffer, text.c_str(), kept);
    buffer[kept] = 0;
    return static_cast<int>(kept);
}

void outputDebugString(const char16_t* text) {
    sim::emit(sim::Event{{"ev", "debug"}, {"text", VxString(text).toUtf8()}});
}

}  // namespace winsys
