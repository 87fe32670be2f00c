#include "sim/host/documents.h"

#include <algorithm>

#include "sim/host/command_line.h"
#include "sim/host/editor.h"
#include "sim/host/events.h"
#include "sim/host/faults.h"
#include "sim/host/rx_define.h"

SIM_RX_DEFINE_CLASS(VxApDocument, VxRxObject)
SIM_RX_DEFINE_CLASS(VxApDocManagerReactor, VxRxObject)
SIM_RX_DEFINE_CLASS(VxApDocManager, VxRxObject)

void VxApDocManagerReactor::documentCreated(VxApDocument*) {}
void VxApDocManagerReactor::documentToBeDestroyed(VxApDocument*) {}

namespace sim {

Document::Document(VxString fileName)
    : fileName_(std::move(fileName)), database_(std::make_unique<Database>()) {}

VxDbDatabase* Document::database() const {
    return database_.get();
}

const char16_t* Document::fileName() const {
    return fileName_.c_str();
}

VxApDocument* DocManager::curDocument() const {
    return current_;
}

void DocManager::addReactor(VxApDocManagerReactor* reactor) {
    if (reactor != nullptr &&
        std::find(reactors_.begin(), reactors_.end(), reactor) == reactors_.end()) {
        reactors_.push_back(reactor);
    }
}

void DocManager::removeReactor(VxApDocManagerReactor* reactor) {
    reactors_.erase(std::remove(reactors_.begin(), reactors_.end(), reactor), reactors_.end());
}

Vx::ErrorStatus DocManager::sendStringToExecute(VxApDocument* document, const char16_t* text, bool,
                                                bool, bool) {
    if (const int status = checkpoint("sendStringToExecute")) {
        return static_cast<Vx::ErrorStatus>(status);
    }
    const auto known = std::find_if(documents_.begin(), documents_.end(),
                                    [document](const auto& d) { return d.get() == document; });
    if (text == nullptr || known == documents_.end()) {
        return Vx::eInvalidInput;
    }
    emit(Event{{"ev", "queue"}, {"text", VxString(text).toUtf8()}});
    queueCommandString(text);
    return Vx::eOk;
}

void DocManager::pushResourceHandle(void* resourceHandle) {
    resourceStack.push_back(resourceHandle);
}

void DocManager::popResourceHandle() {
    if (resourceStack.empty()) {
        ++unbalancedPops;
        return;
    }
    resourceStack.pop_back();
}

Document& DocManager::open(const VxString& fileName) {
    documents_.push_back(std::make_unique<Document>(fileName));
    current_ = documents_.back().get();
    const std::vector<VxApDocManagerReactor*> snapshot = reactors_;
    for (VxApDocManagerReactor* reactor : snapshot) {
        if (std::find(reactors_.begin(), reactors_.end(), reactor) != reactors_.end()) {
            reactor->documentCreated(current_);
        }
    }
    return *current_;
}

void DocManager::close(VxApDocument* document) {
    const auto found = std::find_if(documents_.begin(), documents_.end(),
                                    [document](const auto& d) { return d.get() == document; });
    if (found == documents_.end()) {
        return;
    }
    const std::vector<VxApDocManagerReactor*> snapshot = reactors_;
    for (VxApDocManagerReactor* reactor : snapshot) {
        if (std::find(reactors_.begin(), reactors_.end(), reactor) != reactors_.end()) {
            reactor->documentToBeDestroyed(document);
        }
    }
    Database* database = &(*found)->simDatabase();
    editor().forEachEventReactor(
        [database](VxRxEventReactor& reactor) { reactor.databaseToBeDestroyed(database); });
    std::unique_ptr<Document> gone = std::move(*found);
    documents_.erase(found);
    current_ = documents_.empty() ? nullptr : documents_.back().get();
}

void DocManager::closeAll() {
    while (!documents_.empty()) {
        close(documents_.back().get());
    }
}

std::vector<VxApDocument*> DocManager::all() const {
    std::vector<VxApDocument*> list;
    for (const auto& d : documents_) {
        list.push_back(d.get());
    }
    return list;
}

DocManager& docManager() {
    // Never destroyed: a module unloaded at process exit still detaches from it.
    static DocManager* const manager = [] {
        auto* m = new DocManager();
        m->open(VxString(u"Drawing1.dwg"));
        return m;
    }();
    return *manager;
}

}  // namespace sim

VxApDocManager* vxDocManagerPtr() {
    sim::DocManager& manager = sim::docManager();
    return manager.present ? &manager : nullptr;
}

namespace {

class HostServices final : public VxDbHostApplicationServices {
  public:
    VxDbDatabase* workingDatabase() const override {
        sim::Document* current = sim::docManager().current();
        return current != nullptr ? current->database() : nullptr;
    }
};

}  // namespace

VxDbHostApplicationServices* vxdbHostApplicationServices() {
    static HostServices* const services = new HostServices();  // lives until process exit
    return services;
}
