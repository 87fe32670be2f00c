#include "app/import/pdm_records.h"

nlohmann::json PdmRecords(const DelimitedTable& table) {
    nlohmann::json records = nlohmann::json::array();
    for (const DelimitedRecord& record : table.records) {
        nlohmann::json fields = nlohmann::json::object();
        for (std::size_t c = 0; c < table.header.size(); ++c) {
            fields[table.header[c]] = record.fields[c];
        }
        records.push_back(std::move(fields));
    }
    return records;
}
