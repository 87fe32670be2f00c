#include "sim/scenario/drawing_header_io.h"

namespace sim {
namespace {

using Json = nlohmann::ordered_json;

VxGeVector3d readVector(const JsonAt& at) {
    const VxGePoint3d p = readPoint(at);
    return VxGeVector3d{p.x, p.y, p.z};
}

VxString readName(const JsonAt& at) {
    const VxString name = at.text();
    if (name.isEmpty()) {
        at.fail("a name must not be empty");
    }
    return name;
}

// Reads the keys of properties that at holds into properties.
void readProperties(const JsonAt& at, EntityProperties& properties) {
    if (at.has("layer")) {
        properties.layer = readName(at["layer"]);
    }
    if (at.has("color")) {
        properties.colorIndex = static_cast<int>(at["color"].integer(kColorByBlock, kColorByLayer));
    }
    if (at.has("linetype")) {
        properties.linetype = readName(at["linetype"]);
    }
}

Json triple(double x, double y, double z) {
    return z != 0.0 ? Json{x, y, z} : Json{x, y};
}

}  // namespace

VxGePoint3d readPoint(const JsonAt& at) {
    at.requireArray();
    if (at.size() != 2 && at.size() != 3) {
        at.fail("a position is [x, y] or [x, y, z]");
    }
    VxGePoint3d point;
    point.x = at.at(0).number();
    point.y = at.at(1).number();
    point.z = at.size() == 3 ? at.at(2).number() : 0.0;
    return point;
}

EntityProperties readEntityProperties(const JsonAt& entity) {
    EntityProperties properties;
    readProperties(entity, properties);
    return properties;
}

void loadDrawingHeader(const JsonAt& drawing, Database& db) {
    DatabaseHeader& header = db.header();
    if (drawing.has("defaults")) {
        const JsonAt defaults = drawing["defaults"];
        defaults.requireObject({"layer", "color", "linetype"});
        readProperties(defaults, header.entityDefaults);
    }
    if (drawing.has("ucs")) {
        const JsonAt ucs = drawing["ucs"];
        ucs.requireObject({"origin", "xAxis", "yAxis"});
        const VxGePoint3d origin = ucs.has("origin") ? readPoint(ucs["origin"]) : VxGePoint3d{};
        const VxGeVector3d xAxis =
            ucs.has("xAxis") ? readVector(ucs["xAxis"]) : VxGeVector3d{1, 0, 0};
        const VxGeVector3d yAxis =
            ucs.has("yAxis") ? readVector(ucs["yAxis"]) : VxGeVector3d{0, 1, 0};
        if (!header.ucs.set(origin, xAxis, yAxis)) {
            ucs.fail("the axes need a length and must stand at right angles");
        }
    }
}

void saveEntityProperties(const EntityProperties& properties, JsonSink& entity) {
    const EntityProperties constructed;
    if (properties.layer != constructed.layer) {
        entity.text("layer", properties.layer.toUtf8());
    }
    if (properties.colorIndex != constructed.colorIndex) {
        entity.integer("color", properties.colorIndex);
    }
    if (properties.linetype != constructed.linetype) {
        entity.text("linetype", properties.linetype.toUtf8());
    }
}

void saveDrawingHeader(const Database& db, Json& drawing) {
    const DatabaseHeader& header = db.header();
    if (header.entityDefaults != EntityProperties()) {
        Json defaults = Json::object();
        defaults["layer"] = header.entityDefaults.layer.toUtf8();
        defaults["color"] = header.entityDefaults.colorIndex;
        defaults["linetype"] = header.entityDefaults.linetype.toUtf8();
        drawing["defaults"] = std::move(defaults);
    }
    if (!header.ucs.isWorld()) {
        const UserCoordinateSystem& ucs = header.ucs;
        Json json = Json::object();
        json["origin"] = triple(ucs.origin().x, ucs.origin().y, ucs.origin().z);
        json["xAxis"] = triple(ucs.xAxis().x, ucs.xAxis().y, ucs.xAxis().z);
        json["yAxis"] = triple(ucs.yAxis().x, ucs.yAxis().y, ucs.yAxis().z);
        drawing["ucs"] = std::move(json);
    }
}

}  // namespace sim
