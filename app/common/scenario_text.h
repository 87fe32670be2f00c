// The JSON text of a scenario, parsed with a bound on nesting that is checked while parsing,
// so that no recursive copy or walk ever meets a document deep enough to exhaust the stack.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

// Far deeper than any scenario needs (a block's entity position is six levels down).
constexpr int kMostScenarioNesting = 64;

// Throws sim::ScenarioError naming the JSON place where the text stops being usable: not
// JSON, nested deeper than kMostScenarioNesting, or a number beyond the range of a double.
nlohmann::json ParseScenarioText(const std::string& text);
