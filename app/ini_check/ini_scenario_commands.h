// What a scenario's steps make the module do, as far as the mapping file is concerned: the
// commands typed (and typed ahead), the host commands and the lisp call the reactor follows,
// the saves; and for ORBDCREATEPARTREF2 its answers, since they name the section it reads.
#pragma once

#include <string>
#include <vector>

#include "app/common/scenario.h"

struct CommandUse {
    std::string reader;  // as the table of mapping sections names its readers
    std::string step;    // the step's JSON place
};

// The answers typed at ORBDCREATEPARTREF2's three prompts.
struct PromptedSection {
    std::u16string key;
    std::u16string database;
    std::u16string section;  // as typed, not folded
    std::string step;
};

struct ScenarioCommands {
    std::vector<CommandUse> uses;  // in step order
    std::vector<PromptedSection> prompted;
};

ScenarioCommands CommandsOf(const Scenario& scenario);
