#include "app/run/run_command.h"

#include "app/common/loading_policy.h"
#include "app/common/scenario.h"
#include "app/common/session.h"
#include "app/common/transcript.h"

int RunScenario(const RunOptions& given, std::ostream& out, std::ostream& err) {
    const RunOptions options = Absolute(given);
    Transcript transcript(out, options.format);
    const int code = WithScenario(options.scenario, err, [&](Scenario& scenario) {
        // Out before any error that ends the run, so that the two keep their order.
        const struct FlushAtEnd {
            Transcript& transcript;
            ~FlushAtEnd() { transcript.Flush(); }
        } flushAtEnd{transcript};
        Session session(options, scenario, transcript);
        // The drawing is in the database now; on a large drawing its JSON is as big again.
        scenario.drawing = nlohmann::json();
        for (const ScenarioStep& step : scenario.steps) {
            session.RunStep(step);
        }
        return session.Finish() == 0 ? kExitDone : kExitOpenObjects;
    });
    return transcript.ReportWriteFailure(err, code);
}
