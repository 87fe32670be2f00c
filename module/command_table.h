// The module's command table: the commands of group "ORBDVMBOM" in registration order.
#pragma once

#include <cstdint>
#include <span>

#include "host/vx_editor.h"

struct CommandRow {
    const char16_t* groupName;
    const char16_t* globalName;  // the local name with a leading underscore
    const char16_t* localName;   // as typed
    std::int32_t flags;
    VxRxFunctionPtr handler;
    void* uiContext;
    std::int32_t localNameResourceId;  // -1: no string resource
};

std::span<const CommandRow> CommandTable();
