#include "base/model_space.h"

#include <memory>

#include "base/host_status_error.h"

void OpenModelSpace(VxDb::OpenMode mode, ModelSpace& space) {
    VxDbDatabase* database = vxdbHostApplicationServices()->workingDatabase();
    if (database == nullptr) {
        ThrowIfHostFailed(Vx::eNoDatabase);
    }
    ThrowIfHostFailed(database->getSymbolTable(space.table.slot(), VxDb::kForRead));
    ThrowIfHostFailed(space.table->getAt(u"*Model_Space", space.record.slot(), mode));
}

void WalkEntities(const VxDbBlockTableRecord& record, const EntityStep& step) {
    VxDbBlockTableRecordIterator* raw = nullptr;
    if (record.newIterator(raw, true, true) != Vx::eOk || raw == nullptr) {
        return;
    }
    // The iterator must be gone before the record is closed, whatever the step does.
    const std::unique_ptr<VxDbBlockTableRecordIterator> iterator(raw);
    for (; !iterator->done(); iterator->step(true, true)) {
        VxDbObjectId id;
        if (iterator->getEntityId(id) != Vx::eOk) {
            continue;
        }
        if (!step(id)) {
            return;
        }
    }
}

void WalkModelSpace(VxDb::OpenMode mode, ModelSpace& space, const EntityStep& step) {
    OpenModelSpace(mode, space);
    WalkEntities(*space.record, step);
}
