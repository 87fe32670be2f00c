#include "app/common/command_summary.h"

#include <algorithm>
#include <utility>

#include "app/common/terminal_text.h"
#include "app/common/text_conversion.h"
#include "host/vx_status.h"
#include "sim/mech/mech_observer.h"
#include "sim/pdm/pdm_control.h"

namespace {

// The command that reads rows by their PDM key and leaves a row without one as it is.
constexpr const char* kUpdatesRowsByKey = "ORBDUPDATEPARTREFS";

bool HasValue(const VxmStringMap& cells, const char16_t* name) {
    const auto it = cells.find(name);
    return it != cells.end() && !it->second.empty();
}

std::string Field(const sim::Event& event, const char* name) {
    const auto it = event.find(name);
    return it != event.end() && it->is_string() ? it->get<std::string>() : std::string();
}

}  // namespace

bool PrintsMappingFailure(const std::string& text) {
    // The catalogue texts the module prints when the mapping file cannot be read or lacks the
    // section a command needs.
    for (const char16_t* key : {u"VX16300", u"VX16301"}) {
        const std::optional<std::u16string> said = sim::pdm::catalogueText(key);
        if (!said || said->empty()) {
            continue;
        }
        const std::string line = Utf8(*said);
        for (std::size_t at = text.find(line); at != std::string::npos;
             at = text.find(line, at + 1)) {
            const std::size_t end = at + line.size();
            if ((at == 0 || text[at - 1] == '\n') && (end == text.size() || text[end] == '\n')) {
                return true;
            }
        }
    }
    return false;
}

bool PrintsHostFailure(const std::string& text) {
    static const std::vector<std::string> failures = [] {
        std::vector<std::string> texts{"Can't create VxmPartRefEntity"};
        for (int status = Vx::eNotImplemented; status <= Vx::eInvalidContext; ++status) {
            const std::string shown = Utf8(vexaErrorStatusText(status));
            if (shown != "eUnknownStatus") {
                texts.push_back(shown);
            }
        }
        return texts;
    }();
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line(text.data() + start, end - start);
        for (const std::string& failure : failures) {
            if (line.starts_with(failure) &&
                (line.size() == failure.size() || line[failure.size()] == ' ')) {
                return true;
            }
        }
        start = end + 1;
    }
    return false;
}

CommandSummary::CommandSummary(std::function<void(const sim::Event&)> write)
    : write_(std::move(write)) {
    sim::MechObserver observer;
    observer.rowRead = [this](VxDbObjectId row, const std::u16string& item,
                              const VxmStringMap& cells) {
        if (!counts_) {
            return;
        }
        counts_->rowsRead.insert(row);
        if (item.find_first_not_of(u' ') == std::u16string::npos) {
            counts_->withoutItem.insert(row);
        }
        if (!HasValue(cells, u"ORBKEY") && !HasValue(cells, u"ORBD_PARTNO")) {
            counts_->withoutKey.insert(row);
        }
    };
    observer.rowWritten = [this](VxDbObjectId row, const VxmStringMap& cells, std::size_t changed) {
        if (!counts_) {
            return;
        }
        counts_->rowsWritten.insert(row);
        counts_->fieldsWritten += changed;
        counts_->partNumbers += HasValue(cells, u"ORBD_PARTNO") ? 1 : 0;
    };
    observer.partDataWritten = [this](VxDbObjectId object, bool partRef, std::size_t changed) {
        if (!counts_) {
            return;
        }
        if (partRef) {
            counts_->partRefsWritten.insert(object);
        }
        counts_->fieldsWritten += changed;
    };
    sim::setMechObserver(std::move(observer));
    sim::pdm::setUnknownKeyHook([this](const std::u16string&, const std::u16string& key) {
        if (!counts_) {
            return;
        }
        // Looked up in a set: a parts list of unknown keys has as many of them as rows.
        std::string shown = Utf8(key);
        if (counts_->unknownKeysSeen.insert(shown).second) {
            counts_->unknownKeys.push_back(std::move(shown));
        }
    });
}

CommandSummary::~CommandSummary() {
    sim::setMechObserver({});
    sim::pdm::setUnknownKeyHook({});
}

void CommandSummary::Observe(const sim::Event& event) {
    const std::string ev = Field(event, "ev");
    if (ev == "command") {
        End();
        counts_.emplace();
        counts_->command = Field(event, "name");
        return;
    }
    Count(ev, event);
}

