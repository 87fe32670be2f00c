#include "sim/host/lisp.h"

#include <charconv>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/vx_editor.h"
#include "sim/host/command_line.h"
#include "sim/host/editor_events.h"
#include "sim/host/events.h"
#include "sim/host/faults.h"
#include "sim/host/host_control.h"
#include "sim/host/names.h"

namespace sim {
namespace {

struct LispState {
    std::map<std::u16string, HostFunction> functions;  // by folded name
    std::map<std::u16string, int> defuns;              // module functions: name -> code
    std::map<int, int (*)()> registered;               // code -> function
    int currentCode = -1;
    std::vector<VxString> loadedModules;
};

LispState& state() {
    static LispState s;
    return s;
}

struct ListDeleter {
    void operator()(VxResBuf* list) const { vxutRelRb(list); }
};
using List = std::unique_ptr<VxResBuf, ListDeleter>;

VxResBuf* appendElement(VxResBuf**& tail, short type) {
    auto* element = new VxResBuf();
    element->restype = type;
    *tail = element;
    tail = &element->rbnext;
    return element;
}

char16_t* copyText(const std::u16string& text) {
    auto* copy = new char16_t[text.size() + 1];
    std::char_traits<char16_t>::copy(copy, text.c_str(), text.size() + 1);
    return copy;
}

// A number token as an integer or a real, if it is one.
void appendAtom(VxResBuf**& tail, const std::u16string& atom) {
    std::string narrow;
    bool ascii = true;
    for (char16_t c : atom) {
        ascii = ascii && c < 0x80;
        narrow.push_back(static_cast<char>(c));
    }
    if (ascii && !narrow.empty()) {
        const char* end = narrow.data() + narrow.size();
        int integer = 0;
        if (auto [p, ec] = std::from_chars(narrow.data(), end, integer);
            ec == std::errc() && p == end) {
            appendElement(tail, kRtLong)->resval.rint = integer;
            return;
        }
        double real = 0;
        if (auto [p, ec] = std::from_chars(narrow.data(), end, real);
            ec == std::errc() && p == end) {
            appendElement(tail, kRtReal)->resval.rreal = real;
            return;
        }
    }
    appendElement(tail, kRtStr)->resval.rstring = copyText(atom);
}

// Parses "(name arg...)" into a list whose first element is the name. Null when malformed.
List parseCall(std::u16string_view text) {
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() &&
               (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\r' || text[i] == u'\n')) {
            ++i;
        }
    };
    skipBlanks();
    if (i >= text.size() || text[i] != u'(') {
        return nullptr;
    }
    ++i;
    List list;
    VxResBuf* head = nullptr;
    VxResBuf** tail = &head;
    list.reset(nullptr);
    for (;;) {
        skipBlanks();
        if (i >= text.size() || text[i] == u'(') {
            vxutRelRb(head);  // unbalanced, or a nested expression this evaluator does not know
            return nullptr;
        }
        if (text[i] == u')') {
            break;
        }
        std::u16string atom;
        if (text[i] == u'"') {
            for (++i; i < text.size() && text[i] != u'"'; ++i) {
                if (text[i] == u'\\' && i + 1 < text.size()) {
                    ++i;
                }
                atom.push_back(text[i]);
            }
            if (i >= text.size()) {
                vxutRelRb(head);
                return nullptr;
            }
            ++i;
            appendElement(tail, kRtStr)->resval.rstring = copyText(atom);
            continue;
        }
        while (i < text.size() && text[i] != u' ' && text[i] != u'\t' && text[i] != u'\r' &&
               text[i] != u'\n' && text[i] != u'(' && text[i] != u')' && text[i] != u'"') {
            atom.push_back(text[i++]);
        }
        if (head == nullptr) {
            appendElement(tail, kRtStr)->resval.rstring = copyText(atom);  // the function name
        } else {
            appendAtom(tail, atom);
        }
    }
    list.reset(head);
    return head != nullptr ? std::move(list) : nullptr;
}

void printError(const std::u16string& text) {
    emit(Event{{"ev", "print"}, {"text", VxString(u"; error: " + text).toUtf8()}});
}

// Calls a host function; its throwing is a failure, never an escape into the caller.
HostFunctionResult callFunction(const HostFunction& function, const VxResBuf* args) {
    try {
        return function(args);
    } catch (...) {
        return HostFunctionResult{kRtError, nullptr};
    }
}

}  // namespace

