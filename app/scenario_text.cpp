#include "app/scenario_text.h"

#include <vector>

#include "sim/scenario/scenario_error.h"

namespace {

using nlohmann::json;

// Follows the parser's events to know the JSON pointer of the value being read.
class PlaceTracker {
  public:
    bool Event(json::parse_event_t event, const json& parsed) {
        switch (event) {
            case json::parse_event_t::object_start:
            case json::parse_event_t::array_start:
                if (levels_.size() >= kMostScenarioNesting) {
                    throw sim::ScenarioError(
                        Path(),
                        "nested deeper than " + std::to_string(kMostScenarioNesting) + " levels");
                }
                levels_.push_back(Level{event == json::parse_event_t::array_start, 0, {}, false});
                break;
            case json::parse_event_t::key:
                levels_.back().key = parsed.get<std::string>();
                levels_.back().hasKey = true;
                break;
            case json::parse_event_t::object_end:
            case json::parse_event_t::array_end:
                levels_.pop_back();
                NextElement();
                break;
            case json::parse_event_t::value:
                NextElement();
                break;
        }
        return true;
    }

    std::string Path() const {
        json::json_pointer pointer;
        for (const Level& level : levels_) {
            if (level.array) {
                pointer /= level.index;
            } else if (level.hasKey) {
                pointer /= level.key;
            }
        }
        return pointer.to_string();
    }

  private:
    struct Level {
        bool array;
        std::size_t index;
        std::string key;
        bool hasKey;
    };

    void NextElement() {
        if (!levels_.empty() && levels_.back().array) {
            ++levels_.back().index;
        }
    }

    std::vector<Level> levels_;
};

}  // namespace

json ParseScenarioText(const std::string& text) {
    PlaceTracker tracker;
    try {
        return json::parse(text, [&](int, json::parse_event_t event, json& parsed) {
            return tracker.Event(event, parsed);
        });
    } catch (const json::out_of_range& e) {
        throw sim::ScenarioError(tracker.Path(), std::string("number out of range: ") + e.what());
    } catch (const json::exception& e) {
        throw sim::ScenarioError(tracker.Path(), std::string("not JSON: ") + e.what());
    }
}
