// Control API of the stand-in host's lisp side: host functions that vxedInvoke and lisp
// evaluations call by name (names match without regard to case), and the evaluation of one
// lisp expression with its editor events.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "host/vx_resbuf.h"

namespace sim {

// A host function's answer. The list (built with vxutBuildList) passes to the caller.
struct HostFunctionResult {
    int status = kRtNorm;
    VxResBuf* list = nullptr;
};
// args: the arguments after the function name (may be null).
using HostFunction = std::function<HostFunctionResult(const VxResBuf* args)>;

void defineHostFunction(std::u16string_view name, HostFunction function);
void clearHostFunctions();

// One lisp evaluation of "(name arg...)" with string, integer, real and symbol arguments:
// reactors hear onLispStart(first line), then onLispEnd when the function answered kRtNorm,
// or onLispCancel (unknown function, failure, malformed text; an error is printed). Queued
// command strings run afterwards, then the rest of the stream. True when it ended normally.
bool runLisp(std::u16string_view expression);
// The same without running the stream afterwards (the command line runs it itself).
bool evaluateLisp(std::u16string_view expression);

}  // namespace sim
