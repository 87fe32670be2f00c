#include "module/class_lookup.h"

namespace {

VxRxClass* LookupClass(const char16_t* name) {
    VxRxDictionary* registry = vxrxSysRegistry();
    if (registry == nullptr) {
        return nullptr;
    }
    VxRxObject* dictionary = registry->at(u"ClassDictionary");
    if (dictionary == nullptr || !dictionary->isKindOf(VxRxDictionary::desc())) {
        return nullptr;
    }
    VxRxObject* found = static_cast<VxRxDictionary*>(dictionary)->at(name);
    if (found == nullptr || !found->isKindOf(VxRxClass::desc())) {
        return nullptr;
    }
    return static_cast<VxRxClass*>(found);
}

// A failed lookup is not cached, so a class registered later is still found.
VxRxClass* CachedClass(VxRxClass*& cache, const char16_t* name) {
    if (cache == nullptr) {
        cache = LookupClass(name);
    }
    return cache;
}

}  // namespace

VxRxClass* VxEdCommandStackClass() {
    static VxRxClass* cache = nullptr;
    return CachedClass(cache, u"VxEdCommandStack");
}

VxRxClass* VxEditorClass() {
    static VxRxClass* cache = nullptr;
    return CachedClass(cache, u"VxEditor");
}

VxRxClass* VxEditorReactorClass() {
    static VxRxClass* cache = nullptr;
    return CachedClass(cache, u"VxEditorReactor");
}

VxRxClass* VxApDocManagerReactorClass() {
    static VxRxClass* cache = nullptr;
    return CachedClass(cache, u"VxApDocManagerReactor");
}

VxRxObject* LookupRegistryEntry(const char16_t* name, const VxRxClass* cls) {
    VxRxDictionary* registry = vxrxSysRegistry();
    if (registry == nullptr || cls == nullptr) {
        return nullptr;
    }
    VxRxObject* entry = registry->at(name);
    return entry != nullptr && entry->isKindOf(cls) ? entry : nullptr;
}

VxEdCommandStack* CommandStack() {
    return static_cast<VxEdCommandStack*>(
        LookupRegistryEntry(u"VEXA_REGISTERED_COMMANDS", VxEdCommandStackClass()));
}

VxEditor* Editor() {
    return static_cast<VxEditor*>(LookupRegistryEntry(u"VxEditor", VxEditorClass()));
}

VxRxDynamicLinker* DynamicLinker() {
    return static_cast<VxRxDynamicLinker*>(
        LookupRegistryEntry(u"DynamicLinker", VxRxDynamicLinker::desc()));
}
