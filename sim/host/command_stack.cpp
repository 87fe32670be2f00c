#include "sim/host/command_stack.h"

#include <algorithm>

#include "sim/host/faults.h"
#include "sim/host/names.h"
#include "sim/host/rx_define.h"

SIM_RX_DEFINE_CLASS(VxEdCommandStack, VxRxObject)

namespace sim {

Vx::ErrorStatus CommandStack::addCommand(const char16_t* groupName, const char16_t* globalName,
                                         const char16_t* localName, std::int32_t flags,
                                         VxRxFunctionPtr handler, void* uiContext, int functionCode,
                                         void* resourceHandle, int* commandId) {
    if (const int status = checkpoint("addCommand")) {
        return static_cast<Vx::ErrorStatus>(status);
    }
    if (groupName == nullptr || globalName == nullptr || *globalName == 0 || handler == nullptr) {
        return Vx::eInvalidInput;
    }
    const std::u16string_view local =
        localName != nullptr && *localName != 0 ? localName : globalName;
    for (const CommandRow& row : rows_) {
        if (sameName(row.group.str(), groupName) &&
            (sameName(row.globalName.str(), globalName) || sameName(row.localName.str(), local))) {
            return Vx::eDuplicateKey;
        }
    }
    rows_.push_back(CommandRow{VxString(groupName), VxString(globalName), VxString(local), flags,
                               handler, uiContext, functionCode, resourceHandle, ++lastCommandId_});
    if (commandId != nullptr) {
        *commandId = lastCommandId_;
    }
    return Vx::eOk;
}

Vx::ErrorStatus CommandStack::removeCmd(const char16_t* groupName, const char16_t* globalName) {
    if (const int status = checkpoint("removeCmd")) {
        return static_cast<Vx::ErrorStatus>(status);
    }
    if (groupName == nullptr || globalName == nullptr) {
        return Vx::eInvalidInput;
    }
    const auto found = std::find_if(rows_.begin(), rows_.end(), [&](const CommandRow& row) {
        return sameName(row.group.str(), groupName) && sameName(row.globalName.str(), globalName);
    });
    if (found == rows_.end()) {
        return Vx::eKeyNotFound;
    }
    rows_.erase(found);
    return Vx::eOk;
}

const CommandRow* CommandStack::findTyped(std::u16string_view typed) const {
    if (typed.empty()) {
        return nullptr;
    }
    if (typed.front() == u'_') {
        // Global names are registered with or without their own leading underscore.
        const std::u16string_view bare = typed.substr(1);
        for (const CommandRow& row : rows_) {
            if (sameName(row.globalName.str(), typed) || sameName(row.globalName.str(), bare)) {
                return &row;
            }
        }
        return nullptr;
    }
    for (const CommandRow& row : rows_) {
        if (sameName(row.localName.str(), typed)) {
            return &row;
        }
    }
    return nullptr;
}

CommandStack& commandStack() {
    static CommandStack* const stack = new CommandStack();  // lives until process exit
    return *stack;
}

std::vector<CommandRow> registeredCommands() {
    return commandStack().rows();
}

}  // namespace sim
