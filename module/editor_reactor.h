// ORBDBomEditorReactor: follows the editor's events for the PDM integration's own commands,
// and the working database's events while a drawing is inserted.
//
// One static object, built while the module file is loaded: it attaches itself to the host
// editor then and detaches when the module file is unloaded. Its database-reactor part is
// attached to the working database only while "ORBDDWGINSERT" runs. Every event runs behind
// the command barrier: nothing thrown reaches the host.
#pragma once

#include <string>

#include "host/vx_array.h"
#include "host/vx_db.h"
#include "host/vx_editor.h"
#include "module/inserted_entity_list.h"

class ORBDBomEditorReactor : public VxEditorReactor, public VxDbDatabaseReactor {
  public:
    ORBDBomEditorReactor();
    ~ORBDBomEditorReactor() override;
    ORBDBomEditorReactor(const ORBDBomEditorReactor&) = delete;
    ORBDBomEditorReactor& operator=(const ORBDBomEditorReactor&) = delete;

    VxRxClass* isA() const override;

    void onSaveStart(VxDbDatabase* database, const char16_t* fileName) override;
    void onCommandStart(const char16_t* commandName) override;
    void onCommandEnd(const char16_t* commandName) override;
    void onCommandCancel(const char16_t* commandName) override;
    void onLispStart(const char16_t* firstLine) override;
    void onLispEnd() override;
    void onLispCancel() override;

    void onObjectAdded(const VxDbDatabase* database, const VxDbObject* object) override;
    void onObjectErased(const VxDbDatabase* database, const VxDbObject* object,
                        bool erased) override;

    // The entities the last drawing insertion added to database and did not erase again, in
    // order; none (null) when that insertion went into another database.
    const VxDbObjectIdArray* insertedEntityIdsOf(const VxDbDatabase* database) const;

  private:
    // Queues "ORBDUPDATEPARTREF" for a pending part reference and consumes "PARTREF" and
    // "PARTREFID".
    void processPendingPartRef(const std::u16string& triggeringName);
    void detachFromWorkingDatabase();

    bool lispPending_ = false;
    InsertedEntityList insertedEntityIds_;
};

ORBDBomEditorReactor& TheEditorReactor();
