#include "app/common/scenario_text.h"

#include <vector>

#include "sim/scenario/scenario_error.h"

namespace {

using nlohmann::json;

// Builds the document as the library's own DOM reader does, and follows the events to know the
// JSON pointer of the value being read and to bound the nesting. A SAX reader rather than a
// parse callback: the callback reader looks through every earlier sibling at the end of each
// object, which made a drawing of 100,000 rows take most of a minute to read.
class PlacedReader {
  public:
    explicit PlacedReader(json& root) : dom_(root) {}

    bool null() { return Value(dom_.null()); }
    bool boolean(bool value) { return Value(dom_.boolean(value)); }
    bool number_integer(json::number_integer_t value) { return Value(dom_.number_integer(value)); }
    bool number_unsigned(json::number_unsigned_t value) {
        return Value(dom_.number_unsigned(value));
    }
    bool number_float(json::number_float_t value, const json::string_t& text) {
        return Value(dom_.number_float(value, text));
    }
    bool string(json::string_t& value) { return Value(dom_.string(value)); }
    bool binary(json::binary_t& value) { return Value(dom_.binary(value)); }
    bool start_object(std::size_t size) {
        Enter(false);
        return dom_.start_object(size);
    }
    bool key(json::string_t& name) {
        levels_.back().key = name;
        levels_.back().hasKey = true;
        return dom_.key(name);
    }
    bool end_object() { return Leave(dom_.end_object()); }
    bool start_array(std::size_t size) {
        Enter(true);
        return dom_.start_array(size);
    }
    bool end_array() { return Leave(dom_.end_array()); }
    template <class Exception>
    bool parse_error(std::size_t position, const std::string& token, const Exception& error) {
        return dom_.parse_error(position, token, error);
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

    void Enter(bool array) {
        if (levels_.size() >= kMostScenarioNesting) {
            throw sim::ScenarioError(
                Path(), "nested deeper than " + std::to_string(kMostScenarioNesting) + " levels");
        }
        levels_.push_back(Level{array, 0, {}, false});
    }
    bool Leave(bool kept) {
        levels_.pop_back();
        NextElement();
        return kept;
    }
    bool Value(bool kept) {
        NextElement();
        return kept;
    }
    void NextElement() {
        if (!levels_.empty() && levels_.back().array) {
            ++levels_.back().index;
        }
    }

    nlohmann::detail::json_sax_dom_parser<json> dom_;
    std::vector<Level> levels_;
};

}  // namespace

json ParseScenarioText(const std::string& text) {
    json document;
    PlacedReader reader(document);
    try {
        json::sax_parse(text, &reader);
    } catch (const json::out_of_range& e) {
        throw sim::ScenarioError(reader.Path(), std::string("number out of range: ") + e.what());
    } catch (const json::exception& e) {
        throw sim::ScenarioError(reader.Path(), std::string("not JSON: ") + e.what());
    }
    return document;
}
