#include "module/partref_commands.h"

#include <array>
#include <optional>
#include <string>

#include "host/vx_editor.h"
#include "host/vx_status.h"
#include "host/vx_string.h"
#include "host/winsys.h"
#include "module/bom_commands.h"
#include "module/command_barrier.h"
#include "module/rejected_input.h"
#include "partref/change_part_ref_key.h"
#include "partref/create_part_ref.h"
#include "partref/update_part_refs.h"
#include "partref/virtual_component.h"
#include "pdm/catalogue_texts.h"
#include "pdm/pdm_answer.h"
#include "pdm/pdm_link.h"
#include "pdm/query_text.h"

namespace {

// Characters of the "SECTION: " answer, terminator included.
constexpr std::size_t kSectionLength = 512;

using PlainAnswer = std::array<char16_t, kVxMaxStringAnswer>;

// A plain answer (a blank or Enter ends it); none unless the host's status is normal.
std::optional<PlainAnswer> AskPlain(const char16_t* prompt) {
    PlainAnswer answer{};
    if (vxedGetString(0, prompt, answer.data()) != kRtNorm) {
        return std::nullopt;
    }
    return answer;
}

// A typed key that cannot stand in a PDM query would be stored beside data that are not
// its own, or with none: it is refused whole, before anything is placed or written.
bool AcceptTypedKey(const PlainAnswer& key) {
    if (pdm_query::FitsDoubleQuotedLiteral(key.data())) {
        return true;
    }
    ReportRejectedInput(key.data());
    return false;
}

void BringHostToFrontAfterInput() {
    winsys::setForegroundWindow(vxsw_vexaMainWnd());
}

}  // namespace

void OnOrbdCreatePartRef() {
    RunAsBarrier([] {
        const std::optional<PlainAnswer> key = AskPlain(u"ORBKEY: ");
        if (!key) {
            return;
        }
        BringHostToFrontAfterInput();
        if (!AcceptTypedKey(*key)) {
            return;
        }
        BomContext context{};
        CreatePartRef(context, key->data(), nullptr, nullptr, true);
    });
}

void OnOrbdCreatePartRef2() {
    RunAsBarrier([] {
        const std::optional<PlainAnswer> key = AskPlain(u"ORBKEY: ");
        if (!key) {
            return;
        }
        const std::optional<PlainAnswer> database = AskPlain(u"DBNAME: ");
        if (!database) {
            return;
        }
        std::array<char16_t, kSectionLength> section{};
        if (vxedGetStringB(u"SECTION: ", section.data(), section.size()) != kRtNorm) {
            return;
        }
        BringHostToFrontAfterInput();
        if (!AcceptTypedKey(*key)) {
            return;
        }
        BomContext context{};
        CreatePartRef(context, key->data(), database->data(), section.data(), true);
    });
}

void OnOrbdUpdatePartRefs() {
    RunAsBarrier([] {
        BomContext context{};
        if (!RunBomPreChecks(context)) {
            return;
        }
        UpdatePartRefsFromPdm(context);
        const std::u16string key = PdmLink::Instance().GetEnv(u"ORBKEY");
        if (!key.empty()) {
            SyncPartData(context, key.c_str());
        }
    });
}

void OnOrbdChangePartRefKey() {
    RunAsBarrier([] {
        const std::optional<PlainAnswer> oldKey = AskPlain(u"Old ORBKEY: ");
        if (!oldKey) {
            return;
        }
        const std::optional<PlainAnswer> newKey = AskPlain(u"New ORBKEY: ");
        if (!newKey || !AcceptTypedKey(*newKey)) {
            return;
        }
        BomContext context{};
        ChangePartRefKey(context, oldKey->data(), newKey->data());
    });
}

void OnOrbdSyncPartData() {
    RunAsBarrier([] {
        const std::u16string key = PdmLink::Instance().GetEnv(u"ORBKEY");
        if (key.empty()) {
            return;
        }
        BomContext context{};
        SyncPartData(context, key.c_str());
    });
}

void OnOrbdCreateVirtualComp() {
    RunAsBarrier([] {
        PdmLink& pdm = PdmLink::Instance();
        const VxString selection =
            VxString::format(u"#(call SelectItem \"'%s'\")", pdm.GetTextByKey(kTextKeyChoosePart));
        std::u16string key = pdm.EvaluateWithDialog(selection.c_str());
        pdm.BringHostToFront();
        // The PDM's error answer names no item: treat it as a cancelled selection.
        if (IsPdmErrorAnswer(key)) {
            key.clear();
        }
        BomContext context{};
        CreateVirtualComponent(context, key.c_str());
    });
}