void defineHostFunction(std::u16string_view name, HostFunction function) {
    state().functions[foldedName(name)] = std::move(function);
}

void clearHostFunctions() {
    LispState& s = state();
    s.functions.clear();
    s.defuns.clear();
    s.registered.clear();
    s.currentCode = -1;
}

bool evaluateLisp(std::u16string_view expression) {
    const std::u16string firstLine(expression.substr(0, expression.find_first_of(u"\r\n")));
    fireLispStart(firstLine.c_str());
    bool normal = false;
    List call = parseCall(expression);
    if (!call) {
        printError(u"malformed list on input");
    } else {
        LispState& s = state();
        const std::u16string name = call->resval.rstring;
        const auto function = s.functions.find(foldedName(name));
        const auto defun = s.defuns.find(foldedName(name));
        if (function != s.functions.end()) {
            const HostFunction target = function->second;
            const HostFunctionResult result = callFunction(target, call->rbnext);
            vxutRelRb(result.list);
            normal = result.status == kRtNorm;
        } else if (defun != s.defuns.end() && s.registered.count(defun->second) != 0) {
            s.currentCode = defun->second;
            try {
                normal = s.registered[defun->second]() == kRtNorm;
            } catch (...) {
                normal = false;
            }
            s.currentCode = -1;
        } else {
            printError(u"no function definition: " + foldedName(name));
        }
        if (!normal && (function != s.functions.end() || defun != s.defuns.end())) {
            printError(u"function " + foldedName(name) + u" failed");
        }
    }
    if (normal) {
        fireLispEnd();
    } else {
        fireLispCancel();
    }
    return normal;
}

bool runLisp(std::u16string_view expression) {
    const bool normal = evaluateLisp(expression);
    runCommandLine();
    return normal;
}

void setLoadedModules(std::vector<VxString> names) {
    state().loadedModules = std::move(names);
}

std::vector<VxString> loadedModules() {
    return state().loadedModules;
}

}  // namespace sim

VxResBuf* vxedVmxLoaded() {
    if (sim::checkpoint("vxedVmxLoaded") != 0) {
        return nullptr;
    }
    VxResBuf* head = nullptr;
    VxResBuf** tail = &head;
    for (const VxString& name : sim::state().loadedModules) {
        sim::appendElement(tail, kRtStr)->resval.rstring = sim::copyText(name.str());
    }
    return head;
}

int vxedInvoke(const VxResBuf* args, VxResBuf** result) {
    if (result != nullptr) {
        *result = nullptr;
    }
    if (const int status = sim::checkpoint("vxedInvoke")) {
        return status;
    }
    if (args == nullptr || result == nullptr || args->restype != kRtStr ||
        args->resval.rstring == nullptr) {
        return kRtError;
    }
    const auto& functions = sim::state().functions;
    const auto found = functions.find(sim::foldedName(args->resval.rstring));
    if (found == functions.end()) {
        return kRtError;
    }
    const sim::HostFunction function = found->second;
    const sim::HostFunctionResult answer = sim::callFunction(function, args->rbnext);
    if (answer.status != kRtNorm) {
        vxutRelRb(answer.list);
        return answer.status;
    }
    *result = answer.list;
    return kRtNorm;
}

int vxedDefun(const char16_t* name, int functionCode) {
    if (name == nullptr || *name == 0) {
        return kRtError;
    }
    sim::state().defuns[sim::foldedName(name)] = functionCode;
    return kRtNorm;
}

int vxedRegFunc(int (*function)(), int functionCode) {
    if (function == nullptr) {
        return kRtError;
    }
    sim::state().registered[functionCode] = function;
    return kRtNorm;
}

int vxedUndef(const char16_t* name, int functionCode) {
    auto& defuns = sim::state().defuns;
    const auto found = name != nullptr ? defuns.find(sim::foldedName(name)) : defuns.end();
    if (found == defuns.end() || found->second != functionCode) {
        return kRtError;
    }
    defuns.erase(found);
    return kRtNorm;
}

// The code of the module function being evaluated; kRtError outside an evaluation.
int vxedGetFunCode() {
    const int code = sim::state().currentCode;
    return code >= 0 ? code : kRtError;
}
