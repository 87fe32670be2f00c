#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "host/vxm_bom.h"
#include "host/vxm_partref.h"
#include "sim/host/host_control.h"
#include "sim/mech/mech_control.h"
#include "sim/scenario/drawing_io.h"
#include "sim/scenario/scenario_error.h"
#include "tests/scenario/sample_drawing.h"

namespace {

using nlohmann::json;
using sample::kDrawing;

class DrawingIo : public ::testing::Test {
  protected:
    void SetUp() override {
        sim::resetHost();
        db = &sim::workingDatabase();
    }
    void load(const json& drawing) { sim::loadDrawing(drawing, "/drawing", *db, handles); }
    json save() const { return json(sim::saveDrawing(*db, handles, handles.loadedModules)); }

    // The JSON pointer and message of the error that loading drawing throws.
    std::pair<std::string, std::string> errorOf(const json& drawing) {
        sim::resetHost();
        db = &sim::workingDatabase();
        handles = {};
        try {
            load(drawing);
        } catch (const sim::ScenarioError& e) {
            return {e.path(), e.what()};
        }
        return {"(no error)", ""};
    }

    sim::Database* db = nullptr;
    sim::DrawingHandles handles;
};

TEST_F(DrawingIo, SavedDrawingEqualsTheLoadedOne) {
    const json drawing = json::parse(kDrawing);
    load(drawing);
    EXPECT_EQ(save(), drawing);
    EXPECT_EQ(handles.loadedModules, std::vector<std::string>{"orbdvmbom16.vmx"});
    EXPECT_TRUE(sim::structure2d(*db));

    // What was loaded is what the mechanical layer answers.
    VxDbObjectId current;
    ASSERT_EQ(getVxmBomMgr()->getBom(current, 0), Vx::eOk);
    const auto rows = sim::rowsOf(*db, current);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].dataEntry, handles.dataEntry(7));
    VxmStringMap data;
    ASSERT_EQ(getVxmBomMgr()->getPartData(handles.entity(2), data), Vx::eOk);
    EXPECT_EQ(data, (VxmStringMap{{u"ORBKEY", u"P9"}}));
    ASSERT_EQ(getVxmBomMgr()->getPartData(handles.entity(4), data), Vx::eOk);
    EXPECT_EQ(data.at(u"NOTE"), u"loose");

    // The header is the one the host works with.
    const double from[3] = {1, 0, 0};
    double to[3] = {};
    ASSERT_EQ(vxdbUcs2Wcs(from, to, false), kRtNorm);
    EXPECT_EQ(std::vector<double>(to, to + 3), (std::vector<double>{10, 21, 1.5}));
    VxDbLine line;
    ASSERT_EQ(line.setDatabaseDefaults(), Vx::eOk);
    EXPECT_EQ(line.layer(), VxString(u"PARTREF"));
    EXPECT_EQ(line.colorIndex(), 0);
}

TEST_F(DrawingIo, SaveCarriesWhatTheRunChanged) {
    load(json::parse(kDrawing));
    VxmBOMManager* bom = getVxmBomMgr();
    const VxDbObjectId row = sim::rowsOf(*db, sim::currentPartsList(*db)).at(1).id;
    ASSERT_EQ(bom->writeRow(row, u"2", 3, {{u"ORBD_PARTNO", u"4711"}}), Vx::eOk);
    VxDbObject* line = nullptr;
    ASSERT_EQ(vxdbOpenVxDbObject(line, handles.entity(3), VxDb::kForWrite), Vx::eOk);
    line->erase();
    line->close();
    // A part reference the module places, and one that a scenario step adds.
    const VxDbObjectId placed = db->appendEntity(db->modelSpaceId(), new VxmPartRef());
    ASSERT_EQ(bom->setPartData(placed, {{u"ORBKEY", u"P1"}}), Vx::eOk);
    sim::addEntities(json::parse(R"([{ "handle": 40, "type": "partref", "dataEntry": 8 }])"),
                     "/steps/1/add", *db, handles);

    const json saved = save();
    const json& entities = saved["entities"];
    ASSERT_EQ(entities.size(), 6u) << entities.dump();
    EXPECT_EQ(entities[1]["handle"], 2) << "the erased line is gone";
    EXPECT_EQ(entities[4], json::parse(R"({ "handle": 41, "type": "partref", "dataEntry": 10 })"))
        << "the placed part reference gets the next handle and data-entry number";
    EXPECT_EQ(entities[5]["handle"], 40);
    EXPECT_EQ(saved["dataEntries"]["10"], json::parse(R"({ "ORBKEY": "P1" })"));
    const json& changedRow = saved["boms"][0]["rows"][1];
    EXPECT_EQ(changedRow["qty"], 3);
    EXPECT_EQ(changedRow["cells"], json::parse(R"({ "ORBD_PARTNO": "4711" })"));
    EXPECT_EQ(changedRow["partRefPaths"], json::parse("[[2, 20], [40]]"));

    // Loading the saved drawing again gives the same drawing: runs chain.
    sim::resetHost();
    db = &sim::workingDatabase();
    handles = {};
    load(saved);
    EXPECT_EQ(save(), saved);
}

