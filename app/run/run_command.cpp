#include "app/run/run_command.h"

#include <exception>

#include "app/common/loading_policy.h"
#include "app/common/scenario.h"
#include "app/common/session.h"
#include "app/common/transcript.h"
#include "sim/scenario/scenario_error.h"

namespace {

int RunSteps(const RunOptions& options, Scenario& scenario, Transcript& transcript) {
    // Out before any error that ends the run, so that the two keep their order.
    const struct FlushAtEnd {
        Transcript& transcript;
        ~FlushAtEnd() { transcript.Flush(); }
    } flushAtEnd{transcript};
    Session session(options, scenario, transcript);
    // The drawing is in the database now; on a large drawing its JSON is as big again.
    scenario.drawing = ScenarioDrawing();
    for (const ScenarioStep& step : scenario.steps) {
        session.RunStep(step);
    }
    if (session.Finish() != 0) {
        return kExitOpenObjects;
    }
    return options.strict && session.FailuresSeen() ? kExitFailuresSeen : kExitDone;
}

}  // namespace

int RunScenario(const RunOptions& given, std::ostream& out, std::ostream& err) {
    const RunOptions options = Absolute(given);
    Transcript transcript(out, options.format);
    transcript.SetDetail(options.quiet     ? TranscriptDetail::kQuiet
                         : options.verbose ? TranscriptDetail::kVerbose
                                           : TranscriptDetail::kNormal);
    const int code = WithScenario(options.scenario, err, [&](Scenario& scenario) {
        if (!options.drawing) {
            return RunSteps(options, scenario, transcript);
        }
        // The saved drawing is read as any scenario is, and only its drawing is taken: its
        // faults are reported with its own name, those of the steps with the scenario's.
        scenario.drawing = ScenarioDrawing();
        std::exception_ptr stepsFault;
        const int code = WithScenario(*options.drawing, err, [&](Scenario& saved) {
            scenario.drawing = std::move(saved.drawing);
            try {
                return RunSteps(options, scenario, transcript);
            } catch (const sim::ScenarioError& e) {
                if (e.path().starts_with("/drawing")) {
                    throw;
                }
                stepsFault = std::current_exception();
                return kExitUnusable;
            }
        });
        if (stepsFault) {
            std::rethrow_exception(stepsFault);
        }
        return code;
    });
    return transcript.ReportWriteFailure(err, code);
}
