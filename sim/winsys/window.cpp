// Foreground handling: two windows, each owned by its own thread; the module runs on the main
// window's thread. On Windows the windows and every call are the system's own; elsewhere the
// stand-in keeps the same rules in memory. Both report the same events.
#include <algorithm>
#include <utility>
#include <vector>

#include "host/vx_editor.h"
#include "host/vx_string.h"
#include "sim/host/events.h"
#include "sim/host/faults.h"
#include "sim/winsys/modal_owner.h"
#include "sim/winsys/real_windows.h"
#include "sim/winsys/window_control.h"

namespace {

#if !defined(_WIN32)
constexpr unsigned long kMainThread = 1001;
constexpr unsigned long kOtherThread = 2002;
constexpr unsigned long kProcessId = 4242;
constexpr unsigned long kErrorInvalidWindowHandle = 1400;
constexpr unsigned long kErrorInvalidParameter = 87;
#endif

struct WindowState {
#if !defined(_WIN32)
    char mainWindow = 0;  // the addresses are the handles
    char otherWindow = 0;
    winsys::Hwnd foreground = &otherWindow;
    unsigned long lastError = 0;
    // The owners of the modal windows up now, one entry for each window.
    std::vector<winsys::Hwnd> disabledOwners;
#endif
    // Attachments in force that were made through attachThreadInput.
    std::vector<std::pair<unsigned long, unsigned long>> attachments;
};

WindowState& state() {
    static WindowState s;
    return s;
}

#if !defined(_WIN32)
unsigned long threadOf(winsys::Hwnd window) {
    if (window == sim::mainWindow()) {
        return kMainThread;
    }
    return window == sim::otherWindow() ? kOtherThread : 0;
}
#endif

void setLastError(unsigned long code) {
#if defined(_WIN32)
    SetLastError(code);
#else
    state().lastError = code;
#endif
}

}  // namespace

namespace sim {

#if defined(_WIN32)
winsys::Hwnd mainWindow() {
    return realWindows().main;
}
winsys::Hwnd otherWindow() {
    return realWindows().other;
}
unsigned long mainThreadId() {
    return realWindows().mainThread;
}
unsigned long otherThreadId() {
    return realWindows().otherThread;
}
void setForegroundForTest(winsys::Hwnd window) {
    bringToForegroundAndWait(static_cast<HWND>(window));
}
bool windowEnabled(winsys::Hwnd window) {
    return IsWindowEnabled(static_cast<HWND>(window)) != FALSE;
}
#else
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
bool windowEnabled(winsys::Hwnd window) {
    const std::vector<winsys::Hwnd>& owners = state().disabledOwners;
    return std::find(owners.begin(), owners.end(), window) == owners.end();
}

DisabledOwner::DisabledOwner(winsys::Hwnd owner) : owner_(owner) {
    if (owner_ != nullptr) {
        state().disabledOwners.push_back(owner_);
    }
}
DisabledOwner::~DisabledOwner() {
    std::vector<winsys::Hwnd>& owners = state().disabledOwners;
    if (const auto found = std::find(owners.begin(), owners.end(), owner_); found != owners.end()) {
        owners.erase(found);
    }
}
#endif

bool windowSystemIsWine() {
#if defined(_WIN32)
    static const bool wine =
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
#else
    return false;
#endif
}

int threadInputAttachments() {
    return static_cast<int>(state().attachments.size());
}

void resetWindows() {
    WindowState& s = state();
    for (const auto& [thread, toThread] : std::vector(s.attachments)) {
        winsys::attachThreadInput(thread, toThread, false);
    }
    s.attachments.clear();
    setForegroundForTest(otherWindow());
    setLastError(0);
    setUiAnswerHook(nullptr);
    setDialogAnswerHook(nullptr);
}

}  // namespace sim

void* vxsw_vexaMainWnd() {
    return sim::mainWindow();
}

namespace winsys {

#if defined(_WIN32)
Hwnd getForegroundWindow() {
    return GetForegroundWindow();
}

unsigned long getWindowThreadProcessId(Hwnd window, unsigned long* processId) {
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(static_cast<HWND>(window), &process);
    if (processId != nullptr) {
        *processId = process;
    }
    return thread;
}

unsigned long getCurrentThreadId() {
    return GetCurrentThreadId();
}

bool attachThreadInput(unsigned long thread, unsigned long toThread, bool attach) {
    if (!AttachThreadInput(thread, toThread, attach ? TRUE : FALSE)) {
        return false;
    }
    auto& attachments = state().attachments;
    const auto pair = std::make_pair(thread, toThread);
    if (attach) {
        attachments.push_back(pair);
    } else if (const auto found = std::find(attachments.begin(), attachments.end(), pair);
               found != attachments.end()) {
        attachments.erase(found);
    }
    return true;
}

bool setForegroundWindow(Hwnd window) {
    if (const int status = sim::checkpoint("setForegroundWindow")) {
        setLastError(static_cast<unsigned long>(status));
        return false;
    }
    if (!SetForegroundWindow(static_cast<HWND>(window))) {
        return false;
    }
    sim::pumpWaitingMessages();
    sim::emit(sim::Event{{"ev", "foreground"}});
    return true;
}

unsigned long getLastError() {
    return GetLastError();
}

int formatUnsigned(char16_t* buffer, std::size_t bufferLength, const char16_t* format,
                   unsigned long value) {
    if (buffer == nullptr || bufferLength == 0) {
        return 0;
    }
    // wsprintfW writes at most 1024 characters and the terminator, whatever the buffer; it
    // formats into one of that size, and only what fits is handed on.
    wchar_t whole[1025];
    const int length =
        wsprintfW(whole, format != nullptr ? reinterpret_cast<const wchar_t*>(format) : L"",
                  static_cast<unsigned>(value));
    const std::size_t kept =
        std::min(static_cast<std::size_t>(std::max(length, 0)), bufferLength - 1);
    std::char_traits<char16_t>::copy(buffer, reinterpret_cast<const char16_t*>(whole), kept);
    buffer[kept] = 0;
    return static_cast<int>(kept);
}

void outputDebugString(const char16_t* text) {
    OutputDebugStringW(reinterpret_cast<const wchar_t*>(text != nullptr ? text : u""));
    sim::emit(sim::Event{{"ev", "debug"}, {"text", VxString(text).toUtf8()}});
}
#else
Hwnd getForegroundWindow() {
    return state().foreground;
}

unsigned long getWindowThreadProcessId(Hwnd window, unsigned long* processId) {
    const unsigned long thread = threadOf(window);
    if (thread == 0) {
        setLastError(kErrorInvalidWindowHandle);
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
        setLastError(kErrorInvalidParameter);
        return false;
    }
    const auto pair = std::make_pair(thread, toThread);
    const auto found = std::find(s.attachments.begin(), s.attachments.end(), pair);
    if (attach) {
        s.attachments.push_back(pair);
        return true;
    }
    if (found == s.attachments.end()) {
        setLastError(kErrorInvalidParameter);
        return false;
    }
    s.attachments.erase(found);
    return true;
}

bool setForegroundWindow(Hwnd window) {
    WindowState& s = state();
    if (const int status = sim::checkpoint("setForegroundWindow")) {
        setLastError(static_cast<unsigned long>(status));
        return false;
    }
    if (threadOf(window) == 0) {
        setLastError(kErrorInvalidWindowHandle);
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
#endif

}  // namespace winsys
