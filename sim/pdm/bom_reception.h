// How the stand-in PDM carries out orbdCall commands: the framed BOM transfer ("BOMSTART",
// "BOMELEMENTSTART", "BOMELEMENTINFO", "BOMELEMENTEND", "BOMEND") and the hand-over of an
// exported BOM file ("NewExternBom").
#pragma once

#include <string>

#include "sim/pdm/pdm_store.h"

namespace sim::pdm {

// Carries out the command and answers its code (0 accepted, else a CallCode).
int carryOutCommand(PdmStore& store, const std::u16string& command, const std::u16string& argument);

// A closing call ("BOMELEMENTEND", "BOMEND") still closes its frame when it is refused: the
// client has ended it whatever the PDM answers.
void closeRefusedFrame(PdmStore& store, const std::u16string& command);

}  // namespace sim::pdm
