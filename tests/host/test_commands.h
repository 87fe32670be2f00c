// Commands for the tests: the host calls plain function pointers, so each test command's
// body is a std::function behind a fixed trampoline.
#pragma once

#include <array>
#include <functional>

#include "host/vx_editor.h"
#include "sim/host/command_stack.h"

namespace test_commands {

inline std::array<std::function<void()>, 4>& bodies() {
    static std::array<std::function<void()>, 4> b;
    return b;
}

template <int N>
void trampoline() {
    if (bodies()[N]) {
        bodies()[N]();
    }
}

inline constexpr VxRxFunctionPtr kHandlers[] = {&trampoline<0>, &trampoline<1>, &trampoline<2>,
                                                &trampoline<3>};

// Registers "<name>" (global "_<name>") in group "TESTS" with body number slot.
inline Vx::ErrorStatus add(int slot, const char16_t* name, std::function<void()> body) {
    bodies()[slot] = std::move(body);
    const std::u16string global = std::u16string(u"_") + name;
    return sim::commandStack().addCommand(u"TESTS", global.c_str(), name, 3, kHandlers[slot],
                                          nullptr, -1, nullptr, nullptr);
}

// Removes every command of group "TESTS".
inline void removeAll() {
    for (const sim::CommandRow& row : sim::registeredCommands()) {
        if (row.group.str() == u"TESTS") {
            sim::commandStack().removeCmd(u"TESTS", row.globalName.c_str());
        }
    }
    for (auto& body : bodies()) {
        body = nullptr;
    }
}

}  // namespace test_commands
