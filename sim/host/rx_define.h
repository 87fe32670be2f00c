// Defines desc() and isA() of a host run-time class. The class object is created on first
// use and lives for the whole process, since loaded modules cache pointers to it.
#pragma once

#include "host/vx_rx.h"

#define SIM_RX_DEFINE_CLASS(Class, Parent)                                       \
    VxRxClass* Class::desc() {                                                   \
        static VxRxClass* const cls = new VxRxClass(u"" #Class, Parent::desc()); \
        return cls;                                                              \
    }                                                                            \
    VxRxClass* Class::isA() const {                                              \
        return Class::desc();                                                    \
    }
