// Modal dialogs. On Windows they are the system's own, built from the dialog resource of the
// module that holds it; the answer hook (or the default, Cancel) then acts through the
// dialog's real controls once it is on the screen. Elsewhere the hook answers the request
// directly. Both report the same event.
#include <optional>
#include <string>

#include "host/vx_string.h"
#include "sim/host/events.h"
#include "sim/host/faults.h"
#include "sim/winsys/modal_owner.h"
#include "sim/winsys/resource_chain.h"
#include "sim/winsys/window_control.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

sim::DialogAnswerHook& hook() {
    static sim::DialogAnswerHook h;
    return h;
}

// A dialog has OK and Cancel only: any other button the hook names counts as Cancel, as
// Escape and the close box do.
sim::DialogAnswer askHook(const winsys::DialogRequest& request) {
    if (hook()) {
        if (std::optional<sim::DialogAnswer> answer = hook()(request)) {
            if (answer->result != winsys::kIdOk && answer->result != -1) {
                answer->result = winsys::kIdCancel;
            }
            return *answer;
        }
    }
    return sim::DialogAnswer{};
}

void report(const winsys::DialogRequest& request, const winsys::DialogOutcome& outcome) {
    nlohmann::ordered_json texts = nlohmann::ordered_json::object();
    for (const auto& [control, text] : request.texts) {
        texts[std::to_string(control)] = VxString(text).toUtf8();
    }
    sim::emit(sim::Event{{"ev", "dialog"},
                         {"id", request.resourceId},
                         {"caption", VxString(request.caption).toUtf8()},
                         {"texts", texts},
                         {"check", outcome.checked},
                         {"result", outcome.result}});
}

#if defined(_WIN32)
constexpr UINT_PTR kAnswerTimer = 1;
constexpr WORD kDialogType = 5;      // RT_DIALOG, whichever character width windows.h chose
constexpr UINT kAnswerDelayMs = 10;  // WM_TIMER comes after the first painting

struct RunningDialog {
    const winsys::DialogRequest* request;
    winsys::DialogOutcome outcome;
};

const wchar_t* wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

void answerThroughControls(HWND dialog, RunningDialog& running) {
    const sim::DialogAnswer answer = askHook(*running.request);
    if (!IsWindowVisible(dialog)) {
        return;  // the hook closed it itself, as a user's key does
    }
    if (answer.result == -1) {
        EndDialog(dialog, -1);
        return;
    }
    if (answer.checked && running.request->checkBoxId != 0) {
        CheckDlgButton(dialog, running.request->checkBoxId,
                       *answer.checked ? BST_CHECKED : BST_UNCHECKED);
    }
    if (HWND button = GetDlgItem(dialog, answer.result)) {
        SendMessageW(button, BM_CLICK, 0, 0);
    } else {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(answer.result, BN_CLICKED), 0);
    }
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* running = reinterpret_cast<RunningDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG: {
            running = reinterpret_cast<RunningDialog*>(lParam);
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            const winsys::DialogRequest& request = *running->request;
            if (!request.caption.empty()) {
                SetWindowTextW(dialog, wide(request.caption));
            }
            for (const auto& [control, text] : request.texts) {
                SetDlgItemTextW(dialog, control, wide(text));
            }
            if (request.checkBoxId != 0) {
                CheckDlgButton(dialog, request.checkBoxId,
                               request.checked ? BST_CHECKED : BST_UNCHECKED);
            }
            SetTimer(dialog, kAnswerTimer, kAnswerDelayMs, nullptr);
            return TRUE;  // the focus goes to the default button
        }
        case WM_TIMER:
            // The dialog framework shows the dialog once its queue first runs empty, which a
            // due timer can precede: the answer waits until the dialog is on the screen.
            if (wParam == kAnswerTimer && running != nullptr && IsWindowVisible(dialog)) {
                KillTimer(dialog, kAnswerTimer);
                answerThroughControls(dialog, *running);
                return TRUE;
            }
            return FALSE;
        case WM_COMMAND: {
            const int control = LOWORD(wParam);
            if (running == nullptr || (control != IDOK && control != IDCANCEL)) {
                return FALSE;
            }
            KillTimer(dialog, kAnswerTimer);
            if (running->request->checkBoxId != 0) {
                running->outcome.checked =
                    IsDlgButtonChecked(dialog, running->request->checkBoxId) == BST_CHECKED;
            }
            EndDialog(dialog, control);
            return TRUE;
        }
        default:
            return FALSE;
    }
}

// Where the framework looks for a resource: the current resource handle, then the modules
// of the resource chain, then the program itself.
HINSTANCE findDialogResource(int id) {
    std::vector<winsys::Hinstance> candidates{winsys::currentResourceHandle()};
    for (winsys::Hinstance module : sim::resourceChain()) {
        candidates.push_back(module);
    }
    candidates.push_back(sim::hostResourceHandle());
    for (winsys::Hinstance candidate : candidates) {
        auto* module = static_cast<HINSTANCE>(candidate);
        if (module != nullptr &&
            FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(kDialogType))) {
            return module;
        }
    }
    return nullptr;
}
#endif

}  // namespace

namespace sim {
void setDialogAnswerHook(DialogAnswerHook h) {
    hook() = std::move(h);
}
}  // namespace sim

namespace winsys {

DialogOutcome runModalDialog(Hwnd owner, const DialogRequest& request) {
    DialogOutcome outcome{-1, request.checked};
    if (sim::checkpoint("runModalDialog") != 0) {
        report(request, outcome);
        return outcome;
    }
#if defined(_WIN32)
    RunningDialog running{&request, outcome};
    if (HINSTANCE module = findDialogResource(request.resourceId)) {
        const INT_PTR result =
            DialogBoxParamW(module, MAKEINTRESOURCEW(request.resourceId), static_cast<HWND>(owner),
                            dialogProc, reinterpret_cast<LPARAM>(&running));
        outcome.result = static_cast<int>(result);
        if (outcome.result != -1) {
            outcome.checked = running.outcome.checked;
        }
    }
#else
    const sim::DialogAnswer answer = [&] {
        const sim::DisabledOwner disabled(owner);
        return askHook(request);
    }();
    outcome.result = answer.result;
    if (answer.result != -1) {
        outcome.checked = answer.checked.value_or(request.checked);
    }
#endif
    report(request, outcome);
    return outcome;
}

}  // namespace winsys
