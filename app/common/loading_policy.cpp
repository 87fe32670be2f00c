#include "app/common/loading_policy.h"

#include <stdexcept>

#include "app/common/file_path.h"
#include "app/common/module_loader.h"
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
        err << "vexa-sim: " << EscapeControls(Utf8Path(file), EscapeForm::kUnicode) << ": at "
            << (e.path().empty() ? std::string("the top")
                                 : EscapeControls(e.path(), EscapeForm::kUnicode))
            << ": " << EscapeControls(e.what(), EscapeForm::kUnicode) << "\n";
        return kExitUnusable;
    } catch (const ModuleLoadError& e) {
        err << "vexa-sim: " << EscapeControls(e.what(), EscapeForm::kUnicode) << "\n";
        return kExitModuleNotLoaded;
    } catch (const std::exception& e) {
        // A file or folder that cannot be read, written or used names itself in the text.
        err << "vexa-sim: " << EscapeControls(e.what(), EscapeForm::kUnicode) << "\n";
        return kExitUnusable;
    }
}
