#include "sim/host/editor.h"

#include <algorithm>

#include "sim/host/editor_events.h"
#include "sim/host/rx_define.h"

SIM_RX_DEFINE_CLASS(VxRxEventReactor, VxRxObject)
SIM_RX_DEFINE_CLASS(VxEditorReactor, VxRxEventReactor)
SIM_RX_DEFINE_CLASS(VxEditor, VxRxObject)

void VxRxEventReactor::databaseConstructed(VxDbDatabase*) {}
void VxRxEventReactor::databaseToBeDestroyed(VxDbDatabase*) {}

void VxEditorReactor::onSaveStart(VxDbDatabase*, const char16_t*) {}
void VxEditorReactor::xrefSubCommandStart(VxDbDatabase*, int, const VxDbObjectIdArray&) {}
void VxEditorReactor::xrefSubCommandAborted(VxDbDatabase*, int, const VxDbObjectIdArray&) {}
void VxEditorReactor::preXrefLockFile(VxDbDatabase*, VxDbObjectId) {}
void VxEditorReactor::onCommandStart(const char16_t*) {}
void VxEditorReactor::onCommandEnd(const char16_t*) {}
void VxEditorReactor::onCommandCancel(const char16_t*) {}
void VxEditorReactor::onCommandFailed(const char16_t*) {}
void VxEditorReactor::onLispStart(const char16_t*) {}
void VxEditorReactor::onLispEnd() {}
void VxEditorReactor::onLispCancel() {}

namespace sim {

void Editor::addReactor(VxRxEventReactor* reactor) {
    if (reactor != nullptr &&
        std::find(reactors_.begin(), reactors_.end(), reactor) == reactors_.end()) {
        reactors_.push_back(reactor);
    }
}

void Editor::removeReactor(VxRxEventReactor* reactor) {
    reactors_.erase(std::remove(reactors_.begin(), reactors_.end(), reactor), reactors_.end());
}

void Editor::forEachEventReactor(const std::function<void(VxRxEventReactor&)>& event) {
    const std::vector<VxRxEventReactor*> snapshot = reactors_;
    for (VxRxEventReactor* reactor : snapshot) {
        if (std::find(reactors_.begin(), reactors_.end(), reactor) != reactors_.end()) {
            event(*reactor);
        }
    }
}

void Editor::forEachEditorReactor(const std::function<void(VxEditorReactor&)>& event) {
    forEachEventReactor([&event](VxRxEventReactor& reactor) {
        if (auto* editorReactor = dynamic_cast<VxEditorReactor*>(&reactor)) {
            event(*editorReactor);
        }
    });
}

Editor& editor() {
    static Editor* const instance = new Editor();  // modules keep pointers to it until exit
    return *instance;
}

void fireSaveStart(VxDbDatabase* database, const char16_t* fileName) {
    editor().forEachEditorReactor([&](VxEditorReactor& r) { r.onSaveStart(database, fileName); });
}
void fireCommandStart(const char16_t* name) {
    editor().forEachEditorReactor([&](VxEditorReactor& r) { r.onCommandStart(name); });
}
void fireCommandEnd(const char16_t* name) {
    editor().forEachEditorReactor([&](VxEditorReactor& r) { r.onCommandEnd(name); });
}
void fireCommandCancel(const char16_t* name) {
    editor().forEachEditorReactor([&](VxEditorReactor& r) { r.onCommandCancel(name); });
}
void fireCommandFailed(const char16_t* name) {
    editor().forEachEditorReactor([&](VxEditorReactor& r) { r.onCommandFailed(name); });
}
void fireLispStart(const char16_t* firstLine) {
    editor().forEachEditorReactor([&](VxEditorReactor& r) { r.onLispStart(firstLine); });
}
void fireLispEnd() {
    editor().forEachEditorReactor([](VxEditorReactor& r) { r.onLispEnd(); });
}
void fireLispCancel() {
    editor().forEachEditorReactor([](VxEditorReactor& r) { r.onLispCancel(); });
}

std::vector<VxRxEventReactor*> editorReactors() {
    return editor().reactors();
}

}  // namespace sim
