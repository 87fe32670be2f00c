#include "sim/pdm/expression_evaluator.h"

#include "host/vx_string.h"
#include "sim/pdm/expression_parser.h"
#include "sim/pdm/pdm_control.h"

namespace sim::pdm {
namespace {

const std::u16string kNoValue;

const std::u16string& valueOf(const Record& row, const std::u16string& name) {
    const auto it = row.find(name);
    return it == row.end() ? kNoValue : it->second;
}

// A comparison with a literal that every matching row must meet, if the condition has one.
const Condition* indexableCompare(const Term& t) {
    if (!t.hasCondition) {
        return nullptr;
    }
    const auto literal = [](const Condition& c) {
        return c.kind == Condition::Kind::kCompare && !c.valueIsReference;
    };
    if (literal(t.condition)) {
        return &t.condition;
    }
    if (t.condition.kind == Condition::Kind::kAnd) {
        for (const Condition& operand : t.condition.operands) {
            if (literal(operand)) {
                return &operand;
            }
        }
    }
    return nullptr;
}

}  // namespace

ExpressionEvaluator::ExpressionEvaluator(PdmStore& store, VxApDocument* document, bool modal)
    : store_(store), document_(document), modal_(modal) {}

std::u16string ExpressionEvaluator::evaluate(const Terms& terms) {
    std::u16string out;
    for (const Term& t : terms) {
        out += term(t);
    }
    return out;
}

std::u16string ExpressionEvaluator::term(const Term& t) {
    switch (t.kind) {
        case Term::Kind::kText:
            return t.text;
        case Term::Kind::kField:
            return field(t.text);
        case Term::Kind::kWhere:
            return where(t);
        case Term::Kind::kSetting:
            return valueOf(store_.settings, t.text);
        case Term::Kind::kHasPart:
            return store_.hasPart;
        case Term::Kind::kCall:
            return call(t);
    }
    return {};
}

std::u16string ExpressionEvaluator::where(const Term& t) {
    const auto table = store_.tables.find(t.table);
    if (table == store_.tables.end()) {
        throw ExpressionError("unknown table " + VxString(t.table).toUtf8());
    }
    const Table& rows = table->second;
    std::vector<std::size_t> candidates;
    if (const Condition* compare = indexableCompare(t)) {
        candidates = store_.indexes.rowsWith(t.table, rows, store_.tablesGeneration, compare->field,
                                             compare->value);
    } else {
        candidates.resize(rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            candidates[i] = i;
        }
    }
    std::u16string joined;
    bool found = false;
    for (const std::size_t i : candidates) {
        if (++rowVisits_ > kMaxRowVisits) {
            throw ExpressionError("the query visits too many records");
        }
        const Record& row = rows[i];
        if (t.hasCondition && !matches(t.condition, row)) {
            continue;
        }
        found = true;
        scopes_.push_back(&row);
        const std::u16string value = evaluate(t.result);
        scopes_.pop_back();
        if (value.empty()) {
            continue;
        }
        if (!joined.empty()) {
            joined += u'\n';
        }
        joined += value;
    }
    // A key that names nothing answers as an empty field would: only the hook can tell.
    if (!found && t.hasCondition && t.condition.kind == Condition::Kind::kCompare &&
        !t.condition.valueIsReference && t.condition.field == u"ORBKEY") {
        tellUnknownKey(t.table, t.condition.value);
    }
    return joined;
}

std::u16string ExpressionEvaluator::call(const Term& t) {
    if (t.text != u"SelectItem") {
        throw ExpressionError("unknown call " + VxString(t.text).toUtf8());
    }
    if (!modal_) {
        throw ExpressionError("SelectItem shows a dialog; evaluate it with the modal form");
    }
    if (store_.selections.empty()) {
        return askSelectItemHook(t.argument).value_or(std::u16string());  // "": cancelled
    }
    std::u16string chosen = std::move(store_.selections.front());
    store_.selections.pop_front();
    return chosen;
}

bool ExpressionEvaluator::matches(const Condition& c, const Record& row) {
    if (c.kind == Condition::Kind::kAnd) {
        for (const Condition& operand : c.operands) {
            if (!matches(operand, row)) {
                return false;
            }
        }
        return true;
    }
    const std::u16string expected = c.valueIsReference ? field(c.value) : c.value;
    return valueOf(row, c.field) == expected;
}

std::u16string ExpressionEvaluator::field(const std::u16string& name) {
    if (!scopes_.empty()) {
        return valueOf(*scopes_.back(), name);
    }
    if (const Record* record = documentRecord()) {
        return valueOf(*record, name);
    }
    return {};
}

const Record* ExpressionEvaluator::documentRecord() {
    if (!documentLooked_) {
        documentLooked_ = true;
        const auto env = store_.environments.find(document_);
        const auto documents = store_.tables.find(u"Folder_All_Document");
        if (env != store_.environments.end() && documents != store_.tables.end()) {
            const std::u16string& key = valueOf(env->second, u"ORBKEY");
            for (const Record& row : documents->second) {
                if (!key.empty() && valueOf(row, u"ORBKEY") == key) {
                    documentRecord_ = &row;
                    break;
                }
            }
        }
    }
    return documentRecord_;
}

std::u16string evaluateText(PdmStore& store, VxApDocument* document, bool modal,
                            const std::u16string& expression) {
    try {
        const Terms terms = parseExpression(expression);
        return ExpressionEvaluator(store, document, modal).evaluate(terms);
    } catch (const ExpressionError& error) {
        return u"!" + VxString::fromUtf8(error.what()).str();
    }
}

}  // namespace sim::pdm
