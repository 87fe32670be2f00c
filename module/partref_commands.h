// Handlers of the part-reference commands. Each reads its arguments from the command line or
// the PDM environment and hands the work to the part-reference operations; any input status
// but the normal one ends it silently. Handlers are barriers: nothing thrown inside reaches
// the host.
#pragma once

void OnOrbdCreatePartRef();
void OnOrbdCreatePartRef2();
void OnOrbdUpdatePartRefs();
void OnOrbdChangePartRefKey();
void OnOrbdSyncPartData();
void OnOrbdCreateVirtualComp();
