#include "module/editor_reactor.h"

#include "module/class_lookup.h"

ORBDBomEditorReactor::ORBDBomEditorReactor() {
    if (VxEditor* editor = Editor()) {
        editor->addReactor(this);
    }
}

ORBDBomEditorReactor::~ORBDBomEditorReactor() {
    if (VxEditor* editor = Editor()) {
        editor->removeReactor(this);
    }
}

VxRxClass* ORBDBomEditorReactor::isA() const {
    return VxEditorReactorClass();
}
