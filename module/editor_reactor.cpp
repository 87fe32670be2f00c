#include "module/editor_reactor.h"

#include <algorithm>
#include <exception>
#include <string_view>

#include "base/decimal_number.h"
#include "base/host_status_error.h"
#include "bom/bom_context.h"
#include "host/vx_docman.h"
#include "module/class_lookup.h"
#include "module/command_barrier.h"
#include "module/entity_argument.h"
#include "module/rejected_input.h"
#include "partref/update_part_refs.h"
#include "pdm/mapping_sections.h"
#include "pdm/pdm_link.h"

namespace {

constexpr char16_t kDrawingInsert[] = u"ORBDDWGINSERT";

bool Is(const char16_t* name, std::u16string_view expected) {
    return name != nullptr && std::u16string_view(name) == expected;
}

bool IsEntity(const VxDbObject* object) {
    return object != nullptr && object->isKindOf(VxDbEntity::desc());
}

VxDbDatabase* WorkingDatabase() {
    VxDbHostApplicationServices* services = vxdbHostApplicationServices();
    return services != nullptr ? services->workingDatabase() : nullptr;
}

// The "ORBDUPDATEPARTREF" command string queued for a pending part reference, built from the
// PDM values "PARTREF" and "PARTREFID". The string is typed into the host's command line,
// where a blank ends an argument and a control character acts as a key: a value holding
// either would become further commands, so such values are refused, as is an entity id that
// is not a decimal number and a string that does not fit the host's command buffer.
struct FollowUpCommand {
    bool accepted = false;
    std::u16string text;      // the command string when accepted
    std::u16string rejected;  // the value that made it unsafe or too long otherwise
};

// Characters of the command buffer, terminator included.
constexpr std::size_t kFollowUpCommandBufferLength = 256;

// Blanks, C0 and C1 control characters and DEL.
bool EndsOrControlsInput(char16_t c) {
    return c <= u' ' || (c >= u'\x7f' && c <= u'\x9f');
}

bool SafeArgument(const std::u16string& value) {
    return !value.empty() && std::none_of(value.begin(), value.end(), EndsOrControlsInput);
}

FollowUpCommand Rejected(const std::u16string& value) {
    return FollowUpCommand{false, {}, value};
}

// key: "PARTREF", neither empty nor "0". entityId: "PARTREFID" as read. trigger: the name of
// the command or lisp function whose end processes the pending part reference.
FollowUpCommand BuildFollowUpCommand(const std::u16string& key, const std::u16string& entityId,
                                     std::u16string_view trigger) {
    if (!SafeArgument(key)) {
        return Rejected(key);
    }
    std::u16string entity;
    if (!entityId.empty() && entityId != kNoEntityArgument) {
        if (!IsDecimalNumber(entityId)) {
            return Rejected(entityId);
        }
        entity = entityId;
    } else if (trigger == kDrawingInsert) {
        entity = kLastEntityArgument;
    } else {
        entity = kNoEntityArgument;
    }
    // The trailing blank ends the last argument when the host reads the string.
    std::u16string text = u"ORBDUPDATEPARTREF " + key + u" " + entity + u" ";
    if (text.size() >= kFollowUpCommandBufferLength) {
        const std::size_t fixed = text.size() - key.size() - entity.size();
        const bool keyAloneFits = fixed + key.size() + 1 < kFollowUpCommandBufferLength;
        return Rejected(keyAloneFits && entity == entityId ? entityId : key);
    }
    return FollowUpCommand{true, std::move(text), {}};
}

void QueueFollowUp(const FollowUpCommand& command) {
    if (!command.accepted) {
        ReportRejectedInput(command.rejected);
        return;
    }
    VxApDocManager* manager = vxDocManagerPtr();
    if (manager == nullptr) {
        return;
    }
    ThrowIfHostFailed(manager->sendStringToExecute(manager->curDocument(), command.text.c_str(),
                                                   true, false, true));
}

}  // namespace

ORBDBomEditorReactor::ORBDBomEditorReactor() {
    if (VxEditor* editor = Editor()) {
        editor->addReactor(this);
    }
}

ORBDBomEditorReactor::~ORBDBomEditorReactor() {
    if (VxEditor* editor = Editor()) {
        editor->removeReactor(this);
    }
}

VxRxClass* ORBDBomEditorReactor::isA() const {
    return VxEditorReactorClass();
}

