// Loading a drawing straight from its text does what loading its DOM does: the same drawing,
// or the same first fault with its place; what it does not take plainly it leaves to the DOM
// reader, untouched by its half load.
#include <gtest/gtest.h>

#include <string>

#include "sim/host/host_control.h"
#include "sim/scenario/drawing_io.h"
#include "sim/scenario/drawing_text_load.h"
#include "sim/scenario/scenario_error.h"
#include "tests/scenario/sample_drawing.h"

namespace {

using nlohmann::json;

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// The sample has entities naming blocks listed after them and the header last, against
// loadDrawing's order, and a data entry's cells twice, agreeing. Here a cell is given twice
// too (the last counts), and a row has no data entry.
const std::string kDrawing = Replaced(
    Replaced(sample::kDrawing, R"("cells": { "DESCR": "Washer" })",
             R"("cells": { "DESCR": "Nut", "DESCR": "Washer" })"),
    R"("partRefPaths": [[2, 20]] } ] },)",
    R"("partRefPaths": [[2, 20]] }, { "qty": 1, "item": "\u20ac", "cells": { "X": "" } } ] },)");

// The saved drawing, or the place and text of the fault.
template <class Load>
std::string Outcome(Load load) {
    sim::resetHost();
    sim::Database& db = sim::workingDatabase();
    sim::DrawingHandles handles;
    try {
        load(db, handles);
    } catch (const sim::ScenarioError& e) {
        return e.path() + ": " + e.what();
    }
    return json(sim::saveDrawing(db, handles, handles.loadedModules)).dump();
}

std::string FromDom(const std::string& text) {
    return Outcome([&](sim::Database& db, sim::DrawingHandles& handles) {
        sim::loadDrawing(json::parse(text), "/drawing", db, handles);
    });
}

struct FromText {
    bool plain = true;
    std::string outcome;
};

FromText LoadText(const std::string& given) {
    std::string text = given;
    text.reserve(text.size() + 64);
    FromText result;
    result.outcome = Outcome([&](sim::Database& db, sim::DrawingHandles& handles) {
        result.plain = sim::loadDrawingText(text, text.capacity(), nullptr, db, handles);
    });
    return result;
}

TEST(DrawingTextLoad, APlainDrawingLoadsAsItsDom) {
    if (!sim::kLoadsDrawingText) {
        GTEST_SKIP();
    }
    const FromText loaded = LoadText(kDrawing);
    EXPECT_TRUE(loaded.plain);
    EXPECT_EQ(loaded.outcome, FromDom(kDrawing));
    EXPECT_EQ(LoadText("{}").outcome, FromDom("{}"));
    EXPECT_TRUE(LoadText("{}").plain);
}

// Faults of the small parts are the DOM reader's own, thrown at once with its place.
TEST(DrawingTextLoad, FaultsOfTheSmallPartsAreNamedAsTheDomNamesThem) {
    if (!sim::kLoadsDrawingText) {
        GTEST_SKIP();
    }
    struct Case {
        const char* from;
        const char* to;
        bool beforeRows;  // read before the rows, so found before a fault of a row
    };
    for (const Case& fault : {Case{R"("visible": true)", R"("visible": 1)", false},
                              Case{R"("yAxis": [-1, 0])", R"("yAxis": [0, 2])", true},
                              Case{R"("ucs": {)", R"("ucs": { "scale": 2,)", true},
                              Case{R"({ "name": "PIN",)", R"({ "name": "GEAR",)", true},
                              Case{R"("9": {)", R"("09": {)", true},
                              Case{R"("structure2d": true)", R"("structure2d": "yes")", false},
                              Case{R"([ "orbdvmbom16.vmx" ])", R"([ 5 ])", false},
                              Case{R"("ORBKEY": "D1.1")", R"("ORBKEY": 1)", true}}) {
        std::string text = Replaced(kDrawing, fault.from, fault.to);
        if (fault.beforeRows) {
            text = Replaced(text, R"("qty": 2)", R"("qty": "2")");
        }
        const FromText loaded = LoadText(text);
        EXPECT_TRUE(loaded.plain) << fault.to;
        EXPECT_EQ(loaded.outcome, FromDom(text)) << fault.to;
        EXPECT_EQ(loaded.outcome.find('{'), std::string::npos) << loaded.outcome;
    }
}

// Rows and entities that are not the plain case, faulty or not, are the DOM reader's.
TEST(DrawingTextLoad, WhatIsNotPlainIsLeftToTheDom) {
    for (const auto& [from, to] : std::initializer_list<std::pair<std::string, std::string>>{
             // Faults, each a check of the DOM reader.
             {R"("qty": 2)", R"("qty": "2")"},
             {R"("qty": 2)", R"("qty": 2.0)"},
             {R"("qty": 2)", R"("qty": 2147483648)"},
             {R"("qty": 2)", R"("qty": 2, "colour": 1)"},
             {R"("item": "2")", R"("item": "2\u0000")"},
             {R"("state": 1)", R"("state": 1, "item": "3")"},
             {R"("item": "2", "qty": 1, "dataEntry": 8)",
              R"("item": "2", "qty": 1, "dataEntry": 7)"},
             {R"({ "item": "1", "qty": 1, "dataEntry": 8, "cells": {})",
              R"({ "item": "1", "qty": 1, "dataEntry": 8, "cells": { "A": "b" })"},
             {R"("partRefPaths": [[1], [2, 21, 30]])", R"("partRefPaths": [[1]])"},
             {R"("partRefPaths": [[1], [2, 21, 30]])", R"("partRefPaths": [[1], [2, 21, 99]])"},
             {R"({ "handle": 3, "type": "line" })", R"({ "handle": 3, "type": "circle" })"},
             {R"({ "handle": 3, "type": "line" })", R"({ "handle": 1, "type": "line" })"},
             {R"({ "handle": 3, "type": "line" })",
              R"({ "handle": 3, "type": "line", "block": "PIN" })"},
             {R"("block": "GEAR", "position")", R"("block": "COG", "position")"},
             {R"("position": [1, 2, 3])", R"("position": [1, 2, 3, 4])"},
             {R"("color": 3)", R"("color": 257)"},
             {R"("layer": "PARTS")", R"("layer": "")"},
             {R"({ "handle": 5, "type": "partref" })",
              R"({ "handle": 18446744073709551615, "type": "partref" })"},
             {R"({ "owner": "GEAR", "rows")", R"({ "owner": "COG", "rows")"},
             {R"({ "owner": "GEAR", "rows")", R"({ "owner": null, "rows")"},
             {R"({ "owner": "GEAR", "rows")", R"({ "owner": "GEAR", "current": true, "rows")"},
             {R"("structure2d": true,)", R"("structure2d": true, "bom": [],)"},
             // Not faults, but not plain: the DOM keeps the last of a key given twice, and a
             // parts list's rows may come before its owner.
             {R"("qty": 2)", R"("qty": 5, "qty": 2)"},
             {R"({ "handle": 3, "type": "line" })",
              R"({ "type": "partref", "handle": 3, "type": "line" })"},
             {R"({ "owner": "GEAR", "rows": [)",
              R"({ "rows": [], "owner": "GEAR" }, { "owner": "PIN", "rows": [)"}}) {
        const std::string text = Replaced(kDrawing, from, to);
        const FromText loaded = LoadText(text);
        EXPECT_FALSE(loaded.plain) << to;
        if (text.find(R"("qty": 2, "colour")") != std::string::npos) {
            EXPECT_EQ(FromDom(text), "/drawing/boms/0/rows/0/colour: unknown key \"colour\"");
        }
    }
}

}  // namespace
