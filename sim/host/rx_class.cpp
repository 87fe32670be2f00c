#include <map>
#include <string>

#include "host/vx_rx.h"
#include "sim/host/class_dictionary.h"

namespace {

std::map<std::u16string, VxRxClass*>& classesByName() {
    static auto* const classes = new std::map<std::u16string, VxRxClass*>();
    return *classes;
}

}  // namespace

struct VxRxClass::Data {
    std::u16string name;
    VxRxClass* parent;
};

VxRxObject::~VxRxObject() = default;

VxRxClass* VxRxObject::desc() {
    static VxRxClass* const cls = new VxRxClass(u"VxRxObject", nullptr);
    return cls;
}

VxRxClass* VxRxObject::isA() const {
    return VxRxObject::desc();
}

bool VxRxObject::isKindOf(const VxRxClass* cls) const {
    const VxRxClass* mine = isA();
    return mine != nullptr && mine->isDerivedFrom(cls);
}

VxRxClass::VxRxClass(const char16_t* name, VxRxClass* parent)
    : data_(new Data{name ? name : u"", parent}) {
    classesByName().emplace(data_->name, this);
}

VxRxClass::~VxRxClass() {
    auto& classes = classesByName();
    auto found = classes.find(data_->name);
    if (found != classes.end() && found->second == this) {
        classes.erase(found);
    }
    delete data_;
}

VxRxClass* VxRxClass::desc() {
    static VxRxClass* const cls = new VxRxClass(u"VxRxClass", VxRxObject::desc());
    return cls;
}

VxRxClass* VxRxClass::isA() const {
    return VxRxClass::desc();
}

const char16_t* VxRxClass::name() const {
    return data_->name.c_str();
}

VxRxClass* VxRxClass::myParent() const {
    return data_->parent;
}

bool VxRxClass::isDerivedFrom(const VxRxClass* other) const {
    if (other == nullptr) {
        return false;
    }
    for (const VxRxClass* cls = this; cls != nullptr; cls = cls->myParent()) {
        if (cls == other) {
            return true;
        }
    }
    return false;
}

namespace sim {

VxRxClass* findClass(const std::u16string& name) {
    const auto& classes = classesByName();
    const auto found = classes.find(name);
    return found == classes.end() ? nullptr : found->second;
}

}  // namespace sim
