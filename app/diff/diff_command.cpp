#include "app/diff/diff_command.h"

#include "app/common/change_text.h"
#include "app/common/loading_policy.h"
#include "app/common/transcript.h"
#include "sim/host/database.h"
#include "sim/host/faults.h"
#include "sim/scenario/drawing_io.h"

namespace {

// A scenario's drawing loads as a run would load it and is saved again, so that both sides
// are compared in the saved form (keys filled in, cells where a run has them) and a drawing
// that breaks the schema is refused with its place.
nlohmann::json SavedForm(const Scenario& scenario) {
    const sim::FaultsSuspended own;
    sim::Database db;
    sim::DrawingHandles handles;
    sim::loadDrawing(scenario.drawing, "/drawing", db, handles);
    return sim::saveDrawing(db, handles, handles.loadedModules);
}

}  // namespace

int RunDiff(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> files;
    TranscriptFormat format = TranscriptFormat::kText;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--format") {
            if (i + 1 >= args.size() || !ParseTranscriptFormat(args[++i], format)) {
                err << "vexa-sim: --format takes text or jsonl\n";
                return 2;
            }
        } else if (!args[i].empty() && args[i][0] == '-') {
            err << "vexa-sim: unknown option " << args[i] << "\n";
            return 2;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2) {
        err << "vexa-sim: diff takes two files, BEFORE.json and AFTER.json\n";
        return 2;
    }
    // Each file's errors are reported with that file's name.
    return WithScenario(files[0], err, [&](const Scenario& first) {
        const nlohmann::json was = SavedForm(first);
        return WithScenario(files[1], err, [&](const Scenario& second) {
            const std::vector<DrawingChange> changes = DiffDrawings(was, SavedForm(second));
            if (format == TranscriptFormat::kJsonl) {
                Transcript transcript(out, format);
                WriteChanges(changes, transcript);
            } else {
                out << ChangesText(changes);
            }
            return 0;
        });
    });
}
