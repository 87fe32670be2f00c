// ORBDBomEditorReactor: follows the editor's events for the PDM integration's own commands,
// and the working database's events while a drawing is inserted.
//
// One static object, built while the module file is loaded: it attaches itself to the host
// editor then and detaches when the module file is unloaded.
#pragma once

#include "host/vx_array.h"
#include "host/vx_db.h"
#include "host/vx_editor.h"

class ORBDBomEditorReactor : public VxEditorReactor, public VxDbDatabaseReactor {
  public:
    ORBDBomEditorReactor();
    ~ORBDBomEditorReactor() override;
    ORBDBomEditorReactor(const ORBDBomEditorReactor&) = delete;
    ORBDBomEditorReactor& operator=(const ORBDBomEditorReactor&) = delete;

    VxRxClass* isA() const override;

    const VxDbObjectIdArray& insertedEntityIds() const { return insertedEntityIds_; }

  private:
    VxDbObjectIdArray insertedEntityIds_;
};

ORBDBomEditorReactor& TheEditorReactor();
