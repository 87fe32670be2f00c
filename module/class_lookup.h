// Finding the host's class objects and services by name.
//
// Class objects come from the system registry's "ClassDictionary"; each lookup caches its
// first successful answer. A service is a registry entry accepted only when it is of the
// expected class, so a missing or wrongly typed entry yields null instead of a bad cast.
#pragma once

#include "host/vx_editor.h"
#include "host/vx_rx.h"

VxRxClass* VxEdCommandStackClass();
VxRxClass* VxEditorClass();
VxRxClass* VxEditorReactorClass();
VxRxClass* VxApDocManagerReactorClass();

// The registry entry of that name if it is of class cls, else null.
VxRxObject* LookupRegistryEntry(const char16_t* name, const VxRxClass* cls);

VxEdCommandStack* CommandStack();    // "VEXA_REGISTERED_COMMANDS"
VxEditor* Editor();                  // "VxEditor"
VxRxDynamicLinker* DynamicLinker();  // "DynamicLinker"
