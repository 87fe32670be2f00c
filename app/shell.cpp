#include "app/shell.h"

#include <string>

#include "app/runner.h"
#include "app/scenario.h"
#include "app/session.h"
#include "host/vx_string.h"
#include "sim/host/command_line.h"
#include "sim/winsys/window_control.h"

namespace {

std::u16string U16(const std::string& utf8) {
    return VxString::fromUtf8(utf8).str();
}
std::string Utf8(const std::u16string& text) {
    return VxString(text).toUtf8();
}

// The terminal hook reads from streams of this call; it must not outlive it.
struct InputHookGuard {
    InputHookGuard() = default;
    InputHookGuard(const InputHookGuard&) = delete;
    InputHookGuard& operator=(const InputHookGuard&) = delete;
    ~InputHookGuard() { sim::setInputHook({}); }
};

}  // namespace

int RunShell(const RunOptions& given, std::istream& in, std::ostream& out, std::ostream& err) {
    RunOptions options = Absolute(given);
    options.format = TranscriptFormat::kText;
    Transcript transcript(out, options.format);
    return WithScenario(options, err, [&](const Scenario& scenario) {
        Session session(options, scenario, transcript);

        // A prompt that the typed line did not answer is asked on the terminal.
        const InputHookGuard guard;
        sim::setInputHook([&](const std::u16string& prompt) -> std::optional<std::u16string> {
            out << Utf8(prompt) << std::flush;
            std::string line;
            if (!std::getline(in, line)) {
                return std::nullopt;
            }
            return U16(line);
        });
        sim::setUiAnswerHook([&](const sim::MessageBoxRequest& request) -> std::optional<int> {
            const bool yesNo = (request.style & 0x0F) == winsys::kMbYesNo;
            out << "[" << Utf8(request.caption) << "] " << Utf8(request.text)
                << (yesNo ? " [Yes/No] " : " [OK] ") << std::flush;
            std::string line;
            if (!std::getline(in, line)) {
                return std::nullopt;
            }
            if (!yesNo) {
                return winsys::kIdOk;
            }
            return !line.empty() && (line[0] == 'y' || line[0] == 'Y') ? winsys::kIdYes
                                                                       : winsys::kIdNo;
        });

        out << "vexa-sim shell: type commands (end with Ctrl-D)\n";
        std::string line;
        while (out << "Command: " << std::flush, std::getline(in, line)) {
            session.Type(U16(line + "\n"));
        }
        out << "\n";
        return session.Finish() == 0 ? 0 : 1;
    });
}
