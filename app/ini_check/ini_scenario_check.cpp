#include "app/ini_check/ini_scenario_check.h"

#include <algorithm>
#include <map>

#include "app/ini_check/ini_entry_place.h"
#include "app/ini_check/ini_scenario_facts.h"
#include "app/ini_check/ini_unknown_keys.h"
#include "bom/column_definition.h"
#include "bom/row_sources.h"
#include "config/ini_line.h"
#include "pdm/mapping_sections.h"
#include "pdm/pdm_answer.h"
#include "pdm/pdm_link.h"
#include "pdm/query_text.h"
#include "sim/pdm/pdm_control.h"

namespace {

constexpr std::size_t kKeysShown = 3;

// The scenario's keys of the kind a section is evaluated for.
const KeySet& KeysOf(const ScenarioFacts& facts, SectionKeys keys) {
    switch (keys) {
        case SectionKeys::kPartNumber:
            return facts.partNumberKeys;
        case SectionKeys::kDrawingKey:
            return facts.drawingKeys;
        case SectionKeys::kSelectedItem:
            return facts.selectedKeys;
        case SectionKeys::kNone:
        case SectionKeys::kStoredKey:
            break;
    }
    return facts.storedRowKeys;
}

std::string KeyList(const std::vector<std::u16string>& keys) {
    std::string list;
    for (std::size_t i = 0; i < keys.size() && i < kKeysShown; ++i) {
        list += (i == 0 ? "" : ", ") + Quoted(keys[i]);
    }
    if (keys.size() > kKeysShown) {
        list += " and " + std::to_string(keys.size() - kKeysShown) + " more";
    }
    return list;
}

class Checker {
  public:
    Checker(const CIniFile& file, const SectionsSeen& sections, ScenarioFacts& facts)
        : file_(file), sections_(sections), facts_(facts) {
        ColumnsTheModuleAdds();
    }

    void Section(const std::u16string& section) {
        if (!file_.HasSection(section)) {
            Note(section, "not in the file");
            return;
        }
        const MappingSection& kind = Kind(section);
        if (&kind == &kBomTransferSection) {
            Transfer();
        } else if (&kind == &kBomColumnsSection) {
            Note(section, "adds its columns to the parts-list standard");
        } else {
            Fetched(section, kind);
        }
    }

    ScenarioCheck Take() { return std::move(result_); }

    void Add(std::vector<IniWarning> warnings) {
        result_.warnings.insert(result_.warnings.end(), warnings.begin(), warnings.end());
    }

  private:
    static const MappingSection& Kind(const std::u16string& name) {
        for (const MappingSection* known : kMappingSections) {
            if (FoldSectionName(known->name) == FoldSectionName(name)) {
                return *known;
            }
        }
        // Sections named at the part-reference command fill part references as the default
        // one does.
        return kPartRefSection;
    }

    void Note(const std::u16string& section, const std::string& text) {
        result_.notes.push_back(Header(FoldSectionName(section)) + ": " + text);
    }

    void Warn(const std::u16string& section, const std::u16string& key, const std::u16string& value,
              const std::string& text) {
        const EntryPlace place = PlaceOfEntry(file_, sections_, section, key, value);
        result_.warnings.push_back({place.line, place.text + ": " + text});
    }

    SectionEntries Entries(const std::u16string& section) const {
        SectionEntries entries;
        file_.ReadSection(section, false, entries);
        entries.erase(std::u16string(kSuperKey));
        return entries;
    }

    // The transfer and the part-reference commands ensure these columns before they write.
    void ColumnsTheModuleAdds() {
        columns_ = facts_.columns;
        columns_.insert(u"ORBKEY");
        for (const auto& [name, value] : Entries(kBomColumnsSection.name)) {
            if (ParseColumnDefinition(value)) {
                columns_.insert(name);
            }
        }
    }

    bool MissingColumn(const std::u16string& section, const std::u16string& key,
                       const std::u16string& value, const std::u16string& column) {
        if (columns_.contains(column)) {
            return false;
        }
        Warn(section, key, value, "the parts-list standard has no column " + Quoted(column));
        return true;
    }

    void Transfer() {
        const std::u16string section(kBomTransferSection.name);
        std::vector<const BomRow*> sent;
        for (const BomRow& row : facts_.rows) {
            if (!row.item.empty()) {
                sent.push_back(&row);
            }
        }
        Note(section, PartsListText(sent.size()));
        for (const auto& [field, source] : Entries(section)) {
            const bool builtIn = source == u"ITEM" || source == u"QTY" || source == u"FILENAME";
            if (!builtIn && MissingColumn(section, field, source, source)) {
                continue;
            }
            bool anyValue = false;
            for (const BomRow* row : sent) {
                anyValue = anyValue || !RowSources(*row).ValueOf(source).empty();
            }
            if (!sent.empty() && !anyValue) {
                Warn(section, field, source,
                     "empty in every row with an item: " + Quoted(field) + " is never sent");
            }
        }
    }

    std::string PartsListText(std::size_t sent) const {
        if (!facts_.partsListFailure.empty()) {
            return "the parts list cannot be read: " + ShownText(facts_.partsListFailure);
        }
        if (!facts_.hasPartsList) {
            return "the drawing has no parts list";
        }
        return std::to_string(sent) + (sent == 1 ? " row" : " rows") + " with an item";
    }

