// The sections of the BOM mapping file that the module reads, in one table: the commands that
// read each, the PDM folder its field expressions are evaluated in, and where the PDM key they
// are evaluated for comes from. The module's operations and vexa-sim's ini-check both read it,
// so a section's name is written here and nowhere else.
#pragma once

#include <span>
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
    const char16_t* name;  // as the module asks for it (lookups fold the case)
    // Who reads it: the module's commands by name, the host commands and the lisp call whose
    // end the reactor follows ("(orbdexternfinish2)"), and "save" for a save of the drawing.
    std::span<const std::string_view> readBy;
    const char16_t* folder;  // null: "Folder_All_Document"
    SectionKeys keys;
    bool fillsRowCells;  // the fetched values land in parts-list rows
};

// Column name = display text, visibility, data type: columns added to the parts-list standard.
// Every command that writes part data or cells (all but ORBDBOMEXPORT), and a save.
inline constexpr std::string_view kColumnReaders[] = {
    "ORBDBOM",           "ORBDCREATEPARTREF",     "ORBDCREATEPARTREF2",
    "ORBDUPDATEPARTREF", "ORBDUPDATEPARTREFS",    "ORBDCHANGEPARTREFKEY",
    "ORBDSYNCPARTDATA",  "ORBDCREATEVIRTUALCOMP", "save"};
inline constexpr MappingSection kBomColumnsSection = {u"KORDANEFieldsInVexaBOM", kColumnReaders,
                                                      nullptr, SectionKeys::kNone, false};
// PDM field name = row source ("ITEM", "QTY", "FILENAME" or a column): what a transfer sends.
inline constexpr std::string_view kTransferReaders[] = {"ORBDBOM"};
inline constexpr MappingSection kBomTransferSection = {u"VexaBomToKORDANE", kTransferReaders,
                                                       nullptr, SectionKeys::kNone, false};
// The sections below: target field = PDM field expression, evaluated for each key.
// The end of ORBDDWGINSERT, ORBDINTROFINISH, ORBDSYSSAVE and (orbdexternfinish2) only asks
// whether it exists: without it, no ORBDUPDATEPARTREF is queued.
inline constexpr std::string_view kPartRefReaders[] = {
    "ORBDCREATEPARTREF", "ORBDUPDATEPARTREF", "ORBDUPDATEPARTREFS", "ORBDCHANGEPARTREFKEY",
    "ORBDDWGINSERT",     "ORBDINTROFINISH",   "ORBDSYSSAVE",        "(orbdexternfinish2)"};
inline constexpr MappingSection kPartRefSection = {u"KORDANEPartRefToVexa", kPartRefReaders,
                                                   nullptr, SectionKeys::kStoredKey, true};
inline constexpr std::string_view kProductReaders[] = {"ORBDUPDATEPARTREFS"};
inline constexpr MappingSection kProductSection = {u"KORDANEProductToVexa", kProductReaders,
                                                   kPartFolder, SectionKeys::kPartNumber, true};
inline constexpr std::string_view kPartDataReaders[] = {"ORBDUPDATEPARTREFS", "ORBDSYNCPARTDATA",
                                                        "save"};
inline constexpr MappingSection kPartDataSection = {u"KORDANEPartDataToVexa", kPartDataReaders,
                                                    nullptr, SectionKeys::kDrawingKey, false};
inline constexpr std::string_view kVirtualComponentReaders[] = {"ORBDCREATEVIRTUALCOMP"};
inline constexpr MappingSection kVirtualComponentSection = {u"KORDANEVirtualCompToVEXA",
                                                            kVirtualComponentReaders, kPartFolder,
                                                            SectionKeys::kSelectedItem, true};

// Every section the module names, columns first, then the transfer, then the fetched ones.
// ORBDCREATEPARTREF2 reads the section typed at its prompt in place of kPartRefSection.
inline constexpr const MappingSection* kMappingSections[] = {
    &kBomColumnsSection, &kBomTransferSection, &kPartRefSection,
    &kProductSection,    &kPartDataSection,    &kVirtualComponentSection,
};