void CommandSummary::Count(const std::string& ev, const sim::Event& event) {
    Counts none;
    Counts& counts = counts_ ? *counts_ : none;
    bool failure = false;
    if (ev == "alert") {
        ++counts.alerts;
        failure = true;
    } else if (ev == "print" && PrintsHostFailure(Field(event, "text"))) {
        ++counts.hostFailures;
        failure = true;
    } else if (ev == "print" && PrintsMappingFailure(Field(event, "text"))) {
        ++counts.mappingFailures;
        failure = true;
    } else if (ev == "pdm.call") {
        const std::string name = Field(event, "name");
        counts.bomStarted = counts.bomStarted || name == "BOMSTART";
        counts.sent += name == "BOMELEMENTSTART" ? 1 : 0;
        if (event.value("code", 0) != 0) {
            ++counts.refused;
            failure = true;
        }
    } else if (ev == "pdm.prep" && Field(event, "result").starts_with('!')) {
        ++counts.errorAnswers;
        failure = true;
    }
    failuresSeen_ = failuresSeen_ || failure;
}

void CommandSummary::End() {
    if (!counts_) {
        return;
    }
    const sim::Event summary = SummaryEvent();
    counts_.reset();
    write_(summary);
}

sim::Event CommandSummary::SummaryEvent() const {
    const Counts& c = *counts_;
    sim::Event event{{"ev", "summary"}, {"command", c.command}};
    if (step_) {
        event["step"] = *step_;
    }
    event["rowsRead"] = c.rowsRead.size();
    event["rowsSent"] = c.sent;
    event["skippedNoItem"] = c.bomStarted ? c.withoutItem.size() : 0;
    event["skippedNoKey"] = c.command == kUpdatesRowsByKey ? c.withoutKey.size() : 0;
    event["partNumbers"] = c.partNumbers;
    event["rowsWritten"] = c.rowsWritten.size();
    event["partRefsWritten"] = c.partRefsWritten.size();
    event["fieldsWritten"] = c.fieldsWritten;
    event["refused"] = c.refused;
    event["errorAnswers"] = c.errorAnswers;
    event["unknownKeys"] = c.unknownKeys;
    event["alerts"] = c.alerts;
    event["hostFailures"] = c.hostFailures;
    event["mappingFailures"] = c.mappingFailures;
    return event;
}

std::string SummaryText(const sim::Event& summary) {
    const auto count = [&summary](const char* field) { return summary.value(field, 0u); };
    std::string text = "[summary] " + EscapeControls(Field(summary, "command")) + ": " +
                       std::to_string(count("rowsRead")) + " rows read, " +
                       std::to_string(count("rowsSent")) + " sent";
    const std::size_t noItem = count("skippedNoItem");
    const std::size_t noKey = count("skippedNoKey");
    if (noItem + noKey > 0) {
        std::string why;
        for (const auto& [n, reason] : {std::pair{noItem, "no item"}, std::pair{noKey, "no key"}}) {
            if (n > 0) {
                why += (why.empty() ? "" : ", ") + std::to_string(n) + " " + reason;
            }
        }
        text += ", " + std::to_string(noItem + noKey) + " skipped (" + why + ")";
    }
    for (const auto& [field, words] :
         {std::pair{"partNumbers", "part numbers received"},
          std::pair{"rowsWritten", "rows written"},
          std::pair{"partRefsWritten", "part references written"},
          std::pair{"fieldsWritten", "fields written"}, std::pair{"refused", "PDM calls refused"},
          std::pair{"errorAnswers", "PDM error answers"}}) {
        text += ", " + std::to_string(count(field)) + " " + words;
    }
    for (const auto& [field, words] :
         {std::pair{"alerts", "alerts"}, std::pair{"hostFailures", "host failures"},
          std::pair{"mappingFailures", "mapping file failures"}}) {
        if (count(field) > 0) {
            text += ", " + std::to_string(count(field)) + " " + words;
        }
    }
    const auto keys = summary.find("unknownKeys");
    if (keys != summary.end() && keys->is_array() && !keys->empty()) {
        text += "; keys the PDM does not know:";
        for (const auto& key : *keys) {
            text += " \"" + EscapeControls(key.is_string() ? key.get<std::string>() : key.dump()) +
                    "\"";
        }
    }
    return text;
}
