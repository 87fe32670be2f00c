// The stand-in host's documents and document manager. A document owns its database; the
// manager owns the documents and lives for the whole process (modules keep its reactors
// attached across documents). Queued command strings go to the command line.
#pragma once

#include <memory>
#include <vector>

#include "host/vx_docman.h"
#include "sim/host/database.h"

namespace sim {

class Document final : public VxApDocument {
  public:
    explicit Document(VxString fileName);
    VxDbDatabase* database() const override;
    const char16_t* fileName() const override;
    Database& simDatabase() const { return *database_; }

  private:
    VxString fileName_;
    std::unique_ptr<Database> database_;
};

class DocManager final : public VxApDocManager {
  public:
    VxApDocument* curDocument() const override;
    void addReactor(VxApDocManagerReactor* reactor) override;
    void removeReactor(VxApDocManagerReactor* reactor) override;
    Vx::ErrorStatus sendStringToExecute(VxApDocument* document, const char16_t* text, bool activate,
                                        bool wrapUpInactiveDoc, bool echoString) override;
    void pushResourceHandle(void* resourceHandle) override;
    void popResourceHandle() override;

    Document& open(const VxString& fileName);
    void close(VxApDocument* document);
    void closeAll();
    Document* current() const { return current_; }
    std::vector<VxApDocument*> all() const;
    const std::vector<VxApDocManagerReactor*>& reactors() const { return reactors_; }

    std::vector<void*> resourceStack;
    int unbalancedPops = 0;
    bool present = true;

  private:
    std::vector<std::unique_ptr<Document>> documents_;
    std::vector<VxApDocManagerReactor*> reactors_;
    Document* current_ = nullptr;
};

// The process's document manager, present or not.
DocManager& docManager();

}  // namespace sim
