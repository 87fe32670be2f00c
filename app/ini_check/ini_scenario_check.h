// CheckAgainstScenario: loads a scenario's drawing and PDM into the stand-ins and checks the
// mapping sections the module reads against them: mapped parts-list columns the drawing's
// parts-list standard lacks, PDM field expressions that answer a PDM error for the
// scenario's keys, and mapped fields that come back empty for every row or key.
//
// The keys are those the module would use with this drawing and PDM: the rows' keys (stored
// or found by part number), the environment's "PARTREF" (part references) and "ORBKEY" (the
// drawing's own part data), also as steps set them, and the PDM's item selections (virtual
// components). Host-function expressions "(NAME)..." are not the PDM's and are not evaluated.
#pragma once

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/ini_check/ini_report.h"
#include "config/ini_file.h"

struct ScenarioCheck {
    std::vector<std::string> notes;  // what each section was checked with
    std::vector<IniWarning> warnings;
    std::set<std::u16string> promptedSections;  // folded, typed at ORBDCREATEPARTREF2
};

// Answers given on ini-check's command line for what only prompts feed (ORBDCREATEPARTREF2's
// key and database): the section checked is evaluated for this key, in this folder.
struct PromptAnswers {
    std::optional<std::u16string> key;
    std::optional<std::u16string> database;
};

// With onlySection, only that section is checked; a section the module does not name is
// checked as a part-reference section. Sections typed at ORBDCREATEPARTREF2 in the scenario
// are checked with the key and database typed there. Throws sim::ScenarioError for a
// scenario that cannot be read or breaks the schema. The stand-ins are reset afterwards.
ScenarioCheck CheckAgainstScenario(const CIniFile& file, const SectionsSeen& sections,
                                   const std::filesystem::path& scenario,
                                   const std::optional<std::u16string>& onlySection,
                                   const PromptAnswers& answers = {});
