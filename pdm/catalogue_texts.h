// The PDM catalogue texts the module shows: numbers that GetText reads as "VM20<number>", and
// keys that GetTextByKey reads as they are.
#pragma once

#include <cstdint>

constexpr std::int32_t kTextNoPartsList = 42;  // the drawing's parts list is not available
constexpr std::int32_t kTextNoRowCursor = 43;  // the parts list's rows cannot be walked
constexpr std::int32_t kTextNoPdmPart = 49;    // the PDM's current document has no part
constexpr std::int32_t kTextPickPoint = 50;    // prompt for a part reference's position
constexpr std::int32_t kTextEntityWithoutPartData = 58;  // the named entity has no part data
constexpr std::int32_t kTextInsertPartRef = 59;          // asks whether to insert a part reference
// The part-reference dialog's caption, check box and buttons.
constexpr std::int32_t kTextPartRefDialogCaption = 77;
constexpr std::int32_t kTextDeleteInsertedPartRefs = 78;
constexpr std::int32_t kTextInsertButton = 79;
constexpr std::int32_t kTextDoNotInsertButton = 80;

constexpr const char16_t* kTextKeyMappingFileUnreadable = u"VX16300";
constexpr const char16_t* kTextKeyMappingSectionMissing = u"VX16301";
constexpr const char16_t* kTextKeyNoTransferFor2DStructure = u"VX16303";
constexpr const char16_t* kTextKeyChoosePart = u"zorn606";  // the PDM selection's title
