// The steps of a scenario, each read into its own type when the scenario is read (see
// scenario.h), so that running them and checking them never looks at JSON again. The parts
// whose schema belongs to the platform (the entities a command adds, a PDM section) stay
// JSON, checked by the platform's readers, and are handed to them as they are.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

// PDM environment values (name, value), in the order of their names.
using ScenarioEnv = std::vector<std::pair<std::string, std::string>>;

// A scenario's handle for an entity, with its JSON place.
struct HandleAt {
    std::int64_t handle;
    std::string path;
};

// {"type": TEXT}: typed at the host's command line.
struct TypeStep {
    std::string text;
};

// {"command": NAME, ...}: a command of the host itself, which adds and erases entities and
// sets environment values while it runs, or is cancelled after that.
struct CommandStep {
    std::string name;
    std::optional<std::string> typeAhead;  // typed while the command runs
    std::optional<nlohmann::json> add;     // entities, in the drawing's schema
    std::vector<HandleAt> erase;
    std::vector<HandleAt> unerase;
    ScenarioEnv env;
    bool cancel = false;
};

// {"lisp": EXPRESSION}
struct LispStep {
    std::string expression;
};

// {"save": true}: the host starts saving the drawing; false does nothing.
struct SaveStep {
    bool save;
};

// {"fail": {"op", "nth", "status"}}: arms a fault of the stand-in host.
struct FailStep {
    std::string operation;
    int nth;
    int status;
};

// {"env": {...}}
struct EnvStep {
    ScenarioEnv env;
};

// {"pdm": {...}}: configures the PDM again, in the PDM section's schema.
struct PdmStep {
    nlohmann::json pdm;
};

// {"structure2d": BOOL}
struct Structure2dStep {
    bool on;
};

struct ScenarioStep {
    std::variant<TypeStep, CommandStep, LispStep, SaveStep, FailStep, EnvStep, PdmStep,
                 Structure2dStep>
        action;
    std::string path;  // the step's JSON place, "/steps/N"
};

// The environment values an "env" or a "command" step sets; null for any other step.
inline const ScenarioEnv* EnvSetBy(const ScenarioStep& step) {
    if (const auto* env = std::get_if<EnvStep>(&step.action)) {
        return &env->env;
    }
    if (const auto* command = std::get_if<CommandStep>(&step.action)) {
        return &command->env;
    }
    return nullptr;
}
