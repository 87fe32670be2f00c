// Message boxes of the stand-in window system: answered by the UI-answer hook (vexa-sim's
// scenario "ui" queue or the terminal); without one, No for yes/no boxes and OK otherwise.
#include "host/vx_string.h"
#include "sim/host/events.h"
#include "sim/host/faults.h"
#include "sim/winsys/window_control.h"

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

}  // namespace

namespace sim {
void setUiAnswerHook(UiAnswerHook h) {
    hook() = std::move(h);
}
}  // namespace sim

namespace winsys {

int messageBox(Hwnd /*owner*/, const char16_t* text, const char16_t* caption, unsigned style) {
    if (sim::checkpoint("messageBox") != 0) {
        return 0;  // the box could not be shown
    }
    const sim::MessageBoxRequest request{text != nullptr ? text : u"",
                                         caption != nullptr ? caption : u"", style};
    int answer = defaultAnswer(style);
    if (hook()) {
        if (const std::optional<int> chosen = hook()(request)) {
            answer = *chosen;
        }
    }
    sim::emit(sim::Event{{"ev", "msgbox"},
                         {"text", VxString(request.text).toUtf8()},
                         {"style", style},
                         {"answer", answerName(answer)}});
    return answer;
}

}  // namespace winsys
