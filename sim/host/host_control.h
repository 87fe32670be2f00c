// Control API of the stand-in host for tests and vexa-sim: documents, the working database,
// the document manager's presence, the list of loaded modules, resource handles, the ledger
// of open objects, and a reset between test cases.
#pragma once

#include <cstddef>
#include <vector>

#include "host/vx_docman.h"
#include "host/vx_string.h"
#include "sim/host/database.h"

namespace sim {

// Back to a fresh host: closes every document (reactors hear documentToBeDestroyed), after
// taking the database reactors off their databases; clears the command stream, queued
// strings, faults, input and UI hooks, lisp functions, host commands, the loaded-module
// list and the resource-handle stack; then opens one fresh current document. Ids keep
// counting. The editor, command stack, dynamic linker and their reactors and commands stay,
// since a loaded module holds pointers to them.
void resetHost();

// The current document's database; opens a document first when there is none.
Database& workingDatabase();

// Opens a new document with an empty database and makes it current; reactors hear
// documentCreated. The document manager owns it.
VxApDocument* openDocument(const VxString& fileName);
// Closes a document: reactors hear documentToBeDestroyed, editor reactors
// databaseToBeDestroyed; then its database is destroyed. The last opened remaining document
// becomes current.
void closeDocument(VxApDocument* document);
std::vector<VxApDocument*> documents();

// With false, vxDocManagerPtr() answers null, as while the host shuts down.
void setDocManagerPresent(bool present);

// The loaded plug-in modules that vxedVmxLoaded reports.
void setLoadedModules(std::vector<VxString> names);
std::vector<VxString> loadedModules();

// Resource handles pushed on the document manager and not popped yet (last is current),
// and pops that found the stack empty.
std::vector<void*> resourceHandleStack();
int unbalancedResourcePops();

// Objects open now in any database of the run.
std::size_t openObjectCount();

// How often a module called InitVxUiDLL.
int uiLibraryInitCount();

}  // namespace sim
