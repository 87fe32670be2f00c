// What loading and unloading the module file does, in the order the host relies on.
//
// The statics of this file are built in declaration order when the file is loaded and
// destroyed in reverse order when it is unloaded: the reactor first (it attaches to the
// editor), then the application object and the per-document data manager; the load routine
// comes last and its unload routine runs first.
#include "host/vx_editor.h"
#include "module/class_lookup.h"
#include "module/doc_data.h"
#include "module/editor_reactor.h"
#include "module/module_instance.h"
#include "module/orbdvmbom16_app.h"

namespace {

ORBDBomEditorReactor theEditorReactor;
Corbdvmbom16App theApp;
DocDataManager theDocDataManager;

// The module's load routine and, in its destructor, its unload routine.
class ModuleLoadRoutine {
  public:
    ModuleLoadRoutine() {
        ExtensionModuleRecord& record = ExtensionModule();
        if (record.attached == 0) {
            const winsys::Hinstance instance = ModuleInstance();
            record.attached = winsys::initExtensionModule(record.block, instance) ? 1 : 0;
            if (record.attached != 0) {
                record.previousResources = winsys::currentResourceHandle();
                record.ownResources = instance;
            }
        }
        InitVxUiDLL();
    }
    ~ModuleLoadRoutine() {
        ExtensionModuleRecord& record = ExtensionModule();
        if (record.attached != 0) {
            winsys::termExtensionModule(record.block);
            record.attached = 0;
        }
    }
    ModuleLoadRoutine(const ModuleLoadRoutine&) = delete;
    ModuleLoadRoutine& operator=(const ModuleLoadRoutine&) = delete;
};

ModuleLoadRoutine theLoadRoutine;

}  // namespace

ORBDBomEditorReactor& TheEditorReactor() {
    return theEditorReactor;
}
Corbdvmbom16App& TheApp() {
    return theApp;
}
DocDataManager& TheDocDataManager() {
    return theDocDataManager;
}

VxRxClass* DocDataManager::isA() const {
    return VxApDocManagerReactorClass();
}
