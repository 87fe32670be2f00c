#include "app/run/run_command.h"

#include <stdexcept>

#include "app/common/scenario.h"
#include "app/common/session.h"
#include "app/common/transcript.h"
#include "sim/scenario/scenario_error.h"

RunOptions Absolute(const RunOptions& options) {
    RunOptions absolute = options;
    absolute.scenario = std::filesystem::absolute(options.scenario);
    absolute.module = std::filesystem::absolute(options.module);
    if (options.saveDrawing) {
        absolute.saveDrawing = std::filesystem::absolute(*options.saveDrawing);
    }
    if (options.workdir) {
        absolute.workdir = std::filesystem::absolute(*options.workdir);
    }
    return absolute;
}

namespace {

// Names from a scenario may hold control characters; the terminal must not act on them.
std::string Printable(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            constexpr const char* kHex = "0123456789abcdef";
            out += std::string("\\u00") + kHex[(c >> 4) & 0xF] + kHex[c & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

int WithScenario(const RunOptions& options, std::ostream& err,
                 const std::function<int(Scenario&)>& body) {
    try {
        Scenario scenario = ReadScenario(options.scenario);
        return body(scenario);
    } catch (const sim::ScenarioError& e) {
        err << "vexa-sim: " << options.scenario.string() << ": at "
            << (e.path().empty() ? std::string("the top") : Printable(e.path())) << ": "
            << Printable(e.what()) << "\n";
        return 2;
    } catch (const std::exception& e) {
        err << "vexa-sim: " << e.what() << "\n";
        return 3;
    }
}

int RunScenario(const RunOptions& given, std::ostream& out, std::ostream& err) {
    const RunOptions options = Absolute(given);
    Transcript transcript(out, options.format);
    return WithScenario(options, err, [&](Scenario& scenario) {
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
        return session.Finish() == 0 ? 0 : 1;
    });
}
