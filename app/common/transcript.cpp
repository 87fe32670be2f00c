#include "app/common/transcript.h"

#include <cerrno>
#include <iterator>
#include <set>
#include <vector>

#include "app/common/command_summary.h"
#include "app/common/exit_codes.h"
#include "app/common/file_error.h"
#include "app/common/file_path.h"
#include "app/common/terminal_text.h"

bool ParseTranscriptFormat(const std::string& word, TranscriptFormat& format) {
    if (word == "text") {
        format = TranscriptFormat::kText;
        return true;
    }
    if (word == "jsonl") {
        format = TranscriptFormat::kJsonl;
        return true;
    }
    return false;
}

bool Transcript::Shows(const sim::Event& event) const {
    const auto found = event.find("ev");
    const std::string ev =
        found != event.end() && found->is_string() ? found->get<std::string>() : std::string();
    if (detail_ == TranscriptDetail::kQuiet) {
        static const std::set<std::string> kept{
            "command", "prompt", "print", "alert",         "msgbox",           "dialog",
            "summary", "change", "end",   "fault.unfired", "catalogue.missing"};
        return kept.contains(ev);
    }
    const bool marker = ev == "regen" || ev == "foreground" || ev == "debug";
    return !(marker && format_ == TranscriptFormat::kText && detail_ != TranscriptDetail::kVerbose);
}

void Transcript::Write(const sim::Event& event) {
    if (!Shows(event)) {
        return;
    }
    const bool echo = skipEcho_ && IsEcho(event);
    skipEcho_ = false;
    if (format_ == TranscriptFormat::kJsonl) {
        // JSON escapes only the C0 controls; DEL and the C1 controls, which a terminal may act
        // on, become \u escapes too, which leaves the line the same JSON.
        out_ << EscapeControls(event.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace),
                               EscapeForm::kUnicode)
             << '\n';
    } else if (!echo) {
        out_ << AsText(event) << '\n';
    }
    // A large parts list is millions of lines: a write for each would be a tenth of the run.
    // Up to each command the transcript is out, so a run that dies shows what it was doing.
    if (const auto ev = event.find("ev"); ev != event.end() && *ev == "command") {
        out_.flush();
    }
    NoteFailure();
}

void Transcript::Flush() {
    NoteFailure();
    errno = 0;
    out_.flush();
    NoteFailure();
}

void Transcript::NoteFailure() {
    if (!out_ && !failure_) {
        failure_ = errno;
    }
}

int Transcript::ReportWriteFailure(std::ostream& err, int code) {
    Flush();
    if (!failure_) {
        return code;
    }
    err << "vexa-sim: the transcript: cannot write: " << SystemReason(*failure_) << "\n";
    return kExitUnusable;
}

bool Transcript::IsEcho(const sim::Event& event) const {
    const auto ev = event.find("ev");
    if (ev == event.end() || !ev->is_string()) {
        return false;
    }
    if (*ev == "command") {
        const auto source = event.find("source");
        return source != event.end() && *source == "typed";
    }
    // A cancelled prompt is no echo: the terminal showed no answer.
    return *ev == "prompt" && event.contains("answer");
}

void Transcript::WriteText(const std::string& text) {
    out_ << text;
    out_.flush();
    NoteFailure();
}

