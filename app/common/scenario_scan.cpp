#include "app/common/scenario_scan.h"

#include "app/common/scenario_text.h"

#ifdef ORBD_WITH_SIMDJSON

#include <simdjson.h>

namespace {

namespace od = simdjson::ondemand;

// The text is not plainly one that ParseScenarioText takes.
struct NotPlain {};

// Below ParseScenarioText's bound, so that a text this walk takes never reaches it.
constexpr int kDeepest = kMostScenarioNesting - 4;

// Reads every value, as ParseScenarioText does, so that a fault anywhere is found here, and
// notes the members of the large containers.
class Walker {
  public:
    Walker(od::document& document, sim::JsonSpanIndex& spans)
        : document_(document), spans_(spans) {}

    void walk(od::value value, int depth) {
        switch (value.type()) {
            case od::json_type::object: {
                const char* begin = opened(depth, value);
                const std::size_t mark = spans_.mark();
                for (od::field field : value.get_object()) {
                    member(key(field), field.value(), depth);
                }
                spans_.close(std::string_view(begin, here() - begin), mark);
                break;
            }
            case od::json_type::array: {
                const char* begin = opened(depth, value);
                const std::size_t mark = spans_.mark();
                for (od::value element : value.get_array()) {
                    member({}, element, depth);
                }
                spans_.close(std::string_view(begin, here() - begin), mark);
                break;
            }
            case od::json_type::string:
                // Only an escape can still be wrong in a string the parser has indexed: it
                // has checked the UTF-8 and the control characters of the whole text. Taken
                // raw, a string fills none of the parser's string buffer, which is as large
                // as the text.
                if (value.raw_json_token().find('\\') == std::string_view::npos) {
                    static_cast<void>(value.get_raw_json_string().value());
                } else {
                    static_cast<void>(std::string_view(value.get_string()));
                }
                break;
            case od::json_type::number:
                static_cast<void>(od::number(value.get_number()));
                break;
            case od::json_type::boolean:
                static_cast<void>(bool(value.get_bool()));
                break;
            case od::json_type::null:
                if (!value.is_null()) {
                    throw NotPlain{};
                }
                break;
        }
    }

    // Where the next token begins: past the value just read.
    const char* here() { return document_.current_location(); }

  private:
    static const char* opened(int depth, od::value& value) {
        if (depth >= kDeepest) {
            throw NotPlain{};
        }
        return value.raw_json_token().data();
    }

    // A key as written where it holds no escape, for the reason strings are taken raw.
    static sim::JsonMember key(od::field& field) {
        const char* raw = field.key().raw();
        const char* end = raw;
        while (*end != '"' && *end != '\\') {
            ++end;
        }
        if (*end == '"') {
            return {std::string_view(raw, static_cast<std::size_t>(end - raw)), false, {}};
        }
        const std::string_view key = field.unescaped_key();
        return {std::string_view(raw, key.size()), !sim::writtenAsIs(raw, key), {}};
    }

    void member(sim::JsonMember noted, od::value value, int depth) {
        const char* begin = value.raw_json_token().data();
        walk(value, depth + 1);
        noted.value = std::string_view(begin, static_cast<std::size_t>(here() - begin));
        spans_.note(noted);
    }

    od::document& document_;
    sim::JsonSpanIndex& spans_;
};

}  // namespace

std::optional<ScannedScenario> ScanScenarioText(const std::string& text) {
    // ParseScenarioText ends the text at a NUL outside a string; the parser here would not.
    if (text.capacity() < text.size() + simdjson::SIMDJSON_PADDING ||
        text.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    try {
        od::parser parser;
        od::document document = parser.iterate(text.data(), text.size(), text.capacity());
        auto spans = std::make_shared<sim::JsonSpanIndex>(text);
        Walker walker(document, *spans);
        ScannedScenario scanned;
        for (od::field field : document.get_object()) {
            std::string name(std::string_view(field.unescaped_key()));
            od::value value = field.value();
            const char* begin = value.raw_json_token().data();
            walker.walk(value, 1);
            const char* end = walker.here();
            scanned.members.emplace_back(
                std::move(name), std::string_view(begin, static_cast<std::size_t>(end - begin)));
        }
        // Anything after the top object is for ParseScenarioText to name.
        if (document.current_location().error() != simdjson::OUT_OF_BOUNDS) {
            return std::nullopt;
        }
        spans->finish();
        scanned.spans = std::move(spans);
        return scanned;
    } catch (const simdjson::simdjson_error&) {
        return std::nullopt;
    } catch (const NotPlain&) {
        return std::nullopt;
    }
}

std::size_t ScenarioTextPadding() {
    return simdjson::SIMDJSON_PADDING;
}

#else

// Without the parser every scenario is read as a DOM.
std::optional<ScannedScenario> ScanScenarioText(const std::string&) {
    return std::nullopt;
}

std::size_t ScenarioTextPadding() {
    return 0;
}

#endif