  public:
    // A section fed by prompts, for the keys typed or given, in the folder typed or given.
    // step: where the scenario types it; empty for the answers ini-check was given.
    void Prompted(const std::u16string& section, const KeySet& keys, const char16_t* folder,
                  const std::string& step = {}) {
        if (!file_.HasSection(section)) {
            Note(section, "not in the file");
            if (!step.empty()) {
                result_.warnings.push_back({0, "ORBDCREATEPARTREF2 (" + step + ") reads " +
                                                   Header(FoldSectionName(section)) +
                                                   ", typed at \"SECTION: \", which is not in "
                                                   "the file"});
            }
            return;
        }
        Fetched(section, Kind(section), &keys, folder);
    }

    // The sections the scenario's commands read that the file lacks. Those read only for
    // keys of a kind the scenario has none of are left out.
    void MissingSections() {
        std::set<std::u16string> told;
        for (const CommandUse& use : facts_.commands.uses) {
            for (const MappingSection* section : kMappingSections) {
                const bool reads = std::find(section->readBy.begin(), section->readBy.end(),
                                             use.reader) != section->readBy.end();
                const bool optional = section == &kBomColumnsSection;
                const bool keyed = section->keys == SectionKeys::kNone ||
                                   section->keys == SectionKeys::kStoredKey ||
                                   !KeysOf(facts_, section->keys).keys.empty();
                if (!reads || optional || !keyed || file_.HasSection(section->name) ||
                    !told.insert(section->name).second) {
                    continue;
                }
                result_.warnings.push_back({0, use.reader + " (" + use.step + ") reads " +
                                                   Header(FoldSectionName(section->name)) +
                                                   ", which is not in the file"});
            }
        }
    }

  private:
    void Fetched(const std::u16string& section, const MappingSection& kind,
                 const KeySet* given = nullptr, const char16_t* givenFolder = nullptr) {
        const KeySet& keys = given != nullptr ? *given : KeysOf(facts_, kind.keys);
        const char16_t* folder = given != nullptr ? givenFolder : kind.folder;
        if (keys.keys.empty()) {
            Note(section, "no key in the scenario: expressions not evaluated");
        } else {
            Note(section, std::to_string(keys.keys.size()) +
                              (keys.keys.size() == 1 ? " key: " : " keys: ") + KeyList(keys.keys));
        }
        for (const auto& [target, expression] : Entries(section)) {
            if (kind.fillsRowCells && facts_.hasPartsList) {
                MissingColumn(section, target, expression, target);
            }
            if (pdm_query::HostFunctionName(expression)) {
                Note(section, ShownText(target) + " is answered by a host function: not evaluated");
            } else if (!keys.keys.empty() &&
                       !sim::pdm::syntaxError(pdm_query::KeyQuery(u"KEY", expression, folder))) {
                // An expression the PDM cannot parse has its warning, with its place in the
                // line, from the file's own checks.
                Evaluate(section, target, expression, keys, folder);
            }
        }
    }

    void Evaluate(const std::u16string& section, const std::u16string& target,
                  const std::u16string& expression, const KeySet& keys, const char16_t* folder) {
        std::map<std::u16string, std::vector<std::u16string>> keysByError;
        std::size_t empty = 0;
        for (const std::u16string& key : keys.keys) {
            const std::u16string answer = PdmLink::Instance()
                                              .QueryByKey(key.c_str(), expression.c_str(), folder)
                                              .value_or(u"");
            if (IsPdmErrorAnswer(answer)) {
                keysByError[answer].push_back(key);
            } else if (answer.empty()) {
                ++empty;
            }
        }
        for (const auto& [error, failing] : keysByError) {
            Warn(section, target, expression,
                 "the PDM answers " + Quoted(error) +
                     (failing.size() == 1 ? " for key " : " for keys ") + KeyList(failing));
        }
        if (empty == keys.keys.size()) {
            Warn(section, target, expression,
                 keys.keys.size() == 1 ? "empty for the only key"
                                       : "empty for every key (" + std::to_string(empty) + ")");
        }
    }

    const CIniFile& file_;
    const SectionsSeen& sections_;
    ScenarioFacts& facts_;
    std::set<std::u16string> columns_;
    ScenarioCheck result_;
};

}  // namespace

ScenarioCheck CheckAgainstScenario(const CIniFile& file, const SectionsSeen& sections,
                                   const std::filesystem::path& scenario,
                                   const std::optional<std::u16string>& onlySection,
                                   const PromptAnswers& answers) {
    ScenarioFacts facts(scenario);
    Checker checker(file, sections, facts);
    std::set<std::u16string> prompted;
    for (const PromptedSection& typed : facts.commands.prompted) {
        prompted.insert(FoldSectionName(typed.section));
    }
    if (onlySection && answers.key) {
        KeySet keys;
        keys.Add(*answers.key);
        checker.Prompted(*onlySection, keys,
                         answers.database ? answers.database->c_str() : nullptr);
    } else if (onlySection) {
        checker.Section(*onlySection);
    } else {
        for (const MappingSection* section : kMappingSections) {
            checker.Section(section->name);
        }
        for (const PromptedSection& typed : facts.commands.prompted) {
            KeySet keys;
            keys.Add(typed.key);
            checker.Prompted(typed.section, keys, typed.database.c_str(), typed.step);
        }
        checker.MissingSections();
        checker.Add(UnknownKeyWarnings(file, sections, facts));
    }
    ScenarioCheck result = checker.Take();
    result.promptedSections = std::move(prompted);
    SortByLine(result.warnings);
    return result;
}
