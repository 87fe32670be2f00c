// The quick look at a scenario's text that lets a large one be read without its whole DOM:
// the text is checked to be JSON that ParseScenarioText (scenario_text.h) takes, and the
// members of its top object are handed out as texts, so that the small ones can be parsed
// and the drawing loaded straight from the file's bytes.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sim/scenario/json_spans.h"

struct ScannedScenario {
    std::vector<std::pair<std::string, std::string_view>> members;
    // The members of the text's large objects and arrays.
    std::shared_ptr<const sim::JsonSpanIndex> spans;
};

// Each member of the top object (name, JSON text inside text) in the order given, with the
// members of every large object and array inside, or nothing
// when the text is not plainly what ParseScenarioText takes (not JSON, nested near the bound,
// a number beyond the range it reads, a top that is not an object): ParseScenarioText then
// says where. Nothing too when text's capacity does not reach ScenarioTextPadding() bytes past
// its end, which the parser reads.
std::optional<ScannedScenario> ScanScenarioText(const std::string& text);

// The bytes of capacity past a text's end that ScanScenarioText and the drawing's loader read.
std::size_t ScenarioTextPadding();
