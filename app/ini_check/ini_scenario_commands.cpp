#include "app/ini_check/ini_scenario_commands.h"

#include <cctype>
#include <string_view>

#include "app/common/text_conversion.h"

namespace {

// Typed text as the host's command line reads it: a command name and each plain answer end
// at a blank or Enter, the section answer of ORBDCREATEPARTREF2 only at Enter.
class TypedText {
  public:
    explicit TypedText(std::string_view text) : text_(text) {}

    bool AtEnd() const { return at_ >= text_.size(); }

    std::string Word() { return Until(" \n"); }
    std::string Line() { return Until("\n"); }

  private:
    std::string Until(std::string_view ends) {
        const std::size_t end = std::min(text_.find_first_of(ends, at_), text_.size());
        std::string word(text_.substr(at_, end - at_));
        at_ = end + 1;
        return word;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

std::string Upper(std::string word) {
    for (char& c : word) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return word;
}

bool IsModuleCommand(const std::string& word) {
    return word.starts_with("ORBD") &&
           word.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789") == std::string::npos;
}

void ReadTyped(std::string_view text, const std::string& step, ScenarioCommands& into) {
    TypedText typed(text);
    while (!typed.AtEnd()) {
        const std::string word = Upper(typed.Word());
        if (!IsModuleCommand(word)) {
            continue;
        }
        into.uses.push_back({word, step});
        if (word == "ORBDCREATEPARTREF2") {
            PromptedSection prompted;
            prompted.key = U16(typed.Word());
            prompted.database = U16(typed.Word());
            prompted.section = U16(typed.Line());
            prompted.step = step;
            into.prompted.push_back(std::move(prompted));
        }
    }
}

}  // namespace

ScenarioCommands CommandsOf(const Scenario& scenario) {
    ScenarioCommands commands;
    for (const ScenarioStep& step : scenario.steps) {
        if (const auto* typed = std::get_if<TypeStep>(&step.action)) {
            ReadTyped(typed->text, step.path, commands);
        } else if (const auto* command = std::get_if<CommandStep>(&step.action)) {
            commands.uses.push_back({command->name, step.path});
            if (command->typeAhead) {
                ReadTyped(*command->typeAhead, step.path, commands);
            }
        } else if (const auto* lisp = std::get_if<LispStep>(&step.action)) {
            if (lisp->expression.find("(orbdexternfinish2") != std::string::npos) {
                commands.uses.push_back({"(orbdexternfinish2)", step.path});
            }
        } else if (const auto* save = std::get_if<SaveStep>(&step.action); save && save->save) {
            commands.uses.push_back({"save", step.path});
        }
    }
    return commands;
}
