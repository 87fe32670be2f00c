// Handler of "ORBDUPDATEPARTREF": fills an inserted external drawing's block reference from
// its PDM item, or asks whether to insert a new part reference for the item (after a drawing
// insertion in CPartRefDialog, otherwise in a yes/no message box).
#pragma once

void OnOrbdUpdatePartRef();
