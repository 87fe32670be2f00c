// VxHostInternals: the stand-in host's one door to the private state of the host classes
// declared in host/ (ids, open counts, erase flags, entity geometry, block contents).
// Only sim/ code uses it; modules never see this header.
#pragma once

#include "host/vx_db.h"
#include "sim/host/database.h"
#include "sim/host/database_header.h"

class VxHostInternals {
  public:
    static void setId(VxDbObject& object, VxDbObjectId id) { object.id_ = id; }
    static void setDatabase(VxDbObject& object, VxDbDatabase* database) {
        object.database_ = database;
    }
    static int& readers(VxDbObject& object) { return object.readers_; }
    static bool& writer(VxDbObject& object) { return object.writer_; }
    static bool& erased(VxDbObject& object) { return object.erased_; }

    static void setPosition(VxDbEntity& entity, const VxGePoint3d& position) {
        entity.position_ = position;
    }
    static sim::EntityProperties properties(const VxDbEntity& entity) {
        return sim::EntityProperties{entity.layer_, entity.colorIndex_, entity.linetype_};
    }
    static void setProperties(VxDbEntity& entity, const sim::EntityProperties& properties) {
        entity.layer_ = properties.layer;
        entity.colorIndex_ = properties.colorIndex;
        entity.linetype_ = properties.linetype;
    }
    static bool defaultsSet(const VxDbEntity& entity) { return entity.defaultsSet_; }

    // Keeps the database's index of the references that insert a block in step.
    static void setBlock(VxDbBlockReference& reference, VxDbObjectId block) {
        const VxDbObjectId old = reference.block_;
        reference.block_ = block;
        if (auto* database = static_cast<sim::Database*>(reference.database())) {
            database->repointBlockReference(reference.objectId(), old, block);
        }
    }

    static void setName(VxDbBlockTableRecord& record, const VxString& name) { record.name_ = name; }
    static void setXrefPath(VxDbBlockTableRecord& record, const VxString& path) {
        record.xrefPath_ = path;
    }
    static const VxString& xrefPath(const VxDbBlockTableRecord& record) { return record.xrefPath_; }
    static VxArray<VxDbObjectId>& entities(VxDbBlockTableRecord& record) {
        return record.entities_;
    }
    static const VxArray<VxDbObjectId>& entities(const VxDbBlockTableRecord& record) {
        return record.entities_;
    }
    static VxArray<VxDbObjectId>& records(VxDbBlockTable& table) { return table.records_; }
    static const VxArray<VxDbObjectId>& records(const VxDbBlockTable& table) {
        return table.records_;
    }
};
