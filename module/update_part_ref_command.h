// Handler of "ORBDUPDATEPARTREF": fills an inserted external drawing's block reference from
// its PDM item, or asks whether to insert a new part reference for the item (after a drawing
// insertion in CPartRefDialog, otherwise in a yes/no message box).
//
// The road of the command, top to bottom:
//  1. Reactor event (module/editor_reactor.cpp). When "ORBDDWGINSERT", "ORBDINTROFINISH" or
//     "ORBDSYSSAVE" ends, or a lisp call of "(orbdexternfinish2" ends, the reactor reads the
//     PDM's pending "PARTREF" and "PARTREFID" through PdmLink (pdm/pdm_link.cpp) and, when the
//     mapping file has kPartRefSection (pdm/mapping_sections.h), builds the command string
//     "ORBDUPDATEPARTREF <key> <entity> " (the entity argument's forms: module/
//     entity_argument.h). The pending values are reset whatever happens.
//  2. Queued command. The string goes to the host with sendStringToExecute (host/vx_docman.h)
//     and runs once the current command has ended, as if typed.
//  3. Handler (this file's .cpp, registered by module/command_table.cpp, behind RunAsBarrier of
//     module/command_barrier.h). It reads "ORBKEY: " and "Entity: " from the command line,
//     resolves the entity to a block reference of the working drawing (entity_argument.cpp)
//     and asks the mechanical layer whether that is an external drawing with part data.
//  4. PDM query. For such a block reference, AssignPartRefKey (partref/create_part_ref.cpp)
//     runs FetchPdmValues (bom/fetch_pdm_values.cpp): one PdmLink::QueryByKey
//     (pdm/pdm_queries.cpp) per entry of kPartRefSection, in "Folder_All_Document", each
//     evaluated by the PDM client's orbdPrep (host/kordane.h).
//  5. Part-data write. EnsureBomColumns (bom/bom_columns.cpp) adds the configured columns,
//     then MergePartData (partref/part_data_merge.cpp) lays the fetched values and "ORBKEY"
//     over the block reference's part data (host/vxm_bom.h).
// Without such a block reference the user is asked instead; a yes places a new part reference
// with CreatePartRef (partref/create_part_ref.cpp, placed by partref/place_part_ref.cpp in the
// model space of base/model_space.cpp) and fills it along steps 4 and 5 with setPartData.
#pragma once

void OnOrbdUpdatePartRef();
