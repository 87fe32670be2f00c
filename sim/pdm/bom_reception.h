// How the stand-in PDM carries out orbdCall commands: the framed BOM transfer ("BOMSTART",
// "BOMELEMENTSTART", "BOMELEMENTINFO", "BOMELEMENTEND", "BOMEND") and the hand-over of an
// exported BOM file ("NewExternBom").
#pragma once

#include <string>
#include <vector>

#include "sim/pdm/pdm_store.h"

namespace sim::pdm {

// Carries out the command and answers its code (0 accepted, else a CallCode).
int carryOutCommand(PdmStore& store, const std::u16string& command, const std::u16string& argument);
// The commands carryOutCommand knows; a new one adds its name here.
const std::vector<std::u16string>& commandNames();

// A refused frame call still counts as made: a refused "BOMELEMENTSTART" opens its element
// (whose fields and end follow), and a refused closing call ("BOMELEMENTEND", "BOMEND") still
// closes its frame, since the client has ended it whatever the PDM answers.
void closeRefusedFrame(PdmStore& store, const std::u16string& command);

}  // namespace sim::pdm
