// A table read from delimited text (CSV, TSV, the module's parts-list export) with libcsv:
// the header line's column names and one record per row, each as long as the header.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct DelimitedRecord {
    std::size_t line = 0;  // where the record starts, from 1
    std::vector<std::string> fields;
};

struct DelimitedTable {
    std::vector<std::string> header;
    std::size_t headerLine = 0;
    std::vector<DelimitedRecord> records;
};

// The separator a header line uses most: tab, semicolon or comma, counted outside quotes; an
// earlier one wins a tie. fallback when the line holds none (a table of one column).
char DetectSeparator(std::string_view text, char fallback);

// Reads UTF-8 text. quoted: fields may be quoted as RFC 4180 says (separators, doubled quotes
// and line breaks inside quotes); otherwise a quote is a character like any other, as in the
// module's export, which writes cells as they are. Blank lines are skipped; a record shorter
// than the header is filled with empty fields. Throws ImportError with the line: no header
// line, a header column without a name or named twice, a record with more fields than the
// header, a quote out of place or a quoted field that is never closed.
DelimitedTable ReadDelimited(std::string_view text, char separator, bool quoted);