void ORBDBomEditorReactor::onSaveStart(VxDbDatabase* database, const char16_t* /*fileName*/) {
    RunAsBarrier([&] {
        if (database == nullptr || database != WorkingDatabase()) {
            return;
        }
        PdmLink& link = PdmLink::Instance();
        if (link.IsModuleLoaded(u"vmcomp.vmx") != 0) {
            return;
        }
        const std::u16string key = link.GetEnv(u"ORBKEY");
        if (key.empty()) {
            return;
        }
        BomContext context{};
        SyncPartData(context, key.c_str());
    });
}

void ORBDBomEditorReactor::onCommandStart(const char16_t* commandName) {
    RunAsBarrier([&] {
        if (!Is(commandName, kDrawingInsert)) {
            return;
        }
        VxDbDatabase* database = WorkingDatabase();
        insertedEntityIds_.restart(database);
        if (database != nullptr) {
            database->addReactor(this);
        }
    });
}

void ORBDBomEditorReactor::onCommandEnd(const char16_t* commandName) {
    RunAsBarrier([&] {
        const bool insertion = Is(commandName, kDrawingInsert);
        if (!insertion && !Is(commandName, u"ORBDINTROFINISH") &&
            !Is(commandName, u"ORBDSYSSAVE")) {
            return;
        }
        if (insertion) {
            detachFromWorkingDatabase();
        }
        processPendingPartRef(commandName);
    });
}

void ORBDBomEditorReactor::onCommandCancel(const char16_t* commandName) {
    RunAsBarrier([&] {
        if (Is(commandName, kDrawingInsert)) {
            detachFromWorkingDatabase();
        }
    });
}

void ORBDBomEditorReactor::onLispStart(const char16_t* firstLine) {
    RunAsBarrier([&] {
        lispPending_ =
            firstLine != nullptr &&
            std::u16string_view(firstLine).find(u"(orbdexternfinish2") != std::u16string_view::npos;
    });
}

void ORBDBomEditorReactor::onLispEnd() {
    RunAsBarrier([&] {
        if (!lispPending_) {
            return;
        }
        // Cleared first, so that a failure while processing cannot leave it set.
        lispPending_ = false;
        processPendingPartRef(u"orbdexternfinish2");
    });
}

void ORBDBomEditorReactor::onLispCancel() {
    RunAsBarrier([&] { lispPending_ = false; });
}

void ORBDBomEditorReactor::onObjectAdded(const VxDbDatabase* database, const VxDbObject* object) {
    RunAsBarrier([&] {
        if (database == insertedEntityIds_.database() && IsEntity(object)) {
            insertedEntityIds_.append(object->objectId());
        }
    });
}

void ORBDBomEditorReactor::onObjectErased(const VxDbDatabase* database, const VxDbObject* object,
                                          bool erased) {
    RunAsBarrier([&] {
        if (database != insertedEntityIds_.database() || !IsEntity(object)) {
            return;
        }
        if (erased) {
            insertedEntityIds_.removeFirst(object->objectId());
        } else {
            insertedEntityIds_.restore(object->objectId());
        }
    });
}

const VxDbObjectIdArray* ORBDBomEditorReactor::insertedEntityIdsOf(
    const VxDbDatabase* database) const {
    if (database == nullptr || database != insertedEntityIds_.database()) {
        return nullptr;
    }
    return &insertedEntityIds_.ids();
}

void ORBDBomEditorReactor::processPendingPartRef(const std::u16string& triggeringName) {
    PdmLink& link = PdmLink::Instance();
    const std::u16string key = link.GetEnv(u"PARTREF");
    if (key.empty() || key == u"0") {
        return;
    }
    // The pending values are consumed once, whatever happens to the follow-up command.
    std::exception_ptr failure;
    try {
        if (link.GetBomMappingFile().HasSection(kPartRefSection.name)) {
            QueueFollowUp(BuildFollowUpCommand(key, link.GetEnv(u"PARTREFID"), triggeringName));
        }
    } catch (...) {
        failure = std::current_exception();
    }
    link.SetEnv(u"PARTREF", u"");
    link.SetEnv(u"PARTREFID", u"0");
    if (failure) {
        std::rethrow_exception(failure);
    }
}

void ORBDBomEditorReactor::detachFromWorkingDatabase() {
    if (VxDbDatabase* database = WorkingDatabase()) {
        database->removeReactor(this);
    }
}
