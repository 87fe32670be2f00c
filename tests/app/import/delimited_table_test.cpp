// Reading the parts lists and PDM tables that "vexa-sim import" takes: each form a spreadsheet
// or the module writes, quoting as RFC 4180 says, and every fault named with its line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/import/import_error.h"
#include "app/import/input_table.h"
#include "tests/support/utf16_bytes.h"

namespace {

using Fields = std::vector<std::string>;

std::string Utf16Le(std::u16string_view text) {
    return Utf16(text, false, true);
}

std::string Utf16Be(std::u16string_view text) {
    return Utf16(text, true, true);
}

// The line and the text of the fault reading bytes gives; line 0 and "" when there is none.
std::pair<std::size_t, std::string> Fault(const std::string& bytes, char separator = 0) {
    try {
        ReadInputTable(bytes, separator);
    } catch (const ImportError& e) {
        return {e.line(), e.what()};
    }
    return {0, ""};
}

TEST(ImportTable, EveryFormGivesTheSameTable) {
    const Fields header = {"ITEM", "QTY", "DESCR"};
    const std::vector<Fields> rows = {{"1", "2", "Washer"}, {"2", "1", "Bolt M8"}};
    const std::vector<std::pair<const char*, std::string>> forms = {
        {"comma, LF", "ITEM,QTY,DESCR\n1,2,Washer\n2,1,Bolt M8\n"},
        {"semicolon, CR LF, UTF-8 mark", "\xEF\xBB\xBFITEM;QTY;DESCR\r\n1;2;Washer\r\n2;1;Bolt M8"},
        {"tab", "ITEM\tQTY\tDESCR\n1\t2\tWasher\n2\t1\tBolt M8\n"},
        {"UTF-16LE, tab, CR LF", Utf16Le(u"ITEM\tQTY\tDESCR\r\n1\t2\tWasher\r\n2\t1\tBolt M8\r\n")},
        {"UTF-16BE, comma", Utf16Be(u"ITEM,QTY,DESCR\r\n1,2,Washer\r\n2,1,Bolt M8\r\n")},
        {"blank lines skipped", "ITEM,QTY,DESCR\n\n1,2,Washer\r\n\r\n2,1,Bolt M8\n\n"},
    };
    for (const auto& [form, bytes] : forms) {
        const DelimitedTable table = ReadInputTable(bytes, 0);
        EXPECT_EQ(table.header, header) << form;
        ASSERT_EQ(table.records.size(), rows.size()) << form;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(table.records[i].fields, rows[i]) << form << ", row " << i;
        }
    }
}

TEST(ImportTable, QuotedFieldsKeepSeparatorsQuotesAndLineBreaks) {
    const DelimitedTable table = ReadInputTable(
        "ITEM;QTY;DESCR;NOTE\r\n"
        "1;2;\"Washer; zinc\";\" padded \"\r\n"
        "2;1;\"Bolt 1/2\"\" long\";\"two\r\nlines\"\r\n"
        "3;4; blank around ;\n"
        "4;5\n",
        0);
    ASSERT_EQ(table.records.size(), 4u);
    EXPECT_EQ(table.records[0].fields, (Fields{"1", "2", "Washer; zinc", " padded "}));
    EXPECT_EQ(table.records[1].fields, (Fields{"2", "1", "Bolt 1/2\" long", "two\r\nlines"}));
    EXPECT_EQ(table.records[2].fields, (Fields{"3", "4", " blank around ", ""}))
        << "blanks around an unquoted field are the cell's";
    EXPECT_EQ(table.records[3].fields, (Fields{"4", "5", "", ""}))
        << "a short record is filled with empty fields";
    EXPECT_EQ(table.records[2].line, 5u) << "the line after a field with a line break";
    EXPECT_EQ(table.records[3].line, 6u);
}

TEST(ImportTable, TheModulesExportQuotesNothing) {
    // The export writes cells as they are, quotes included.
    const DelimitedTable table = ReadInputTable(
        Utf16Le(u"ITEM\tQTY\tDESCR\r\n1\t2\t\"Washer\"\r\n2\t1\t10\" bolt, \"x\r\n"), 0);
    ASSERT_EQ(table.records.size(), 2u);
    EXPECT_EQ(table.records[0].fields[2], "\"Washer\"");
    EXPECT_EQ(table.records[1].fields[2], "10\" bolt, \"x");
}

TEST(ImportTable, SeparatorDetectedFromTheHeaderOrGiven) {
    // The header's separator wins over what the rows hold.
    EXPECT_EQ(ReadInputTable("A;B\n1,5;2\n", 0).records[0].fields, (Fields{"1,5", "2"}));
    EXPECT_EQ(ReadInputTable("\"A,1\";B\nx;y\n", 0).header, (Fields{"A,1", "B"}))
        << "separators inside quotes do not count";
    EXPECT_EQ(ReadInputTable("A,B,C;D\n", ';').header, (Fields{"A,B,C", "D"}));
    EXPECT_EQ(ReadInputTable("A\nx\ty\n", 0).records[0].fields, (Fields{"x\ty"}))
        << "one column in UTF-8: comma";
    EXPECT_EQ(ReadInputTable(Utf16Le(u"A\r\nx,y\r\n"), 0).records[0].fields, (Fields{"x,y"}))
        << "one column in UTF-16: tab, as the module exports";
    EXPECT_EQ(ReadInputTable("A|B\n1|2\n", '|').header, (Fields{"A", "B"}));
}

TEST(ImportTable, FaultsNameTheLineAndWhatIsWrong) {
    struct Case {
        const char* name;
        std::string bytes;
        std::size_t line;
        const char* text;
    };
    const std::vector<Case> cases = {
        {"unclosed quote", "A,B\n1,2\n3,\"open\n4,5\n", 3, "never closed"},
        {"quote inside a field", "A,B\n1,2\n3,ab\"c\n", 3, "quote out of place"},
        {"text after a closing quote", "A,B\n1,\"x\"y\n", 2, "quote out of place"},
        {"more fields than the header", "A,B\n1,2\n3,4\n5,6,7\n", 4,
         "3 fields, more than the header's 2"},
        {"invalid UTF-8", "A,B\n1,2\n3,\xC3(\n", 3, "invalid UTF-8"},
        {"overlong UTF-8", "A,B\r\n1,\xC0\xAF\r\n", 2, "invalid UTF-8"},
        {"lone surrogate", Utf16Le(u"A\tB\r\n1\t2\r\n3\t\xD800x\r\n"), 3, "surrogate"},
        {"odd UTF-16", Utf16Le(u"A\tB\r\n1\t2") + "x", 2, "odd number of bytes"},
        {"NUL", std::string("A,B\n1,x\0y\n", 10), 2, "NUL"},
        {"empty file", "", 0, "no header line"},
        {"nameless column", "A,,B\n", 1, "column 2 of the header has no name"},
        {"column twice", "\nA,B,A\n", 2, "names the column \"A\" twice"},
    };
    for (const Case& c : cases) {
        const auto [line, text] = Fault(c.bytes);
        EXPECT_EQ(line, c.line) << c.name << ": " << text;
        EXPECT_NE(text.find(c.text), std::string::npos) << c.name << ": " << text;
    }
}

}  // namespace
