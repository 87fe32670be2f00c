// The table in an input file of "vexa-sim import", as its form says how to read it.
#pragma once

#include <string>

#include "app/import/delimited_table.h"

// bytes: the whole file. separator: 0 to take the one the header line uses. A UTF-16 file
// separated by tabs is the module's own export ("ORBDBOMEXPORT"), which quotes nothing, so
// its quotes are kept as characters; every other file is read as CSV, quotes and all. Throws
// ImportError with the line.
DelimitedTable ReadInputTable(const std::string& bytes, char separator);
