#include "module/orbdvmbom16_app.h"

#include "module/class_lookup.h"
#include "module/command_registration.h"
#include "module/module_instance.h"

int Corbdvmbom16App::baseInit(void* packet) {
    moduleInstance_ = ModuleInstance();
    if (unlock_) {
        if (VxRxDynamicLinker* linker = DynamicLinker()) {
            linker->unlockApplication(packet);
        }
    }
    if (multiDocument_) {
        if (VxRxDynamicLinker* linker = DynamicLinker()) {
            linker->registerAppMDIAware(packet);
        }
    }
    registerComponents();
    return 0;
}

int Corbdvmbom16App::onModuleInit(void* packet) {
    const int result = baseInit(packet);
    RegisterCommands(moduleInstance_);
    return result;
}

int Corbdvmbom16App::onModuleUnload(void* /*packet*/) {
    RemoveCommands();
    return 0;
}

// The module defines no lisp functions, so the document and function messages have nothing
// to do.
int Corbdvmbom16App::onDocumentLoad(void* /*packet*/) {
    return 0;
}
int Corbdvmbom16App::onDocumentUnload(void* /*packet*/) {
    return 0;
}
int Corbdvmbom16App::onFunctionInvoke(void* /*packet*/) {
    return 0;
}