TEST_F(DrawingIo, NamesThatMeetInUtf8AreSavedOnce) {
    load(json::parse(R"({ "boms": [ { "owner": null, "rows": [
        { "item": "1", "qty": 1, "dataEntry": 1, "cells": {} } ] } ] })"));
    // A lone surrogate is written as U+FFFD, so two names become one.
    sim::setDataEntryData(*db, handles.dataEntry(1),
                          {{u"A", u"1"}, {u"\xD800", u"lone"}, {u"\xFFFD", u"kept"}, {u"Z", u"2"}});
    const nlohmann::ordered_json saved = sim::saveDrawing(*db, handles, handles.loadedModules);
    EXPECT_EQ(saved["boms"][0]["rows"][0]["cells"].dump(),
              "{\"A\":\"1\",\"Z\":\"2\",\"\xEF\xBF\xBD\":\"kept\"}")
        << "one key, with the value of the name that comes last";
}

TEST_F(DrawingIo, NoFreshHandleAboveTheLargestIsAnErrorNotAWrap) {
    load(json::parse(R"({ "entities": [ { "handle": 9223372036854775807, "type": "line" } ] })"));
    db->appendEntity(db->modelSpaceId(), new VxmPartRef());
    EXPECT_THROW(save(), std::overflow_error);
}

TEST_F(DrawingIo, AddedEntitiesReachDatabaseReactors) {
    load(json::parse(kDrawing));
    struct Recorder : VxDbDatabaseReactor {
        std::vector<VxDbObjectId> added;
        void onObjectAdded(const VxDbDatabase*, const VxDbObject* object) override {
            added.push_back(object->objectId());
        }
    } recorder;
    db->addReactor(&recorder);
    sim::addEntities(json::parse(R"([{ "handle": 50, "type": "blockref", "block": "gear" },
                                     { "handle": 51, "type": "line" }])"),
                     "/steps/0/add", *db, handles);
    db->removeReactor(&recorder);
    EXPECT_EQ(recorder.added, (std::vector<VxDbObjectId>{handles.entity(50), handles.entity(51)}));
}

TEST_F(DrawingIo, AddEntitiesChecksEverythingBeforeAddingAnything) {
    load(json::parse(kDrawing));
    const auto before = db->entitiesOf(db->modelSpaceId(), true).size();
    const json bad = json::parse(R"([{ "handle": 60, "type": "line" },
                                     { "handle": 1, "type": "line" }])");
    try {
        sim::addEntities(bad, "/steps/2/add", *db, handles);
        FAIL() << "a handle in use was accepted";
    } catch (const sim::ScenarioError& e) {
        EXPECT_EQ(e.path(), "/steps/2/add/1/handle");
    }
    EXPECT_EQ(db->entitiesOf(db->modelSpaceId(), true).size(), before);
    EXPECT_TRUE(handles.entity(60).isNull());
}

