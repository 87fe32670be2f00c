#include "app/ini_check/ini_scenario_check.h"

#include <map>

#include "app/ini_check/ini_scenario_facts.h"
#include "bom/column_definition.h"
#include "bom/row_sources.h"
#include "config/ini_line.h"
#include "pdm/pdm_answer.h"
#include "pdm/pdm_link.h"

namespace {

constexpr std::u16string_view kTransferSection = u"VexaBomToKORDANE";
constexpr std::u16string_view kColumnSection = u"KORDANEFieldsInVexaBOM";
constexpr std::size_t kKeysShown = 3;

// A section whose entries are target field = PDM field expression, fetched for each key.
struct FetchedSection {
    std::u16string_view name;
    KeySet ScenarioFacts::*keys;
    bool targetsAreRowCells;  // the values land in parts-list rows
};

constexpr FetchedSection kFetchedSections[] = {
    {u"KORDANEPartRefToVexa", &ScenarioFacts::storedRowKeys, true},
    {u"KORDANEProductToVexa", &ScenarioFacts::partNumberKeys, true},
    {u"KORDANEPartDataToVexa", &ScenarioFacts::drawingKeys, false},
    {u"KORDANEVirtualCompToVEXA", &ScenarioFacts::selectedKeys, true},
};

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

    void Section(std::u16string_view name) {
        const std::u16string section(name);
        if (!file_.HasSection(section)) {
            Note(section, "not in the file");
            return;
        }
        if (FoldSectionName(name) == FoldSectionName(kTransferSection)) {
            Transfer();
        } else if (FoldSectionName(name) == FoldSectionName(kColumnSection)) {
            Note(section, "adds its columns to the parts-list standard");
        } else {
            Fetched(Kind(section));
        }
    }

    ScenarioCheck Take() { return std::move(result_); }

  private:
    static FetchedSection Kind(const std::u16string& name) {
        for (const FetchedSection& known : kFetchedSections) {
            if (FoldSectionName(known.name) == FoldSectionName(name)) {
                return known;
            }
        }
        // Sections named at the part-reference command fill part references as the default
        // one does.
        return FetchedSection{name, kFetchedSections[0].keys, true};
    }

    void Note(const std::u16string& section, const std::string& text) {
        result_.notes.push_back(Header(FoldSectionName(section)) + ": " + text);
    }

    void Warn(const std::u16string& section, const std::u16string& key, const std::u16string& value,
              const std::string& text) {
        result_.warnings.push_back({DeliveredLine(sections_, section, key),
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
        for (const auto& [name, value] : Entries(std::u16string(kColumnSection))) {
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
        const std::u16string section(kTransferSection);
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

    void Fetched(const FetchedSection& kind) {
        const std::u16string section(kind.name);
        const KeySet& keys = facts_.*kind.keys;
        if (keys.keys.empty()) {
            Note(section, "no key in the scenario: expressions not evaluated");
        } else {
            Note(section, std::to_string(keys.keys.size()) +
                              (keys.keys.size() == 1 ? " key: " : " keys: ") + KeyList(keys.keys));
        }
        for (const auto& [target, expression] : Entries(section)) {
            if (kind.targetsAreRowCells && facts_.hasPartsList) {
                MissingColumn(section, target, expression, target);
            }
            if (IsHostFunction(expression)) {
                Note(section, ShownText(target) + " is answered by a host function: not evaluated");
            } else if (!keys.keys.empty()) {
                Evaluate(section, target, expression, keys);
            }
        }
    }

    void Evaluate(const std::u16string& section, const std::u16string& target,
                  const std::u16string& expression, const KeySet& keys) {
        std::map<std::u16string, std::vector<std::u16string>> keysByError;
        std::size_t empty = 0;
        for (const std::u16string& key : keys.keys) {
            const std::u16string answer =
                PdmLink::Instance()
                    .QueryByKey(key.c_str(), expression.c_str(), keys.folder)
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
        for (const std::u16string_view name :
             {kColumnSection, kTransferSection, kFetchedSections[0].name, kFetchedSections[1].name,
              kFetchedSections[2].name, kFetchedSections[3].name}) {
            checker.Section(name);
        }
    }
    ScenarioCheck result = checker.Take();
    SortByLine(result.warnings);
    return result;
}
