// Typed access to database objects by their run-time class: every host and mechanical-layer
// class names its class object (desc) and answers it (isA), so a known class is checked
// against that tag and the parent chain of the class dictionary, with no dynamic cast.
#pragma once

#include "host/vx_db.h"

namespace sim {

// The object as a T when its class is T or derives from it; null otherwise.
template <class T>
T* asKind(VxDbObject* object) {
    return object != nullptr && object->isKindOf(T::desc()) ? static_cast<T*>(object) : nullptr;
}

template <class T>
const T* asKind(const VxDbObject* object) {
    return object != nullptr && object->isKindOf(T::desc()) ? static_cast<const T*>(object)
                                                            : nullptr;
}

}  // namespace sim
