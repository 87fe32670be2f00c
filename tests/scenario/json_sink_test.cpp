#include "sim/scenario/json_sink.h"

#include <sstream>

#include <gtest/gtest.h>

#include "host/vx_string.h"

namespace {

using Json = nlohmann::ordered_json;

enum class Texts { kWhole, kUtf8, kUtf16 };

// Replays value into sink the way the drawing writer does: containers opened and closed,
// texts and integers as such or whole, everything else handed over whole.
void replay(sim::JsonSink& sink, const std::string& key, const Json& value,
            Texts texts = Texts::kWhole) {
    if (value.is_object() && value.contains("~whole")) {
        Json whole = value["~whole"];
        sink.value(key, std::move(whole));
    } else if (value.is_object()) {
        sink.beginObject(key);
        for (const auto& [name, member] : value.items()) {
            replay(sink, name, member, texts);
        }
        sink.end();
    } else if (value.is_array()) {
        sink.beginArray(key);
        for (const Json& element : value) {
            replay(sink, {}, element, texts);
        }
        sink.end();
    } else if (value.is_string() && texts == Texts::kUtf8) {
        sink.text(key, std::string_view(value.get_ref<const std::string&>()));
    } else if (value.is_string() && texts == Texts::kUtf16) {
        sink.text(key, std::u16string_view(VxString::fromUtf8(value.get<std::string>()).str()));
    } else if (value.is_number_integer() && texts != Texts::kWhole) {
        sink.integer(key, value.get<std::int64_t>());
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
        // Texts the writer escapes itself or leaves to the serializer, keys among them.
        Json::parse(R"({"plain": "abc", "q\"k": "a\"b\\c/", "ctl": "\b\f\n\r\t\u0001\u001f\u007f",
                        "wide": "\u00fc\u20ac\ud83d\ude00", "": "", "n": [-9223372036854775807, 0, 42]})"),
    };
    for (const Texts texts : {Texts::kWhole, Texts::kUtf8, Texts::kUtf16}) {
        for (const Json& given : cases) {
            const Json expected = withoutMarks(given);
            std::ostringstream text;
            sim::JsonTextWriter writer(text);
            replay(writer, {}, given, texts);
            EXPECT_EQ(text.str(), expected.dump(2));

            sim::JsonBuilder builder;
            replay(builder, {}, given, texts);
            EXPECT_EQ(builder.take(), expected);
        }
    }
}

// A lone surrogate, which UTF-8 cannot hold, is written as VxString::toUtf8 converts it.
TEST(JsonSink, ALoneSurrogateIsWrittenAsTheHostConvertsIt) {
    const std::u16string lone =
        u"a\xD800"
        u"b";
    std::ostringstream text;
    sim::JsonTextWriter writer(text);
    writer.beginArray({});
    writer.text({}, std::u16string_view(lone));
    writer.end();
    EXPECT_EQ(text.str(), Json::array({VxString(lone).toUtf8()}).dump(2));
}

TEST(JsonSink, AnEndWithoutItsBeginIsRefused) {
    std::ostringstream text;
    sim::JsonTextWriter writer(text);
    EXPECT_THROW(writer.end(), std::logic_error);
    sim::JsonBuilder builder;
    EXPECT_THROW(builder.end(), std::logic_error);
}

}  // namespace
