// A PDM table of an imported scenario: one record per record of the table, its fields named
// by the header.
#pragma once

#include <nlohmann/json.hpp>

#include "app/import/delimited_table.h"

nlohmann::json PdmRecords(const DelimitedTable& table);
