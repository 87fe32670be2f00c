// ScenarioFacts: a scenario's drawing and PDM, loaded into the stand-ins, and what the
// mapping check needs of them: the parts list's rows, the parts-list standard's columns and
// the PDM keys the module would ask with.
#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

#include "app/ini_check/ini_scenario_commands.h"
#include "bom/bom_row.h"

// Keys of one kind, first seen first, each once. A drawing may hold a key per row, so a
// key is looked up among those seen by hash.
struct KeySet {
    std::vector<std::u16string> keys;

    void Add(const std::u16string& key);

  private:
    std::unordered_set<std::u16string> seen_;
};

class ScenarioFacts {
  public:
    // Throws sim::ScenarioError for a scenario that cannot be read or breaks the schema.
    explicit ScenarioFacts(const std::filesystem::path& scenario);
    // Resets the stand-ins and the PDM link, so that nothing of the scenario stays.
    ~ScenarioFacts();
    ScenarioFacts(const ScenarioFacts&) = delete;
    ScenarioFacts& operator=(const ScenarioFacts&) = delete;

    bool hasPartsList = false;
    std::u16string partsListFailure;  // the host's text when the rows could not be read
    std::vector<BomRow> rows;         // in row order; valid while this lives
    std::set<std::u16string> columns;
    KeySet storedRowKeys;   // rows' "ORBKEY" and the environment's "PARTREF"
    KeySet partNumberKeys;  // found for the rows' "ORBD_PARTNO" in "Folder_All_Part"
    KeySet drawingKeys;     // the environment's "ORBKEY"
    KeySet selectedKeys;    // the PDM's item selections, in "Folder_All_Part"
    ScenarioCommands commands;

  private:
    void ReadRows();
};
