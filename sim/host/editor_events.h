// Control API: fires the host editor's events at every attached editor reactor, in attach
// order, as the host does around commands, lisp evaluations and saves. The command line
// (command_line.h) and lisp (lisp.h) fire the command and lisp events themselves; these are
// for tests and for vexa-sim steps that stand for the host's own activity.
#pragma once

#include <vector>

#include "host/vx_editor.h"

namespace sim {

void fireSaveStart(VxDbDatabase* database, const char16_t* fileName);
void fireCommandStart(const char16_t* commandName);
void fireCommandEnd(const char16_t* commandName);
void fireCommandCancel(const char16_t* commandName);
void fireCommandFailed(const char16_t* commandName);
void fireLispStart(const char16_t* firstLine);
void fireLispEnd();
void fireLispCancel();

// The reactors attached to the editor now, in attach order.
std::vector<VxRxEventReactor*> editorReactors();

}  // namespace sim
