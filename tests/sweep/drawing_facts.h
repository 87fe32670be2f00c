// A saved drawing taken apart into facts, each named by what it is about (a column, an
// entity, a part-data field, a row, a cell), so that two drawings compare fact by fact.
#pragma once

#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

using DrawingFacts = std::map<std::string, std::string>;

// drawing: the "drawing" object of a saved scenario.
DrawingFacts FactsOf(const nlohmann::json& drawing);

// The facts of failed that are neither as in before nor as in after (a missing fact is a
// value too), each with the three values.
std::vector<std::string> ThirdStates(const DrawingFacts& before, const DrawingFacts& after,
                                     const DrawingFacts& failed);

// Whether third (one of ThirdStates) is a part-data field or a row's cell that failed no longer
// has while its owner's "ORBKEY" in failed differs from the one before: the field of the item it
// was keyed to before, removed because its query for the new key failed.
bool IsFieldLeftByAnotherItem(const DrawingFacts& before, const DrawingFacts& failed,
                              const std::string& third);
