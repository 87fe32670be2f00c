// Speed of "ORBDUPDATEPARTREFS" (rows with a stored key, and rows found by part number and
// revision) and "ORBDCHANGEPARTREFKEY" with old key "*", on generated drawings of 1,000,
// 10,000 and 100,000 rows or model-space part references with 20 mapped fields, against the
// stand-in PDM with call logging off. Prints rows per second and the 100,000/10,000 time
// ratio of each (linear growth keeps it near 10).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "bench/fresh_platform.h"
#include "bench/ratio_reporter.h"
#include "bom/transfer_guards.h"
#include "host/vxm_partref.h"
#include "partref/change_part_ref_key.h"
#include "partref/update_part_refs.h"
#include "pdm/pdm_link.h"
#include "sim/host/events.h"
#include "sim/host/host_control.h"
#include "sim/mech/mech_control.h"
#include "sim/pdm/pdm_control.h"

namespace {

constexpr int kFields = 20;

std::u16string Utf16(const std::string& text) {
    return VxString::fromUtf8(text).str();
}

std::u16string Number(int n) {
    return Utf16(std::to_string(n));
}

std::u16string Field(int i) {
    return u"F" + Number(i);
}

// The three sections, each mapping 20 part-data fields onto 20 PDM fields.
void WriteMapping(const std::filesystem::path& file) {
    std::ofstream out(file, std::ios::binary);
    for (const char* section :
         {"KORDANEPartRefToVexa", "KORDANEProductToVexa", "KORDANEPartDataToVexa"}) {
        out << "[" << section << "]\r\n";
        for (int i = 0; i < kFields; ++i) {
            out << "F" << i << "=#PDM" << i << "\r\n";
        }
    }
}

// A fresh host and PDM; the PDM holds count parts in both folders.
void BuildPlatform(int count) {
    ResetPlatformForBenchmark();

    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "orbd_partref_bench";
    std::filesystem::create_directories(dir);
    WriteMapping(dir / "mapping.ini");
    VxApDocument* document = sim::pdm::currentDocument();
    sim::pdm::setEnv(document, u"BOMIniFile", Utf16((dir / "mapping.ini").string()));
    sim::pdm::setEnv(document, u"WSPATH", Utf16(dir.string() + "/"));

    sim::pdm::Table documents;
    sim::pdm::Table parts;
    for (int n = 0; n < count; ++n) {
        sim::pdm::Record record{
            {u"ORBKEY", u"P" + Number(n)}, {u"IDENT", u"I" + Number(n)}, {u"REVISION", u"A"}};
        for (int i = 0; i < kFields; ++i) {
            record[u"PDM" + Number(i)] = u"value " + Number(n) + u"/" + Number(i);
        }
        documents.push_back(record);
        parts.push_back(std::move(record));
    }
    sim::pdm::setTable(u"Folder_All_Document", std::move(documents));
    sim::pdm::setTable(u"Folder_All_Part", std::move(parts));

    sim::Database& db = sim::workingDatabase();
    std::vector<sim::ColumnSpec> columns{{u"ORBKEY", false, 29, 0, u"ORBKEY"}};
    for (int i = 0; i < kFields; ++i) {
        columns.push_back(sim::ColumnSpec{Field(i), true, 29, 0, Field(i)});
    }
    sim::setStandardColumns(db, columns);
}

// Rows keyed by "ORBKEY", or carrying only part number and revision.
void BuildRows(int rows, bool byPartNumber) {
    BuildPlatform(rows);
    sim::Database& db = sim::workingDatabase();
    const VxDbObjectId list = sim::createPartsList(db, VxDbObjectId::kNull);
    sim::setCurrentPartsList(db, list);
    // Rows get fresh data entries (the layer then checks no other row for one) and their
    // cells afterwards, so that setting up 100,000 rows stays linear.
    for (int r = 0; r < rows; ++r) {
        sim::addRow(db, list, Number(r + 1), 1);
    }
    int r = 0;
    for (const sim::RowRecord& row : sim::rowsOf(db, list)) {
        const VxmStringMap cells =
            byPartNumber ? VxmStringMap{{u"ORBD_PARTNO", u"I" + Number(r)}, {u"ORBD_PARTREV", u"A"}}
                         : VxmStringMap{{u"ORBKEY", u"P" + Number(r)}};
        sim::setDataEntryData(db, row.dataEntry, cells);
        ++r;
    }
}

// Model-space part references, each with a key of its own.
void BuildPartRefs(int count) {
    BuildPlatform(count);
    sim::Database& db = sim::workingDatabase();
    for (int n = 0; n < count; ++n) {
        const VxDbObjectId entry = sim::createDataEntry(db, {{u"ORBKEY", u"P" + Number(n)}});
        db.appendEntity(db.modelSpaceId(), new VxmPartRef(entry));
    }
}

void Count(benchmark::State& state) {
    state.counters["rows/s"] = benchmark::Counter(
        static_cast<double>(state.range(0)) * state.iterations(), benchmark::Counter::kIsRate);
}

void UpdateRows(benchmark::State& state, bool byPartNumber) {
    BuildRows(static_cast<int>(state.range(0)), byPartNumber);
    for (auto _ : state) {
        BomContext context{};
        if (LocateBom(context) != 0 || UpdatePartRefsFromPdm(context) != 0) {
            state.SkipWithError("the update failed");
            break;
        }
    }
    Count(state);
}

void UpdateByKey(benchmark::State& state) {
    UpdateRows(state, false);
}
void UpdateByPartNumber(benchmark::State& state) {
    UpdateRows(state, true);
}

void ChangeEveryKey(benchmark::State& state) {
    BuildPartRefs(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        BomContext context{};
        if (ChangePartRefKey(context, u"*", u"P0") != 0) {
            state.SkipWithError("the key change failed");
            break;
        }
    }
    Count(state);
}

BENCHMARK(UpdateByKey)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(UpdateByPartNumber)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(ChangeEveryKey)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintGrowth(std::cout, {"UpdateByKey", "UpdateByPartNumber", "ChangeEveryKey"});
    benchmark::Shutdown();
    return 0;
}
