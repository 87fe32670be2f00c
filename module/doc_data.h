// The module's per-document records. CDocData holds nothing yet; the manager's one duty is to
// forget a document that the host is about to destroy.
#pragma once

#include "host/vx_docman.h"

struct CDocData {};

class DocDataManager : public VxApDataManager<CDocData> {
  public:
    VxRxClass* isA() const override;
};

DocDataManager& TheDocDataManager();