TEST_F(DrawingIo, ASavedDrawingSavesAgainToTheSameBytes) {
    // Axes that scaling to unit length moves by one unit in the last place, each save again.
    for (const char* ucs : {R"({ "xAxis": [1, 1], "yAxis": [-1, 1] })",
                            R"({ "xAxis": [0.7071067811865475, 0.7071067811865475],
                                 "yAxis": [-0.7071067811865475, 0.7071067811865475] })",
                            R"({ "origin": [1e300, -5e-324], "xAxis": [0, 1e200],
                                 "yAxis": [-1e-170, 0] })"}) {
        sim::resetHost();
        db = &sim::workingDatabase();
        handles = {};
        load(json{{"ucs", json::parse(ucs)}});
        const std::string first = save().dump();
        EXPECT_EQ(save()["ucs"]["xAxis"], json::parse(ucs)["xAxis"]) << "kept as given";
        EXPECT_EQ(save()["ucs"]["yAxis"], json::parse(ucs)["yAxis"]);
        sim::resetHost();
        db = &sim::workingDatabase();
        handles = {};
        load(json::parse(first));
        EXPECT_EQ(save().dump(), first) << ucs;
    }
}

TEST_F(DrawingIo, ANumberBeyondRangeIsNeverSaved) {
    load(json::parse(kDrawing));
    VxDbEntity* entity = nullptr;
    ASSERT_EQ(vxdbOpenVxDbObject(entity, handles.entity(3), VxDb::kForWrite), Vx::eOk);
    VxGeMatrix3d far;
    far.setToTranslation(VxGeVector3d{1e308, 0, 0});
    entity->transformBy(far);
    entity->transformBy(far);
    entity->close();
    try {
        save();
        ADD_FAILURE() << "an entity at infinity was saved";
    } catch (const std::range_error& e) {
        EXPECT_NE(std::string(e.what()).find("entity 3"), std::string::npos) << e.what();
    }
    std::ostringstream out;
    EXPECT_THROW(sim::writeDrawingScenario(out, *db, handles, handles.loadedModules),
                 std::range_error);
    EXPECT_EQ(out.str().find("null,"), std::string::npos) << "no position written as null";
}

// Blocks B0..B26 each inserting the next twice put the part reference in B26 on 2^26 paths.
json DoublingBlocks(int count, bool placed) {
    json blocks = json::array();
    for (int i = 0; i < count; ++i) {
        json entities = json::array();
        if (i + 1 < count) {
            for (int k = 0; k < 2; ++k) {
                entities.push_back({{"handle", 100 + 2 * i + k},
                                    {"type", "blockref"},
                                    {"block", "B" + std::to_string(i + 1)}});
            }
        } else {
            entities.push_back({{"handle", 99}, {"type", "partref"}, {"dataEntry", 7}});
        }
        blocks.push_back({{"name", "B" + std::to_string(i)}, {"entities", entities}});
    }
    json drawing = {{"blocks", blocks}, {"boms", json::parse(R"([{ "owner": null, "rows": [
                         { "item": "1", "qty": 1, "dataEntry": 7 } ] }])")}};
    if (placed) {
        drawing["entities"] =
            json::parse(R"([{ "handle": 1, "type": "blockref", "block": "B0" }])");
    }
    return drawing;
}

TEST_F(DrawingIo, PartReferencesOnTooManyPathsAreRefusedAtLoad) {
    const auto [path, message] = errorOf(DoublingBlocks(27, true));
    EXPECT_EQ(path, "/drawing/boms/0/rows/0");
    EXPECT_NE(message.find("67108864 part-reference paths"), std::string::npos) << message;

    // Unplaced, the same blocks lead nowhere: no path, and none is looked for 2^26 times.
    EXPECT_EQ(errorOf(DoublingBlocks(27, false)).first, "(no error)");
    EXPECT_EQ(save()["boms"][0]["rows"][0]["partRefPaths"], json::array());

    // Placed later, by a step: listing them is refused, never attempted.
    sim::addEntities(json::parse(R"([{ "handle": 1, "type": "blockref", "block": "B0" }])"),
                     "/steps/0/add", *db, handles);
    EXPECT_THROW(save(), std::length_error);
    VxmCObjArray<VxArray<VxDbObjectId>> paths;
    VxDbObjectIdArray second;
    const VxDbObjectId row = sim::rowsOf(*db, sim::partsLists(*db).at(0)).at(0).id;
    EXPECT_EQ(getVxmBomMgr()->getPartRefPaths(row, paths, second), Vx::eOutOfMemory);
    EXPECT_EQ(paths.length(), 0);
}

