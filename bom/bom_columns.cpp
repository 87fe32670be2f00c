#include "bom/bom_columns.h"

#include <string>

#include "base/smart_ptr.h"
#include "bom/bom_standard.h"
#include "bom/column_definition.h"
#include "config/ini_file.h"
#include "pdm/mapping_sections.h"
#include "pdm/pdm_answer.h"
#include "pdm/pdm_link.h"

namespace {

constexpr int kColumnType = 29;

void AppendColumn(VxmBOMStd& bomStd, const char16_t* name, const ColumnDefinition& definition) {
    // A refused append leaves no column to set the flag on; the refusal itself is not an
    // error for the command.
    bomStd.appendColumn(kColumnType, definition.dataType, name, definition.displayText.c_str());
    if (VxmCColumnDef* column = bomStd.column(name)) {
        column->setVisible(definition.visible);
    }
}

// The display text as the PDM evaluates it, or the raw token when the PDM answers an error.
std::u16string EvaluateDisplayText(const std::u16string& token) {
    std::u16string evaluated = PdmLink::Instance().Evaluate(token.c_str());
    if (IsPdmErrorAnswer(evaluated)) {  // an empty evaluation is a display text
        return token;
    }
    return evaluated;
}

void AppendConfiguredColumns(VxmBOMStd& bomStd) {
    CIniFile& mapping = PdmLink::Instance().GetBomMappingFile();
    if (mapping.LoadState() != kIniLoaded) {
        return;
    }
    SectionEntries entries;
    if (!mapping.ReadSection(kBomColumnsSection.name, false, entries)) {
        return;
    }
    for (const auto& [name, value] : entries) {
        if (bomStd.column(name.c_str()) != nullptr) {
            continue;
        }
        std::optional<ColumnDefinition> definition = ParseColumnDefinition(value);
        // A definition without any token would add a nameless column that later runs could
        // never correct (existing columns are left alone), so it is skipped.
        if (!definition) {
            continue;
        }
        definition->displayText = EvaluateDisplayText(definition->displayText);
        AppendColumn(bomStd, name.c_str(), *definition);
    }
}

}  // namespace

std::int32_t EnsureBomColumns(BomContext& context) {
    if (context.columnsEnsured == 1) {
        return 0;
    }
    VxDbObjectId bomStdId;
    const Vx::ErrorStatus located = CurrentBomStandardId(bomStdId);
    if (located != Vx::eOk) {
        return located;
    }
    SmartPtr<VxmBOMStd> bomStd;
    const Vx::ErrorStatus opened = vxdbOpenVxDbObject(bomStd.slot(), bomStdId, VxDb::kForWrite);
    if (opened != Vx::eOk) {
        context.columnsEnsured = 1;
        return opened;
    }
    if (bomStd->column(u"ORBKEY") == nullptr) {
        AppendColumn(*bomStd, u"ORBKEY", ColumnDefinition{u"ORBKEY", false, 0});
    }
    AppendConfiguredColumns(*bomStd);
    context.columnsEnsured = 1;
    return 0;
}
