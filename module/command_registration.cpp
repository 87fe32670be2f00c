#include "module/command_registration.h"

#include "module/class_lookup.h"
#include "module/command_table.h"
#include "resources/string_table.h"

namespace {
// Rows with this flag register without the module's resources.
constexpr std::int32_t kNoResourceFlag = 0x200000;
constexpr int kLocalNameBufferLength = 132;

bool IsEmptyRow(const CommandRow& row) {
    return row.globalName == nullptr;
}
}  // namespace

void RegisterCommands(winsys::Hinstance moduleInstance) {
    for (const CommandRow& row : CommandTable()) {
        if (IsEmptyRow(row)) {
            continue;
        }
        char16_t localName[kLocalNameBufferLength] = {};
        const char16_t* local = row.localName;
        if (local == nullptr) {
            LoadModuleString(row.localNameResourceId, localName, kLocalNameBufferLength);
            local = localName;
        }
        void* resources = (row.flags & kNoResourceFlag) != 0 ? nullptr : moduleInstance;
        if (VxEdCommandStack* stack = CommandStack()) {
            stack->addCommand(row.groupName, row.globalName, local, row.flags, row.handler,
                              row.uiContext, -1, resources, nullptr);
        }
    }
}

void RemoveCommands() {
    for (const CommandRow& row : CommandTable()) {
        if (IsEmptyRow(row)) {
            continue;
        }
        if (VxEdCommandStack* stack = CommandStack()) {
            stack->removeCmd(row.groupName, row.globalName);
        }
    }
}
