#include "sim/host/system_registry.h"

#include <map>

#include "host/vx_db.h"
#include "host/vx_docman.h"
#include "host/vx_editor.h"
#include "sim/host/class_dictionary.h"
#include "sim/host/command_stack.h"
#include "sim/host/dynamic_linker.h"
#include "sim/host/editor.h"
#include "sim/host/rx_define.h"

SIM_RX_DEFINE_CLASS(VxRxDictionary, VxRxObject)

namespace {

class ClassDictionary final : public VxRxDictionary {
  public:
    VxRxObject* at(const char16_t* name) const override {
        return name != nullptr ? sim::findClass(name) : nullptr;
    }
};

class SystemRegistry final : public VxRxDictionary {
  public:
    SystemRegistry() {
        sim::ensureHostClasses();
        entries[u"ClassDictionary"] = new ClassDictionary();
        entries[u"VEXA_REGISTERED_COMMANDS"] = &sim::commandStack();
        entries[u"VxEditor"] = &sim::editor();
        entries[u"DynamicLinker"] = &sim::dynamicLinker();
    }
    VxRxObject* at(const char16_t* name) const override {
        if (name == nullptr) {
            return nullptr;
        }
        const auto found = entries.find(name);
        return found == entries.end() ? nullptr : found->second;
    }
    std::map<std::u16string, VxRxObject*> entries;
};

SystemRegistry& registry() {
    static SystemRegistry* const instance = new SystemRegistry();  // lives until process exit
    return *instance;
}

}  // namespace

VxRxDictionary* vxrxSysRegistry() {
    return &registry();
}

namespace sim {

VxRxObject* replaceRegistryEntry(const std::u16string& name, VxRxObject* object) {
    auto& entries = registry().entries;
    VxRxObject* previous = entries.count(name) != 0 ? entries[name] : nullptr;
    if (object == nullptr) {
        entries.erase(name);
    } else {
        entries[name] = object;
    }
    return previous;
}

void ensureHostClasses() {
    const VxRxClass* classes[] = {
        VxRxObject::desc(),        VxRxClass::desc(),           VxRxDictionary::desc(),
        VxRxDynamicLinker::desc(), VxDbObject::desc(),          VxDbEntity::desc(),
        VxDbLine::desc(),          VxDbBlockReference::desc(),  VxDbBlockTableRecord::desc(),
        VxDbBlockTable::desc(),    VxDbDatabaseReactor::desc(), VxDbDatabase::desc(),
        VxRxEventReactor::desc(),  VxEditorReactor::desc(),     VxEditor::desc(),
        VxEdCommandStack::desc(),  VxApDocument::desc(),        VxApDocManagerReactor::desc(),
        VxApDocManager::desc(),
    };
    (void)classes;
}

}  // namespace sim
