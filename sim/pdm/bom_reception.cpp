#include "sim/pdm/bom_reception.h"

#include <filesystem>

#include "host/vx_string.h"

namespace sim::pdm {
namespace {

BomTransfer* openTransfer(BomReception& r) {
    if (r.transfers.empty() || r.transfers.back().ended) {
        return nullptr;
    }
    return &r.transfers.back();
}

BomElement* openElement(BomReception& r) {
    BomTransfer* transfer = openTransfer(r);
    if (transfer == nullptr || transfer->elements.empty() || transfer->elements.back().ended) {
        return nullptr;
    }
    return &transfer->elements.back();
}

int outOfFrame(BomReception& r) {
    ++r.framingErrors;
    return kCallOutOfFrame;
}

// "FIELD \"value\"": the field name, a blank and the value in double quotes. The value is
// everything between the first and the last quote, quotes inside it included. When
// records are not kept (benchmarks, vexa-sim runs) only the form is checked: keeping every field of
// a large parts list would make the stand-in, not the module, what is measured.
int receiveInfo(BomReception& r, const std::u16string& argument, bool keepFields) {
    BomElement* element = openElement(r);
    if (element == nullptr) {
        return outOfFrame(r);
    }
    const std::size_t blank = argument.find(u' ');
    if (blank == std::u16string::npos || blank == 0 || argument.size() < blank + 3 ||
        argument[blank + 1] != u'"' || argument.back() != u'"') {
        return kCallMalformed;
    }
    if (keepFields) {
        element->fields.emplace_back(argument.substr(0, blank),
                                     argument.substr(blank + 2, argument.size() - blank - 3));
    }
    return 0;
}

int endElement(BomReception& r, const std::u16string& argument) {
    BomElement* element = openElement(r);
    if (element == nullptr) {
        return outOfFrame(r);
    }
    element->ended = true;
    element->failed = argument == u"1";
    return argument == u"0" || argument == u"1" ? 0 : kCallMalformed;
}

int endTransfer(BomReception& r, const std::u16string& argument) {
    BomTransfer* transfer = openTransfer(r);
    if (transfer == nullptr) {
        return outOfFrame(r);
    }
    if (BomElement* element = openElement(r)) {
        element->ended = true;  // an element left open breaks the frame
        ++r.framingErrors;
    }
    transfer->ended = true;
    transfer->failed = argument == u"1";
    return argument == u"0" || argument == u"1" ? 0 : kCallMalformed;
}

// "\"PATH\" 1"
int receiveExternBom(PdmStore& store, const std::u16string& argument) {
    const std::u16string suffix = u"\" 1";
    if (argument.size() < 2 + suffix.size() || argument.front() != u'"' ||
        argument.compare(argument.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return kCallMalformed;
    }
    const std::u16string path = argument.substr(1, argument.size() - 1 - suffix.size());
    store.externBoms.push_back(path);
    std::error_code error;
    return std::filesystem::is_regular_file(VxString(path).toUtf8(), error) ? 0 : kCallNoFile;
}

}  // namespace

const std::vector<std::u16string>& commandNames() {
    static const std::vector<std::u16string> names = {u"BOMSTART",       u"BOMELEMENTSTART",
                                                      u"BOMELEMENTINFO", u"BOMELEMENTEND",
                                                      u"BOMEND",         u"NewExternBom"};
    return names;
}

int carryOutCommand(PdmStore& store, const std::u16string& command,
                    const std::u16string& argument) {
    BomReception& r = store.reception;
    if (command == u"BOMSTART") {
        if (openTransfer(r) != nullptr) {
            return outOfFrame(r);
        }
        r.transfers.emplace_back();
        return 0;
    }
    if (command == u"BOMELEMENTSTART") {
        BomTransfer* transfer = openTransfer(r);
        if (transfer == nullptr || openElement(r) != nullptr) {
            return outOfFrame(r);
        }
        transfer->elements.emplace_back();
        return 0;
    }
    if (command == u"BOMELEMENTINFO") {
        return receiveInfo(r, argument, store.logging && store.keepRecords);
    }
    if (command == u"BOMELEMENTEND") {
        return endElement(r, argument);
    }
    if (command == u"BOMEND") {
        return endTransfer(r, argument);
    }
    if (command == u"NewExternBom") {
        return receiveExternBom(store, argument);
    }
    return kCallUnknown;
}

void closeRefusedFrame(PdmStore& store, const std::u16string& command) {
    BomReception& r = store.reception;
    if (command == u"BOMELEMENTSTART") {
        // The element is refused, not absent: its fields and its end still belong to it.
        BomTransfer* transfer = openTransfer(r);
        if (transfer != nullptr && openElement(r) == nullptr) {
            transfer->elements.emplace_back();
        }
    } else if (command == u"BOMELEMENTEND") {
        if (BomElement* element = openElement(r)) {
            element->ended = true;
            element->failed = true;
        }
    } else if (command == u"BOMEND") {
        if (BomElement* element = openElement(r)) {
            element->ended = true;
            ++r.framingErrors;
        }
        if (BomTransfer* transfer = openTransfer(r)) {
            transfer->ended = true;
            transfer->failed = true;
        }
    }
}

}  // namespace sim::pdm
