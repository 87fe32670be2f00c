#include "sim/pdm/pdm_scenario.h"

#include <climits>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "host/vx_string.h"
#include "sim/pdm/bom_reception.h"
#include "sim/pdm/pdm_control.h"
#include "sim/scenario/json_pointer.h"
#include "sim/scenario/scenario_error.h"

namespace sim::pdm {
namespace {

using Json = nlohmann::json;

std::string pointer(const std::string& path, const std::string& token) {
    return jsonPointerChild(path, token);
}

// The host's texts end at a NUL, so a text holding one would reach the module cut short.
std::u16string wide(const std::string& utf8, const std::string& path) {
    if (utf8.find('\0') != std::string::npos) {
        throw ScenarioError(path, "a text cannot hold a NUL character");
    }
    return VxString::fromUtf8(utf8).str();
}

const Json& object(const Json& value, const std::string& path) {
    if (!value.is_object()) {
        throw ScenarioError(path, "expected an object");
    }
    return value;
}

std::u16string text(const Json& value, const std::string& path) {
    if (!value.is_string()) {
        throw ScenarioError(path, "expected a text");
    }
    return wide(value.get<std::string>(), path);
}

int integer(const Json& value, const std::string& path) {
    if (!value.is_number_integer()) {
        throw ScenarioError(path, "expected an integer");
    }
    const auto n = value.get<long long>();
    if (n < INT32_MIN || n > INT32_MAX) {
        throw ScenarioError(path, "integer out of range");
    }
    return static_cast<int>(n);
}

using Texts = std::vector<std::pair<std::u16string, std::u16string>>;

Texts textMap(const Json& value, const std::string& path) {
    Texts out;
    for (const auto& [key, member] : object(value, path).items()) {
        const std::string at = pointer(path, key);
        out.emplace_back(wide(key, at), text(member, at));
    }
    return out;
}

struct RefusalEntry {
    std::u16string command;
    int nth = 0;
    int code = 0;
};

RefusalEntry refusal(const std::u16string& command, const Json& value, const std::string& path) {
    RefusalEntry entry{command};
    if (value.is_number_integer()) {
        entry.code = integer(value, path);
        return entry;
    }
    if (!value.is_object()) {
        throw ScenarioError(path,
                            "expected a code, {\"nth\": N, \"code\": CODE} or a list of them");
    }
    bool hasNth = false;
    bool hasCode = false;
    for (const auto& [key, member] : value.items()) {
        if (key == "nth") {
            entry.nth = integer(member, pointer(path, key));
            if (entry.nth < 1) {
                throw ScenarioError(pointer(path, key), "nth counts from 1");
            }
            hasNth = true;
        } else if (key == "code") {
            entry.code = integer(member, pointer(path, key));
            hasCode = true;
        } else {
            throw ScenarioError(pointer(path, key), "unknown member");
        }
    }
    if (!hasNth || !hasCode) {
        throw ScenarioError(path, "needs both \"nth\" and \"code\"");
    }
    return entry;
}

// A refusal of a command the PDM does not know would never match: a misspelt name.
std::u16string knownCommand(const std::string& command, const std::string& path) {
    const std::u16string name = wide(command, path);
    std::string valid;
    for (const std::u16string& known : commandNames()) {
        if (known == name) {
            return name;
        }
        valid += (valid.empty() ? "" : ", ") + VxString(known).toUtf8();
    }
    throw ScenarioError(path, "unknown PDM command \"" + command + "\" (known: " + valid + ")");
}

struct PdmSetup {
    Texts env, catalogue, settings;
    std::optional<std::u16string> hasPart;
    std::vector<std::pair<std::u16string, Table>> tables;
    std::vector<std::u16string> selections;
    std::vector<RefusalEntry> refusals;
};

PdmSetup read(const Json& pdm, const std::string& path) {
    PdmSetup setup;
    for (const auto& [key, value] : object(pdm, path).items()) {
        const std::string at = pointer(path, key);
        if (key == "env") {
            setup.env = textMap(value, at);
        } else if (key == "catalogue") {
            setup.catalogue = textMap(value, at);
        } else if (key == "settings") {
            setup.settings = textMap(value, at);
        } else if (key == "hasPart") {
            setup.hasPart = text(value, at);
        } else if (key == "tables") {
            for (const auto& [name, rows] : object(value, at).items()) {
                const std::string tableAt = pointer(at, name);
                if (!rows.is_array()) {
                    throw ScenarioError(tableAt, "expected an array of records");
                }
                Table table;
                for (std::size_t i = 0; i < rows.size(); ++i) {
                    Record record;
                    for (auto& [field, fieldValue] :
                         textMap(rows[i], pointer(tableAt, std::to_string(i)))) {
                        record.emplace(std::move(field), std::move(fieldValue));
                    }
                    table.push_back(std::move(record));
                }
                setup.tables.emplace_back(wide(name, tableAt), std::move(table));
            }
        } else if (key == "selectItem") {
            if (!value.is_array()) {
                throw ScenarioError(at, "expected an array of texts");
            }
            for (std::size_t i = 0; i < value.size(); ++i) {
                setup.selections.push_back(text(value[i], pointer(at, std::to_string(i))));
            }
        } else if (key == "refuse") {
            for (const auto& [command, code] : object(value, at).items()) {
                const std::string commandAt = pointer(at, command);
                const std::u16string name = knownCommand(command, commandAt);
                if (!code.is_array()) {
                    setup.refusals.push_back(refusal(name, code, commandAt));
                    continue;
                }
                for (std::size_t i = 0; i < code.size(); ++i) {
                    setup.refusals.push_back(
                        refusal(name, code[i], pointer(commandAt, std::to_string(i))));
                }
            }
        } else {
            throw ScenarioError(at, "unknown member");
        }
    }
    return setup;
}

}  // namespace

void check(const nlohmann::json& pdm, const std::string& path) {
    read(pdm, path);
}

void configure(const nlohmann::json& pdm, const std::string& path) {
    PdmSetup setup = read(pdm, path);
    VxApDocument* document = currentDocument();
    for (const auto& [name, value] : setup.env) {
        setEnv(document, name, value);
    }
    for (const auto& [key, value] : setup.catalogue) {
        setCatalogueText(key, value);
    }
    for (const auto& [name, value] : setup.settings) {
        setSetting(name, value);
    }
    if (setup.hasPart) {
        setHasPart(*setup.hasPart);
    }
    for (auto& [name, table] : setup.tables) {
        setTable(name, std::move(table));
    }
    for (const std::u16string& selection : setup.selections) {
        queueSelection(selection);
    }
    for (const RefusalEntry& entry : setup.refusals) {
        if (entry.nth == 0) {
            refuse(entry.command, entry.code);
        } else {
            refuseNth(entry.command, entry.nth, entry.code);
        }
    }
}

}  // namespace sim::pdm
