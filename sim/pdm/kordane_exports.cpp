// The six functions of the stand-in KORDANE PDM client. Each passes its fault checkpoint
// first; a failed checkpoint makes the call fail as the real client would (an empty text,
// an error text or the failing status) without touching the PDM's data.
#include <algorithm>
#include <string>

#include "host/kordane.h"
#include "sim/host/events.h"
#include "sim/host/faults.h"
#include "sim/pdm/bom_reception.h"
#include "sim/pdm/expression_evaluator.h"
#include "sim/pdm/pdm_store.h"

namespace {

using sim::pdm::PdmStore;

std::u16string decimal(int value) {
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

void record(PdmStore& s, const char* function, std::vector<std::u16string> texts,
            std::u16string result) {
    if (s.logging && s.keepRecords) {
        s.log.push_back(sim::pdm::PdmCall{function, std::move(texts), std::move(result)});
    }
}

// The refusal code for this call of the command, counting the call against nth refusals.
int refusalCode(PdmStore& s, const std::u16string& command) {
    const auto found = s.refusals.find(command);
    if (found == s.refusals.end()) {
        return 0;
    }
    int code = 0;
    for (sim::pdm::Refusal& refusal : found->second) {
        ++refusal.seen;
        if (code == 0 && (refusal.nth == 0 || refusal.nth == refusal.seen)) {
            code = refusal.code;
        }
    }
    return code;
}

VxString prep(const char* function, const VxString& expression, bool modal) {
    PdmStore& s = sim::pdm::store();
    std::u16string result;
    if (const int status = sim::checkpoint(function)) {
        result = u"!PDM failure " + decimal(status);
    } else {
        result = sim::pdm::evaluateText(s, sim::pdm::currentDocument(), modal, expression.str());
    }
    record(s, function, {expression.str()}, result);
    if (s.logging) {
        sim::emit({{"ev", "pdm.prep"},
                   {"expr", expression.toUtf8()},
                   {"result", VxString(result).toUtf8()},
                   {"modal", modal}});
    }
    return VxString(std::move(result));
}

}  // namespace

VxString orbdGetText(const VxString& key) {
    PdmStore& s = sim::pdm::store();
    std::u16string text;
    if (sim::checkpoint("orbdGetText") == 0) {
        const auto found = s.catalogue.find(key.str());
        if (found != s.catalogue.end()) {
            text = found->second;
        } else if (s.showMissingTexts) {
            text = u"<" + key.str() + u">";
            if (std::find(s.missingTexts.begin(), s.missingTexts.end(), key.str()) ==
                s.missingTexts.end()) {
                s.missingTexts.push_back(key.str());
            }
        }
    }
    record(s, "orbdGetText", {key.str()}, text);
    return VxString(std::move(text));
}

VxString orbdGetEnv(VxApDocument* document, const VxString& name) {
    PdmStore& s = sim::pdm::store();
    std::u16string value;
    if (sim::checkpoint("orbdGetEnv") == 0) {
        value = sim::pdm::env(document, name.str());
    }
    record(s, "orbdGetEnv", {name.str()}, value);
    return VxString(std::move(value));
}

int orbdSetEnv(VxApDocument* document, const VxString& name, const VxString& value) {
    PdmStore& s = sim::pdm::store();
    const int status = sim::checkpoint("orbdSetEnv");
    if (status == 0) {
        sim::pdm::setEnv(document, name.str(), value.str());
    }
    record(s, "orbdSetEnv", {name.str(), value.str()}, decimal(status));
    if (s.logging) {
        sim::emit({{"ev", "pdm.env.set"}, {"name", name.toUtf8()}, {"value", value.toUtf8()}});
    }
    return status;
}

VxString orbdPrep(const VxString& expression) {
    return prep("orbdPrep", expression, false);
}

VxString orbdPrepWithModalDialog(const VxString& expression) {
    return prep("orbdPrepWithModalDialog", expression, true);
}

int orbdCall(const VxString& command, const VxString& argument, const VxString& extra) {
    PdmStore& s = sim::pdm::store();
    // A failing call fails like a refusal: the PDM saw it, so a refused "BOMEND" still
    // closes its transfer and the framing judges what the module sent.
    int code = sim::checkpoint("orbdCall");
    if (code == 0) {
        code = refusalCode(s, command.str());
    }
    if (code != 0) {
        sim::pdm::closeRefusedFrame(s, command.str());
    } else {
        code = sim::pdm::carryOutCommand(s, command.str(), argument.str());
    }
    record(s, "orbdCall", {command.str(), argument.str(), extra.str()}, decimal(code));
    if (s.logging) {
        sim::emit({{"ev", "pdm.call"},
                   {"name", command.toUtf8()},
                   {"arg", argument.toUtf8()},
                   {"code", code}});
    }
    return code;
}
