#include "app/import/delimited_table.h"

#include <csv.h>

#include <memory>
#include <set>

#include "app/common/terminal_text.h"
#include "app/import/import_error.h"

namespace {

// libcsv trims blanks and tabs around unquoted fields by default; a cell keeps them here, as
// the module wrote them.
int NoBlanks(unsigned char) {
    return 0;
}

// No byte of valid UTF-8 is 0xFF, so with it as the quote character nothing is quoted.
constexpr unsigned char kNeverQuote = 0xFF;

struct ParserDeleter {
    void operator()(csv_parser* parser) const {
        csv_free(parser);
        delete parser;
    }
};

class RecordCollector {
  public:
    static void OnField(void* text, std::size_t length, void* self) {
        auto& collector = *static_cast<RecordCollector*>(self);
        collector.current_.fields.emplace_back(
            length == 0 ? std::string() : std::string(static_cast<const char*>(text), length));
    }
    static void OnRecordEnd(int, void* self) {
        auto& collector = *static_cast<RecordCollector*>(self);
        collector.records_.push_back(std::move(collector.current_));
        collector.current_ = DelimitedRecord();
        collector.betweenRecords_ = true;
    }

    // The line that is about to be fed starts a record unless a quoted field runs on into it.
    bool StartsRecord(std::size_t line) {
        if (!betweenRecords_) {
            return false;
        }
        current_.line = line;
        betweenRecords_ = false;
        return true;
    }
    bool BetweenRecords() const { return betweenRecords_; }
    std::size_t CurrentLine() const { return current_.line; }
    std::vector<DelimitedRecord> Take() { return std::move(records_); }

  private:
    std::vector<DelimitedRecord> records_;
    DelimitedRecord current_;
    bool betweenRecords_ = true;
};

std::string ParserFailure(int code) {
    return code == CSV_EPARSE ? "a quote out of place: a field that holds a quote, a separator "
                                "or a line break is quoted as a whole, its quotes doubled"
                              : csv_strerror(code);
}

void CheckHeader(const DelimitedTable& table) {
    std::set<std::string> names;
    for (std::size_t i = 0; i < table.header.size(); ++i) {
        const std::string& name = table.header[i];
        if (name.empty()) {
            throw ImportError(table.headerLine,
                              "column " + std::to_string(i + 1) + " of the header has no name");
        }
        if (!names.insert(name).second) {
            throw ImportError(table.headerLine, "the header names the column \"" +
                                                    EscapeControls(name, EscapeForm::kUnicode) +
                                                    "\" twice");
        }
    }
}

}  // namespace

char DetectSeparator(std::string_view text, char fallback) {
    constexpr std::string_view kCandidates = "\t;,";
    std::size_t counts[3] = {0, 0, 0};
    bool inQuotes = false;
    for (const char c : text) {
        if (c == '"') {
            inQuotes = !inQuotes;
        } else if (!inQuotes && (c == '\r' || c == '\n')) {
            break;
        } else if (const std::size_t at = kCandidates.find(c);
                   !inQuotes && at != std::string_view::npos) {
            ++counts[at];
        }
    }
    std::size_t best = 0;
    for (std::size_t i = 1; i < kCandidates.size(); ++i) {
        if (counts[i] > counts[best]) {
            best = i;
        }
    }
    return counts[best] == 0 ? fallback : kCandidates[best];
}

DelimitedTable ReadDelimited(std::string_view text, char separator, bool quoted) {
    const std::unique_ptr<csv_parser, ParserDeleter> parser(new csv_parser);
    if (csv_init(parser.get(), CSV_STRICT | CSV_STRICT_FINI) != 0) {
        throw ImportError(0, "no memory for the CSV reader");
    }
    csv_set_delim(parser.get(), static_cast<unsigned char>(separator));
    csv_set_quote(parser.get(), quoted ? CSV_QUOTE : kNeverQuote);
    csv_set_space_func(parser.get(), NoBlanks);
    RecordCollector collector;
    // Fed a line at a time, so that each record knows the line it starts on and a fault the
    // line it is on.
    std::size_t line = 0;
    for (std::size_t at = 0; at < text.size();) {
        ++line;
        const std::size_t end = text.find_first_of("\r\n", at);
        std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end != std::string_view::npos && text[end] == '\r' && next < text.size() &&
            text[next] == '\n') {
            ++next;
        }
        const bool blank = end == at;
        if (!(blank && collector.BetweenRecords())) {
            collector.StartsRecord(line);
            const std::size_t length = next - at;
            if (csv_parse(parser.get(), text.data() + at, length, RecordCollector::OnField,
                          RecordCollector::OnRecordEnd, &collector) != length) {
                throw ImportError(line, ParserFailure(csv_error(parser.get())));
            }
        }
        at = next;
    }
    if (csv_fini(parser.get(), RecordCollector::OnField, RecordCollector::OnRecordEnd,
                 &collector) != 0) {
        throw ImportError(collector.CurrentLine(),
                          csv_error(parser.get()) == CSV_EPARSE
                              ? "a quoted field that starts in this row is never closed"
                              : ParserFailure(csv_error(parser.get())));
    }
    std::vector<DelimitedRecord> records = collector.Take();
    if (records.empty()) {
        throw ImportError(0, "the file is empty: it has no header line");
    }
    DelimitedTable table;
    table.header = std::move(records.front().fields);
    table.headerLine = records.front().line;
    CheckHeader(table);
    records.erase(records.begin());
    for (DelimitedRecord& record : records) {
        if (record.fields.size() > table.header.size()) {
            throw ImportError(record.line, std::to_string(record.fields.size()) +
                                               " fields, more than the header's " +
                                               std::to_string(table.header.size()));
        }
        record.fields.resize(table.header.size());
    }
    table.records = std::move(records);
    return table;
}
