// ExportBom: the work of "ORBDBOMEXPORT". Writes the drawing's parts list as a tab-separated
// UTF-16LE file into the PDM workspace and hands it to the PDM with "NewExternBom".
//
// File: "WSPATH" + the part of "ORBKEY" before its first full stop + "KorBom.txt". Content:
// byte-order mark, a header line of the visible columns' names, then one line per row in
// cursor order (empty items included); fields separated by TAB, lines ended by CR LF,
// nothing quoted. Column "ITEM" takes the row's item, "QTY" its quantity, any other column
// the row's cell of that name.
#pragma once

#include <cstdint>
#include <string>

#include "bom/bom_context.h"

// The export file's path from the PDM environment of the current document.
std::u16string ExportFilePath();

// Expects context.bomId to hold the drawing's parts list. Answers 0 once the file is written
// and handed over, or -1 after a failure shown in an alert (the file keeps what was written;
// the PDM is not called).
std::int32_t ExportBom(BomContext& context);
