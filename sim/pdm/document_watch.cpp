#include "sim/pdm/document_watch.h"

#include "host/vx_docman.h"
#include "sim/pdm/pdm_store.h"

namespace sim::pdm {
namespace {

class DocumentWatch final : public VxApDocManagerReactor {
  public:
    VxRxClass* isA() const override { return VxApDocManagerReactor::desc(); }
    void documentToBeDestroyed(VxApDocument* document) override {
        store().environments.erase(document);
    }
};

}  // namespace

void watchDocuments() {
    // Never destroyed: the document manager may call it until the process ends.
    static DocumentWatch* watch = nullptr;
    if (watch == nullptr) {
        if (VxApDocManager* manager = vxDocManagerPtr()) {
            watch = new DocumentWatch();
            manager->addReactor(watch);
        }
    }
}

}  // namespace sim::pdm
