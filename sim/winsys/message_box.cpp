// Message boxes: answered by the UI-answer hook (vexa-sim's scenario "ui" queue or the
// terminal); without one, No for yes/no boxes and OK otherwise. On Windows the box is the
// system's own, and the answer presses its button once it is on the screen.
#include <string>

#include "host/vx_string.h"
#include "sim/host/events.h"
#include "sim/host/faults.h"
#include "sim/winsys/modal_owner.h"
#include "sim/winsys/window_control.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

constexpr unsigned kButtonMask = 0x0F;
constexpr unsigned kMbYesNoCancel = 0x03;

sim::UiAnswerHook& hook() {
    static sim::UiAnswerHook h;
    return h;
}

int defaultAnswer(unsigned style) {
    const unsigned buttons = style & kButtonMask;
    if (buttons == winsys::kMbYesNo || buttons == kMbYesNoCancel) {
        return winsys::kIdNo;
    }
    return winsys::kIdOk;
}

const char* answerName(int answer) {
    switch (answer) {
        case winsys::kIdOk:
            return "ok";
        case winsys::kIdCancel:
            return "cancel";
        case 3:
            return "abort";
        case 4:
            return "retry";
        case 5:
            return "ignore";
        case winsys::kIdYes:
            return "yes";
        case winsys::kIdNo:
            return "no";
        default:
            return "none";
    }
}

int askHook(const sim::MessageBoxRequest& request) {
    if (hook()) {
        if (const std::optional<int> chosen = hook()(request)) {
            return *chosen;
        }
    }
    return defaultAnswer(request.style);
}

#if defined(_WIN32)
constexpr UINT kAnswerDelayMs = 10;

// The box being shown on this thread; the thread timer that answers it has no other way in.
thread_local const sim::MessageBoxRequest* shownRequest = nullptr;

BOOL CALLBACK findBox(HWND window, LPARAM found) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (IsWindowVisible(window) && std::wstring(className) == L"#32770") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK answerShownBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findBox, reinterpret_cast<LPARAM>(&box));
    if (box == nullptr || shownRequest == nullptr) {
        return;  // not on the screen yet: the timer comes again
    }
    KillTimer(nullptr, timer);
    const int answer = askHook(*shownRequest);
    if (HWND button = GetDlgItem(box, answer)) {
        SendMessageW(button, BM_CLICK, 0, 0);
    } else {
        SendMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    }
}
#endif

}  // namespace

namespace sim {
void setUiAnswerHook(UiAnswerHook h) {
    hook() = std::move(h);
}
}  // namespace sim

namespace winsys {

int messageBox(Hwnd owner, const char16_t* text, const char16_t* caption, unsigned style) {
    if (sim::checkpoint("messageBox") != 0) {
        return 0;  // the box could not be shown
    }
    const sim::MessageBoxRequest request{text != nullptr ? text : u"",
                                         caption != nullptr ? caption : u"", style};
#if defined(_WIN32)
    shownRequest = &request;
    const UINT_PTR timer = SetTimer(nullptr, 0, kAnswerDelayMs, answerShownBox);
    const int answer = MessageBoxW(
        static_cast<HWND>(owner), reinterpret_cast<const wchar_t*>(request.text.c_str()),
        reinterpret_cast<const wchar_t*>(request.caption.c_str()), style);
    KillTimer(nullptr, timer);
    shownRequest = nullptr;
#else
    const int answer = [&] {
        const sim::DisabledOwner disabled(owner);
        return askHook(request);
    }();
#endif
    sim::emit(sim::Event{{"ev", "msgbox"},
                         {"text", VxString(request.text).toUtf8()},
                         {"style", style},
                         {"answer", answerName(answer)}});
    return answer;
}

}  // namespace winsys