TEST_F(DrawingIo, SchemaErrorsNameTheOffendingPlace) {
    const json good = json::parse(kDrawing);
    struct Case {
        const char* pointer;  // where to change the good drawing
        json value;
        std::string expectedPath;
    };
    const std::vector<Case> cases{
        {"/boms/0/rows/1/qty", "1", "/drawing/boms/0/rows/1/qty"},
        {"/boms/0/rows/1/qty", 4294967296LL, "/drawing/boms/0/rows/1/qty"},
        {"/boms/0/rows/0/colour", "red", "/drawing/boms/0/rows/0/colour"},
        {"/entities/2/handle", 1, "/drawing/entities/2/handle"},
        {"/blocks/1/entities/0/handle", 20, "/drawing/blocks/1/entities/0/handle"},
        {"/entities/1/block", "WHEEL", "/drawing/entities/1/block"},
        {"/entities/2/type", "circle", "/drawing/entities/2/type"},
        {"/entities/2/dataEntry", 3, "/drawing/entities/2/dataEntry"},
        {"/entities/0/handle", 0, "/drawing/entities/0/handle"},
        {"/entities/0/position", json::array({1}), "/drawing/entities/0/position"},
        {"/boms/1/owner", nullptr, "/drawing/boms/1/owner"},
        {"/boms/1/owner", "NOPE", "/drawing/boms/1/owner"},
        {"/boms/1/current", true, "/drawing/boms/1/current"},
        {"/boms/0/rows/1/dataEntry", 7, "/drawing/boms/0/rows/1/dataEntry"},
        {"/boms/1/rows/0/cells", json{{"X", "y"}}, "/drawing/boms/1/rows/0/cells"},
        {"/boms/0/rows/0/cells/DESCR", 5, "/drawing/boms/0/rows/0/cells/DESCR"},
        {"/boms/0/rows/0/cells/a~0b~1c", 5, "/drawing/boms/0/rows/0/cells/a~0b~1c"},
        {"/boms/0/rows/0/partRefPaths", json::parse("[[1]]"),
         "/drawing/boms/0/rows/0/partRefPaths"},
        {"/boms/0/rows/0/partRefPaths/0/0", 99, "/drawing/boms/0/rows/0/partRefPaths/0/0"},
        {"/blocks/1/name", "gear", "/drawing/blocks/1/name"},
        {"/dataEntries/x", json::object(), "/drawing/dataEntries/x"},
        {"/standard/columns/1/name", "ITEM", "/drawing/standard/columns/1/name"},
        {"/standard/columns/0/hidden", true, "/drawing/standard/columns/0/hidden"},
        {"/structure2d", 1, "/drawing/structure2d"},
        {"/loadedModules/0", 3, "/drawing/loadedModules/0"},
        {"/partData/a~0b", 1, "/drawing/partData/a~0b"},
        {"/layers", json::array(), "/drawing/layers"},
        {"/entities/0/layer", "", "/drawing/entities/0/layer"},
        {"/entities/0/color", 257, "/drawing/entities/0/color"},
        {"/entities/0/linetype", 1, "/drawing/entities/0/linetype"},
        {"/defaults/color", -1, "/drawing/defaults/color"},
        {"/defaults/lineweight", 1, "/drawing/defaults/lineweight"},
        {"/ucs/yAxis", json::array({0, 2}), "/drawing/ucs"},
        {"/ucs/xAxis", json::array({0, 0, 0}), "/drawing/ucs"},
        {"/ucs/origin", json::array({1}), "/drawing/ucs/origin"},
    };
    for (const Case& c : cases) {
        json drawing = good;
        drawing[json::json_pointer(c.pointer)] = c.value;
        const auto [path, message] = errorOf(drawing);
        EXPECT_EQ(path, c.expectedPath) << c.pointer << " = " << c.value.dump() << ": " << message;
        EXPECT_FALSE(message.empty()) << c.pointer;
    }
    EXPECT_EQ(errorOf(json::array()).first, "/drawing");
    json missingItem = good;
    missingItem["boms"][0]["rows"][0].erase("item");
    const auto [path, message] = errorOf(missingItem);
    EXPECT_EQ(path, "/drawing/boms/0/rows/0");
    EXPECT_NE(message.find("item"), std::string::npos) << message;
}

}  // namespace
