#include "module/update_part_ref_command.h"

#include <string>

#include "bom/bom_context.h"
#include "host/vx_docman.h"
#include "host/vx_editor.h"
#include "host/winsys.h"
#include "module/command_barrier.h"
#include "module/editor_reactor.h"
#include "module/entity_argument.h"
#include "module/erase_inserted_part_refs.h"
#include "module/module_instance.h"
#include "module/part_ref_dialog.h"
#include "module/xref_part_status.h"
#include "partref/create_part_ref.h"
#include "pdm/catalogue_texts.h"
#include "pdm/pdm_link.h"
#include "resources/string_table.h"

namespace {

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
        eraseInsertedPartRefs(context, &TheEditorReactor().insertedEntityIds());
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
    const int answer = winsys::messageBox(nullptr, message.c_str(), caption,
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
        if (argument == u"entlast") {
            RunDialogPath(context, key);
        } else {
            RunMessageBoxPath(context, key, !id.isNull());
        }
    });
}
