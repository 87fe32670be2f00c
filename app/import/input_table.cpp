#include "app/import/input_table.h"

#include "app/import/text_file_decoding.h"

DelimitedTable ReadInputTable(const std::string& bytes, char separator) {
    const DecodedText text = DecodeTextFile(bytes);
    // A header of one column shows no separator: a UTF-16 file is then most likely the
    // module's export.
    const char used =
        separator != 0 ? separator : DetectSeparator(text.utf8, text.utf16 ? '\t' : ',');
    const bool moduleExport = text.utf16 && used == '\t';
    return ReadDelimited(text.utf8, used, !moduleExport);
}
