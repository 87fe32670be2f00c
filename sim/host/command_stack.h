// The stand-in host's command stack ("VEXA_REGISTERED_COMMANDS"): groups of commands with a
// global and a local name each, in registration order. It lives for the whole process.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "host/vx_editor.h"

namespace sim {

struct CommandRow {
    VxString group;
    VxString globalName;
    VxString localName;
    std::int32_t flags = 0;
    VxRxFunctionPtr handler = nullptr;
    void* uiContext = nullptr;
    int functionCode = 0;
    void* resourceHandle = nullptr;
    int commandId = 0;
};

class CommandStack final : public VxEdCommandStack {
  public:
    Vx::ErrorStatus addCommand(const char16_t* groupName, const char16_t* globalName,
                               const char16_t* localName, std::int32_t flags,
                               VxRxFunctionPtr handler, void* uiContext, int functionCode,
                               void* resourceHandle, int* commandId) override;
    Vx::ErrorStatus removeCmd(const char16_t* groupName, const char16_t* globalName) override;

    // The command a typed name selects: local names without regard to case; a leading "_"
    // selects by global name instead. Null when none.
    const CommandRow* findTyped(std::u16string_view typed) const;
    const std::vector<CommandRow>& rows() const { return rows_; }

  private:
    std::vector<CommandRow> rows_;
    int lastCommandId_ = 0;
};

CommandStack& commandStack();
// The registered commands in registration order (group, global, local, flags...).
std::vector<CommandRow> registeredCommands();

}  // namespace sim
