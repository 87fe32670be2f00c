// The stand-in PDM's data: everything a scenario or a test sets up, and everything the PDM
// client functions record. One store per process; pdm_control.h is its public face.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "sim/pdm/pdm_control.h"
#include "sim/pdm/table_index.h"

class VxApDocument;

namespace sim::pdm {

struct Refusal {
    int code = 0;
    int nth = 0;   // 0: every call; otherwise only the nth call since the refusal was set
    int seen = 0;  // calls counted so far
};

struct PdmStore {
    std::map<std::u16string, std::u16string> catalogue;
    bool showMissingTexts = false;
    std::vector<std::u16string> missingTexts;
    std::map<VxApDocument*, Record> environments;
    std::map<std::u16string, Table> tables;
    // Counts every change of tables, so that indexes know when to build anew.
    std::uint64_t tablesGeneration = 0;
    TableIndexes indexes;
    Record settings;
    std::u16string hasPart = u"0";
    std::deque<std::u16string> selections;
    std::map<std::u16string, std::vector<Refusal>> refusals;
    std::vector<PdmCall> log;
    bool logging = true;
    bool keepRecords = true;
    BomReception reception;
    std::vector<std::u16string> externBoms;
};

PdmStore& store();

// The folders every PDM has, empty until filled.
void addStandardTables(PdmStore& s);

}  // namespace sim::pdm
