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

// Reads every value, as ParseScenarioText does, so that a fault anywhere is found here.
void Walk(od::value value, int depth) {
    switch (value.type()) {
        case od::json_type::object:
            if (depth >= kDeepest) {
                throw NotPlain{};
            }
            for (od::field field : value.get_object()) {
                static_cast<void>(std::string_view(field.unescaped_key()));
                Walk(field.value(), depth + 1);
            }
            break;
        case od::json_type::array:
            if (depth >= kDeepest) {
                throw NotPlain{};
            }
            for (od::value element : value.get_array()) {
                Walk(element, depth + 1);
            }
            break;
        case od::json_type::string:
            static_cast<void>(std::string_view(value.get_string()));
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

}  // namespace

std::optional<std::vector<std::pair<std::string, std::string_view>>> ScanScenarioText(
    const std::string& text) {
    // ParseScenarioText ends the text at a NUL outside a string; the parser here would not.
    if (text.capacity() < text.size() + simdjson::SIMDJSON_PADDING ||
        text.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    try {
        od::parser parser;
        od::document document = parser.iterate(text.data(), text.size(), text.capacity());
        std::vector<std::pair<std::string, std::string_view>> members;
        for (od::field field : document.get_object()) {
            std::string name(std::string_view(field.unescaped_key()));
            od::value value = field.value();
            const char* begin = value.raw_json_token().data();
            Walk(value, 1);
            const char* end = document.current_location();
            members.emplace_back(std::move(name),
                                 std::string_view(begin, static_cast<std::size_t>(end - begin)));
        }
        // Anything after the top object is for ParseScenarioText to name.
        if (document.current_location().error() != simdjson::OUT_OF_BOUNDS) {
            return std::nullopt;
        }
        return members;
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
std::optional<std::vector<std::pair<std::string, std::string_view>>> ScanScenarioText(
    const std::string&) {
    return std::nullopt;
}

std::size_t ScenarioTextPadding() {
    return 0;
}

#endif
