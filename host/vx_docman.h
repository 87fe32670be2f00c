// Documents of the host and the document manager.
#pragma once

#include <map>

#include "host/vx_db.h"
#include "host/vx_export.h"
#include "host/vx_rx.h"

class VX_HOST_API VxApDocument : public VxRxObject {
  public:
    static VxRxClass* desc();
    VxRxClass* isA() const override;
    virtual VxDbDatabase* database() const = 0;
    virtual const char16_t* fileName() const = 0;
};

class VX_HOST_API VxApDocManagerReactor : public VxRxObject {
  public:
    static VxRxClass* desc();
    VxRxClass* isA() const override;
    virtual void documentCreated(VxApDocument* document);
    virtual void documentToBeDestroyed(VxApDocument* document);
};

class VX_HOST_API VxApDocManager : public VxRxObject {
  public:
    static VxRxClass* desc();
    VxRxClass* isA() const override;
    virtual VxApDocument* curDocument() const = 0;
    virtual void addReactor(VxApDocManagerReactor* reactor) = 0;
    virtual void removeReactor(VxApDocManagerReactor* reactor) = 0;
    // Queues a command string for the document; the host runs it after the current command
    // or lisp evaluation has finished.
    virtual Vx::ErrorStatus sendStringToExecute(VxApDocument* document, const char16_t* text,
                                                bool activate = true,
                                                bool wrapUpInactiveDoc = false,
                                                bool echoString = true) = 0;
    // The resource source of dialogs and strings; push and pop come in pairs.
    virtual void pushResourceHandle(void* resourceHandle) = 0;
    virtual void popResourceHandle() = 0;
};

// The document manager, or null when the host has none (during its shutdown).
VX_HOST_API VxApDocManager* vxDocManagerPtr();

// A module's per-document records: one T per document, dropped when the host announces that
// the document is about to be destroyed. Attaches itself to the document manager when built
// and detaches when destroyed, if the document manager still exists then.
template <class T>
class VxApDataManager : public VxApDocManagerReactor {
  public:
    VxApDataManager() {
        if (VxApDocManager* manager = vxDocManagerPtr()) {
            manager->addReactor(this);
        }
    }
    ~VxApDataManager() override {
        if (VxApDocManager* manager = vxDocManagerPtr()) {
            manager->removeReactor(this);
        }
    }
    VxApDataManager(const VxApDataManager&) = delete;
    VxApDataManager& operator=(const VxApDataManager&) = delete;

    VxRxClass* isA() const override { return VxApDocManagerReactor::desc(); }
    void documentToBeDestroyed(VxApDocument* document) override { records_.erase(document); }
    T& docData(VxApDocument* document) { return records_[document]; }
    std::size_t size() const { return records_.size(); }

  private:
    std::map<VxApDocument*, T> records_;
};