namespace {

std::string Str(const sim::Event& event, const char* field) {
    const auto it = event.find(field);
    if (it == event.end()) {
        return {};
    }
    return it->is_string() ? it->get<std::string>() : it->dump();
}

// Shows a text with its control characters visible, so that a line of the transcript stays
// one line.
std::string Quoted(const std::string& text) {
    return '"' + EscapeControls(text, EscapeForm::kJsonString) + '"';
}

// Command-line output: every event of the transcript starts on a line of its own, so the
// line break the host's texts begin or end with is already there.
std::string CommandLineOutput(std::string text) {
    if (text.starts_with('\n')) {
        text.erase(0, 1);
    }
    if (text.ends_with('\n')) {
        text.pop_back();
    }
    const std::vector<std::string> lines = EscapedLines(text);
    std::string shown = lines.front();
    for (std::size_t i = 1; i < lines.size(); ++i) {
        shown += "\n" + lines[i];
    }
    return shown;
}

// Alerts, message boxes and dialogs stand in a frame of their own, their texts as shown.
std::string Framed(const std::string& title, const std::vector<std::string>& body,
                   const std::string& closing) {
    std::string framed = "  +-- " + title + "\n";
    for (const std::string& line : body) {
        framed += "  | " + line + "\n";
    }
    return framed + "  +--" + (closing.empty() ? "" : " " + closing);
}

std::string FramedText(const std::string& title, const std::string& text,
                       const std::string& closing) {
    return Framed(title, EscapedLines(text), closing);
}

// A message box by its buttons, as the user sees it; the style's other bits (icon, default
// button) are the window system's.
std::string MessageBoxTitle(const sim::Event& event) {
    static const char* const kButtons[] = {
        "OK",     "OK/Cancel",    "Abort/Retry/Ignore",       "Yes/No/Cancel",
        "Yes/No", "Retry/Cancel", "Cancel/Try Again/Continue"};
    const auto style = event.find("style");
    if (style == event.end() || !style->is_number_integer() || style->get<long long>() < 0) {
        return "message box, style " + Str(event, "style");
    }
    const unsigned long long buttons = style->get<unsigned long long>() & 0xFu;
    return "message box, " + (buttons < std::size(kButtons) ? std::string(kButtons[buttons])
                                                            : "style " + Str(event, "style"));
}

std::string DialogText(const sim::Event& event) {
    std::vector<std::string> body;
    const auto texts = event.find("texts");
    if (texts != event.end() && texts->is_object()) {
        for (const auto& [control, text] : texts->items()) {
            const std::vector<std::string> lines =
                EscapedLines(text.is_string() ? text.get<std::string>() : text.dump());
            for (std::size_t i = 0; i < lines.size(); ++i) {
                body.push_back((i == 0 ? control + ": " : std::string(control.size() + 2, ' ')) +
                               lines[i]);
            }
        }
    }
    body.push_back("check: " + Str(event, "check"));
    return Framed("dialog " + Str(event, "id") + ": " + EscapeControls(Str(event, "caption")), body,
                  "result: " + Str(event, "result"));
}

}  // namespace

std::filesystem::path Transcript::Openable(const std::filesystem::path& path) const {
    return path.is_absolute() || workDirectory_.empty()
               ? path
               : (workDirectory_ / path).lexically_normal();
}

std::string Transcript::AsText(const sim::Event& event) const {
    const std::string ev = Str(event, "ev");
    if (ev == "command") {
        return "Command: " + EscapeControls(Str(event, "name")) + "   (" + Str(event, "source") +
               ")";
    }
    if (ev == "prompt") {
        const bool cancelled = event.value("cancelled", false);
        return CommandLineOutput(Str(event, "prompt") +
                                 (cancelled ? "*Cancel*" : Str(event, "answer")));
    }
    if (ev == "print") {
        return CommandLineOutput(Str(event, "text"));
    }
    if (ev == "alert") {
        return FramedText("alert", Str(event, "text"), "");
    }
    if (ev == "msgbox") {
        return FramedText(MessageBoxTitle(event), Str(event, "text"),
                          "answer: " + Str(event, "answer"));
    }
    if (ev == "dialog") {
        return DialogText(event);
    }
    if (ev == "queue") {
        return "[queued] " + Quoted(Str(event, "text"));
    }
    if (ev == "pdm.call") {
        return "PDM " + EscapeControls(Str(event, "name")) + " " + Quoted(Str(event, "arg")) +
               " -> " + Str(event, "code");
    }
    if (ev == "pdm.prep") {
        return std::string("PDM ") + (event.value("modal", false) ? "prep (dialog) " : "prep ") +
               Quoted(Str(event, "expr")) + " -> " + Quoted(Str(event, "result"));
    }
    if (ev == "pdm.env.set") {
        return "PDM env " + EscapeControls(Str(event, "name")) + " = " +
               Quoted(Str(event, "value"));
    }
    if (ev == "file") {
        return "[file] " + EscapeControls(Utf8Path(Openable(PathFromUtf8(Str(event, "path"))))) +
               " (" + Str(event, "bytes") + " bytes)";
    }
    if (ev == "catalogue.missing") {
        std::string keys;
        const auto names = event.find("keys");
        if (names != event.end() && names->is_array()) {
            for (const auto& name : *names) {
                keys += (keys.empty() ? "" : ", ") +
                        EscapeControls(name.is_string() ? name.get<std::string>() : name.dump());
            }
        }
        return "[catalogue] texts the scenario's catalogue lacks, shown as <KEY>: " + keys;
    }
    if (ev == "summary") {
        return SummaryText(event);
    }
    if (ev == "end") {
        return "[end] open objects: " + Str(event, "openObjects");
    }
    sim::Event rest = event;
    rest.erase("ev");
    return "[" + EscapeControls(ev) + "]" +
           (rest.empty() ? std::string()
                         : " " + EscapeControls(rest.dump(-1, ' ', false,
                                                          nlohmann::json::error_handler_t::replace),
                                                EscapeForm::kUnicode));
}
