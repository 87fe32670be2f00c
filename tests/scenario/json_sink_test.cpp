#include "sim/scenario/json_sink.h"

#include <sstream>

#include <gtest/gtest.h>

namespace {

using Json = nlohmann::ordered_json;

// Replays value into sink the way the drawing writer does: containers opened and closed,
// everything else handed over whole.
void replay(sim::JsonSink& sink, const std::string& key, const Json& value) {
    if (value.is_object() && value.contains("~whole")) {
        Json whole = value["~whole"];
        sink.value(key, std::move(whole));
    } else if (value.is_object()) {
        sink.beginObject(key);
        for (const auto& [name, member] : value.items()) {
            replay(sink, name, member);
        }
        sink.end();
    } else if (value.is_array()) {
        sink.beginArray(key);
        for (const Json& element : value) {
            replay(sink, {}, element);
        }
        sink.end();
    } else {
        Json copy = value;
        sink.value(key, std::move(copy));
    }
}

// "~whole" marks a part handed over as one value, nested containers included.
Json withoutMarks(const Json& value) {
    if (value.is_object() && value.contains("~whole")) {
        return value["~whole"];
    }
    if (value.is_structured()) {
        Json copy = value.is_object() ? Json::object() : Json::array();
        for (const auto& [name, member] : value.items()) {
            if (value.is_object()) {
                copy[name] = withoutMarks(member);
            } else {
                copy.push_back(withoutMarks(member));
            }
        }
        return copy;
    }
    return value;
}

TEST(JsonSink, TextIsWhatDumpGivesAndTheBuiltValueIsTheSame) {
    const Json cases[] = {
        Json::object(),
        Json::array(),
        Json::parse(R"({"entities": [], "blocks": [{"name": "B", "entities": []}],
                        "partData": {}, "boms": [{"owner": null, "rows": [
                          {"~whole": {"item": "1", "cells": {"A": "x\ny", "B": "\u00fc\"/"},
                                      "partRefPaths": [[1, 2], []]}},
                          {"~whole": {"item": "2", "cells": {}, "partRefPaths": []}}]}],
                        "structure2d": false, "loadedModules": ["m"],
                        "ucs": {"~whole": {"origin": [1.5, 0, -2]}}})"),
        Json::parse(R"([[[]], {}, {"k": {"~whole": [{"deep": [1, {"e": {}}]}]}}, 3])"),
    };
    for (const Json& given : cases) {
        const Json expected = withoutMarks(given);
        std::ostringstream text;
        sim::JsonTextWriter writer(text);
        replay(writer, {}, given);
        EXPECT_EQ(text.str(), expected.dump(2));

        sim::JsonBuilder builder;
        replay(builder, {}, given);
        EXPECT_EQ(builder.take(), expected);
    }
}

TEST(JsonSink, AnEndWithoutItsBeginIsRefused) {
    std::ostringstream text;
    sim::JsonTextWriter writer(text);
    EXPECT_THROW(writer.end(), std::logic_error);
    sim::JsonBuilder builder;
    EXPECT_THROW(builder.end(), std::logic_error);
}

}  // namespace
