#include "sim/host/host_control.h"

#include <string>

#include "sim/host/command_line.h"
#include "sim/host/documents.h"
#include "sim/host/faults.h"
#include "sim/host/lisp.h"
#include "sim/host/object_ledger.h"
#include "sim/winsys/window_control.h"

namespace sim {
namespace {
int documentsOpened = 1;  // "Drawing1.dwg" is opened with the document manager
}

void resetHost() {
    DocManager& manager = docManager();
    for (VxApDocument* document : manager.all()) {
        // Reactors may be gone by now (a test's stack objects); they hear no goodbye.
        Database& database = static_cast<Document*>(document)->simDatabase();
        for (VxDbDatabaseReactor* reactor : database.reactors()) {
            database.removeReactor(reactor);
        }
    }
    manager.present = true;
    manager.closeAll();
    manager.resourceStack.clear();
    manager.unbalancedPops = 0;
    clearCommandLine();
    clearHostFunctions();
    clearFaults();
    setLoadedModules({});
    resetWindows();
    openDocument(VxString(u"Drawing" + VxString::format(u"%d", ++documentsOpened).str() + u".dwg"));
}

Database& workingDatabase() {
    DocManager& manager = docManager();
    if (manager.current() == nullptr) {
        openDocument(
            VxString(u"Drawing" + VxString::format(u"%d", ++documentsOpened).str() + u".dwg"));
    }
    return manager.current()->simDatabase();
}

VxApDocument* openDocument(const VxString& fileName) {
    return &docManager().open(fileName);
}

void closeDocument(VxApDocument* document) {
    docManager().close(document);
}

std::vector<VxApDocument*> documents() {
    return docManager().all();
}

void setDocManagerPresent(bool present) {
    docManager().present = present;
}

std::vector<void*> resourceHandleStack() {
    return docManager().resourceStack;
}

int unbalancedResourcePops() {
    return docManager().unbalancedPops;
}

std::size_t openObjectCount() {
    return openLedger().size();
}

}  // namespace sim
