#include "app/transcript.h"

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

void Transcript::Write(const sim::Event& event) {
    if (format_ == TranscriptFormat::kJsonl) {
        out_ << event.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    } else {
        out_ << AsText(event) << '\n';
    }
    out_.flush();
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
    return nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace

std::string Transcript::AsText(const sim::Event& event) const {
    const std::string ev = Str(event, "ev");
    if (ev == "command") {
        return "Command: " + Str(event, "name") + "   (" + Str(event, "source") + ")";
    }
    if (ev == "prompt") {
        const bool cancelled = event.value("cancelled", false);
        return Str(event, "prompt") + (cancelled ? "*Cancel*" : Str(event, "answer"));
    }
    if (ev == "print") {
        return "| " + Quoted(Str(event, "text"));
    }
    if (ev == "alert") {
        return "[alert] " + Quoted(Str(event, "text"));
    }
    if (ev == "msgbox") {
        return "[message box, style " + Str(event, "style") + "] " + Quoted(Str(event, "text")) +
               " -> " + Str(event, "answer");
    }
    if (ev == "dialog") {
        return "[dialog " + Str(event, "id") + "] " + Quoted(Str(event, "caption")) + " " +
               Str(event, "texts") + " check " + Str(event, "check") + " -> " +
               Str(event, "result");
    }
    if (ev == "queue") {
        return "[queued] " + Quoted(Str(event, "text"));
    }
    if (ev == "pdm.call") {
        return "PDM " + Str(event, "name") + " " + Quoted(Str(event, "arg")) + " -> " +
               Str(event, "code");
    }
    if (ev == "pdm.prep") {
        return std::string("PDM ") + (event.value("modal", false) ? "prep (dialog) " : "prep ") +
               Quoted(Str(event, "expr")) + " -> " + Quoted(Str(event, "result"));
    }
    if (ev == "pdm.env.set") {
        return "PDM env " + Str(event, "name") + " = " + Quoted(Str(event, "value"));
    }
    if (ev == "file") {
        return "[file] " + Str(event, "path") + " (" + Str(event, "bytes") + " bytes)";
    }
    if (ev == "end") {
        return "[end] open objects: " + Str(event, "openObjects");
    }
    sim::Event rest = event;
    rest.erase("ev");
    return "[" + ev + "]" + (rest.empty() ? std::string() : " " + rest.dump());
}
