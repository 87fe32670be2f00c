#include "app/ini_check/ini_scenario_check.h"

#include <map>

#include "app/ini_check/ini_scenario_facts.h"
#include "bom/column_definition.h"
#include "bom/row_sources.h"
#include "config/ini_line.h"
#include "pdm/mapping_sections.h"
#include "pdm/pdm_answer.h"
#include "pdm/pdm_link.h"

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

bool IsHostFunction(std::u16string_view expression) {
    return !expression.empty() && expression.front() == u'(' &&
           expression.find(u')') != std::u16string_view::npos;
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
        result_.warnings.push_back({DeliveredLine(file_, sections_, section, key),
                                    Header(FoldSectionName(section)) + " " + ShownText(key) + "=" +
                                        ShownText(value) + ": " + text});
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

    void Fetched(const std::u16string& section, const MappingSection& kind) {
        const KeySet& keys = KeysOf(facts_, kind.keys);
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
            if (IsHostFunction(expression)) {
                Note(section, ShownText(target) + " is answered by a host function: not evaluated");
            } else if (!keys.keys.empty()) {
                Evaluate(section, target, expression, keys, kind.folder);
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
                                   const std::optional<std::u16string>& onlySection) {
    ScenarioFacts facts(scenario);
    Checker checker(file, sections, facts);
    if (onlySection) {
        checker.Section(*onlySection);
    } else {
        for (const MappingSection* section : kMappingSections) {
            checker.Section(section->name);
        }
    }
    ScenarioCheck result = checker.Take();
    SortByLine(result.warnings);
    return result;
}
