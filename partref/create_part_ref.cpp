#include "partref/create_part_ref.h"

#include "partref/part_data_merge.h"

#include <optional>
#include <string>
#include <vector>

#include "base/host_status_error.h"
#include "base/model_space.h"
#include "bom/bom_columns.h"
#include "bom/configuration_error.h"
#include "bom/fetch_pdm_values.h"
#include "config/ini_file.h"
#include "host/vx_editor.h"
#include "host/vxm_bom.h"
#include "partref/place_part_ref.h"
#include "pdm/catalogue_texts.h"
#include "pdm/mapping_sections.h"
#include "pdm/pdm_link.h"

namespace {

// Tells the drawing's parts list about the new part reference, if the drawing has one. The
// list's own rules decide the row; neither answer is a failure of the command.
void HandToPartsList(VxDbObjectId partRef) {
    VxmBOMManager* manager = getVxmBomMgr();
    VxDbObjectId bomId;
    VxString name;
    manager->findBom(bomId, name, VxDbObjectId::kNull, 0);
    if (bomId.isNull()) {
        return;
    }
    VxDbObjectIdArray partRefs(0, 8);
    partRefs.append(partRef);
    VxDbObjectIdArray rowIds(0, 8);
    manager->addPartRefsToBom(bomId, partRefs, rowIds, 0);
}

// The work of CreatePartRef; result carries what the caller answers when a failure is thrown.
void PlaceAndFill(BomContext& context, const char16_t* key, const char16_t* database,
                  const char16_t* section, bool writeKey, std::int32_t& result) {
    const std::optional<VxGePoint3d> point = AskPartRefPoint();
    if (!point) {
        return;
    }
    SmartPtr<VxmPartRef> entity;
    BuildPartRef(entity, VxDbObjectId::kNull, *point);
    // Model space stays open for write from the append until the part reference is handed on.
    ModelSpace space;
    OpenModelSpace(VxDb::kForWrite, space);
    const VxDbObjectId partRef = AppendPartRef(*space.record, entity);

    const char16_t* used = section != nullptr ? section : kPartRefSection.name;
    VxmStringMap values;
    result = FetchPdmValues(context, key, values, used, database);
    if (result == kIniFileNotOpened) {
        throw ConfigurationError(PdmLink::Instance().GetEnv(u"BOMIniFile"),
                                 kTextKeyMappingFileUnreadable);
    }
    if (result == kFetchNoSection) {
        throw ConfigurationError(used, kTextKeyMappingSectionMissing);
    }
    if (result == 0) {
        EnsureBomColumns(context);
        if (writeKey) {
            values[u"ORBKEY"] = key;
        }
        if (const Vx::ErrorStatus refused = getVxmBomMgr()->setPartData(partRef, values)) {
            result = kPartDataRefused;
            ThrowIfHostFailed(refused);
        }
    }
    HandToPartsList(partRef);
}

}  // namespace

std::int32_t CreatePartRef(BomContext& context, const char16_t* key, const char16_t* database,
                           const char16_t* section, bool writeKey) {
    if (key == nullptr) {
        return -1;
    }
    std::int32_t result = 0;
    try {
        PlaceAndFill(context, key, database, section, writeKey, result);
    } catch (const HostStatusError& failure) {
        vxutPrintf(u"\n%s\n", failure.text());
    }
    return result;
}

std::int32_t AssignPartRefKey(BomContext& context, VxDbObjectId id, const char16_t* key) {
    VxmStringMap values;
    std::vector<std::u16string> unanswered;
    const std::int32_t fetched = FetchPdmValues(context, key, values, kPartRefSection.name,
                                                kPartRefSection.folder, &unanswered);
    if (fetched != 0) {
        return fetched;
    }
    EnsureBomColumns(context);
    if (MergePartData(id, key, values, unanswered) != Vx::eOk) {
        return kPartDataRefused;
    }
    return 0;
}
