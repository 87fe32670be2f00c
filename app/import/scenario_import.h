// Builds a scenario from the files an administrator has: a parts list, PDM tables and the
// mapping file. Nothing here touches the file system; "vexa-sim import" reads the files and
// writes the result.
#pragma once

#include <string>
#include <utility>
#include <vector>

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

// The scenario's JSON text, checked as "vexa-sim run" checks it (the drawing loaded too), so a
// text is only ever answered whole and runnable. Throws ImportError naming the input file and
// line, or sim::ScenarioError with the JSON place when the result would break the format
// (a value given on the command line that the format refuses).
std::string ImportScenario(const ImportSources& sources);
