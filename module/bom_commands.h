// Handlers of the parts-list commands "ORBDBOM" (transfer to the PDM) and "ORBDBOMEXPORT"
// (export to a file handed to the PDM), and the pre-checks that all parts-list commands
// share. Handlers are barriers: nothing thrown inside reaches the host.
#pragma once

#include <cstdint>
#include <optional>

#include "bom/bom_context.h"

// The 2D-structure guard, then the parts-list lookup; alert text kTextNoPartsList when the
// drawing has no parts list. Answers LocateBom's kBomFound or kBomNoPdmPart when the command
// may go on, or std::nullopt when
// it has ended (the user has been told).
std::optional<std::int32_t> RunBomPreChecks(BomContext& context);

void OnOrbdBom();
void OnOrbdBomExport();
