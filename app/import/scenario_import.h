// Builds a scenario from the files an administrator has: a parts list, PDM tables and the
// mapping file. Nothing here touches the file system; "vexa-sim import" reads the files and
// writes the result.
#pragma once

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

// One input file: the name it is reported by and its bytes.
struct ImportFile {
    std::string name;
    std::string bytes;
};

struct ImportSources {
    ImportFile bom;
    std::vector<std::pair<std::string, ImportFile>> pdmTables;  // table name, file
    // The mapping file, stored under mappingName, which "BOMIniFile" names; none when empty.
    std::string mappingName;
    std::string mappingBytes;
    std::vector<std::pair<std::string, std::string>> env;  // PDM environment values
    std::vector<std::string> typed;                        // command lines, one step each
    bool partRefs = false;
    char separator = 0;  // 0: each file's header line tells
};

// The scenario, checked as "vexa-sim run" checks it (the drawing loaded too), so a scenario is
// only ever answered whole and runnable. Throws ImportError naming the input file and line, or
// sim::ScenarioError with the JSON place when the result would break the format (a value given
// on the command line that the format refuses).
nlohmann::json ImportScenarioDocument(const ImportSources& sources);

// The scenario's JSON text as a file holds it: indented by two, a line break at the end. It
// goes straight into out, so that a large scenario is never in memory twice.
void WriteScenarioText(const nlohmann::json& scenario, std::ostream& out);

// Both, for those who want the text.
std::string ImportScenario(const ImportSources& sources);
