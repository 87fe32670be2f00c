#include "app/common/loading_policy.h"

#include <stdexcept>

#include "app/common/terminal_text.h"
#include "sim/scenario/scenario_error.h"

int WithScenario(const std::filesystem::path& file, std::ostream& err,
                 const std::function<int(Scenario&)>& body) {
    try {
        Scenario scenario = ReadScenario(file);
        return body(scenario);
    } catch (const sim::ScenarioError& e) {
        // Names from a scenario may hold control characters; the terminal must not act on
        // them.
        err << "vexa-sim: " << file.string() << ": at "
            << (e.path().empty() ? std::string("the top")
                                 : EscapeControls(e.path(), EscapeForm::kUnicode))
            << ": " << EscapeControls(e.what(), EscapeForm::kUnicode) << "\n";
        return 2;
    } catch (const std::exception& e) {
        err << "vexa-sim: " << e.what() << "\n";
        return 3;
    }
}
