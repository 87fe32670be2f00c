#include "app/diff/diff_command.h"

#include "app/common/change_text.h"
#include "app/common/file_path.h"
#include "app/common/loading_policy.h"
#include "app/common/transcript.h"
#include "app/common/verb_arguments.h"

namespace {

constexpr const char* kUsage =
    "usage: vexa-sim diff BEFORE.json AFTER.json [--format text|jsonl]\n";

// A scenario's drawing loads as a run would load it and is saved again, so that both sides
// are compared in the saved form and a drawing that breaks the schema is refused with its
// place.
nlohmann::json SavedForm(const Scenario& scenario) {
    return scenario.drawing.Saved();
}

}  // namespace

int RunDiff(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> files;
    std::string formatName = "text";
    CLI::App verb;
    verb.add_option("drawings", files, "two drawings, each a scenario or a saved drawing");
    verb.add_option("--format", formatName, "text or jsonl")
        ->check(CLI::IsMember({"text", "jsonl"}));
    if (const std::optional<int> done = ParseVerbArguments(verb, kUsage, args, out, err)) {
        return *done;
    }
    if (files.size() != 2) {
        err << "vexa-sim: diff takes two files, BEFORE.json and AFTER.json\n" << kUsage;
        return kExitUnusable;
    }
    TranscriptFormat format = TranscriptFormat::kText;
    ParseTranscriptFormat(formatName, format);
    Transcript transcript(out, format);
    // Each file's errors are reported with that file's name.
    const int code = WithScenario(PathFromUtf8(files[0]), err, [&](const Scenario& first) {
        const nlohmann::json was = SavedForm(first);
        return WithScenario(PathFromUtf8(files[1]), err, [&](const Scenario& second) {
            const std::vector<DrawingChange> changes = DiffDrawings(was, SavedForm(second));
            if (format == TranscriptFormat::kJsonl) {
                WriteChanges(changes, transcript);
            } else {
                transcript.WriteText(ChangesText(changes));
            }
            return kExitDone;
        });
    });
    return transcript.ReportWriteFailure(err, code);
}
