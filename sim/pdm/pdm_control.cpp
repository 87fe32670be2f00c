#include "sim/pdm/pdm_control.h"

#include "host/vx_docman.h"
#include "sim/pdm/document_watch.h"
#include "sim/pdm/expression_evaluator.h"
#include "sim/pdm/expression_parser.h"
#include "sim/pdm/pdm_store.h"

namespace sim::pdm {

void reset() {
    PdmStore& s = store();
    s = PdmStore();
    addStandardTables(s);
}

void setCatalogueText(const std::u16string& key, const std::u16string& text) {
    store().catalogue[key] = text;
}

std::optional<std::u16string> catalogueText(const std::u16string& key) {
    const auto found = store().catalogue.find(key);
    if (found == store().catalogue.end()) {
        return std::nullopt;
    }
    return found->second;
}

void setShowMissingTexts(bool on) {
    store().showMissingTexts = on;
}

const std::vector<std::u16string>& missingTexts() {
    return store().missingTexts;
}

void setEnv(VxApDocument* document, const std::u16string& name, const std::u16string& value) {
    watchDocuments();
    store().environments[document][name] = value;
}

std::u16string env(VxApDocument* document, const std::u16string& name) {
    const PdmStore& s = store();
    const auto values = s.environments.find(document);
    if (values == s.environments.end()) {
        return {};
    }
    const auto value = values->second.find(name);
    return value == values->second.end() ? std::u16string() : value->second;
}

Record environment(VxApDocument* document) {
    const PdmStore& s = store();
    const auto values = s.environments.find(document);
    return values == s.environments.end() ? Record() : values->second;
}

VxApDocument* currentDocument() {
    VxApDocManager* manager = vxDocManagerPtr();
    return manager ? manager->curDocument() : nullptr;
}

void setTable(const std::u16string& name, Table records) {
    store().tables[name] = std::move(records);
    ++store().tablesGeneration;
}

void addRecord(const std::u16string& table, Record record) {
    store().tables[table].push_back(std::move(record));
    ++store().tablesGeneration;
}

const Table& table(const std::u16string& name) {
    static const Table none;
    const auto found = store().tables.find(name);
    return found == store().tables.end() ? none : found->second;
}

void setSetting(const std::u16string& name, const std::u16string& value) {
    store().settings[name] = value;
}

void setHasPart(const std::u16string& answer) {
    store().hasPart = answer;
}

void queueSelection(const std::u16string& orbKey) {
    store().selections.push_back(orbKey);
}

std::size_t pendingSelections() {
    return store().selections.size();
}

namespace {
SelectItemHook& selectItemHook() {
    static SelectItemHook hook;
    return hook;
}
}  // namespace

void setSelectItemHook(SelectItemHook hook) {
    selectItemHook() = std::move(hook);
}

std::optional<std::u16string> askSelectItemHook(const std::u16string& title) {
    if (!selectItemHook()) {
        return std::nullopt;
    }
    return selectItemHook()(title);
}

namespace {
UnknownKeyHook& unknownKeyHook() {
    static UnknownKeyHook hook;
    return hook;
}
}  // namespace

void setUnknownKeyHook(UnknownKeyHook hook) {
    unknownKeyHook() = std::move(hook);
}

void tellUnknownKey(const std::u16string& table, const std::u16string& key) {
    if (unknownKeyHook()) {
        unknownKeyHook()(table, key);
    }
}

void refuse(const std::u16string& command, int code) {
    store().refusals[command].push_back(Refusal{code, 0, 0});
}

void refuseNth(const std::u16string& command, int nth, int code) {
    store().refusals[command].push_back(Refusal{code, nth, 0});
}

const std::vector<PdmCall>& callLog() {
    return store().log;
}

void clearLog() {
    store().log.clear();
}

void setLogging(bool on) {
    store().logging = on;
}

void setKeepRecords(bool on) {
    store().keepRecords = on;
}

const BomReception& bomReception() {
    return store().reception;
}

bool framingWhole() {
    const BomReception& r = store().reception;
    return r.framingErrors == 0 && (r.transfers.empty() || r.transfers.back().ended);
}

const std::vector<std::u16string>& externBoms() {
    return store().externBoms;
}

std::u16string evaluate(const std::u16string& expression, bool modal) {
    return evaluateText(store(), currentDocument(), modal, expression);
}

std::optional<SyntaxError> syntaxError(const std::u16string& expression) {
    try {
        parseExpression(expression);
    } catch (const ExpressionError& error) {
        std::string reason = error.what();
        const std::string at = " at " + std::to_string(error.offset());
        if (reason.ends_with(at)) {
            reason.erase(reason.size() - at.size());
        }
        return SyntaxError{error.offset(), reason};
    }
    return std::nullopt;
}

}  // namespace sim::pdm
