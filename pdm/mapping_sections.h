// The sections of the BOM mapping file that the module reads, in one table: the commands that
// read each, the PDM folder its field expressions are evaluated in, and where the PDM key they
// are evaluated for comes from. The module's operations and vexa-sim's ini-check both read it,
// so a section's name is written here and nowhere else.
#pragma once

#include <string_view>

// The PDM folder of parts; a null or empty folder means "Folder_All_Document".
inline constexpr const char16_t* kPartFolder = u"Folder_All_Part";

// Where the key comes from that a section's expressions are evaluated for.
enum class SectionKeys {
    kNone,          // not evaluated by key: the section configures columns or the transfer
    kStoredKey,     // a row's or part reference's "ORBKEY", or the environment's "PARTREF"
    kPartNumber,    // the key the PDM finds for a row's "ORBD_PARTNO" (and "ORBD_PARTREV")
    kDrawingKey,    // the environment's "ORBKEY": the drawing's own PDM document
    kSelectedItem,  // the item the user picks in the PDM's selection ("SelectItem")
};

struct MappingSection {
    const char16_t* name;     // as the module asks for it (lookups fold the case)
    std::string_view readBy;  // the commands and events that read it
    const char16_t* folder;   // null: "Folder_All_Document"
    SectionKeys keys;
    bool fillsRowCells;  // the fetched values land in parts-list rows
};

// Column name = display text, visibility, data type: columns added to the parts-list standard.
inline constexpr MappingSection kBomColumnsSection = {
    u"KORDANEFieldsInVexaBOM",
    "every command that writes part data or cells (all but ORBDBOMEXPORT), and a save", nullptr,
    SectionKeys::kNone, false};
// PDM field name = row source ("ITEM", "QTY", "FILENAME" or a column): what a transfer sends.
inline constexpr MappingSection kBomTransferSection = {u"VexaBomToKORDANE", "ORBDBOM", nullptr,
                                                       SectionKeys::kNone, false};
// The sections below: target field = PDM field expression, evaluated for each key.
inline constexpr MappingSection kPartRefSection = {
    u"KORDANEPartRefToVexa",
    "ORBDCREATEPARTREF, ORBDUPDATEPARTREF, ORBDUPDATEPARTREFS, ORBDCHANGEPARTREFKEY; the end of "
    "ORBDDWGINSERT, ORBDINTROFINISH, ORBDSYSSAVE and (orbdexternfinish2) asks whether it exists",
    nullptr, SectionKeys::kStoredKey, true};
inline constexpr MappingSection kProductSection = {u"KORDANEProductToVexa", "ORBDUPDATEPARTREFS",
                                                   kPartFolder, SectionKeys::kPartNumber, true};
inline constexpr MappingSection kPartDataSection = {
    u"KORDANEPartDataToVexa", "ORBDUPDATEPARTREFS, ORBDSYNCPARTDATA, a save of the drawing",
    nullptr, SectionKeys::kDrawingKey, false};
inline constexpr MappingSection kVirtualComponentSection = {u"KORDANEVirtualCompToVEXA",
                                                            "ORBDCREATEVIRTUALCOMP", kPartFolder,
                                                            SectionKeys::kSelectedItem, true};

// Every section the module names, columns first, then the transfer, then the fetched ones.
// ORBDCREATEPARTREF2 reads the section typed at its prompt in place of kPartRefSection.
inline constexpr const MappingSection* kMappingSections[] = {
    &kBomColumnsSection, &kBomTransferSection, &kPartRefSection,
    &kProductSection,    &kPartDataSection,    &kVirtualComponentSection,
};
