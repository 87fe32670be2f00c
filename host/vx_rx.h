// Run-time classes, the system registry and the dynamic linker of the host.
//
// Every host object that can be looked up in the system registry is a VxRxObject with a
// run-time class (VxRxClass). The registry is a dictionary by name; its entry
// "ClassDictionary" is itself a dictionary from class name to class object, which is how a
// module finds the class objects it tests against ("VxEdCommandStack", "VxEditor",
// "VxEditorReactor", "VxApDocManagerReactor", "VxRxDynamicLinker", ...).
#pragma once

#include "host/vx_export.h"

class VxRxClass;

class VX_HOST_API VxRxObject {
  public:
    virtual ~VxRxObject();
    static VxRxClass* desc();
    virtual VxRxClass* isA() const;
    // True when this object's class is the given class or derives from it.
    bool isKindOf(const VxRxClass* cls) const;
};

class VX_HOST_API VxRxClass : public VxRxObject {
  public:
    VxRxClass(const char16_t* name, VxRxClass* parent);
    ~VxRxClass() override;
    static VxRxClass* desc();
    VxRxClass* isA() const override;

    const char16_t* name() const;
    VxRxClass* myParent() const;
    bool isDerivedFrom(const VxRxClass* other) const;

  private:
    struct Data;
    Data* data_;
};

class VX_HOST_API VxRxDictionary : public VxRxObject {
  public:
    static VxRxClass* desc();
    VxRxClass* isA() const override;
    // The entry of that name, or null. The dictionary keeps ownership.
    virtual VxRxObject* at(const char16_t* name) const = 0;
};

// The host's system registry; never null while the host runs.
VX_HOST_API VxRxDictionary* vxrxSysRegistry();

class VX_HOST_API VxRxDynamicLinker : public VxRxObject {
  public:
    static VxRxClass* desc();
    VxRxClass* isA() const override;
    // appId is the packet of message 1 as the module received it.
    virtual bool unlockApplication(void* appId) const = 0;
    virtual bool registerAppMDIAware(void* appId) const = 0;
};

// Modules return this from vxrxGetApiVersion: the interface version they were built for.
constexpr int kVxApiVersion = 16;
