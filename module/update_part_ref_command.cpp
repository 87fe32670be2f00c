#include "module/update_part_ref_command.h"

#include <string>

#include "base/smart_ptr.h"
#include "bom/bom_context.h"
#include "host/vx_db.h"
#include "host/vx_docman.h"
#include "host/vx_editor.h"
#include "host/vxm_bom.h"
#include "host/vxm_partref.h"
#include "host/winsys.h"
#include "module/command_barrier.h"
#include "module/editor_reactor.h"
#include "module/entity_argument.h"
#include "module/module_instance.h"
#include "module/part_ref_dialog.h"
#include "partref/create_part_ref.h"
#include "pdm/catalogue_texts.h"
#include "pdm/pdm_link.h"
#include "resources/string_table.h"

namespace {

constexpr int kNoExternalPart = 21;
constexpr int kNoList = 15;

// xrefPartStatus: 0 when the entity is a block reference to an external drawing whose part
// data the mechanical layer returns; kNoExternalPart when the entity or its block definition
// cannot be opened or the block is no external reference; otherwise the mechanical layer's
// status of reading the part data.
int xrefPartStatus(BomContext& /*context*/, VxDbObjectId entityId) {
    SmartPtr<VxDbBlockReference> reference;
    if (vxdbOpenVxDbObject(reference.slot(), entityId, VxDb::kForRead) != Vx::eOk) {
        return kNoExternalPart;
    }
    SmartPtr<VxDbBlockTableRecord> block;
    if (vxdbOpenVxDbObject(block.slot(), reference->blockTableRecord(), VxDb::kForRead) !=
        Vx::eOk) {
        return kNoExternalPart;
    }
    if (!block->isFromExternalReference()) {
        return kNoExternalPart;
    }
    VxmBOMManager* manager = getVxmBomMgr();
    if (manager == nullptr) {
        return kNoExternalPart;
    }
    VxmStringMap partData;
    return manager->getPartData(entityId, partData);
}

// eraseInsertedPartRefs: erases the part references among the entities a drawing insertion
// added. kNoList when no list is given, else 0. Entities that cannot be opened for write as a
// part reference (other entities, erased ones) are skipped; the list is not changed.
int eraseInsertedPartRefs(BomContext& /*context*/, const VxDbObjectIdArray* ids) {
    if (ids == nullptr) {
        return kNoList;
    }
    for (const VxDbObjectId id : *ids) {
        SmartPtr<VxmPartRef> partRef;
        if (vxdbOpenVxDbObject(partRef.slot(), id, VxDb::kForWrite) == Vx::eOk) {
            partRef->erase();
        }
    }
    return 0;
}

// Makes the module's own resources the dialog's resource source while it lives.
class ModuleResourceScope {
  public:
    ModuleResourceScope() : manager_(vxDocManagerPtr()) {
        if (manager_ != nullptr) {
            manager_->pushResourceHandle(ModuleInstance());
        }
    }
    ~ModuleResourceScope() {
        if (manager_ != nullptr) {
            manager_->popResourceHandle();
        }
    }
    ModuleResourceScope(const ModuleResourceScope&) = delete;
    ModuleResourceScope& operator=(const ModuleResourceScope&) = delete;

  private:
    VxApDocManager* manager_;
};

void RunDialogPath(BomContext& context, const char16_t* key) {
    const ModuleResourceScope resources;
    CPartRefDialog dialog;
    const int result = dialog.DoModal();
    // Whichever button closed it: the user asked for the inserted drawing's part references
    // to go.
    if (dialog.deleteInsertedPartRefs == 1) {
        // The list names entities of the drawing it was collected in, which need not be
        // this one.
        eraseInsertedPartRefs(context, TheEditorReactor().insertedEntityIdsOf(
                                           vxdbHostApplicationServices()->workingDatabase()));
        vxs_regen();
    }
    if (result == winsys::kIdOk) {
        CreatePartRef(context, key, nullptr, nullptr, true);
    }
}

void RunMessageBoxPath(BomContext& context, const char16_t* key, bool entityNamed) {
    PdmLink& link = PdmLink::Instance();
    std::u16string message;
    if (entityNamed) {
        message = link.GetText(kTextEntityWithoutPartData);
        message += u'\n';
    }
    message += link.GetText(kTextInsertPartRef);
    char16_t caption[64] = {};
    LoadModuleString(kIdsModuleName, caption, 64);
    // Owned by the host's main window, as the dialog is: on top of it, and the host idle.
    const int answer = winsys::messageBox(vxsw_vexaMainWnd(), message.c_str(), caption,
                                          winsys::kMbYesNo | winsys::kMbIconQuestion);
    if (answer == winsys::kIdYes) {
        CreatePartRef(context, key, nullptr, nullptr, true);
    }
}

}  // namespace

void OnOrbdUpdatePartRef() {
    RunAsBarrier([] {
        char16_t key[kVxMaxStringAnswer] = {};
        if (vxedGetString(0, u"ORBKEY: ", key) != kRtNorm) {
            return;
        }
        char16_t entity[kVxMaxStringAnswer] = {};
        if (vxedGetString(0, u"Entity: ", entity) != kRtNorm) {
            return;
        }
        winsys::setForegroundWindow(vxsw_vexaMainWnd());
        const std::u16string_view argument(entity);
        const VxDbObjectId id = BlockReferenceOfWorkingDatabase(ResolveEntityArgument(argument));
        BomContext context{};
        if (!id.isNull() && xrefPartStatus(context, id) == 0) {
            AssignPartRefKey(context, id, key);
            return;
        }
        if (argument == kLastEntityArgument) {
            RunDialogPath(context, key);
        } else {
            RunMessageBoxPath(context, key, !id.isNull());
        }
    });
}
